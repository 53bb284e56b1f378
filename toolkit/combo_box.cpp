#include "toolkit/combo_box.h"

#include "toolkit/text.h"

bool CComboBox::AddItem(uint32_t length, const char* text, int /*data*/)
{
    if (count == maxItems) return false;
    CopyA(maxItemText, items[count], length, text);
    ++count;
    return true;
}

void CComboBox::Select(int position)
{
    selected = position >= 1 && position <= count ? position : 0;
}

const char* CComboBox::ItemText(int position) const
{
    return position >= 1 && position <= count ? items[position - 1] : "";
}
