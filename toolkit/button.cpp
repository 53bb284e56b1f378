#include "toolkit/button.h"

#include "toolkit/backend.h"
#include "toolkit/text.h"
#include "toolkit/window.h"

CButton::CButton()
{
    text[0] = 0;
}

void CButton::Init(const CRect& r, uint32_t commandNumber, uint32_t textLength, const char* label, uint32_t)
{
    command = commandNumber;
    CopyA(maxButtonText, text, textLength, label);
    CView::Init(r);
}

void CButton::Enable()
{
    enabled = true;
    backend::ViewChanged(this);
}

void CButton::Disable()
{
    enabled = false;
    backend::ViewChanged(this);
}

bool CButton::Press()
{
    if (!enabled || !IsShown() || IsEnded()) return false;
    CWindow* window = OwnerWindow();
    if (!window || window->IsEnded()) return false;
    window->MakeEvent(TEvent{evCommand, command});
    return true;
}
