// The information pane's drawing in both layouts, and the main window of
// the whole program: start-up, show modes, the position saved per user,
// the file version and the About box.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/orvel_config.h"
#include "i18n/language.h"
#include "platform/sim/sim_machine.h"
#include "toolkit/background.h"
#include "toolkit/headless/headless.h"
#include "wizard/camera_info_pane.h"

namespace {

using Bytes = std::vector<uint8_t>;
using headless::DrawCall;

// ---- The information pane ----

class InfoPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::ResetMachine();
        headless::Reset();
        pane = std::make_unique<CCameraInfoPane>();
        pane->Init(CRect(8, 8, 248, 94));
    }
    std::string FontName(TFont font) const
    {
        if (font == CaptionFont) return "caption";
        if (font == pane->graphicsContext->textFont) return "text";
        return "other";
    }
    // Each call of a repaint, written out.
    std::vector<std::string> Painted() const
    {
        std::vector<std::string> out;
        for (const DrawCall& c : headless::Paint(pane.get())) {
            const std::string at = std::to_string(c.a) + " " + std::to_string(c.b);
            switch (c.kind) {
            case DrawCall::fillRect: out.push_back("fill " + at + " " + std::to_string(c.c) + " " + std::to_string(c.d)); break;
            case DrawCall::setLineColor: out.push_back("color " + std::to_string(c.color)); break;
            case DrawCall::drawLine: out.push_back("line " + at + " " + std::to_string(c.c) + " " + std::to_string(c.d)); break;
            case DrawCall::drawText: out.push_back("text " + at + " " + FontName(c.font) + " [" + c.text + "]"); break;
            case DrawCall::selectFont: out.push_back("font " + FontName(c.font)); break;
            }
        }
        return out;
    }
    // The frame both layouts start with: background, separator, line 1.
    std::vector<std::string> Frame(int32_t width, int32_t height, const std::string& line1) const
    {
        const std::string right = std::to_string(width - 1);
        return {"fill 0 0 " + std::to_string(width) + " " + std::to_string(height),
                "color " + std::to_string(pane->graphicsContext->separatorColor1),
                "line 0 38 " + right + " 38",
                "color " + std::to_string(pane->graphicsContext->separatorColor2),
                "line 0 39 " + right + " 39",
                "text 0 20 text [" + line1 + "]"};
    }
    std::string Label(int32_t y, const char* label) const
    {
        const int32_t x = 92 - GetTextW(pane->graphicsContext->textFont, 0, label);
        return "text " + std::to_string(x) + " " + std::to_string(y) + " text [" + label + "]";
    }
    std::vector<std::string> ValueLayout(const std::string& line1, const std::string& title, const std::string& type,
                                         const std::string& id, const std::string& overscan) const
    {
        std::vector<std::string> calls = Frame(pane->Rect().width, pane->Rect().height, line1);
        for (const std::string& call :
             {Label(46, "Camera type:"), Label(70, "Camera ID:"), Label(94, "Overscan:"), std::string("font caption"),
              "text 0 0 caption [" + title + "]", "text 100 46 caption [" + type + "]",
              "text 100 70 caption [" + id + "]", "text 100 94 caption [" + overscan + "]"})
            calls.push_back(call);
        return calls;
    }
    void SetTexts(const char* title, const char* line1, const char* type, const char* id, const char* overscan)
    {
        std::strcpy(pane->stepTitle, title);
        std::strcpy(pane->stepLine1, line1);
        std::strcpy(pane->typeValue, type);
        std::strcpy(pane->idValue, id);
        std::strcpy(pane->overscanValue, overscan);
    }

    std::unique_ptr<CCameraInfoPane> pane;
};

