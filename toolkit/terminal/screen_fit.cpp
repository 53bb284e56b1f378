#include "toolkit/terminal/screen_fit.h"

#include <algorithm>

namespace terminal {

size_t VisibleWidth(const std::string& line)
{
    size_t width = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != 0x1B) {
            ++width;
            continue;
        }
        while (i < line.size() && !(line[i] >= 0x40 && line[i] <= 0x7E && line[i] != '[')) ++i;
    }
    return width;
}

std::vector<std::string> FitScreen(const std::vector<std::string>& lines, int rows, int columns)
{
    size_t width = 0;
    for (const std::string& line : lines) width = std::max(width, VisibleWidth(line));
    bool tooNarrow = columns > 0 && width > static_cast<size_t>(columns);
    bool tooLow = rows > 0 && lines.size() > static_cast<size_t>(rows);
    if (!tooNarrow && !tooLow) return lines;
    const std::string size = std::to_string(width) + " x " + std::to_string(lines.size());
    std::string ask = "Please enlarge the terminal to " + size;
    if (columns > 0 && ask.size() > static_cast<size_t>(columns)) ask = "Enlarge to " + size;
    if (columns > 0 && ask.size() > static_cast<size_t>(columns)) ask.resize(static_cast<size_t>(columns));
    return {ask};
}

}  // namespace terminal
