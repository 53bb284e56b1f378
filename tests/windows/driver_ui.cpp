#include "tests/windows/driver_ui.h"

#include <vector>

#include "tests/windows/png_file.h"

namespace driver {

namespace {

struct Search {
    DWORD processId;
    const char* className;
    const char* text;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    char className[64];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, search->className) != 0) return TRUE;
    if (search->text && WindowText(child) != search->text) return TRUE;
    search->found = child;
    return FALSE;
}

BOOL CALLBACK MatchTop(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    return MatchChild(window, param);
}

HWND FindTop(DWORD processId, const char* className)
{
    Search search{processId, className, nullptr, nullptr};
    EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CollectStatics(HWND child, LPARAM param)
{
    char className[64];
    GetClassNameA(child, className, sizeof className);
    std::string text = WindowText(child);
    if (lstrcmpiA(className, "Static") == 0 && !text.empty()) {
        auto* all = reinterpret_cast<std::string*>(param);
        if (!all->empty()) *all += "\n";
        *all += text;
    }
    return TRUE;
}

}  // namespace

int Run(const std::string& commandLine)
{
    Program program;
    if (!Start(commandLine, &program)) return -1;
    return WaitForExit(program, 30000);
}

bool Start(const std::string& commandLine, Program* program)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &program->process) != FALSE;
}

int WaitForExit(Program& program, DWORD timeoutMs)
{
    if (!program.process.hProcess) return -1;
    if (WaitForSingleObject(program.process.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(program.process.hProcess, &code);
    CloseHandle(program.process.hProcess);
    CloseHandle(program.process.hThread);
    program.process = {};
    return static_cast<int>(code);
}

void Kill(Program& program)
{
    if (!program.process.hProcess) return;
    TerminateProcess(program.process.hProcess, 99);
    WaitForExit(program, 5000);
}

bool WaitForWindow(Program* program, DWORD timeoutMs)
{
    DWORD id = program->process.dwProcessId;
    return WaitUntil([&] { return (program->window = FindTop(id, "VellmarkWindow")) != nullptr; }, timeoutMs);
}

std::string Utf8(const wchar_t* text)
{
    char narrow[4096] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

std::string WindowText(HWND window)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return Utf8(text);
}

HWND FindChild(HWND window, const char* className, const char* text)
{
    Search search{0, className, text, nullptr};
    EnumChildWindows(window, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string PaneText(HWND window)
{
    HWND pane = FindChild(window, "VellmarkPane", nullptr);
    return pane ? WindowText(pane) : std::string();
}

bool IsEnabled(HWND control)
{
    return control && IsWindowEnabled(control) && IsWindowVisible(control);
}

bool Press(HWND window, const char* text)
{
    // A button's text can change a moment after the pane's.
    HWND button = nullptr;
    if (!WaitUntil([&] { return IsEnabled(button = FindChild(window, "Button", text)); }, 3000)) return false;
    PostMessageA(button, BM_CLICK, 0, 0);
    return true;
}

bool ChooseMode(HWND window, int position)
{
    HWND combo = FindChild(window, "ComboBox", nullptr);
    if (!combo) return false;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(position - 1), 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

namespace {

void ClickAt(POINT at)
{
    // Moved there first and given time, as a hand would: the list tracks
    // the pointer before it takes a click. Every event carries the place,
    // so that the window under it gets it whatever the pointer did before.
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    const DWORD place = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    for (DWORD action : {DWORD(0), DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP)}) {
        input.mi.dwFlags = place | action;
        SendInput(1, &input, sizeof(INPUT));
        Sleep(action == 0 ? 150 : 100);
    }
}

// The visible list of the program's combo box, or null.
HWND DroppedList(HWND combo)
{
    struct Search {
        DWORD process;
        HWND found;
    } search = {0, nullptr};
    GetWindowThreadProcessId(combo, &search.process);
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char name[32] = {};
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            GetClassNameA(window, name, sizeof name);
            if (process == s->process && lstrcmpiA(name, "ComboLBox") == 0 && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

POINT CentreOf(HWND window, const RECT& client)
{
    POINT centre = {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ClientToScreen(window, &centre);
    return centre;
}

}  // namespace

bool ClickChooserItem(HWND window, int position)
{
    HWND combo = FindChild(window, "ComboBox", nullptr);
    if (!combo) return false;
    SetForegroundWindow(window);
    RECT box;
    GetClientRect(combo, &box);
    ClickAt(CentreOf(combo, box));
    // The dropped list is a window of its own; the combo box's info record
    // does not come back across processes under Wine, so it is looked for.
    HWND list = nullptr;
    if (!WaitUntil([&] { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) && (list = DroppedList(combo)); }, 3000))
        return false;
    // The item's place from its height and the first item shown: a
    // rectangle asked for across processes may not come back under Wine.
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int first = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    RECT area;
    if (height <= 0 || !GetClientRect(list, &area)) return false;
    RECT item = {area.left, (position - 1 - first) * height, area.right, (position - first) * height};
    ClickAt(CentreOf(list, item));
    return WaitUntil([&] { return !IsWindowVisible(list); }, 3000);
}

int ChooserItemCount(HWND window)
{
    HWND combo = FindChild(window, "ComboBox", nullptr);
    return combo ? static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0)) : 0;
}

std::string ChooserItemText(HWND window, int position)
{
    // The chooser is a Unicode window: its items are asked for as such.
    HWND combo = FindChild(window, "ComboBox", nullptr);
    wchar_t text[64] = {};
    if (!combo || SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(position - 1), 0) >= 64) return "";
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(text));
    return Utf8(text);
}

int ChosenMode(HWND window)
{
    HWND combo = FindChild(window, "ComboBox", nullptr);
    return combo ? static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)) + 1 : 0;
}

