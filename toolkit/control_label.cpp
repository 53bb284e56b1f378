#include "toolkit/control_label.h"

std::string LabelBefore(const std::vector<DrawnText>& texts, const CRect& control, int32_t lineHeight)
{
    const DrawnText* nearest = nullptr;
    for (const DrawnText& text : texts) {
        const bool onRow = text.y < control.y + control.height && text.y + lineHeight > control.y;
        if (!onRow || text.x >= control.x || text.text.empty()) continue;
        if (!nearest || text.x > nearest->x) nearest = &text;
    }
    return nearest ? nearest->text : std::string();
}
