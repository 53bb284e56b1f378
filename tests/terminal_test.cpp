// The terminal front end's parts: keys from the bytes a terminal sends,
// the focus rules, texts drawn printable, and a screen that must fit.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/headless/headless.h"
#include "toolkit/terminal/button_keys.h"
#include "toolkit/terminal/focus.h"
#include "toolkit/terminal/key_parser.h"
#include "toolkit/terminal/screen_fit.h"
#include "toolkit/terminal/terminal_screen.h"
#include "toolkit/window.h"

namespace {

using terminal::Key;

std::string Name(const terminal::KeyPress& press)
{
    switch (press.key) {
    case Key::tab: return "tab";
    case Key::backTab: return "backtab";
    case Key::enter: return "enter";
    case Key::up: return "up";
    case Key::down: return "down";
    case Key::escape: return "esc";
    case Key::character: return std::string(1, press.letter);
    case Key::none: return "none";
    }
    return "?";
}

struct KeyCase {
    const char* what;
    std::vector<std::string> reads;  // one string a read
    bool inputOver;                  // the wait for the rest of a sequence is over
    std::string keys;
};

TEST(TerminalKeysTest, EveryKeyOfEachReadInOrder)
{
    const KeyCase cases[] = {
        {"several keys in one read", {"nq\t\r"}, false, "n q tab enter"},
        {"a paste", {"swnfswnf"}, false, "s w n f s w n f"},
        {"joined sequences", {"\x1b[A\x1b[B\x1bOA\x1bOB\x1b[Z"}, false, "up down up down backtab"},
        {"split after ESC", {"\x1b", "[B"}, false, "down"},
        {"split after ESC [", {"\x1b[", "A"}, false, "up"},
        {"split in the parameters", {"x\x1b[1;", "5B", "y"}, false, "x down y"},
        {"a lone ESC waits for more", {"\x1b"}, false, ""},
        {"a lone ESC is Escape once the wait is over", {"\x1b"}, true, "esc"},
        {"ESC before a sequence", {"\x1b\x1b[A"}, false, "esc up"},
        {"ESC before a letter", {"\x1bq"}, false, "esc q"},
        {"sequences without a key are skipped", {"\x1b[C\x1b[5~\x1b[1;2Dx"}, false, "x"},
        {"control bytes are skipped", {std::string("\x01" "a\x7f\x04", 4) + std::string(1, '\0') + "b"}, false, "a b"},
        {"CR and LF are Enter each", {"\r\n"}, false, "enter enter"},
        {"a sequence cut off by a control byte", {"\x1b[1\x01z"}, false, "z"},
    };
    for (const KeyCase& c : cases) {
        terminal::KeyParser parser;
        std::string keys;
        terminal::KeyPress press;
        for (const std::string& read : c.reads) {
            parser.Feed(read.data(), read.size());
            while (parser.Next(&press)) keys += (keys.empty() ? "" : " ") + Name(press);
        }
        while (parser.Next(&press, c.inputOver)) keys += (keys.empty() ? "" : " ") + Name(press);
        EXPECT_EQ(c.keys, keys) << c.what;
    }
}

// A window laid out as the wizard's: the chooser above, the action button
// at the left and Next at the right, registered in the wizard's order.
class TerminalFocusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::Reset();
        window.Init(CRect(0, 0, 320, 200), 0, 4, "test", nullptr, nullptr, nullptr, nullptr);
        action = AddButton(8, "Scan camera");
        next = AddButton(164, "Next ->");
    }
    void TearDown() override { headless::Reset(); }

    CButton* AddButton(int32_t x, const char* text)
    {
        auto* button = new CButton;
        button->Init(CRect(x, 168, 148, 0), 1002, 0, text, 0);
        window.Register(button);
        button->Show();
        return button;
    }
    void AddChooser()
    {
        chooser = new CComboBox;
        chooser->Init(CRect(108, 101, 196, 0), 0, false);
        window.RegisterFirst(chooser);
        chooser->Show();
    }
    std::string Focus()
    {
        CView* view = keeper.Settle(&window);
        if (!view) return "nothing";
        if (view == chooser) return "chooser";
        auto* button = dynamic_cast<CButton*>(view);
        return button ? button->Text() : "another view";
    }

    CWindow window;
    CButton* action = nullptr;
    CButton* next = nullptr;
    CComboBox* chooser = nullptr;
    terminal::FocusKeeper keeper;
};

struct FocusStep {
    const char* what;
    std::function<void()> change;
    const char* focus;
};

