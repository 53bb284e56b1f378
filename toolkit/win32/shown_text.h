// Texts at the Windows boundary. The system's texts are UTF-8 and English;
// what a person reads is the English text in the chosen language, handed
// to the W functions as UTF-16, so every language shows whatever the
// system's code page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace win32_backend {

// UTF-8 as UTF-16.
std::wstring Wide(const std::string& text);
// UTF-16 as UTF-8.
std::string Utf8(const wchar_t* text);

// The text shown for the English text (length, pointer), as the toolkit
// passes it (0: the whole text), in the chosen language (ShownText), as
// UTF-16.
std::wstring ShownWide(uint32_t length, const char* english);
std::wstring ShownWide(const char* english);

// The face and character set the window's fonts take in the chosen
// language: the toolkit's own face, except where its script needs the
// system's font for that language.
struct ShownFace {
    const char* face;
    BYTE charset;
};
ShownFace FaceFor(const char* toolkitFace);

}  // namespace win32_backend
