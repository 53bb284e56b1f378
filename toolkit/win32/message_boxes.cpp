// The toolkit's message boxes as standard Windows ones: the three lines
// under each other, the stop or information icon, else the program's own;
// title and lines in the chosen language.
#include <windows.h>

#include <string>

#include "toolkit/backend.h"
#include "toolkit/icon.h"
#include "i18n/translate.h"
#include "toolkit/win32/shown_text.h"
#include "toolkit/win32/win32_views.h"
#include "toolkit/window.h"

namespace backend {

int ShowMessageBox(const MessageBoxContent& content)
{
    std::string text;
    for (const char* line : content.lines) {
        if (!line[0]) continue;
        if (!text.empty()) text += "\n";
        text += Tr(line);
    }
    HWND owner = content.owner ? content.owner->NativeWindow() : nullptr;
    const std::wstring shownText = win32_backend::Wide(text);
    const std::wstring shownTitle = win32_backend::ShownWide(content.title);
    MSGBOXPARAMSW box = {};
    box.cbSize = sizeof box;
    box.hwndOwner = owner;
    box.hInstance = win32_backend::Instance();
    box.lpszText = shownText.c_str();
    box.lpszCaption = shownTitle.c_str();
    box.dwStyle = MB_OK;
    if (content.icon == piStop) box.dwStyle |= MB_ICONSTOP;
    else if (content.icon == piInfo32) box.dwStyle |= MB_ICONINFORMATION;
    else if (content.icon) {
        box.dwStyle |= MB_USERICON;
        box.lpszIcon = L"DEFAULT_ICON";
    }
    return MessageBoxIndirectW(&box);
}

}  // namespace backend
