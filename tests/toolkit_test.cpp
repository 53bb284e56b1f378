// The toolkit over the headless backend: views ended inside their own
// handling, the modal message box, closing windows and ending the loop,
// window messages and timers, the controls, text widths and painting.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "i18n/language.h"
#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"
#include "toolkit/background.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/event_loop.h"
#include "toolkit/graphics.h"
#include "toolkit/headless/headless.h"
#include "toolkit/message_box.h"

// Found by the standard algorithms, so outside the unnamed namespace.
static bool operator==(const TEvent& a, const TEvent& b)
{
    return a.what == b.what && a.command == b.command;
}

namespace {

// What a probe saw; it outlives the probe, so it can tell of its freeing.
struct Journal {
    std::vector<std::string> calls;
    std::vector<TEvent> events;
    std::vector<std::pair<UINT, WPARAM>> messages;
    std::vector<LRESULT> resultOnEntry;
    bool freed = false;
};

class ProbeWindow : public CWindow {
public:
    explicit ProbeWindow(Journal* j) : journal(j) {}
    ~ProbeWindow() override { journal->freed = true; }

    bool ReceiveMsg(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override
    {
        journal->messages.emplace_back(message, wParam);
        journal->resultOnEntry.push_back(result);
        result = 1000 + static_cast<LRESULT>(wParam);
        return true;
    }
    void Done() override
    {
        journal->calls.push_back("Done");
        CWindow::Done();
    }
    void DeletePeerWindow() override
    {
        journal->calls.push_back(NativeWindow() ? "DeletePeerWindow, window still there" : "DeletePeerWindow");
        CWindow::DeletePeerWindow();
    }
    void ReceiveEvent(TEvent* event) override
    {
        journal->events.push_back(*event);
        if (onEvent) onEvent(event);
        CWindow::ReceiveEvent(event);
    }

    std::function<void(TEvent*)> onEvent;
    Journal* journal;
};

// A child view that ends itself when it gets an event.
class SelfEndingView : public CView {
public:
    explicit SelfEndingView(Journal* j) : journal(j) {}
    ~SelfEndingView() override { journal->freed = true; }
    void ReceiveEvent(TEvent* event) override
    {
        journal->events.push_back(*event);
        Done();
        MakeEvent(TEvent{evCommand, 99});  // to an ended view: never delivered
        journal->calls.push_back(IsEnded() && !journal->freed ? "ended, still alive" : "wrong");
    }
    Journal* journal;
};

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::Reset();
        sim::ResetMachine();
        PBackground = new CBackground;
    }
    void TearDown() override
    {
        PBackground->Done();
        delete PBackground;
        PBackground = nullptr;
        headless::Reset();
    }
    // Kept by the fixture: windows still open are closed after the test body.
    Journal& NewJournal() { return journals.emplace_back(); }
    ProbeWindow* Open(Journal* journal)
    {
        auto* window = new ProbeWindow(journal);
        window->Init(CRect(10, 10, 300, 200), 0, 5, "probe", nullptr, nullptr, nullptr, nullptr);
        PBackground->Register(window);
        PBackground->Show();
        return window;
    }
    std::deque<Journal> journals;
};

using ToolkitEventLoopTest = ToolkitTest;
using ToolkitWindowTest = ToolkitTest;
using ToolkitControlTest = ToolkitTest;

TEST_F(ToolkitEventLoopTest, WindowEndedInsideItsOwnEventIsFreedByTheLoopAfterwards)
{
    Journal& journal = NewJournal();
    ProbeWindow* window = Open(&journal);
    window->onEvent = [&](TEvent* event) {
        if (event->command != 7) return;
        window->Done();
        journal.calls.push_back(!journal.freed && window->IsEnded() && !window->NativeWindow() ? "alive after Done"
                                                                                             : "wrong");
    };
    window->MakeEvent(TEvent{evCommand, 7});
    window->MakeEvent(TEvent{evCommand, 8});  // queued behind: the window has ended by then
    headless::Pump();
    EXPECT_TRUE(journal.freed);
    EXPECT_TRUE(PBackground->Windows().empty());
    EXPECT_EQ((std::vector<std::string>{"Done", "DeletePeerWindow", "alive after Done"}), journal.calls);
    EXPECT_EQ((std::vector<TEvent>{{evCommand, 7}}), journal.events);
}

