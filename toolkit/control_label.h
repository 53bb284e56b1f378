// The label of a control: the text a window shows before it on its row,
// as a person reads it (the wizard's "Overscan:" before the mode chooser).
// Screen readers name the control by it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/rect.h"

// A text drawn in the window, its top left corner in the window's layout
// units.
struct DrawnText {
    int32_t x;
    int32_t y;
    std::string text;
};

// The text nearest to the control's left edge among those that start left
// of it and whose line, lineHeight high, overlaps the control's rows;
// empty when there is none.
std::string LabelBefore(const std::vector<DrawnText>& texts, const CRect& control, int32_t lineHeight);