bool WaitForBox(DWORD processId, Box* box, DWORD timeoutMs)
{
    HWND found = nullptr;
    if (!WaitUntil([&] { return (found = FindTop(processId, "#32770")) != nullptr; }, timeoutMs)) return false;
    box->window = found;
    box->title = WindowText(found);
    box->text.clear();
    EnumChildWindows(found, CollectStatics, reinterpret_cast<LPARAM>(&box->text));
    return true;
}

void CloseBox(const Box& box)
{
    HWND ok = FindChild(box.window, "Button", nullptr);
    if (ok)
        PostMessageA(ok, BM_CLICK, 0, 0);
    else
        PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box.window); }, 3000);
}

HWND Focused(const Program& program)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(program.process.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
}

void Key(HWND target, WPARAM key, bool alt)
{
    const LPARAM altHeld = alt ? (1 << 29) : 0;
    PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, altHeld | 1);
    PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, key, altHeld | 1 | (1u << 30) | (1u << 31));
}

namespace {

struct ButtonSearch {
    std::vector<HWND> buttons;
};

BOOL CALLBACK CollectButtons(HWND child, LPARAM param)
{
    char className[64];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child))
        reinterpret_cast<ButtonSearch*>(param)->buttons.push_back(child);
    return TRUE;
}

}  // namespace

std::string DefaultLook(HWND window)
{
    ButtonSearch search;
    EnumChildWindows(window, CollectButtons, reinterpret_cast<LPARAM>(&search));
    std::string found;
    int count = 0;
    for (HWND button : search.buttons) {
        if ((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) != BS_DEFPUSHBUTTON) continue;
        found = WindowText(button);
        ++count;
    }
    return count > 1 ? "more than one" : found;
}

std::string DefaultForEnter(HWND window)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer)) return "no answer";
    if (HIWORD(answer) != DC_HASDEFID) return "";
    HWND button = GetDlgItem(window, LOWORD(answer));
    return button ? WindowText(button) : "no such button";
}

namespace {

// Posts the request to the program's window with the hook library hooked
// into its thread, and waits for the answer the library leaves in the
// window's property; null when none came.
HANDLE AskInside(const Program& program, const std::string& hookDll, const char* request, WPARAM wParam,
                 LPARAM lParam, const char* answer)
{
    HMODULE module = LoadLibraryA(hookDll.c_str());
    auto hookProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(module ? GetProcAddress(module, "ChooseMenuItemHook") : nullptr));
    HHOOK hook = hookProc ? SetWindowsHookExA(WH_GETMESSAGE, hookProc, module, program.process.dwThreadId) : nullptr;
    HANDLE found = nullptr;
    if (hook) {
        RemovePropA(program.window, answer);
        PostMessageA(program.window, RegisterWindowMessageA(request), wParam, lParam);
        WaitUntil([&] { return (found = GetPropA(program.window, answer)) != nullptr; }, 5000);
        UnhookWindowsHookEx(hook);
    }
    if (module) FreeLibrary(module);
    return found;
}

}  // namespace

bool IconWidths(const Program& program, const std::string& hookDll, int* small, int* large)
{
    HANDLE found = AskInside(program, hookDll, "VellmarkDriverIconSizes", 0, 0, "VellmarkDriverAnswer");
    const DWORD sizes = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(found));
    *small = LOWORD(sizes);
    *large = HIWORD(sizes);
    return found != nullptr;
}

bool TellDpiChange(const Program& program, const std::string& hookDll, UINT dpi, const RECT& suggested)
{
    const std::string place = std::to_string(suggested.left) + " " + std::to_string(suggested.top) + " " +
                              std::to_string(suggested.right - suggested.left) + " " +
                              std::to_string(suggested.bottom - suggested.top);
    ATOM atom = GlobalAddAtomA(place.c_str());
    HANDLE done = AskInside(program, hookDll, "VellmarkDriverDpiChange", dpi, atom, "VellmarkDriverAnswer");
    GlobalDeleteAtom(atom);
    return done != nullptr;
}

bool ChooseSystemMenuItem(const Program& program, const std::string& hookDll, const char* prefix,
                          std::string* itemText)
{
    ATOM request = GlobalAddAtomA(prefix);
    HANDLE found = AskInside(program, hookDll, "VellmarkDriverChooseMenuItem", request, 0, "VellmarkDriverMenuItem");
    GlobalDeleteAtom(request);
    if (!found || found == reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1))) return false;
    char text[128] = "";
    GlobalGetAtomNameA(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(found)), text, sizeof text);
    *itemText = text;
    return true;
}

std::vector<uint8_t> Capture(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    std::vector<uint8_t> pixels(static_cast<const uint8_t*>(bits),
                                static_cast<const uint8_t*>(bits) + static_cast<size_t>(width) * height * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool Screenshot(const std::string& path)
{
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return WritePng(path, screen.right, screen.bottom, Capture(screen));
}

}  // namespace driver