TEST_F(ToolkitEventLoopTest, ChildEndedInsideItsOwnEventIsFreedAndTheWindowStays)
{
    Journal& windowJournal = NewJournal();
    Journal& viewJournal = NewJournal();
    ProbeWindow* window = Open(&windowJournal);
    auto* view = new SelfEndingView(&viewJournal);
    window->Register(view);
    view->MakeEvent(TEvent{evCommand, 3});
    headless::Pump();
    EXPECT_EQ((std::vector<std::string>{"ended, still alive"}), viewJournal.calls);
    EXPECT_EQ((std::vector<TEvent>{{evCommand, 3}}), viewJournal.events);
    EXPECT_TRUE(viewJournal.freed);
    EXPECT_TRUE(window->Children().empty());
    EXPECT_FALSE(windowJournal.freed);
    EXPECT_FALSE(window->IsEnded());
}

TEST_F(ToolkitEventLoopTest, OpenBoxHoldsEventsButPassesWindowMessagesAndTimers)
{
    Journal& journal = NewJournal();
    ProbeWindow* window = Open(&journal);
    HWND native = window->NativeWindow();
    sim::SimCamera& camera = sim::Machine().AddCamera("cam", 3);
    HDEVNOTIFY registration = sim::Machine().Register(native, sim::CameraClassGuid(3));
    ASSERT_EQ(9u, win::SetTimer(native, 9, 50, nullptr));

    std::vector<std::string> insideBox;
    headless::OnMessageBox([&](const headless::BoxRecord& box) {
        EXPECT_EQ(window, box.owner);
        EXPECT_EQ("Title", box.title);
        window->MakeEvent(TEvent{evCommand, 41});
        window->MakeEvent(closeEvent);
        headless::PostMessage(native, 0x0400, 7, nullptr, 0);
        sim::Machine().Plug(camera);
        headless::Pump();
        headless::AdvanceTime(50);
        if (!event_loop::DispatchPending()) insideBox.push_back("loop holds");
        if (journal.events.empty()) insideBox.push_back("no events");
        if (!window->IsEnded() && window->NativeWindow() == native) insideBox.push_back("still open");
    });
    EXPECT_EQ(1, DoMessageBox(window, 2, CRect(), 1, 1, 4, 5, "Title", 0, "line", 0, "", 0, "", nullptr));
    EXPECT_EQ((std::vector<std::string>{"loop holds", "no events", "still open"}), insideBox);
    const std::vector<std::pair<UINT, WPARAM>> seen = {
        {0x0400, 7}, {WM_DEVICECHANGE, DBT_DEVICEARRIVAL}, {WM_TIMER, 9}};
    EXPECT_EQ(seen, journal.messages);
    EXPECT_TRUE(journal.events.empty()) << "nothing is delivered until the loop runs again";

    headless::Pump();
    EXPECT_EQ((std::vector<TEvent>{{evCommand, 41}, closeEvent}), journal.events);
    EXPECT_TRUE(journal.freed);
    EXPECT_EQ(0u, sim::Machine().clock.Count(native)) << "the window's timer dies with it";
    sim::Machine().Unregister(registration);
}

TEST_F(ToolkitEventLoopTest, BoxOpenedFromAHandlerLetsTheLoopGoOnAfterItCloses)
{
    Journal& journal = NewJournal();
    ProbeWindow* window = Open(&journal);
    window->onEvent = [&](TEvent* event) {
        if (event->command == 50) DoMessageBox(window, 2, CRect(), 1, 1, 4, 3, "Box", 0, "", 0, "", 0, "", nullptr);
    };
    size_t eventsWhileOpen = 99;
    headless::OnMessageBox([&](const headless::BoxRecord&) {
        window->MakeEvent(TEvent{evCommand, 51});
        headless::Pump();
        eventsWhileOpen = journal.events.size();
    });
    window->MakeEvent(TEvent{evCommand, 50});
    headless::Pump();
    EXPECT_EQ(1u, eventsWhileOpen);
    EXPECT_EQ((std::vector<TEvent>{{evCommand, 50}, {evCommand, 51}}), journal.events);
    EXPECT_EQ(1u, headless::Boxes().size());
}

