#include "tests/program_start.h"

#include "app/main_window.h"
#include "toolkit/background.h"
#include "toolkit/headless/headless.h"

COrvelConfig* StartMainWindow()
{
    StartRunRecord();
    PBackground = new CBackground;
    auto* window = new COrvelConfig;
    window->InitMainWindow();
    PBackground->Register(window);
    PBackground->Show();
    headless::Pump();
    return window;
}

void ShutProgram()
{
    if (!PBackground) return;
    PBackground->Done();
    ReleaseBackground();
    EndRunRecord();
}

bool ProgramRunning()
{
    return PBackground && !PBackground->Windows().empty();
}
