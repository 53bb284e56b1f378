// Walks the installer's pages as a person does, pressing its default button
// (control 1: Next, Install, Finish) and photographing each page's window
// for the user guide; then the same for the uninstaller, run in place.
//
//   installer_pages.exe SETUP.EXE INSTALL_DIR SHOTS_DIR LANGUAGE
//
// writes SHOTS_DIR\installer-welcome-LANGUAGE.png, installer-directory-,
// installer-finish- and uninstaller-finish-LANGUAGE.png. Pages are told
// apart by their controls, not their texts, so any language walks alike.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/windows/driver_ui.h"
#include "tests/windows/png_file.h"

using namespace driver;

namespace {

int failures = 0;

void Check(bool ok, const std::string& what)
{
    if (!ok) ++failures;
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
    std::fflush(stdout);
}

struct TopSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TopSearch*>(param);
    DWORD owner = 0;
    char className[16];
    GetWindowThreadProcessId(window, &owner);
    GetClassNameA(window, className, sizeof className);
    if (owner != search->processId || !IsWindowVisible(window) || lstrcmpA(className, "#32770") != 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND Dialog(const Program& program)
{
    TopSearch search{program.process.dwProcessId, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Shows(HWND window, const char* className)
{
    HWND child = FindChild(window, className, nullptr);
    return child && IsWindowVisible(child);
}

// The page that asks for (or shows) the folder: its edit field.
bool FolderPage(HWND window)
{
    return Shows(window, "Edit") && IsEnabled(GetDlgItem(window, 1));
}

// A last page: neither the folder nor the progress bar, the button enabled.
bool FinishPage(HWND window)
{
    return !Shows(window, "Edit") && !Shows(window, "msctls_progress32") && IsEnabled(GetDlgItem(window, 1));
}

void Photograph(HWND window, const std::string& path)
{
    Sleep(300);  // for the repaints that follow the page's change
    RECT area;
    GetWindowRect(window, &area);
    Check(WritePng(path, area.right - area.left, area.bottom - area.top, Capture(area)), "photographed " + path);
}

void Next(HWND window)
{
    SendMessageA(GetDlgItem(window, 1), BM_CLICK, 0, 0);
}

// Starts the command, photographs its pages (the first one only when
// firstShot is given) and presses through them to its end.
void Walk(const std::string& commandLine, const std::string& firstShot, const std::string& folderShot,
          const std::string& finishShot)
{
    Program program;
    HWND window = nullptr;
    if (!Start(commandLine, &program) || !WaitUntil([&] { return (window = Dialog(program)) != nullptr; }, 30000)) {
        Check(false, "a window of " + commandLine);
        return;
    }
    if (!firstShot.empty()) {
        Check(WaitUntil([&] { return !Shows(window, "Edit") && IsEnabled(GetDlgItem(window, 1)); }, 30000),
              "the welcome page");
        Photograph(window, firstShot);
        Next(window);
    }
    Check(WaitUntil([&] { return FolderPage(window); }, 30000), "the page with the folder");
    if (!folderShot.empty()) Photograph(window, folderShot);
    Next(window);
    Check(WaitUntil([&] { return FinishPage(window); }, 60000), "the last page");
    Photograph(window, finishShot);
    Next(window);
    Check(WaitForExit(program, 30000) == 0, "ends with exit code 0: " + commandLine);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: installer_pages SETUP.EXE INSTALL_DIR SHOTS_DIR LANGUAGE\n");
        return 2;
    }
    const std::string setup = argv[1], folder = argv[2], shots = argv[3], language = argv[4];
    const std::string suffix = "-" + language + ".png";
    Walk("\"" + setup + "\"", shots + "\\installer-welcome" + suffix, shots + "\\installer-directory" + suffix,
         shots + "\\installer-finish" + suffix);
    // In place (_?=), so that this process is the one that shows the pages.
    Walk("\"" + folder + "\\Uninstall.exe\" _?=" + folder, "", "", shots + "\\uninstaller-finish" + suffix);
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
