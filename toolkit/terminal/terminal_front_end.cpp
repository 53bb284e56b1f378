#include "toolkit/terminal/terminal_front_end.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/sim/sim_machine.h"
#include "toolkit/background.h"
#include "toolkit/headless/headless.h"
#include "toolkit/terminal/terminal_screen.h"

namespace terminal {

namespace {

enum Key { none, tab, enter, up, down, escape, character };

struct KeyPress {
    Key key = none;
    char letter = 0;
};

using Clock = std::chrono::steady_clock;

struct FrontEnd {
    bool rawMode = false;
    termios saved{};
    Clock::time_point lastTick = Clock::now();
    Clock::time_point lastPoll = Clock::now();
    std::string lastFrame;
    CView* focused = nullptr;
    const headless::BoxRecord* openBox = nullptr;
};

FrontEnd& State()
{
    static FrontEnd state;
    return state;
}

constexpr int inputWaitMs = 40;
constexpr int benchPollMs = 100;

CWindow* MainWindow()
{
    if (!PBackground) return nullptr;
    for (CWindow* window : PBackground->Windows())
        if (!window->IsEnded()) return window;
    return nullptr;
}

KeyPress ReadKey(int waitMs)
{
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, waitMs) <= 0) return {};
    char bytes[8];
    ssize_t count = read(STDIN_FILENO, bytes, sizeof bytes);
    if (count <= 0) return {};
    if (bytes[0] == '\t') return {tab, 0};
    if (bytes[0] == '\r' || bytes[0] == '\n') return {enter, 0};
    if (bytes[0] == 0x1B) {
        if (count >= 3 && bytes[1] == '[' && bytes[2] == 'A') return {up, 0};
        if (count >= 3 && bytes[1] == '[' && bytes[2] == 'B') return {down, 0};
        if (count == 1) return {escape, 0};
        return {};
    }
    return {character, bytes[0]};
}

// Underlines the key letters; from the right, so earlier columns stay put.
void Underline(std::vector<std::string>& lines, std::vector<Cell> cells)
{
    std::sort(cells.begin(), cells.end(),
              [](const Cell& a, const Cell& b) { return a.row != b.row ? a.row < b.row : a.column > b.column; });
    for (const Cell& cell : cells) {
        if (cell.row < 0 || cell.row >= static_cast<int>(lines.size())) continue;
        std::string& line = lines[static_cast<size_t>(cell.row)];
        if (cell.column < 0 || cell.column >= static_cast<int>(line.size())) continue;
        line.insert(static_cast<size_t>(cell.column) + 1, "\x1b[24m");
        line.insert(static_cast<size_t>(cell.column), "\x1b[4m");
    }
}

void Render()
{
    FrontEnd& state = State();
    CWindow* window = MainWindow();
    if (!window) return;
    std::vector<Cell> hotkeys;
    std::vector<std::string> lines = DrawWindow(window, state.openBox ? nullptr : state.focused, &hotkeys);
    if (state.openBox) {
        DrawBox(lines, *state.openBox);
        hotkeys.clear();
    }
    Underline(lines, hotkeys);
    lines.push_back("");
    lines.push_back(state.openBox ? " Enter: close the box"
                                  : " Tab focus  Enter press  Up/Down mode  s w n f  a About  p plug  q quit");
    std::string frame;
    for (const auto& line : lines) frame += line + "\x1b[K\r\n";
    if (frame == state.lastFrame) return;
    state.lastFrame = frame;
    std::fputs("\x1b[H\x1b[2J", stdout);
    std::fputs(frame.c_str(), stdout);
    std::fflush(stdout);
}

// Real time moves the simulated clock (the window's timer), and what other
// processes did on the bench comes in as device messages.
void FollowTheWorld()
{
    FrontEnd& state = State();
    Clock::time_point now = Clock::now();
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - state.lastTick).count();
    if (elapsed > 0) {
        state.lastTick = now;
        headless::AdvanceTime(static_cast<uint32_t>(elapsed));
    }
    if (std::chrono::duration_cast<std::chrono::milliseconds>(now - state.lastPoll).count() >= benchPollMs) {
        state.lastPoll = now;
        sim::Machine().PollBench();
        if (headless::QueuedMessages()) headless::DeliverMessages();
    }
}

