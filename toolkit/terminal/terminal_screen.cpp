#include "toolkit/terminal/terminal_screen.h"

#include <algorithm>

#include "toolkit/text.h"

namespace terminal {

namespace {

// Texts come from outside (the camera type is read from the EEPROM): a
// control character would work the terminal instead of being shown.
char Printable(char c)
{
    return c >= 0x20 && c < 0x7F ? c : '?';
}

struct Grid {
    int columns;
    std::vector<std::string> rows;

    Grid(int width, int height) : columns(width), rows(static_cast<size_t>(height), std::string(width, ' ')) {}

    void Put(int row, int column, const std::string& text)
    {
        if (row < 0 || row >= static_cast<int>(rows.size())) return;
        for (size_t i = 0; i < text.size(); ++i) {
            int at = column + static_cast<int>(i);
            if (at >= 0 && at < columns) rows[static_cast<size_t>(row)][static_cast<size_t>(at)] = Printable(text[i]);
        }
    }
};

int Column(int x)
{
    return x / cellWidth;
}

// The title line is row 0; the window's inner area starts below it.
int Row(int y)
{
    return 1 + y / cellHeight;
}

void DrawPaneCalls(Grid& grid, CView* view)
{
    const CRect& place = view->Rect();
    for (const auto& call : headless::Paint(view)) {
        if (call.kind == headless::DrawCall::drawText)
            grid.Put(Row(place.y + call.b), Column(place.x + call.a), call.text);
        else if (call.kind == headless::DrawCall::drawLine && call.b == call.d)
            grid.Put(Row(place.y + call.b), Column(place.x + call.a),
                     std::string(static_cast<size_t>(std::max(0, Column(call.c - call.a) + 1)), '-'));
    }
}

std::string ButtonFace(const CButton* button)
{
    return button->IsEnabled() ? "[ " + std::string(button->Text()) + " ]" : "( " + std::string(button->Text()) + " )";
}

std::string ChooserFace(const CComboBox* combo)
{
    return "<" + std::string(combo->ItemText(combo->SelectedPosition())) + " v>";
}

void Mark(Grid& grid, int row, int column, size_t width, bool focused)
{
    if (!focused) return;
    grid.Put(row, column - 1, ">");
    grid.Put(row, column + static_cast<int>(width), "<");
}

}  // namespace

std::string PrintableText(const std::string& text)
{
    std::string shown = text;
    for (char& c : shown) c = Printable(c);
    return shown;
}

std::vector<std::string> DrawWindow(CWindow* window, const CView* focused, std::vector<Cell>* hotkeys)
{
    const int columns = std::max(40, Column(window->InnerWidth()) + 2);
    const int rows = Row(window->InnerHeight()) + 1;
    Grid grid(columns, rows);
    std::string title = std::string("= ") + window->Title() + " ";
    grid.Put(0, 0, title + std::string(static_cast<size_t>(std::max(0, columns - static_cast<int>(title.size()))), '='));
    for (CView* child : window->Children()) {
        if (child->IsEnded() || !child->IsShown()) continue;
        if (dynamic_cast<CButton*>(child) || dynamic_cast<CComboBox*>(child)) continue;
        DrawPaneCalls(grid, child);
    }
    for (CView* child : window->Children()) {
        if (child->IsEnded() || !child->IsShown()) continue;
        std::string face;
        if (auto* button = dynamic_cast<CButton*>(child)) face = ButtonFace(button);
        else if (auto* combo = dynamic_cast<CComboBox*>(child)) face = ChooserFace(combo);
        else continue;
        int row = Row(child->Rect().y);
        int column = Column(child->Rect().x);
        grid.Put(row, column, face);
        Mark(grid, row, column, face.size(), child == focused);
        // The key of a button is the first letter of its text, after "[ ".
        if (hotkeys && dynamic_cast<CButton*>(child)) hotkeys->push_back(Cell{row, column + 2});
    }
    return grid.rows;
}

void DrawBox(std::vector<std::string>& lines, const headless::BoxRecord& box)
{
    std::vector<std::string> body;
    const char* sign = box.icon == piStop ? "(x) " : box.icon == piInfo32 ? "(i) " : "    ";
    for (const auto& line : box.lines)
        if (!line.empty()) body.push_back((body.empty() ? sign : "    ") + PrintableText(line));
    body.push_back("");
    const std::string title = PrintableText(box.title);
    size_t width = title.size() + 6;
    for (const auto& line : body) width = std::max(width, line.size() + 4);
    const std::string ok = "[ OK ]";
    std::vector<std::string> frame;
    std::string top = "+- " + title + " ";
    frame.push_back(top + std::string(width - top.size() - 1, '-') + "+");
    for (const auto& line : body) frame.push_back("| " + line + std::string(width - line.size() - 3, ' ') + "|");
    size_t pad = (width - ok.size()) / 2;
    frame.push_back("|" + std::string(pad - 1, ' ') + ok + std::string(width - pad - ok.size() - 1, ' ') + "|");
    frame.push_back("+" + std::string(width - 2, '-') + "+");
    size_t top_row = lines.size() > frame.size() ? (lines.size() - frame.size()) / 2 : 0;
    for (size_t i = 0; i < frame.size(); ++i) {
        size_t row = top_row + i;
        if (row >= lines.size()) lines.push_back("");
        std::string& target = lines[row];
        if (target.size() < frame[i].size() + 1) target.resize(frame[i].size() + 1, ' ');
        target.replace(1, frame[i].size(), frame[i]);
    }
}

}  // namespace terminal
