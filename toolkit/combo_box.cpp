#include "toolkit/combo_box.h"

#include "toolkit/backend.h"
#include "toolkit/text.h"
#include "toolkit/window.h"

void CComboBox::Init(const CRect& r, uint32_t, bool)
{
    CView::Init(r);
}

bool CComboBox::AddItem(uint32_t length, const char* text, int /*data*/)
{
    if (count == maxItems) return false;
    CopyA(maxItemText, items[count], length, text);
    ++count;
    backend::ViewChanged(this);
    return true;
}

void CComboBox::FitList()
{
    listRows = count;
    backend::ViewChanged(this);
}

void CComboBox::Select(int position)
{
    const int previous = selected;
    selected = position >= 1 && position <= count ? position : 0;
    backend::ViewChanged(this);
    if (selected == previous) return;
    if (CWindow* window = OwnerWindow()) window->MakeEvent(TEvent{evBroadcast, cmSelectionChanged});
}

const char* CComboBox::ItemText(int position) const
{
    return position >= 1 && position <= count ? items[position - 1] : "";
}
