/* A library planted beside a program under the name of a system library
   (version.dll), as a web page may save one into a Downloads folder. It
   leaves two markers beside itself, each naming the program:
   "version.dll.loaded" when it is loaded, and "version.dll.called" when one
   of the functions that the programs take from version.dll is called, which
   then finds nothing, so a program that took them shows no version. Wine's
   own user32.dll and setupapi.dll import version.dll's wide functions,
   which this library does not have. */
#include <windows.h>

static HINSTANCE self;

/* Appends the program's path to the marker SUFFIX beside this library. */
static void Mark(const char* suffix)
{
    char marker[MAX_PATH + 16], program[MAX_PATH + 2];
    DWORD length = GetModuleFileNameA(self, marker, MAX_PATH), written;
    HANDLE file;
    if (length == 0 || length >= MAX_PATH) return;
    lstrcpyA(marker + length, suffix);
    file = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    length = GetModuleFileNameA(NULL, program, MAX_PATH);
    if (length >= MAX_PATH) length = 0;
    lstrcpyA(program + length, "\r\n");
    WriteFile(file, program, length + 2, &written, NULL);
    CloseHandle(file);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    self = instance;
    Mark(".loaded");
    return TRUE;
}

__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle)
{
    (void)file;
    Mark(".called");
    if (handle) *handle = 0;
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return 0;
}

__declspec(dllexport) BOOL WINAPI GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, LPVOID block)
{
    (void)file, (void)handle, (void)size, (void)block;
    Mark(".called");
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
}

__declspec(dllexport) BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length)
{
    (void)block, (void)subBlock, (void)buffer, (void)length;
    Mark(".called");
    return FALSE;
}
