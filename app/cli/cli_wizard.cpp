#include "app/cli/cli_wizard.h"

#include <chrono>

#include "camera/interface_list.h"
#include "platform/console_signals.h"
#include "platform/win_api.h"
#include "toolkit/background.h"
#include "toolkit/button.h"

namespace {

// How long one turn sleeps at most, waiting for a change.
constexpr int turnMs = 100;
constexpr uint32_t mainWindowFlag = 0x80000000;

uint64_t NowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

COrvelConfig* CliWizard::Start(const std::string& path)
{
    headless::Reset();
    headless::OnMessageBox([](const headless::BoxRecord&) {});
    PBackground = new CBackground;
    PBackground->Init(true);
    window = new COrvelConfig;
    // The other cameras are passed over from the start: the window's
    // search opens this one, and its step-1 scan keeps passing them over.
    window->otherInterfaces.TakeAllBut(path);
    window->flags |= mainWindowFlag;
    window->savesPosition = false;
    window->InitMainWindow();
    PBackground->Register(window);
    PBackground->Select();
    PBackground->Show();
    lastTickMs = NowMs();
    headless::Pump();
    return window;
}

bool CliWizard::Running() const
{
    return PBackground && !PBackground->Windows().empty();
}

void CliWizard::Close()
{
    if (Running()) {
        window->MakeEvent(closeEvent);
        headless::Pump();
    }
    if (PBackground) {
        PBackground->Done();
        ReleaseBackground();
    }
    window = nullptr;
}

// Where no device message reaches the window (with real cameras it has no
// native window of the system's), the interface list is read instead:
// while the camera's own interface is listed, the cameras that came are
// passed over as the others are; once it is gone, the camera's
// leaving is told to the window as the system would tell it.
void CliWizard::FollowRemoval()
{
    if (DeviceMessagesReachWindow() || !Running() || !(window->familyFlags & connectedFlag)) return;
    const std::vector<std::string> listed = ConnectedInterfaces();
    for (const std::string& path : listed) {
        if (!SameInterface(path, window->devicePath)) continue;
        window->otherInterfaces.JoinAllBut(window->devicePath, listed);
        return;
    }
    DEV_BROADCAST_DEVICEINTERFACE_A record = {};
    record.dbcc_size = sizeof record;
    record.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    headless::PostMessage(window->NativeWindow(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, &record, sizeof record);
}

void CliWizard::Turn()
{
    TakeWorldChanges();
    FollowRemoval();
    const uint64_t now = NowMs();
    headless::AdvanceTime(static_cast<uint32_t>(now - lastTickMs));
    lastTickMs = now;
    headless::Pump();
}

WaitEnd CliWizard::Wait(int seconds, const std::function<bool()>& reached, const std::function<void()>& each)
{
    const uint64_t end = NowMs() + static_cast<uint64_t>(seconds) * 1000;
    for (;;) {
        Turn();
        if (consolesignals::Pending()) return WaitEnd::signalled;
        if (!Running()) return WaitEnd::closed;
        if (reached()) return WaitEnd::reached;
        if (NowMs() >= end) return WaitEnd::timedOut;
        each();
        headless::Pump();
        if (!Running()) return WaitEnd::closed;
        if (reached()) return WaitEnd::reached;
        consolesignals::Wait(turnMs, WorldChangeDescriptor());
    }
}

CButton* CliWizard::Button(uint32_t command) const
{
    if (!Running()) return nullptr;
    for (CButton* button : headless::LiveChildren<CButton>(window))
        if (button->Command() == command && button->IsEnabled()) return button;
    return nullptr;
}

bool CliWizard::Press(uint32_t command)
{
    CButton* button = Button(command);
    if (!button) return false;
    button->Press();
    headless::Pump();
    return true;
}

std::string CliWizard::LastBox() const
{
    const auto& boxes = headless::Boxes();
    return boxes.empty() ? std::string() : boxes.back().lines[0];
}
