#include "toolkit/terminal/terminal_screen.h"

#include <algorithm>

#include "i18n/translate.h"
#include "toolkit/shown_text.h"
#include "toolkit/terminal/button_keys.h"
#include "toolkit/terminal/focus.h"
#include "toolkit/utf8.h"

namespace terminal {

namespace {

// Texts come from outside (the camera type is read from the EEPROM): a
// control character would work the terminal instead of being shown, and
// bytes that are no UTF-8 character would upset it.
bool Printable(uint32_t c)
{
    return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c <= 0x9F) && c != 0xFFFD;
}

// One character of a text and the cells it takes.
struct Glyph {
    std::string bytes;
    int columns;
};

std::vector<Glyph> Glyphs(const std::string& text)
{
    std::vector<Glyph> glyphs;
    size_t bytes = 1;
    for (size_t at = 0; at < text.size(); at += bytes) {
        const uint32_t c = DecodeUtf8(text, at, &bytes);
        if (!Printable(c)) glyphs.push_back(Glyph{"?", 1});
        else glyphs.push_back(Glyph{text.substr(at, bytes), CharColumns(c)});
    }
    return glyphs;
}

// A line of character cells. A wide character fills its cell and leaves the
// next one empty; a combining mark joins the character before it.
class CellLine {
public:
    explicit CellLine(const std::string& text)
    {
        for (const Glyph& glyph : Glyphs(text)) {
            if (glyph.columns == 0) {
                if (!cells.empty()) cells.back() += glyph.bytes;
                continue;
            }
            cells.push_back(glyph.bytes);
            if (glyph.columns == 2) cells.push_back(std::string());
        }
    }

    void Put(int column, const std::string& text, int limit)
    {
        for (const Glyph& glyph : Glyphs(text)) {
            if (glyph.columns == 0) {
                if (column > 0 && column <= limit) Cell(column - 1) += glyph.bytes;
                continue;
            }
            if (column >= 0 && column + glyph.columns <= limit) {
                Clear(column);
                if (glyph.columns == 2) Clear(column + 1);
                Cell(column) = glyph.bytes;
                if (glyph.columns == 2) Cell(column + 1) = std::string();
            }
            column += glyph.columns;
        }
    }

    std::string Text() const
    {
        std::string text;
        for (const std::string& cell : cells) text += cell;
        return text;
    }

private:
    std::vector<std::string> cells;

    std::string& Cell(int column)
    {
        if (static_cast<size_t>(column) >= cells.size()) cells.resize(static_cast<size_t>(column) + 1, " ");
        return cells[static_cast<size_t>(column)];
    }

    // A wide character that loses one of its halves goes whole.
    void Clear(int column)
    {
        std::string& cell = Cell(column);
        if (cell.empty() && column > 0) Cell(column - 1) = " ";
        else if (static_cast<size_t>(column) + 1 < cells.size() && cells[static_cast<size_t>(column) + 1].empty())
            cells[static_cast<size_t>(column) + 1] = " ";
        Cell(column) = " ";
    }
};

// What the window shows, text by text, before it is laid on the screen: the
// screen is as wide as the window, or wider where a text in a longer
// language reaches past it, so that nothing is cut and the lines and the
// title's rule line up.
struct Placement {
    int row;
    int column;
    std::string text;
};

struct Grid {
    std::vector<Placement> placed;

    void Put(int row, int column, const std::string& text) { placed.push_back(Placement{row, column, text}); }

