#include "toolkit/win32/shown_text.h"

#include "i18n/language.h"
#include "toolkit/shown_text.h"

namespace win32_backend {

std::wstring Wide(const std::string& text)
{
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    if (count <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], count);
    return wide;
}

std::string Utf8(const wchar_t* text)
{
    const int count = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (count <= 1) return std::string();
    std::string narrow(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &narrow[0], count, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(count - 1));
    return narrow;
}

std::wstring ShownWide(uint32_t length, const char* english)
{
    return Wide(ShownText(length, english));
}

std::wstring ShownWide(const char* english)
{
    return english ? Wide(ShownText(0, english)) : std::wstring();
}

// Japanese and Chinese in the system's interface font for that language,
// asked for with the language's character set, so that where the face is
// missing the font mapper still takes one that has the script.
ShownFace FaceFor(const char* toolkitFace)
{
    switch (CurrentLanguage()) {
    case Language::ja:
        return ShownFace{"MS UI Gothic", SHIFTJIS_CHARSET};
    case Language::zh:
        return ShownFace{"Microsoft YaHei UI", GB2312_CHARSET};
    default:
        return ShownFace{toolkitFace, DEFAULT_CHARSET};
    }
}

}  // namespace win32_backend
