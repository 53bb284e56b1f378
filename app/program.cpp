// The program from start to end: toolkit start-up, the main window at its
// saved place, the event loop, and shut-down.
#include "app/main_window.h"
#include "app/orvel_config.h"
#include "machine_data/leftovers.h"
#include "machine_data/update_note.h"
#include "platform/win_api.h"
#include "toolkit/background.h"
#include "toolkit/modules.h"

namespace {

constexpr uint32_t mainWindowFlag = 0x80000000;
constexpr int aboutIconId = 1001;

}  // namespace

int RunProgram(HMODULE instance, int showMode)
{
    InitAllModules();
    SetAppHandle(instance);
    aboutIcon = InitResIconNum(GetAppHandle(), aboutIconId);
    PBackground = new CBackground;
    PBackground->Init(true);

    permissionLeftAtEnd = false;
    // Before anything in the data folder is read: what killed runs left half made.
    machinedata::SweepLeftovers();
    StartRunRecord();
    // A note of unfinished updates that cannot be read as the program's, told.
    updatenote::Mend();
    // Before the first scan: what a run that never revoked left behind.
    RevokeLeftoverGrants();
    auto* window = new COrvelConfig;
    window->flags |= mainWindowFlag;
    window->InitMainWindow();
    auto large = static_cast<TIcon>(win::LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    auto small = static_cast<TIcon>(win::LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    window->SetWinIcon(small, large);
    PBackground->Register(window);

    if (showMode == SW_SHOWMINIMIZED || showMode == SW_MINIMIZE)
        window->Minimize();
    else if (showMode == SW_SHOWMAXIMIZED)
        window->Maximize();

    PBackground->Select();
    PBackground->Show();
    PBackground->Exec();
    PBackground->Done();
    EndRunRecord();
    return permissionLeftAtEnd ? 1 : 0;
}