TEST_F(ToolkitWindowTest, CloseEventRunsDoneThenDeletePeerWindowFromTheLoop)
{
    Journal& journal = NewJournal();
    ProbeWindow* window = Open(&journal);
    HWND native = window->NativeWindow();
    ASSERT_NE(nullptr, native);
    EXPECT_EQ(window, headless::WindowOf(native));

    // Neither a control's command 33 nor another toolkit command closes it.
    window->MakeEvent(TEvent{evCommand, cmClose});
    window->MakeEvent(TEvent{evBroadcast, cmClose + 1});
    headless::Pump();
    EXPECT_FALSE(window->IsEnded());

    // An override that stops the event keeps the window.
    window->onEvent = [](TEvent* event) { StopEvent(event); };
    window->MakeEvent(closeEvent);
    headless::Pump();
    EXPECT_FALSE(window->IsEnded());
    EXPECT_TRUE(journal.calls.empty());

    window->onEvent = nullptr;
    window->MakeEvent(closeEvent);
    EXPECT_FALSE(window->IsEnded()) << "posting does not close";
    headless::PostMessage(native, 0x0401, 1, nullptr, 0);
    headless::Pump();
    EXPECT_EQ((std::vector<std::pair<UINT, WPARAM>>{{0x0401, 1}}), journal.messages);
    EXPECT_EQ((std::vector<std::string>{"Done", "DeletePeerWindow"}), journal.calls);
    EXPECT_TRUE(journal.freed);
    EXPECT_EQ(nullptr, headless::WindowOf(native));
    headless::PostMessage(native, 0x0402, 2, nullptr, 0);
    headless::DeliverMessages();
    EXPECT_EQ(1u, journal.messages.size()) << "a message to a window gone is dropped";
}

TEST_F(ToolkitWindowTest, ExecReturnsWhenTheLastWindowHasClosed)
{
    Journal& first = NewJournal();
    Journal& second = NewJournal();
    ProbeWindow* windows[2] = {Open(&first), Open(&second)};
    int idleCalls = 0;
    headless::SetIdle([&] {
        if (idleCalls < 2) windows[idleCalls]->MakeEvent(closeEvent);
        ++idleCalls;
        return idleCalls < 5;  // a loop that does not end by itself gives up here
    });
    PBackground->Exec();
    EXPECT_EQ(2, idleCalls);
    EXPECT_TRUE(first.freed);
    EXPECT_TRUE(second.freed);
    EXPECT_TRUE(PBackground->Windows().empty());
}

TEST_F(ToolkitWindowTest, EveryMessageStartsWithAResultOfZero)
{
    Journal& journal = NewJournal();
    ProbeWindow* window = Open(&journal);
    EXPECT_EQ(1005, window->DeliverMessage(0x0400, 5, 0));
    EXPECT_EQ(1006, window->DeliverMessage(0x0400, 6, 0));
    headless::PostMessage(window->NativeWindow(), 0x0401, 7, nullptr, 0);
    headless::PostMessage(window->NativeWindow(), 0x0401, 8, nullptr, 0);
    headless::DeliverMessages();
    EXPECT_EQ((std::vector<LRESULT>{0, 0, 0, 0}), journal.resultOnEntry);
    EXPECT_EQ(0u, headless::QueuedMessages());
}

TEST_F(ToolkitWindowTest, TimersArriveAsTimerMessagesUntilKilledOrTheWindowGoes)
{
    Journal& journal = NewJournal();
    ProbeWindow* window = Open(&journal);
    HWND native = window->NativeWindow();
    EXPECT_EQ(0u, win::SetTimer(nullptr, 4, 10, nullptr));
    EXPECT_EQ(5u, win::SetTimer(native, 5, 100, nullptr));
    headless::AdvanceTime(99);
    EXPECT_TRUE(journal.messages.empty());
    headless::AdvanceTime(1);
    headless::AdvanceTime(250);  // due twice on the way: fires once
    using Seen = std::vector<std::pair<UINT, WPARAM>>;
    EXPECT_EQ((Seen{{WM_TIMER, 5}, {WM_TIMER, 5}}), journal.messages);
    EXPECT_TRUE(win::KillTimer(native, 5));
    EXPECT_FALSE(win::KillTimer(native, 5));
    headless::AdvanceTime(1000);
    EXPECT_EQ(2u, journal.messages.size());

    win::SetTimer(native, 6, 30, nullptr);
    win::SetTimer(native, 7, 60, nullptr);
    EXPECT_EQ(2u, sim::Machine().clock.Count(native));
    window->MakeEvent(closeEvent);
    headless::Pump();
    EXPECT_EQ(0u, sim::Machine().clock.Count(native));
    headless::AdvanceTime(100);
    EXPECT_EQ(0u, headless::QueuedMessages());
}

