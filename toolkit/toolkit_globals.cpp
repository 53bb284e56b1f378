// The toolkit's module start-up, graphics contexts, fonts and icons.
#include "toolkit/backend.h"
#include "toolkit/graphics.h"
#include "toolkit/icon.h"
#include "toolkit/modules.h"
#include "toolkit/shown_text.h"
#include "toolkit/view.h"

TIcon piInfo32 = nullptr;
TIcon piStop = nullptr;
TFont CaptionFont = nullptr;

namespace {

constexpr int contextCount = 8;
TGContext contexts[contextCount];
HMODULE appHandle = nullptr;

}  // namespace

void SetAppHandle(HMODULE instance)
{
    appHandle = instance;
}

HMODULE GetAppHandle()
{
    return appHandle;
}

TIcon InitResIconNum(HMODULE application, int id)
{
    return backend::LoadResourceIcon(application, id);
}

// The text is measured as it is shown, so that what is placed by its width
// follows the language.
int32_t GetTextW(TFont font, uint32_t length, const char* text)
{
    const std::string shown = ShownText(length, text);
    return backend::TextWidth(font, 0, shown.c_str());
}

TGContext* CView::GetPGContext(int number)
{
    return &contexts[number >= 0 && number < contextCount ? number : 0];
}

void Init_StockResources()
{
    backend::InitStockResources();
}

void Init_Graphics()
{
    for (TGContext& context : contexts) {
        context.separatorColor1 = 0x00A0A0A0;  // shadow grey
        context.separatorColor2 = 0x00FFFFFF;  // highlight white
    }
}

void Init_Fonts()
{
    TFont textFont = nullptr;
    backend::InitFonts(&textFont, &CaptionFont);
    for (TGContext& context : contexts) context.textFont = textFont;
}

void Init_Core() {}
void Init_Views() {}
void Init_Tools() {}
void Init_Controls() {}
void Init_Windows() {}
void Init_Dialogs() {}
void Init_TabPanes() {}

void InitAllModules()
{
    Init_StockResources();
    Init_Graphics();
    Init_Fonts();
    Init_Core();
    Init_Views();
    Init_Tools();
    Init_Controls();
    Init_Windows();
    Init_Dialogs();
    Init_TabPanes();
}