TEST_F(TerminalFocusTest, AWholeRunFollowsTheRules)
{
    auto tab = [this](int step) { return [this, step] { keeper.Move(&window, step); }; };
    const FocusStep steps[] = {
        {"starts on the default button", [] {}, "Next ->"},
        {"Tab", tab(1), "Scan camera"},
        {"Tab wraps round", tab(1), "Next ->"},
        {"Shift+Tab", tab(-1), "Scan camera"},
        {"a rescan leaves the default and the focus", [this] { next->Disable(), next->Enable(); }, "Scan camera"},
        {"step 2: the action ended, Next disabled", [this] { action->Done(), next->Disable(); }, "nothing"},
        {"Tab with nothing enabled", tab(1), "nothing"},
        {"removal: Next enabled", [this] { next->Enable(); }, "Next ->"},
        {"step 3: a new action, Next disabled", [this] { action = AddButton(8, "Scan camera"), next->Disable(); },
         "Scan camera"},
        {"Tab skips a disabled button", tab(1), "Scan camera"},
        {"scanned: Next is the default again", [this] { next->Enable(); }, "Next ->"},
        {"step 4", [this] { AddChooser(), next->Disable();
                            action->Init(action->Rect(), 1002, 0, "Write Overscan", 0); }, "chooser"},
        {"Tab from the chooser, first on screen", tab(1), "Write Overscan"},
        {"Shift+Tab back to it", tab(-1), "chooser"},
        {"a repaint leaves the focus on the chooser", [this] { chooser->Select(2); }, "chooser"},
        {"no button enabled: the first enabled control", [this] { action->Disable(); }, "chooser"},
        {"the action enabled again", [this] { action->Enable(); }, "Write Overscan"},
        {"written: Next enabled", [this] { next->Enable(); }, "Next ->"},
        {"Tab from Next wraps to the chooser", tab(1), "chooser"},
        {"step 5: Finish on the same button", [this] {
             chooser->Done(), action->Done();
             next->Init(next->Rect(), 1003, 0, "Finish", 0);
         }, "Finish"},
    };
    for (const FocusStep& step : steps) {
        step.change();
        EXPECT_EQ(step.focus, Focus()) << step.what;
    }
}

TEST(TerminalScreenTest, TextsFromOutsideAreDrawnPrintable)
{
    headless::Reset();
    CWindow window;
    window.Init(CRect(0, 0, 240, 60), 0, 0, "Cam\x1b]0;x\x07", nullptr, nullptr, nullptr, nullptr);
    auto* button = new CButton;
    button->Init(CRect(6, 36, 100, 0), 1, 0, "Go\x1b[2J\xc3\xa9\xff", 0);
    window.Register(button);
    button->Show();
    std::vector<std::string> lines = terminal::DrawWindow(&window, nullptr);
    ASSERT_EQ(7u, lines.size());
    EXPECT_EQ("= Cam?]0;x? ==============================", lines[0]);
    EXPECT_EQ(" [ Go?[2J\xc3\xa9? ]                             ", lines[4]) << "é is a character, \\xff none";

    headless::BoxRecord box{&window, "Err\x1b[31m", {"bad\rline", "", "\x7f\x1b"}, nullptr};
    std::vector<std::string> screen(2, "");
    terminal::DrawBox(screen, box);
    const std::vector<std::string> drawn = {
        " +- Err?[31m ---+",
        " |     bad?line |",
        " |     ??       |",
        " |              |",
        " |    [ OK ]    |",
        " +--------------+",
    };
    EXPECT_EQ(drawn, screen);
    EXPECT_EQ("a?b?c?", terminal::PrintableText("a\tb\x9b" "c\xff"));
}

struct FitCase {
    int rows, columns;
    std::vector<std::string> shown;
};

