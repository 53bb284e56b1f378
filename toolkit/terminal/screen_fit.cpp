#include "toolkit/terminal/screen_fit.h"

#include <algorithm>

#include "i18n/translate.h"
#include "toolkit/utf8.h"

namespace terminal {

size_t VisibleWidth(const std::string& line)
{
    size_t width = 0;
    size_t bytes = 1;
    for (size_t i = 0; i < line.size(); i += bytes) {
        if (line[i] != 0x1B) {
            width += static_cast<size_t>(CharColumns(DecodeUtf8(line, i, &bytes)));
            continue;
        }
        bytes = 1;
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
    std::string ask = TrFormat("Please enlarge the terminal to {1}", {size});
    if (columns > 0 && TextColumns(ask) > static_cast<size_t>(columns)) ask = TrFormat("Enlarge to {1}", {size});
    if (columns > 0 && TextColumns(ask) > static_cast<size_t>(columns))
        ask.resize(ByteOfColumn(ask, static_cast<size_t>(columns)));
    return {ask};
}

}  // namespace terminal
