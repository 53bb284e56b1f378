// The main window's overrides: they start the wizard when the native window
// exists, route the commands, run the one-time administrator check, and
// close the camera when the window goes.
#include "app/main_window.h"
#include "app/orvel_config.h"
#include "machine_data/run_record.h"
#include "overscan/administrator_probe.h"
#include "platform/win_api.h"
#include "toolkit/message_box.h"

namespace {

constexpr UINT_PTR adminCheckTimer = 1;
constexpr UINT adminCheckDelay = 300;

}  // namespace

bool permissionLeftAtEnd = false;

void COrvelConfig::CheckAdministrator()
{
    win::KillTimer(NativeWindow(), adminCheckTimer);
    if (runrecord::AdministratorProbe(IsAdministrator())) return;
    ShowError("Application requires administrative priviledges", "Run it as Administrator", piInfo32);
    runrecord::CloseAsked(wizardStep, "the program, after its box");
    MakeEvent(closeEvent);
}

bool COrvelConfig::ReceiveMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_DEVICECHANGE && HandleDeviceChange(wParam, lParam)) return true;
    // The timer fires once: the check after start.
    if (message == WM_TIMER) CheckAdministrator();
    return CWindow::ReceiveMsg(message, wParam, lParam, result);
}

void COrvelConfig::CreatePeerWindow()
{
    CWindow::CreatePeerWindow();
    OpenCamera();
    wizardStep = 0;
    NextStep();
    win::SetTimer(NativeWindow(), adminCheckTimer, adminCheckDelay, nullptr);
}

// What the run granted and could not take back yet, tried twice; what stays
// is not told in a box (the window is closing) but in the record and the
// program's exit code.
void COrvelConfig::RevokeAtClose()
{
    const bool stayedBefore = permissionStayed;
    permissionStayed = !RevokeGrantedDriverWrites() && !RevokeGrantedDriverWrites();
    if (permissionStayed && !stayedBefore) runrecord::PermissionStays();
    permissionLeftAtEnd = permissionStayed;
}

// Closing at step 2 still runs the step's work, a grant among it; whatever
// the run granted is taken back once the camera is closed.
void COrvelConfig::CloseCameraForGood()
{
    CloseCamera();
    RevokeAtClose();
}

void COrvelConfig::DeletePeerWindow()
{
    closing = true;
    CloseCameraForGood();
    CNodeView::DeletePeerWindow();
}

void COrvelConfig::Done()
{
    // The step the user saw: a camera closed at step 2 leads the wizard on
    // to step 3 on its way out.
    const int stepSeen = wizardStep;
    closing = true;
    CloseCameraForGood();
    const CRect position = IsMinimized() || IsMaximized() ? RestoreRect() : CurrentRect();
    int32_t saved[2] = {position.x, position.y};
    if (savesPosition) SaveWindowPos(saved);
    runrecord::WindowClosed(stepSeen);
    CWindow::Done();
}

void COrvelConfig::ReceiveEvent(TEvent* event)
{
    if (IsCommandEvent(*event)) {
        switch (event->command) {
        case cmAbout:
            ShowAbout();
            StopEvent(event);
            break;
        case cmExecuteStep: ExecuteStep(); break;
        case cmNextStep: NextStep(); break;
        case cmSelectionChanged: FollowModeChoice(); break;
        default: break;
        }
    }
    CWindow::ReceiveEvent(event);
}
