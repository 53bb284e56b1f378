// The stock icons, the fonts and the resource icons of the Win32 backend.
// Text is measured in layout units: in the font at 96 DPI, as it is shown,
// in the chosen language.
#include <windows.h>

#include "toolkit/backend.h"
#include "toolkit/text.h"
#include "toolkit/win32/dpi_scaling.h"
#include "toolkit/win32/gdi_device_context.h"
#include "toolkit/win32/shown_text.h"

namespace {

const TFontRecord textFontRecord = {"Tahoma", 11, false};
const TFontRecord captionFontRecord = {"Tahoma", 11, true};

}  // namespace

namespace backend {

void InitStockResources()
{
    piInfo32 = LoadIcon(nullptr, IDI_INFORMATION);
    piStop = LoadIcon(nullptr, IDI_HAND);
}

void InitFonts(TFont* textFont, TFont* captionFont)
{
    *textFont = &textFontRecord;
    *captionFont = &captionFontRecord;
}

// The application's icon of that number, or its main icon when it has none.
TIcon LoadResourceIcon(HMODULE application, int id)
{
    HANDLE icon = LoadImageA(application, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR);
    if (!icon) icon = LoadImageA(application, "DEFAULT_ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR);
    return icon;
}

int32_t TextWidth(TFont font, uint32_t length, const char* text)
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, win32_backend::FontHandle(font, win32_backend::layoutDpi));
    SIZE size = {0, 0};
    // The toolkit hands over the text as it is shown (GetTextW looks it up).
    const std::wstring wide = win32_backend::Wide(std::string(text, LengthA(length, text)));
    GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

}  // namespace backend
