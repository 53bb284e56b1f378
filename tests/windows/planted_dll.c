/* A library planted beside a program under the name of a system library
   (version.dll), as a web page may save one into a Downloads folder. It
   leaves two markers beside itself, each naming the program:
   "version.dll.loaded" when it is loaded, and "version.dll.called" when one
   of the functions that the programs take from version.dll is called, which
   then finds nothing, so a program that took them shows no version. Wine's
   own user32.dll and setupapi.dll import version.dll's wide functions, so
   those are passed on to System32's version.dll, unmarked. */
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

/* System32's version.dll, by its full path. */
static FARPROC SystemFunction(const char* name)
{
    static HMODULE system;
    if (!system) {
        WCHAR path[MAX_PATH + 16];
        UINT length = GetSystemDirectoryW(path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return NULL;
        lstrcpyW(path + length, L"\\version.dll");
        system = LoadLibraryW(path);
    }
    return system ? GetProcAddress(system, name) : NULL;
}

typedef DWORD(WINAPI* SizeW)(LPCWSTR, LPDWORD);
typedef BOOL(WINAPI* InfoW)(LPCWSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI* QueryW)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR file, LPDWORD handle)
{
    SizeW size = (SizeW)(void*)SystemFunction("GetFileVersionInfoSizeW");
    return size ? size(file, handle) : 0;
}

__declspec(dllexport) BOOL WINAPI GetFileVersionInfoW(LPCWSTR file, DWORD handle, DWORD size, LPVOID block)
{
    InfoW info = (InfoW)(void*)SystemFunction("GetFileVersionInfoW");
    return info ? info(file, handle, size, block) : FALSE;
}

__declspec(dllexport) BOOL WINAPI VerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, PUINT length)
{
    QueryW query = (QueryW)(void*)SystemFunction("VerQueryValueW");
    return query ? query(block, subBlock, buffer, length) : FALSE;
}
