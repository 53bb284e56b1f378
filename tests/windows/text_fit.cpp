#include "tests/windows/text_fit.h"

#include <vector>

#include "tests/windows/driver_ui.h"

namespace driver {

namespace {

// The fonts the program's toolkit draws with: 11 pixels at 96 DPI in the
// language's face (Tahoma for the Latin scripts), the caption font bold.
HFONT MakeFont(const WindowFont& face, bool caption, int height)
{
    return CreateFontA(-height, 0, 0, 0, caption ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, face.charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.face);
}

std::wstring Wide(const char* text)
{
    wchar_t wide[1024] = L"";
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 1024);
    return wide;
}

class PaneMeasure {
public:
    PaneMeasure(HWND pane, const WindowFont& face, bool caption, int height)
        : pane(pane), dc(GetDC(pane)), font(MakeFont(face, caption, height))
    {
        if (dc) old = SelectObject(dc, font);
    }
    ~PaneMeasure()
    {
        if (dc) {
            SelectObject(dc, old);
            ReleaseDC(pane, dc);
        }
        DeleteObject(font);
    }
    bool Ready() const { return dc != nullptr; }
    int Width(const char* text) const
    {
        // Measured as the window draws it: in UTF-16, through the W function.
        const std::wstring wide = Wide(text);
        SIZE size = {0, 0};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx;
    }
    std::string Missing(const char* text) const
    {
        const std::wstring wide = Wide(text);
        std::vector<WORD> glyphs(wide.size() + 1, 0);
        GetGlyphIndicesW(dc, wide.c_str(), static_cast<int>(wide.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        std::wstring missing;
        for (size_t i = 0; i < wide.size(); ++i)
            if (glyphs[i] == 0xFFFF && wide[i] != L' ') missing += wide[i];
        return Utf8(missing.c_str());
    }
    std::string Face() const
    {
        wchar_t face[LF_FACESIZE] = L"";
        GetTextFaceW(dc, LF_FACESIZE, face);
        return Utf8(face);
    }

private:
    HWND pane;
    HDC dc;
    HFONT font;
    HGDIOBJ old = nullptr;
};

}  // namespace

std::string MeasuredFace(HWND pane, bool caption, int fontHeight, WindowFont font)
{
    PaneMeasure text(pane, font, caption, fontHeight);
    return text.Ready() ? text.Face() : "no device context";
}

RowWidth Widest(HWND pane, const TextRow& row, int fontHeight, WindowFont font)
{
    PaneMeasure text(pane, font, row.caption, fontHeight);
    if (!text.Ready()) return RowWidth{"", -1};
    RowWidth widest{"", 0};
    for (const char* piece : row.texts) {
        const int width = text.Width(piece);
        if (width > widest.width) widest = RowWidth{piece, width};
    }
    return widest;
}

std::string MissingGlyphs(HWND pane, const TextRow& row, int fontHeight, WindowFont font)
{
    PaneMeasure text(pane, font, row.caption, fontHeight);
    if (!text.Ready()) return "no device context";
    std::string missing;
    for (const char* piece : row.texts) missing += text.Missing(piece);
    return missing;
}

}  // namespace driver
