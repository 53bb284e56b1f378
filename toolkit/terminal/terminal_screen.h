// The main window drawn as text: the title on the top line, the pane from
// its recorded drawing calls, the buttons and the chooser, and a modal box
// over it all.
#pragma once

#include <string>
#include <vector>

#include "toolkit/headless/headless.h"

namespace terminal {

// Pixels of a window per character cell.
constexpr int cellWidth = 6;
constexpr int cellHeight = 12;

struct Cell {
    int row;
    int column;
};

// The window as lines of text; hotkeys receives the cells of the buttons'
// key letters, which the terminal shows highlighted.
std::vector<std::string> DrawWindow(CWindow* window, const CView* focused, std::vector<Cell>* hotkeys = nullptr);
void DrawBox(std::vector<std::string>& lines, const headless::BoxRecord& box);

// The text with every character outside printable ASCII shown as '?'.
std::string PrintableText(const std::string& text);

}  // namespace terminal