TEST_F(InfoPaneTest, ValueLayoutDrawsFrameLabelsThenCaptionTexts)
{
    ASSERT_NE(pane->graphicsContext->separatorColor1, pane->graphicsContext->separatorColor2);
    ASSERT_NE(CaptionFont, pane->graphicsContext->textFont);
    SetTexts("Step 1:", "Connect camera and click [Scan camera] button", "TESTCAM", "123456", "Disabled");
    EXPECT_EQ(ValueLayout("Connect camera and click [Scan camera] button", "Step 1:", "TESTCAM", "123456", "Disabled"),
              Painted());
    // The labels are measured in the text font and end at x 92.
    EXPECT_EQ(22, pane->typeLabelX);
    EXPECT_EQ(32, pane->idLabelX);
    EXPECT_EQ(40, pane->overscanLabelX);

    pane->Init(CRect(0, 0, 300, 120));
    EXPECT_EQ(ValueLayout("Connect camera and click [Scan camera] button", "Step 1:", "TESTCAM", "123456", "Disabled"),
              Painted());
}

TEST_F(InfoPaneTest, MessageLayoutOnlyWhenTheThirdLineIsSet)
{
    SetTexts("Step 5:", "Camera update successful.", "TESTCAM", "123456", "Enabled");
    std::strcpy(pane->stepLine2, "Changes will take effect after camera is");
    EXPECT_EQ(ValueLayout("Camera update successful.", "Step 5:", "TESTCAM", "123456", "Enabled"), Painted())
        << "the second line alone keeps the values";

    std::strcpy(pane->stepLine3, "unplugged from power and plugged again.");
    std::vector<std::string> expected = Frame(248, 94, "Camera update successful.");
    expected.push_back("font caption");
    expected.push_back("text 0 0 caption [Step 5:]");
    expected.push_back("text 0 46 caption [Changes will take effect after camera is]");
    expected.push_back("text 0 70 caption [unplugged from power and plugged again.]");
    EXPECT_EQ(expected, Painted());
}

TEST_F(InfoPaneTest, LongestTextsAreDrawnWhole)
{
    const std::string value(31, 'V');
    const std::string line(63, 'L');
    SetTexts("T", line.c_str(), value.c_str(), "4294967295", value.c_str());
    EXPECT_EQ(ValueLayout(line, "T", value, "4294967295", value), Painted());
}

// In German the pane draws the German texts, its labels ending at x 92 by
// their German widths; a camera's own text is drawn as it is.
TEST_F(InfoPaneTest, TextsAreDrawnAndLabelsPlacedInTheChosenLanguage)
{
    struct EnglishAfter {
        ~EnglishAfter() { SetLanguage(Language::en); }
    } englishAfter;
    SetLanguage(Language::de);
    pane = std::make_unique<CCameraInfoPane>();
    pane->Init(CRect(8, 8, 248, 94));
    SetTexts("Step 3:", "Unplug camera power", "Not connected", "", "Disabled");
    std::vector<std::string> expected = Frame(248, 94, "Stromversorgung der Kamera trennen");
    for (const char* call : {"text 31 46 text [Kameratyp:]", "text 29 70 text [Kamera-ID:]",
                             "text 40 94 text [Overscan:]", "font caption", "text 0 0 caption [Schritt 3:]",
                             "text 100 46 caption [Nicht verbunden]", "text 100 70 caption []",
                             "text 100 94 caption [Deaktiviert]"})
        expected.push_back(call);
    EXPECT_EQ(expected, Painted());
    SetTexts("Step 1:", "Connect camera and click [Scan camera] button", "TESTCAM", "123456", "Enabled");
    EXPECT_EQ("text 100 46 caption [TESTCAM]", Painted()[11]);
}

// ---- The main window ----

const char windowKey[] = "HKCU\\Software\\Kestrane\\Vellmark\\Window";
const char programKey[] = "HKCU\\Software\\Kestrane\\Vellmark";
constexpr int32_t int32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t int32Min = std::numeric_limits<int32_t>::min();