TEST(TerminalScreenTest, AScreenThatDoesNotFitAsksForALargerTerminal)
{
    const std::vector<std::string> lines = {"= Title ==", "\x1b[4mS\x1b[24mcan  Next", ""};
    const FitCase cases[] = {
        {3, 10, lines},
        {0, 0, lines},
        {40, 120, lines},
        {2, 80, {"Please enlarge the terminal to 10 x 3"}},
        {2, 20, {"Enlarge to 10 x 3"}},
        {24, 9, {"Enlarge t"}},
        {1, 60, {"Please enlarge the terminal to 10 x 3"}},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(c.shown, terminal::FitScreen(lines, c.rows, c.columns)) << c.rows << " x " << c.columns;
    EXPECT_EQ(10u, terminal::VisibleWidth("\x1b[4mS\x1b[24mcan  Next"));
}

struct EnglishAfter {
    ~EnglishAfter() { SetLanguage(Language::en); }
};

TEST(TerminalScreenTest, WideCharactersTakeTwoColumnsAndBoxesLineUp)
{
    headless::Reset();
    CWindow window;
    window.Init(CRect(0, 0, 240, 60), 0, 0, "W", nullptr, nullptr, nullptr, nullptr);
    auto* button = new CButton;
    button->Init(CRect(6, 36, 100, 0), 1, 0, "\xe6\x97\xa5\xe6\x9c\xac Go", 0);  // 日本 Go
    window.Register(button);
    button->Show();
    std::vector<terminal::Cell> keys;
    std::vector<std::string> lines = terminal::DrawWindow(&window, button, &keys);
    EXPECT_EQ(">[ \xe6\x97\xa5\xe6\x9c\xac Go ]<" + std::string(29, ' '), lines[4]);
    ASSERT_EQ(1u, keys.size());
    EXPECT_EQ(8, keys[0].column) << "the g of Go, after four columns of 日本 and a space";
    // A button whose face reaches past the next one's place pushes it along.
    auto* next = new CButton;
    next->Init(CRect(48, 36, 100, 0), 2, 0, "Next", 0);
    window.Register(next);
    next->Show();
    lines = terminal::DrawWindow(&window, next, &keys);
    EXPECT_EQ(" [ \xe6\x97\xa5\xe6\x9c\xac Go ] >[ Next ]<" + std::string(19, ' '), lines[4]);

    // Over a line of wide characters: one cut by the box's edge goes whole.
    std::vector<std::string> screen = {"\xe6\x97\xa5\xe6\x97\xa5\xe6\x97\xa5\xe6\x97\xa5\xe6\x97\xa5\xe6\x97\xa5"
                                       "\xe6\x97\xa5\xe6\x97\xa5X", "", ""};
    headless::BoxRecord box{&window, "\xe6\x97\xa5\xe6\x9c\xac", {"\xe3\x82\xa8\xe3\x83\xa9\xe3\x83\xbc", "", ""}, nullptr};
    terminal::DrawBox(screen, box);
    const std::vector<std::string> drawn = {
        " +- \xe6\x97\xa5\xe6\x9c\xac -----+ X",
        " |     \xe3\x82\xa8\xe3\x83\xa9\xe3\x83\xbc |",
        " |            |",
        " |   [ OK ]   |",
        " +------------+",
    };
    EXPECT_EQ(drawn, screen);

    EXPECT_EQ(5u, terminal::VisibleWidth("\x1b[4m\xe6\x97\xa5\x1b[24m\xe6\x9c\xac\xc3\xa9"));
    const std::vector<std::string> wide = {"\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e"};  // 日本語
    EXPECT_EQ(wide, terminal::FitScreen(wide, 1, 6));
    EXPECT_EQ(std::vector<std::string>{"Enlar"}, terminal::FitScreen(wide, 1, 5));
}

struct KeysCase {
    std::vector<std::string> english;
    std::vector<std::string> labels;
    std::string letters;      // one a button, '-' for none
    std::vector<size_t> at;   // the byte of each key in its label
};

// Each button's first letter that no key before it has, nor a, p or q.
TEST(TerminalScreenTest, ButtonKeysAreFirstFreeLetters)
{
    const KeysCase cases[] = {
        {{"Scan camera", "Next ->"}, {"Scan camera", "Next ->"}, "sn", {0, 0}},
        {{"Scan camera", "Save"}, {"Scan camera", "Save"}, "sv", {0, 2}},
        {{"About", "Print", "Quit"}, {"About", "Print", "Quit"}, "bru", {1, 1, 1}},
        {{"\xc3\x89" "crire", "Exit"}, {"\xc3\x89" "crire", "Exit"}, "ex", {0, 1}},
        {{"\xe6\x97\xa5", "-> 1"}, {"\xe6\x97\xa5", "-> 1"}, "--", {0, 0}},
    };
    for (const KeysCase& c : cases) {
        const std::vector<terminal::ButtonKey> keys = terminal::AssignButtonKeys(c.english);
        ASSERT_EQ(c.labels.size(), keys.size());
        for (size_t i = 0; i < keys.size(); ++i) {
            EXPECT_EQ(c.labels[i], keys[i].label);
            EXPECT_EQ(c.letters[i] == '-' ? 0 : c.letters[i], keys[i].letter) << c.english[i];
            EXPECT_EQ(c.at[i], keys[i].at) << c.english[i];
        }
    }
    EnglishAfter englishAfter;
    // Japanese texts have no Latin letter: the English text's key, shown after.
    SetLanguage(Language::ja);
    const std::vector<terminal::ButtonKey> japanese = terminal::AssignButtonKeys({"Scan camera", "Next ->"});
    EXPECT_EQ("\xe3\x82\xab\xe3\x83\xa1\xe3\x83\xa9\xe3\x82\x92\xe6\xa4\x9c\xe5\x87\xba(S)", japanese[0].label);
    EXPECT_EQ("\xe6\xac\xa1\xe3\x81\xb8 ->(N)", japanese[1].label);
    EXPECT_EQ('s', japanese[0].letter);
    EXPECT_EQ('n', japanese[1].letter);
    EXPECT_EQ(19u, japanese[0].at);
    EXPECT_EQ(10u, japanese[1].at);
    SetLanguage(Language::qps);
    const std::vector<terminal::ButtonKey> pseudo = terminal::AssignButtonKeys({"Next ->"});
    EXPECT_EQ("[!! \xc3\x91\xc3\xa9x\xc5\xa3 -> !!]", pseudo[0].label);
    EXPECT_EQ('n', pseudo[0].letter) << "Ñ stands for n";
    EXPECT_EQ(4u, pseudo[0].at);
}

}  // namespace
