// Whether the drawn screen fits the terminal: when it does not, one line
// asking for a larger terminal stands in its place, so that nothing
// scrolls or is cut without a word.
#pragma once

#include <string>
#include <vector>

namespace terminal {

// The columns a line takes: its characters less the escape sequences that
// underline them.
size_t VisibleWidth(const std::string& line);

// The lines as they are when they fit rows x columns (0 for a size not
// known), else the one line that asks for more, cut to the width.
std::vector<std::string> FitScreen(const std::vector<std::string>& lines, int rows, int columns);

}  // namespace terminal
