// The headless toolkit backend: windows exist only in memory, message boxes
// are recorded and answered by the test, and window messages wait in a
// queue until the test delivers them.
#include <deque>
#include <map>

#include "platform/sim/sim_machine.h"
#include "toolkit/backend.h"
#include "toolkit/event_loop.h"
#include "toolkit/headless/headless.h"
#include "toolkit/background.h"
#include "toolkit/modules.h"
#include "toolkit/text.h"
#include "toolkit/utf8.h"

namespace {

struct QueuedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    std::vector<uint8_t> record;
};

struct HeadlessState {
    std::map<HWND, CWindow*> windows;
    std::deque<QueuedMessage> messages;
    std::vector<headless::BoxRecord> boxes;
    std::function<void(const headless::BoxRecord&)> whileBoxOpen;
    std::function<bool()> idle;
    uintptr_t nextWindow = 0x10000;
};

HeadlessState& State()
{
    static HeadlessState state;
    return state;
}

const TFontRecord textFontRecord = {"Sans", 13, false};
const TFontRecord captionFontRecord = {"Sans", 13, true};

// Stock icons and the default application icon are tokens only.
int infoIconToken, stopIconToken, applicationIconToken;

void QueueDeviceChange(HWND window, WPARAM event, const DEV_BROADCAST_DEVICEINTERFACE_A* record)
{
    headless::PostMessage(window, WM_DEVICECHANGE, event, record, record->dbcc_size);
}

// The measure of a font of character cells 6 pixels wide: a wide East
// Asian character takes two cells, a combining mark none; Latin letters
// vary a little about one cell, as in a proportional font.
int32_t CharWidth(TFont font, uint32_t c)
{
    const int columns = CharColumns(c);
    if (columns == 0) return 0;
    int32_t width = columns == 2 ? 12 : 6;
    if (c == 'i' || c == 'l' || c == '.' || c == ':' || c == ' ') width = 3;
    else if (c == 'm' || c == 'w' || c == 'M' || c == 'W') width = 9;
    else if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) width = 7;
    return font && font->bold ? width + 1 : width;
}

}  // namespace

namespace backend {

void InitStockResources()
{
    piInfo32 = &infoIconToken;
    piStop = &stopIconToken;
}

void InitFonts(TFont* textFont, TFont* captionFont)
{
    *textFont = &textFontRecord;
    *captionFont = &captionFontRecord;
}

TIcon LoadResourceIcon(HMODULE /*application*/, int /*id*/)
{
    return &applicationIconToken;
}

int32_t TextWidth(TFont font, uint32_t length, const char* text)
{
    const std::string measured(text, LengthA(length, text));
    int32_t width = 0;
    size_t bytes = 1;
    for (size_t at = 0; at < measured.size(); at += bytes) width += CharWidth(font, DecodeUtf8(measured, at, &bytes));
    return width;
}

HWND CreateNativeWindow(CWindow* window)
{
    HeadlessState& state = State();
    state.nextWindow += 0x10;
    HWND native = reinterpret_cast<HWND>(state.nextWindow);
    state.windows[native] = window;
    sim::Machine().deviceChangeSink = QueueDeviceChange;
    return native;
}

void DestroyNativeWindow(CWindow* window)
{
    HeadlessState& state = State();
    HWND native = nullptr;
    for (auto it = state.windows.begin(); it != state.windows.end(); ++it) {
        if (it->second != window) continue;
        native = it->first;
        state.windows.erase(it);
        break;
    }
    if (!native) return;
    // As on Windows: its timers die with it, and its messages are not delivered.
    auto& timers = sim::Machine().clock.timers;
    for (size_t i = 0; i < timers.size();) {
        if (timers[i].window == native) timers.erase(timers.begin() + static_cast<long>(i));
        else ++i;
    }
    for (auto& message : state.messages)
        if (message.window == native) message.window = nullptr;
}

void InnerSize(const CWindow* window, int32_t* width, int32_t* height)
{
    // The window's rectangle is its inner area; the frame lies around it.
    const CRect& rect = window->RestoreRect();
    *width = rect.width;
    *height = rect.height;
}

void WindowChanged(CWindow*) {}
void AttachView(CView*) {}
void DetachView(CView*) {}
void ViewChanged(CView*) {}

int ShowMessageBox(const MessageBoxContent& content)
{
    headless::BoxRecord record{content.owner, content.title, {content.lines[0], content.lines[1], content.lines[2]},
                               content.icon};
    State().boxes.push_back(record);
    if (State().whileBoxOpen) State().whileBoxOpen(record);
    return 1;
}

bool WaitForMessages()
{
    if (!State().messages.empty()) {
        headless::DeliverMessages();
        return true;
    }
    return State().idle && State().idle();
}

}  // namespace backend

namespace headless {

void Reset()
{
    HeadlessState& state = State();
    state.windows.clear();
    state.messages.clear();
    state.boxes.clear();
    state.whileBoxOpen = nullptr;
    state.idle = nullptr;
    InitAllModules();
}

const std::vector<BoxRecord>& Boxes()
{
    return State().boxes;
}

void OnMessageBox(std::function<void(const BoxRecord&)> whileOpen)
{
    State().whileBoxOpen = std::move(whileOpen);
}

void PostMessage(HWND window, UINT message, WPARAM wParam, const void* record, size_t size)
{
    QueuedMessage queued{window, message, wParam, {}};
    if (record) {
        const auto* bytes = static_cast<const uint8_t*>(record);
        queued.record.assign(bytes, bytes + size);
    }
    State().messages.push_back(std::move(queued));
}

size_t QueuedMessages()
{
    return State().messages.size();
}

void DeliverMessages()
{
    HeadlessState& state = State();
    while (!state.messages.empty()) {
        QueuedMessage message = std::move(state.messages.front());
        state.messages.pop_front();
        CWindow* window = WindowOf(message.window);
        if (!window) continue;
        LPARAM lParam = message.record.empty() ? 0 : reinterpret_cast<LPARAM>(message.record.data());
        window->DeliverMessage(message.message, message.wParam, lParam);
    }
}

void Pump()
{
    for (int round = 0; round < 1000; ++round) {
        bool busy = !State().messages.empty() || event_loop::HasPending();
        DeliverMessages();
        if (event_loop::InModal()) return;
        event_loop::DispatchPending();
        if (PBackground) PBackground->FreeClosedWindows();
        if (!busy) return;
    }
}

void AdvanceTime(uint32_t ms)
{
    for (const sim::SimTimer& timer : sim::Machine().clock.Advance(ms))
        PostMessage(timer.window, WM_TIMER, timer.id, nullptr, 0);
    if (event_loop::InModal())
        DeliverMessages();
    else
        Pump();
}

CWindow* WindowOf(HWND window)
{
    auto it = State().windows.find(window);
    return it == State().windows.end() ? nullptr : it->second;
}

size_t NativeWindowCount()
{
    return State().windows.size();
}

std::vector<DrawCall> Paint(CView* view)
{
    RecordingDC dc(view->GetPGContext(7)->textFont);
    view->PaintView(&dc);
    return dc.calls;
}

bool Click(CButton* button)
{
    bool pressed = button->Press();
    Pump();
    return pressed;
}

void SetIdle(std::function<bool()> idle)
{
    State().idle = std::move(idle);
}

}  // namespace headless
