#include "toolkit/terminal/terminal_front_end.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <chrono>
#include <cstdio>
#include <string>

#include "i18n/translate.h"
#include "platform/posix/ending_signals.h"
#include "platform/sim/bench/bench_changes.h"
#include "platform/sim/sim_machine.h"
#include "toolkit/background.h"
#include "toolkit/headless/headless.h"
#include "toolkit/terminal/button_keys.h"
#include "toolkit/terminal/focus.h"
#include "toolkit/terminal/key_parser.h"
#include "toolkit/terminal/screen_fit.h"
#include "toolkit/terminal/terminal_io.h"
#include "toolkit/terminal/terminal_screen.h"
#include "toolkit/utf8.h"

namespace terminal {

namespace {

using Clock = std::chrono::steady_clock;

// How long the rest of an escape sequence may take to come.
constexpr long escapeWaitMs = 50;

struct FrontEnd {
    Clock::time_point lastTick = Clock::now();
    Clock::time_point lastBenchLook = Clock::now();
    Clock::time_point lastInput = Clock::now();
    std::string lastFrame;
    FocusKeeper focus;
    KeyParser keys;
    bool inputEnded = false;
    bool closeAsked = false;
    const headless::BoxRecord* openBox = nullptr;
};

FrontEnd& State()
{
    static FrontEnd state;
    return state;
}

long MsSince(Clock::time_point then)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - then).count());
}

CWindow* MainWindow()
{
    if (!PBackground) return nullptr;
    for (CWindow* window : PBackground->Windows())
        if (!window->IsEnded()) return window;
    return nullptr;
}

// Real time moves the simulated clock on; the window's timers fire on the way.
void AdvanceClock()
{
    FrontEnd& state = State();
    long elapsed = MsSince(state.lastTick);
    if (elapsed <= 0) return;
    state.lastTick += std::chrono::milliseconds(elapsed);
    headless::AdvanceTime(static_cast<uint32_t>(elapsed));
}

// What other processes did on the bench comes in as device messages.
void TakeBench()
{
    State().lastBenchLook = Clock::now();
    sim::TakeBenchChanges();
    if (headless::QueuedMessages()) headless::DeliverMessages();
}

void ReadInput()
{
    FrontEnd& state = State();
    char bytes[256];
    ssize_t count = read(STDIN_FILENO, bytes, sizeof bytes);
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (count <= 0) {
        state.inputEnded = true;
        return;
    }
    state.keys.Feed(bytes, static_cast<size_t>(count));
    state.lastInput = Clock::now();
}

// The longest the program may sleep: until the next timer falls due, the
// next look at a bench not wholly watched, or the end of the wait for an
// escape sequence; -1 for no limit.
int SleepLimit(int benchLookMs)
{
    const FrontEnd& state = State();
    long limit = -1;
    auto consider = [&limit](long ms) {
        ms = std::max(0L, ms);
        if (limit < 0 || ms < limit) limit = ms;
    };
    if (benchLookMs >= 0) consider(benchLookMs - MsSince(state.lastBenchLook));
    if (state.keys.Waiting() && !state.inputEnded) consider(escapeWaitMs - MsSince(state.lastInput));
    const sim::SimClock& clock = sim::Machine().clock;
    for (const sim::SimTimer& timer : clock.timers)
        consider(timer.due > clock.now ? static_cast<long>(timer.due - clock.now) : 0L);
    return static_cast<int>(limit);
}

struct Watched {
    pollfd descriptors[3];
    nfds_t count = 0;

    // The index the descriptor is watched at, or -1 for none.
    int Add(int descriptor)
    {
        if (descriptor < 0) return -1;
        descriptors[count] = pollfd{descriptor, POLLIN, 0};
        return static_cast<int>(count++);
    }
    bool Ready(int index) const { return index >= 0 && descriptors[index].revents != 0; }
};

// The one place the program sleeps: on its input, its signals and the
// bench together.
void Wait()
{
    FrontEnd& state = State();
    const int bench = sim::BenchChangeDescriptor();
    const int look = sim::BenchLookInterval();
    Watched watched;
    const int input = watched.Add(state.inputEnded ? -1 : STDIN_FILENO);
    const int signals = watched.Add(SignalDescriptor());
    const int changes = watched.Add(bench);
    // Interrupted by a signal, nothing is ready: the signal's byte is read next time.
    if (poll(watched.descriptors, watched.count, SleepLimit(look)) < 0)
        for (nfds_t i = 0; i < watched.count; ++i) watched.descriptors[i].revents = 0;
    if (watched.Ready(input)) {
        if (watched.descriptors[input].revents & POLLNVAL) state.inputEnded = true;
        else ReadInput();
    }
    if (watched.Ready(signals)) DrainSignals();
    if (TakeResize()) state.lastFrame.clear();
    if (watched.Ready(changes) || (look >= 0 && MsSince(state.lastBenchLook) >= look)) TakeBench();
}