    std::vector<std::string> Lines(int columns, int rows, const std::string& title) const
    {
        for (const Placement& p : placed)
            if (p.row > 0 && p.row < rows) columns = std::max(columns, p.column + static_cast<int>(TextColumns(p.text)));
        std::vector<CellLine> lines(static_cast<size_t>(rows), CellLine(std::string(static_cast<size_t>(columns), ' ')));
        const int titleColumns = static_cast<int>(TextColumns(PrintableText(title)));
        lines[0].Put(0, title + std::string(static_cast<size_t>(std::max(0, columns - titleColumns)), '='), columns);
        for (const Placement& p : placed)
            if (p.row > 0 && p.row < rows) lines[static_cast<size_t>(p.row)].Put(p.column, p.text, columns);
        std::vector<std::string> texts;
        for (const CellLine& line : lines) texts.push_back(line.Text());
        return texts;
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

std::string ButtonFace(const CButton* button, const std::string& label)
{
    return button->IsEnabled() ? "[ " + label + " ]" : "( " + label + " )";
}

std::string ChooserFace(const CComboBox* combo)
{
    return "<" + ShownText(0, combo->ItemText(combo->SelectedPosition())) + " v>";
}

void Mark(Grid& grid, int row, int column, size_t width, bool focused)
{
    if (!focused) return;
    grid.Put(row, column - 1, ">");
    grid.Put(row, column + static_cast<int>(width), "<");
}

// The buttons among the controls on screen, and their keys.
std::vector<ButtonKey> KeysOf(const std::vector<CView*>& controls)
{
    std::vector<std::string> texts;
    for (CView* control : controls)
        if (auto* button = dynamic_cast<CButton*>(control)) texts.push_back(button->Text());
    return AssignButtonKeys(texts);
}

}  // namespace

std::string PrintableText(const std::string& text)
{
    std::string shown;
    for (const Glyph& glyph : Glyphs(text)) shown += glyph.bytes;
    return shown;
}

std::vector<std::string> DrawWindow(CWindow* window, const CView* focused, std::vector<Cell>* hotkeys)
{
    const int columns = std::max(40, Column(window->InnerWidth()) + 2);
    const int rows = Row(window->InnerHeight()) + 1;
    Grid grid;
    for (CView* child : window->Children()) {
        if (child->IsEnded() || !child->IsShown()) continue;
        if (dynamic_cast<CButton*>(child) || dynamic_cast<CComboBox*>(child)) continue;
        DrawPaneCalls(grid, child);
    }
    const std::vector<CView*> controls = ControlsOnScreen(window);
    const std::vector<ButtonKey> keys = KeysOf(controls);
    size_t buttons = 0;
    // Where the last face on a row ended: a longer text pushes the next
    // control on that row along, leaving a space and room for the focus mark.
    int lastRow = -1, lastEnd = 0;
    for (CView* child : controls) {
        std::string face;
        const ButtonKey* key = nullptr;
        if (auto* button = dynamic_cast<CButton*>(child)) {
            key = &keys[buttons++];
            face = ButtonFace(button, key->label);
        } else if (auto* combo = dynamic_cast<CComboBox*>(child)) {
            face = ChooserFace(combo);
        }
        int row = Row(child->Rect().y);
        int column = Column(child->Rect().x);
        if (row == lastRow) column = std::max(column, lastEnd + 2);
        const size_t width = TextColumns(PrintableText(face));
        lastRow = row;
        lastEnd = column + static_cast<int>(width);
        grid.Put(row, column, face);
        Mark(grid, row, column, width, child == focused);
        // The key letter is underlined where it stands in the text, after "[ ".
        if (hotkeys && key && key->letter)
            hotkeys->push_back(Cell{row, column + 2 + static_cast<int>(TextColumns(key->label.substr(0, key->at)))});
    }
    return grid.Lines(columns, rows, std::string("= ") + window->Title() + " ");
}

void DrawBox(std::vector<std::string>& lines, const headless::BoxRecord& box)
{
    std::vector<std::string> body;
    const char* sign = box.icon == piStop ? "(x) " : box.icon == piInfo32 ? "(i) " : "    ";
    for (const auto& line : box.lines)
        if (!line.empty()) body.push_back((body.empty() ? sign : "    ") + PrintableText(ShownText(0, line.c_str())));
    body.push_back("");
    const std::string title = PrintableText(ShownText(0, box.title.c_str()));
    size_t width = TextColumns(title) + 6;
    for (const auto& line : body) width = std::max(width, TextColumns(line) + 4);
    const std::string ok = std::string("[ ") + Tr("OK") + " ]";
    const size_t okWidth = TextColumns(ok);
    width = std::max(width, okWidth + 4);
    std::vector<std::string> frame;
    std::string top = "+- " + title + " ";
    frame.push_back(top + std::string(width - TextColumns(top) - 1, '-') + "+");
    for (const auto& line : body) frame.push_back("| " + line + std::string(width - TextColumns(line) - 3, ' ') + "|");
    size_t pad = (width - okWidth) / 2;
    frame.push_back("|" + std::string(pad - 1, ' ') + ok + std::string(width - pad - okWidth - 1, ' ') + "|");
    frame.push_back("+" + std::string(width - 2, '-') + "+");
    size_t top_row = lines.size() > frame.size() ? (lines.size() - frame.size()) / 2 : 0;
    for (size_t i = 0; i < frame.size(); ++i) {
        size_t row = top_row + i;
        if (row >= lines.size()) lines.push_back("");
        CellLine target(lines[row]);
        // One column of the screen is left before the box.
        target.Put(1, frame[i], static_cast<int>(width) + 1);
        lines[row] = target.Text();
    }
}

}  // namespace terminal