TEST(ToolkitEventTest, StopEventClearsWhatAndKeepsTheCommand)
{
    TEvent event = closeEvent;
    StopEvent(&event);
    EXPECT_EQ(0u, event.what);
    EXPECT_EQ(cmClose, event.command);
    EXPECT_FALSE(IsCommandEvent(event));
    StopEvent(nullptr);
}

TEST_F(ToolkitControlTest, ButtonSendsItsCommandOnlyWhenShownEnabledAndLive)
{
    Journal& journal = NewJournal();
    ProbeWindow* window = Open(&journal);
    auto* button = new CButton;
    button->Init(CRect(5, 6, 80, 0), 77, 0, "Go", 0);
    window->Register(button);
    EXPECT_EQ(24, button->Rect().height);
    EXPECT_FALSE(headless::Click(button)) << "not shown yet";
    button->Show();
    button->Disable();
    EXPECT_FALSE(headless::Click(button));
    button->Enable();
    EXPECT_TRUE(headless::Click(button));
    EXPECT_EQ((std::vector<TEvent>{{evCommand, 77}}), journal.events);

    // Changed while live: the next press sends the new command.
    button->Init(button->Rect(), 88, 5, "Write Overscan", 0);
    EXPECT_STREQ("Write", button->Text());
    EXPECT_EQ(88u, button->Command());
    EXPECT_TRUE(button->IsShown());
    EXPECT_TRUE(headless::Click(button));
    button->Init(button->Rect(), 89, 0, std::string(80, 'x').c_str(), 0);
    EXPECT_EQ(std::string(63, 'x'), button->Text());

    button->Done();
    EXPECT_FALSE(button->Press());
    EXPECT_EQ((std::vector<TEvent>{{evCommand, 77}, {evCommand, 88}}), journal.events);

    CButton loose;
    loose.Init(CRect(0, 0, 10, 10), 5, 0, "x", 0);
    loose.Show();
    EXPECT_FALSE(loose.Press()) << "a button without a window";
}

TEST(ToolkitComboBoxTest, PositionsStartAtOneAndAnythingElseClears)
{
    CComboBox combo;
    combo.Init(CRect(108, 101, 150, 0), 0, false);
    EXPECT_EQ(22, combo.Rect().height);
    EXPECT_TRUE(combo.AddItem(8, "Disabled", 0));
    EXPECT_TRUE(combo.AddItem(3, "Enabled", 0));
    EXPECT_STREQ("Disabled", combo.ItemText(1));
    EXPECT_STREQ("Ena", combo.ItemText(2));
    EXPECT_STREQ("", combo.ItemText(0));
    EXPECT_STREQ("", combo.ItemText(3));
    EXPECT_EQ(0, combo.SelectedPosition());
    combo.FitList();
    EXPECT_EQ(2, combo.ListRows());
    combo.Select(2);
    EXPECT_EQ(2, combo.SelectedPosition());
    combo.Select(3);
    EXPECT_EQ(0, combo.SelectedPosition());
    for (int outside : {0, -1}) {
        combo.Select(1);
        combo.Select(outside);
        EXPECT_EQ(0, combo.SelectedPosition()) << outside;
    }

    for (int i = 3; i <= CComboBox::maxItems; ++i) EXPECT_TRUE(combo.AddItem(0, std::string(70, 'a').c_str(), i));
    EXPECT_FALSE(combo.AddItem(0, "one too many", 0));
    EXPECT_EQ(16, combo.ItemCount());
    EXPECT_EQ(std::string(63, 'a'), combo.ItemText(16));
}

TEST(ToolkitViewTest, RegisterOrderParentsAndNaturalHeight)
{
    CWindow window;
    auto* node = new CNodeView;
    auto* a = new CView;
    auto* b = new CView;
    auto* c = new CView;
    window.Register(node);
    node->Register(a);
    node->Register(nullptr);
    node->Register(b);
    node->RegisterFirst(c);
    node->RegisterFirst(nullptr);
    EXPECT_EQ((std::vector<CView*>{c, a, b}), node->Children());
    EXPECT_EQ(node, a->Parent());
    EXPECT_EQ(node, c->Parent());
    EXPECT_EQ(&window, c->OwnerWindow());
    EXPECT_EQ(&window, window.OwnerWindow());
    CView alone;
    EXPECT_EQ(nullptr, alone.OwnerWindow());
    alone.Init(CRect(1, 2, 30, 0));
    EXPECT_EQ(20, alone.Rect().height) << "height 0: the natural height";
    EXPECT_EQ(30, alone.Rect().width);
    alone.Init(CRect(1, 2, 30, 5));
    EXPECT_EQ(5, alone.Rect().height);

    node->Done();
    EXPECT_TRUE(a->IsEnded() && b->IsEnded() && c->IsEnded());
    EXPECT_FALSE(a->IsShown());
}

