// The Windows program's entry.
#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int showMode)
{
    return RunProgram(instance, showMode);
}