bool NextKey(KeyPress* press)
{
    FrontEnd& state = State();
    bool complete = state.inputEnded || MsSince(state.lastInput) >= escapeWaitMs;
    return state.keys.Next(press, complete);
}

// The keys of the wizard's buttons for the key help: those of "Scan camera",
// "Write Overscan", "Next ->" and "Finish", each as the screen it is on
// gives it ("s w n f" in English).
std::string ButtonLetters()
{
    const std::vector<ButtonKey> scanNext = AssignButtonKeys({"Scan camera", "Next ->"});
    const std::vector<ButtonKey> writeNext = AssignButtonKeys({"Write Overscan", "Next ->"});
    const std::vector<ButtonKey> finish = AssignButtonKeys({"Finish"});
    std::string letters;
    for (const ButtonKey* key : {&scanNext[0], &writeNext[0], &scanNext[1], &finish[0]}) {
        if (!key->letter) continue;
        if (!letters.empty()) letters += ' ';
        letters += key->letter;
    }
    return letters;
}

// The key help's line of keys. Every language writes the buttons' keys as
// the English "s w n f"; they stand for the keys the buttons have in the
// language, which take their place.
std::string KeyHelp()
{
    const char* const english = " s w n f press  a About  p plug  q quit";
    std::string line = Tr(english);
    const size_t letters = line.find("s w n f");
    if (letters != std::string::npos) line.replace(letters, 7, ButtonLetters());
    return line;
}

// Underlines the key letters; from the right, so earlier columns stay put.
void Underline(std::vector<std::string>& lines, std::vector<Cell> cells)
{
    std::sort(cells.begin(), cells.end(),
              [](const Cell& a, const Cell& b) { return a.row != b.row ? a.row < b.row : a.column > b.column; });
    for (const Cell& cell : cells) {
        if (cell.row < 0 || cell.row >= static_cast<int>(lines.size())) continue;
        std::string& line = lines[static_cast<size_t>(cell.row)];
        if (cell.column < 0) continue;
        const size_t at = ByteOfColumn(line, static_cast<size_t>(cell.column));
        if (at >= line.size()) continue;
        size_t bytes = 1;
        DecodeUtf8(line, at, &bytes);
        line.insert(at + bytes, "\x1b[24m");
        line.insert(at, "\x1b[4m");
    }
}

std::vector<std::string> Screen(CWindow* window)
{
    const FrontEnd& state = State();
    std::vector<Cell> hotkeys;
    std::vector<std::string> lines = DrawWindow(window, state.openBox ? nullptr : state.focus.Focused(), &hotkeys);
    if (state.openBox) {
        DrawBox(lines, *state.openBox);
        hotkeys.clear();
    }
    for (std::string& line : lines) line.erase(line.find_last_not_of(' ') + 1);
    Underline(lines, hotkeys);
    lines.push_back("");
    if (state.openBox) {
        lines.push_back(Tr(" Enter: close the box"));
    } else {
        lines.push_back(Tr(" Tab focus  Enter press  Up/Down mode"));
        lines.push_back(KeyHelp());
    }
    return lines;
}

// A bench that cannot be saved says so in one line, cut to the terminal's
// width, rather than leave its cameras looking unplugged.
void AddSaveProblem(std::vector<std::string>& lines, int columns)
{
    const std::string& problem = sim::Machine().BenchSaveProblem();
    if (problem.empty()) return;
    std::string line = PrintableText(TrFormat(" The bench cannot be saved: {1}", {problem}));
    size_t width = columns > 1 ? static_cast<size_t>(columns - 1) : 79;
    lines.push_back(line.substr(0, ByteOfColumn(line, width)));
}

