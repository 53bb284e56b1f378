// Measures every text that the information pane and the buttons draw, in
// the font each one is drawn in, on the pane's own device context (or the
// screen's, for a null pane).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

// One row of the window: the texts it can show (UTF-8), drawn from x, and
// the width they must keep within.
struct TextRow {
    const char* name;
    bool caption;  // the bold caption font, else the normal text font
    int x;
    int room;
    std::vector<const char*> texts;
};

struct RowWidth {
    std::string widest;
    int width;
};

// The face the window's fonts ask for, and the character set with it.
struct WindowFont {
    const char* face;
    BYTE charset;
};
constexpr WindowFont tahoma = {"Tahoma", DEFAULT_CHARSET};

// The face the fonts of that pixel height really got (a missing face falls
// back to another).
std::string MeasuredFace(HWND pane, bool caption, int fontHeight = 11, WindowFont font = tahoma);
// The widest text of the row and its width in pixels, in the fonts of that
// pixel height; -1 without a DC.
RowWidth Widest(HWND pane, const TextRow& row, int fontHeight = 11, WindowFont font = tahoma);
// The characters of the row's texts that the font itself has no glyph for
// (empty: none), so that a face missing the script shows as such even
// where the system would link another font in.
std::string MissingGlyphs(HWND pane, const TextRow& row, int fontHeight = 11, WindowFont font = tahoma);

}  // namespace driver