void MoveFocus(CWindow* window)
{
    std::vector<CView*> views = FocusableViews(window);
    if (views.empty()) return;
    FrontEnd& state = State();
    size_t next = 0;
    for (size_t i = 0; i < views.size(); ++i)
        if (views[i] == state.focused) next = (i + 1) % views.size();
    state.focused = views[next];
}

void ChangeChoice(CWindow* window, int step)
{
    for (CView* view : FocusableViews(window)) {
        auto* combo = dynamic_cast<CComboBox*>(view);
        if (!combo) continue;
        int position = combo->SelectedPosition() + step;
        if (position >= 1 && position <= combo->ItemCount()) combo->Select(position);
    }
}

void PressLetter(CWindow* window, char letter)
{
    for (CView* view : FocusableViews(window)) {
        auto* button = dynamic_cast<CButton*>(view);
        if (!button || !button->Text()[0]) continue;
        char first = button->Text()[0];
        if (first >= 'A' && first <= 'Z') first = static_cast<char>(first - 'A' + 'a');
        if (first == letter) {
            button->Press();
            return;
        }
    }
}

void TogglePlug()
{
    auto& cameras = sim::Machine().Cameras();
    if (cameras.empty()) return;
    sim::SimCamera& camera = *cameras.front();
    if (camera.plugged)
        sim::Machine().Unplug(camera);
    else
        sim::Machine().Plug(camera);
}

void HandleKey(CWindow* window, const KeyPress& press)
{
    FrontEnd& state = State();
    std::vector<CView*> views = FocusableViews(window);
    bool focusLive = false;
    for (CView* view : views) focusLive = focusLive || view == state.focused;
    if (!focusLive) state.focused = views.empty() ? nullptr : views.back();
    switch (press.key) {
    case tab: MoveFocus(window); break;
    case enter:
        if (auto* button = dynamic_cast<CButton*>(state.focused)) button->Press();
        break;
    case up: ChangeChoice(window, -1); break;
    case down: ChangeChoice(window, +1); break;
    case escape: window->MakeEvent(closeEvent); break;
    case character:
        if (press.letter == 'q') window->MakeEvent(closeEvent);
        else if (press.letter == 'a') window->MakeEvent(TEvent{evBroadcast, 1001});
        else if (press.letter == 'p') TogglePlug();
        else PressLetter(window, press.letter);
        break;
    case none: break;
    }
}

bool Idle()
{
    CWindow* window = MainWindow();
    if (!window) return false;
    FollowTheWorld();
    Render();
    KeyPress press = ReadKey(inputWaitMs);
    if (press.key != none) HandleKey(window, press);
    return true;
}

void WhileBoxOpen(const headless::BoxRecord& box)
{
    FrontEnd& state = State();
    state.openBox = &box;
    for (;;) {
        FollowTheWorld();
        Render();
        KeyPress press = ReadKey(inputWaitMs);
        if (press.key == enter || !MainWindow()) break;
    }
    state.openBox = nullptr;
}

}  // namespace

void Attach()
{
    FrontEnd& state = State();
    if (isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &state.saved) == 0) {
        termios raw = state.saved;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 0;
        raw.c_cc[VTIME] = 0;
        state.rawMode = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
    }
    std::fputs("\x1b[?25l", stdout);  // no cursor
    state.lastTick = state.lastPoll = Clock::now();
    headless::SetIdle(Idle);
    headless::OnMessageBox(WhileBoxOpen);
}

void Detach()
{
    FrontEnd& state = State();
    if (state.rawMode) tcsetattr(STDIN_FILENO, TCSANOW, &state.saved);
    state.rawMode = false;
    std::fputs("\x1b[?25h\r\n", stdout);
    std::fflush(stdout);
}

}  // namespace terminal