void Render()
{
    FrontEnd& state = State();
    CWindow* window = MainWindow();
    if (!window) return;
    int rows = 0, columns = 0;
    TerminalSize(&rows, &columns);
    std::vector<std::string> screen = Screen(window);
    AddSaveProblem(screen, columns);
    std::vector<std::string> lines = FitScreen(screen, rows, columns);
    std::string frame;
    for (size_t i = 0; i < lines.size(); ++i) frame += (i ? "\r\n" : "") + lines[i] + "\x1b[K";
    if (frame == state.lastFrame) return;
    state.lastFrame = frame;
    std::fputs("\x1b[H\x1b[2J", stdout);
    std::fputs(frame.c_str(), stdout);
    std::fflush(stdout);
}

void ChangeChoice(CWindow* window, int step)
{
    for (CView* view : ControlsOnScreen(window)) {
        auto* combo = dynamic_cast<CComboBox*>(view);
        if (!combo) continue;
        int position = combo->SelectedPosition() + step;
        if (position >= 1 && position <= combo->ItemCount()) combo->Select(position);
    }
}

void PressLetter(CWindow* window, char letter)
{
    std::vector<CButton*> buttons;
    std::vector<std::string> texts;
    for (CView* view : ControlsOnScreen(window)) {
        if (auto* button = dynamic_cast<CButton*>(view)) {
            buttons.push_back(button);
            texts.push_back(button->Text());
        }
    }
    const std::vector<ButtonKey> keys = AssignButtonKeys(texts);
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].letter != letter) continue;
        buttons[i]->Press();
        return;
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
    switch (press.key) {
    case Key::tab: state.focus.Move(window, +1); break;
    case Key::backTab: state.focus.Move(window, -1); break;
    case Key::enter:
        // On the chooser, as in a dialog: the default button.
        if (auto* button = dynamic_cast<CButton*>(state.focus.Focused())) button->Press();
        else if (dynamic_cast<CComboBox*>(state.focus.Focused()))
            if (CButton* defaultButton = DefaultButton(window)) defaultButton->Press();
        break;
    case Key::up: ChangeChoice(window, -1); break;
    case Key::down: ChangeChoice(window, +1); break;
    case Key::escape: window->MakeEvent(closeEvent); break;
    case Key::character:
        if (press.letter == 'q') window->MakeEvent(closeEvent);
        else if (press.letter == 'a') window->MakeEvent(TEvent{evBroadcast, 1001});
        else if (press.letter == 'p') TogglePlug();
        else PressLetter(window, press.letter);
        break;
    case Key::none: break;
    }
}

// One key at a time, so that what a key starts is done before the next
// one is looked at; the program sleeps only when no key is left.
bool Idle()
{
    FrontEnd& state = State();
    // First the clock: a timer may close the window, and the loop frees it.
    AdvanceClock();
    CWindow* window = MainWindow();
    if (!window) return false;
    state.focus.Settle(window);
    bool ending = EndingSignal() != 0;
    KeyPress press;
    if (!ending && NextKey(&press)) {
        HandleKey(window, press);
        return true;
    }
    if (!state.closeAsked && (ending || state.inputEnded)) {
        // The end of the input, or a signal, closes the window as q does.
        state.closeAsked = true;
        window->MakeEvent(closeEvent);
        return true;
    }
    Render();
    Wait();
    return true;
}

void WhileBoxOpen(const headless::BoxRecord& box)
{
    FrontEnd& state = State();
    state.openBox = &box;
    while (MainWindow() && !EndingSignal()) {
        AdvanceClock();
        KeyPress press;
        if (NextKey(&press)) {
            if (press.key == Key::enter || press.key == Key::escape) break;
            continue;
        }
        if (state.inputEnded) break;
        Render();
        Wait();
    }
    state.openBox = nullptr;
}

}  // namespace

void Attach()
{
    FrontEnd& state = State();
    TakeTerminal();
    state.lastTick = state.lastBenchLook = state.lastInput = Clock::now();
    headless::SetIdle(Idle);
    headless::OnMessageBox(WhileBoxOpen);
}

void Detach()
{
    GiveBackTerminal();
}

const char* CloseCause()
{
    if (!State().closeAsked) return nullptr;
    const int number = EndingSignal();
    if (number == 0) return "the end of the input";
    static std::string cause;
    const char* name = endingsignals::Name(number);
    cause = name ? std::string("signal ") + name : "a signal";
    return cause.c_str();
}

void PassOnEndingSignal()
{
    int number = EndingSignal();
    if (number == 0) return;
    std::signal(number, SIG_DFL);
    std::raise(number);
}

}  // namespace terminal