TEST_F(ToolkitTest, TextWidthsCountCharactersUpToTheMaximum)
{
    CView view;
    TFont text = view.GetPGContext(7)->textFont;
    ASSERT_TRUE(text && CaptionFont && !text->bold && CaptionFont->bold);
    // Narrow 3, wide 9, capitals 7, others 6; bold adds one to each.
    EXPECT_EQ(70, GetTextW(text, 12, "Camera type:"));
    EXPECT_EQ(82, GetTextW(CaptionFont, 12, "Camera type:"));
    EXPECT_EQ(40, GetTextW(text, 6, "Camera type:"));
    EXPECT_EQ(70, GetTextW(text, 0, "Camera type:")) << "0: the whole text";
    EXPECT_EQ(18, GetTextW(text, 200, "Wil."));
    EXPECT_EQ(view.GetPGContext(0), view.GetPGContext(8)) << "an unknown number gives context 0";
}

TEST_F(ToolkitTest, TextWidthsGoByCharacterAndMeasureTheShownText)
{
    CView view;
    TFont text = view.GetPGContext(7)->textFont;
    // A wide (CJK) character 12, bold 13; é 6, Ü 7; a combining mark 0.
    EXPECT_EQ(24, GetTextW(text, 0, "\xe6\x97\xa5\xe6\x9c\xac"));
    EXPECT_EQ(26, GetTextW(CaptionFont, 0, "\xe6\x97\xa5\xe6\x9c\xac"));
    EXPECT_EQ(13, GetTextW(text, 0, "\xc3\xa9\xc3\x9c"));
    EXPECT_EQ(6, GetTextW(text, 0, "e\xcc\x81"));
    EXPECT_EQ(12, GetTextW(text, 0, "\xff\xfe")) << "a byte that is no character: one cell";
    // The pseudo-language shows "[!! Ñéxţ -> !!]" for "Next ->".
    struct EnglishAfter {
        ~EnglishAfter() { SetLanguage(Language::en); }
    } englishAfter;
    EXPECT_EQ(40, GetTextW(text, 7, "Next ->"));
    SetLanguage(Language::qps);
    EXPECT_EQ(82, GetTextW(text, 7, "Next ->"));
}

// Draws one text, switches to the caption font and draws another.
class TwoFontView : public CView {
public:
    void PaintView(CDeviceContext* dc) override
    {
        startFonts.push_back(dc->SelectedFont());
        dc->DrawText(1, 2, 0, "nothing");
        dc->DrawText(3, 4, 4, "plain text");
        dc->SelectFont(CaptionFont);
        dc->DrawText(5, 6, 63, "caption");
    }
    std::vector<TFont> startFonts;
};

TEST_F(ToolkitTest, EveryPaintStartsWithTheTextFontOfContextSeven)
{
    const TFontRecord paneFont = {"Pane", 11, false};
    TwoFontView view;
    TFont normal = view.GetPGContext(0)->textFont;
    view.GetPGContext(7)->textFont = &paneFont;
    for (int paint = 0; paint < 2; ++paint) {
        std::vector<headless::DrawCall> calls = headless::Paint(&view);
        ASSERT_EQ(4u, calls.size());
        EXPECT_EQ(headless::DrawCall::drawText, calls[0].kind);
        EXPECT_EQ("", calls[0].text) << "a maximum of 0 draws nothing";
        EXPECT_EQ("plai", calls[1].text);
        EXPECT_EQ(3, calls[1].a);
        EXPECT_EQ(4, calls[1].b);
        EXPECT_EQ(&paneFont, calls[1].font);
        EXPECT_EQ(headless::DrawCall::selectFont, calls[2].kind);
        EXPECT_EQ("caption", calls[3].text);
        EXPECT_EQ(CaptionFont, calls[3].font);
    }
    EXPECT_EQ((std::vector<TFont>{&paneFont, &paneFont}), view.startFonts);
    EXPECT_EQ(normal, view.GetPGContext(0)->textFont);
}

}  // namespace