Bytes Dword(int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

COrvelConfig* ProgramWindow()
{
    return PBackground && !PBackground->Windows().empty() ? dynamic_cast<COrvelConfig*>(PBackground->Windows()[0])
                                                          : nullptr;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::ResetMachine();
        headless::Reset();
    }
    void TearDown() override
    {
        EXPECT_EQ(nullptr, PBackground);
        EXPECT_EQ(0u, sim::Machine().registry.OpenHandleCount()) << "a registry key was left open";
        EXPECT_EQ(0u, sim::Machine().OpenFileCount());
        EXPECT_EQ(0u, sim::Machine().RegistrationCount());
        EXPECT_EQ(0u, headless::NativeWindowCount());
    }
    // Runs the whole program; at its first idle moment act gets the main
    // window, and at the next the loop ends.
    static void RunOnce(int showMode, const std::function<void(COrvelConfig&)>& act)
    {
        int idles = 0;
        headless::SetIdle([&] {
            if (idles++ > 0) return false;
            COrvelConfig* window = ProgramWindow();
            EXPECT_NE(nullptr, window);
            if (window) act(*window);
            return true;
        });
        EXPECT_EQ(0, RunProgram(nullptr, showMode));
        EXPECT_GE(idles, 1);
        EXPECT_TRUE(PBackground->Windows().empty());
        delete PBackground;
        PBackground = nullptr;
    }
    static void Save(const char* name, int32_t value)
    {
        sim::Machine().registry.SetDword(windowKey, name, static_cast<uint32_t>(value));
    }
    static std::vector<int32_t> Loaded(int32_t x = defaultWindowX, int32_t y = defaultWindowY)
    {
        int32_t position[2] = {x, y};
        LoadWindowPos(position);
        return {position[0], position[1]};
    }
    static void ExpectSaved(int32_t x, int32_t y)
    {
        const sim::RegValue* xValue = sim::Machine().registry.GetValue(windowKey, "XPos");
        const sim::RegValue* yValue = sim::Machine().registry.GetValue(windowKey, "YPos");
        ASSERT_NE(nullptr, xValue);
        ASSERT_NE(nullptr, yValue);
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), xValue->type);
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), yValue->type);
        EXPECT_EQ(Dword(x), xValue->data);
        EXPECT_EQ(Dword(y), yValue->data);
    }
};

TEST_F(MainWindowTest, StartsAtTheDefaultPlaceWithTitleIconsAndCloses)
{
    RunOnce(1, [](COrvelConfig& window) {
        const CRect& rect = window.RestoreRect();
        EXPECT_EQ(100, rect.x); EXPECT_EQ(100, rect.y); EXPECT_EQ(272, rect.width); EXPECT_EQ(164, rect.height);
        EXPECT_STREQ("Overscan v1.1", window.Title());
        EXPECT_NE(0u, window.flags & 0x80000000u);
        EXPECT_NE(nullptr, window.SmallIcon());
        EXPECT_NE(nullptr, window.LargeIcon());
        EXPECT_NE(window.SmallIcon(), window.LargeIcon());
        EXPECT_EQ(2, sim::Machine().system.iconLoads);
        EXPECT_NE(nullptr, aboutIcon);
        EXPECT_EQ(InitResIconNum(GetAppHandle(), 1001), aboutIcon);
        EXPECT_FALSE(window.IsMinimized());
        EXPECT_FALSE(window.IsMaximized());
        EXPECT_NE(nullptr, window.NativeWindow());
        EXPECT_EQ(1, window.wizardStep);
    });
    ExpectSaved(100, 100);
    EXPECT_TRUE(sim::Machine().clock.timers.empty());
    EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(MainWindowTest, ShowModesAndTheRestoredRectangleSavedAtClose)
{
    struct Mode { int show; bool minimized; bool maximized; };
    for (const Mode mode : {Mode{1, false, false}, Mode{2, true, false}, Mode{3, false, true}, Mode{6, true, false},
                            Mode{7, false, false}}) {
        SCOPED_TRACE("show mode " + std::to_string(mode.show));
        sim::ResetMachine();
        headless::Reset();
        RunOnce(mode.show, [&](COrvelConfig& window) {
            EXPECT_EQ(mode.minimized, window.IsMinimized());
            EXPECT_EQ(mode.maximized, window.IsMaximized());
            window.MoveTo(400, 250);
        });
        ExpectSaved(400, 250);
    }
}

TEST_F(MainWindowTest, SavedKeyWithoutWindowSectionGivesDefaultsAndClosingCreatesIt)
{
    sim::Machine().registry.SetDword(programKey, "XPos", 700);
    sim::Machine().registry.SetDword(programKey, "YPos", 500);
    EXPECT_EQ((std::vector<int32_t>{100, 100}), Loaded());
    EXPECT_EQ(nullptr, sim::Machine().registry.FindPath(windowKey));

    RunOnce(1, [](COrvelConfig& window) {
        EXPECT_EQ(100, window.RestoreRect().x);
        EXPECT_EQ(100, window.RestoreRect().y);
        window.MoveTo(-20, 33);
    });
    ExpectSaved(-20, 33);
    const sim::RegValue* stray = sim::Machine().registry.GetValue(programKey, "XPos");
    ASSERT_NE(nullptr, stray);
    EXPECT_EQ(Dword(700), stray->data);
}

TEST_F(MainWindowTest, LoadTakesWhatItFindsAndCreatesNothing)
{
    EXPECT_EQ((std::vector<int32_t>{100, 100}), Loaded());
    EXPECT_EQ((std::vector<int32_t>{7, 9}), Loaded(7, 9));
    EXPECT_EQ(nullptr, sim::Machine().registry.FindPath(programKey));

    Save("XPos", 640);
    EXPECT_EQ((std::vector<int32_t>{640, 100}), Loaded());
    Save("YPos", 300);
    EXPECT_EQ((std::vector<int32_t>{640, 300}), Loaded());

    COrvelConfig window;
    window.InitMainWindow();
    EXPECT_EQ(640, window.RestoreRect().x);
    EXPECT_EQ(300, window.RestoreRect().y);
    EXPECT_EQ(272, window.RestoreRect().width);
    EXPECT_EQ(164, window.RestoreRect().height);
    EXPECT_STREQ("Overscan v1.1", window.Title());
}

TEST_F(MainWindowTest, CoordinateOffTheVirtualScreenKeepsItsDefault)
{
    struct Case { int32_t x, y; std::vector<int32_t> loaded; };
    // One monitor of 1920x1080 at the origin; the window is 272 wide, its
    // title bar with the frame above it 26 high; 64 of its width must show.
    for (const Case& c : {Case{1919, 1079, {100, 100}}, Case{1920, 500, {100, 500}}, Case{300, 1080, {300, 100}},
                          Case{-271, -163, {100, 100}}, Case{-272, -164, {100, 100}}, Case{5000, -5000, {100, 100}},
                          Case{int32Max, int32Min, {100, 100}}, Case{int32Min, int32Max, {100, 100}},
                          Case{1856, 1054, {1856, 1054}}, Case{1857, 1055, {100, 100}}, Case{-208, 0, {-208, 0}},
                          Case{-209, 0, {100, 0}}, Case{-250, -160, {100, 100}}, Case{400, -1, {400, 100}}}) {
        Save("XPos", c.x);
        Save("YPos", c.y);
        EXPECT_EQ(c.loaded, Loaded()) << c.x << "," << c.y;
    }
}

TEST_F(MainWindowTest, TitleBarMustLieWhollyOnOneMonitor)
{
    const RECT primary{0, 0, 1920, 1080};
    struct Case {
        const char* what;
        std::vector<RECT> monitors;
        int32_t x, y;
        std::vector<int32_t> loaded;
    };
    const Case cases[] = {
        {"on the second monitor", {primary, RECT{1920, 0, 3200, 720}}, 2500, 300, {2500, 300}},
        {"its monitor removed since", {primary}, 2500, 300, {100, 300}},
        {"below the shorter second monitor", {primary, RECT{1920, 0, 3200, 720}}, 2000, 900, {2000, 100}},
        {"across a gap, too little on either", {primary, RECT{2400, 0, 4320, 1080}}, 1900, 400, {100, 400}},
        {"across a gap, enough on the right", {primary, RECT{2000, 0, 3920, 1080}}, 1900, 400, {1900, 400}},
        {"title bar over two monitors stacked", {primary, RECT{0, 1080, 1920, 2160}}, 300, 1070, {300, 100}},
        {"on a monitor left of and above the primary", {RECT{-1920, -400, 0, 680}, primary}, -1900, -380,
         {-1900, -380}},
        {"above that monitor's top edge", {RECT{-1920, -400, 0, 680}, primary}, -1900, -401, {-1900, 100}},
        {"a monitor at the ends of the range", {RECT{int32Max - 999, int32Min, int32Max, int32Min + 1000}},
         int32Max - 500, int32Min, {int32Max - 500, int32Min}},
        {"no monitor at all", {}, 300, 300, {100, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::Machine().system.monitors = c.monitors;
        Save("XPos", c.x);
        Save("YPos", c.y);
        EXPECT_EQ(c.loaded, Loaded());
    }
    // At the ends of the range nothing wraps round: x is off the monitor,
    // y kept with the default x.
    sim::Machine().system.monitors = {RECT{int32Max - 999, int32Min, int32Max, int32Min + 1000}};
    Save("XPos", int32Max);
    Save("YPos", int32Min);
    EXPECT_EQ((std::vector<int32_t>{int32Max - 900, int32Min}), Loaded(int32Max - 900, int32Min + 5));
}

TEST_F(MainWindowTest, SaveWritesDwordsUnderTheWindowSection)
{
    const int32_t position[2] = {-5, 1234567};
    SaveWindowPos(position);
    ExpectSaved(-5, 1234567);
    const int32_t moved[2] = {int32Min, int32Max};
    SaveWindowPos(moved);
    ExpectSaved(int32Min, int32Max);
    sim::RegKey* section = sim::Machine().registry.FindPath(windowKey);
    ASSERT_NE(nullptr, section);
    EXPECT_EQ(2u, section->values.size());
}

// ---- File version and About box ----

void SetTranslation(const Bytes& data)
{
    sim::SimSystem& system = sim::Machine().system;
    system.RemoveVersionValue("\\VarFileInfo\\Translation");
    system.versionRecord.push_back(sim::VersionValue{"\\VarFileInfo\\Translation", data, false});
}

std::string VersionText(uint32_t maxLen)
{
    char text[80];
    std::memset(text, 'x', sizeof text);
    GetFileVersionText(maxLen, text);
    return std::string(text, strnlen(text, sizeof text));
}

TEST_F(MainWindowTest, FileVersionComesFromTheFirstTranslationsTable)
{
    sim::SimSystem& system = sim::Machine().system;
    EXPECT_EQ("1.1.0.0", VersionText(31));

    system.SetVersionText("\\StringFileInfo\\040904e4\\FileVersion", "2.3.4.5-build.0123456789abcdefghijklmnop");
    EXPECT_EQ("2.3.4.5-build.0123456789abcdefg", VersionText(31));
    EXPECT_EQ("2.3.4", VersionText(5));

    // Language 0009, code page 04e4: the table name is padded to eight digits.
    system.SetVersionText("\\StringFileInfo\\000904e4\\FileVersion", "9.8.7.6");
    SetTranslation({0x09, 0x00, 0xE4, 0x04});
    EXPECT_EQ("9.8.7.6", VersionText(31));
    SetTranslation({0x07, 0x04, 0xB0, 0x04});
    EXPECT_EQ("unknown", VersionText(31)) << "no table of that translation";
    SetTranslation({0x09, 0x04});
    EXPECT_EQ("unknown", VersionText(31));

    system.UseProgramVersionRecord();
    ASSERT_TRUE(system.RemoveVersionValue("\\VarFileInfo\\Translation"));
    EXPECT_EQ("unknown", VersionText(31));
    system.UseProgramVersionRecord();
    ASSERT_TRUE(system.RemoveVersionValue("\\StringFileInfo\\040904e4\\FileVersion"));
    EXPECT_EQ("unknown", VersionText(31));
    system.versionRecord.clear();
    EXPECT_EQ("unknown", VersionText(31));
    EXPECT_EQ("unk", VersionText(3));
}

// The same record that tests/windows/check_resources.py finds in the built
// program's resources.
TEST_F(MainWindowTest, SimulatedVersionRecordIsTheProgramsOwn)
{
    const std::map<std::string, std::string> strings = {
        {"CodeStyle", "Ansi"},
        {"CompanyName", "Kestrane"},
        {"FileDescription", "Brenn Camera OverScan Contiguration Tool"},
        {"FileVersion", "1.1.0.0"},
        {"InternalName", "vellmark"},
        {"LegalCopyright", "Copyright (C) 2009-2026 Kestrane"},
        {"OriginalFilename", "vellmark.exe"},
        {"ProductName", "Vellmark"},
        {"ProductVersion", "1.1.0.0"},
    };
    const std::string table = "\\StringFileInfo\\040904e4\\";
    std::map<std::string, std::string> found;
    Bytes translation;
    for (const sim::VersionValue& value : sim::Machine().system.versionRecord) {
        if (value.path == "\\VarFileInfo\\Translation") {
            EXPECT_FALSE(value.text);
            translation = value.data;
            continue;
        }
        ASSERT_EQ(table, value.path.substr(0, table.size())) << value.path;
        ASSERT_TRUE(value.text) << value.path;
        ASSERT_FALSE(value.data.empty());
        EXPECT_EQ(0, value.data.back()) << value.path;
        found[value.path.substr(table.size())] = std::string(value.data.begin(), value.data.end() - 1);
    }
    EXPECT_EQ((Bytes{0x09, 0x04, 0xE4, 0x04}), translation);
    EXPECT_EQ(strings, found);
}

TEST_F(MainWindowTest, AboutBoxOnItsCommandWhichAloneIsStopped)
{
    RunOnce(1, [](COrvelConfig& window) {
        window.MakeEvent(TEvent{evCommand, cmAbout});
        headless::Pump();
        ASSERT_EQ(1u, headless::Boxes().size());
        const headless::BoxRecord& box = headless::Boxes()[0];
        EXPECT_EQ(&window, box.owner);
        EXPECT_EQ("About configuration tool", box.title);
        EXPECT_EQ("Overscan v1.1", box.lines[0]);
        EXPECT_EQ("1.1.0.0", box.lines[1]);
        EXPECT_EQ("Copyright (C) 2009-2026 Kestrane", box.lines[2]);
        EXPECT_STREQ(copyrightNotice, box.lines[2].c_str());
        EXPECT_EQ(aboutIcon, box.icon);
        EXPECT_NE(nullptr, box.icon);

        sim::Machine().system.versionRecord.clear();
        TEvent about{evCommand, cmAbout};
        window.ReceiveEvent(&about);
        EXPECT_EQ(0u, about.what);
        ASSERT_EQ(2u, headless::Boxes().size());
        EXPECT_EQ("unknown", headless::Boxes()[1].lines[1]);

        for (uint32_t command : {cmExecuteStep, 1000u, 1004u}) {
            TEvent other{evCommand, command};
            window.ReceiveEvent(&other);
            EXPECT_EQ(evCommand, other.what) << command;
        }
        EXPECT_EQ(2u, headless::Boxes().size());
        EXPECT_EQ(1, window.wizardStep);
    });
}

}  // namespace
