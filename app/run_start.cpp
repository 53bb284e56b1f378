// The run's record begun with what support asks first: the program's
// version, the system it runs on and where its data lives.
#include <string>

#include "app/main_window.h"
#include "machine_data/run_record.h"
#include "platform/data_files.h"
#include "platform/win_api.h"

namespace {

std::string PlatformText()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    std::string text = win::GetVersionExA(&version)
                           ? "Windows " + std::to_string(version.dwMajorVersion) + "." +
                                 std::to_string(version.dwMinorVersion) + " build " +
                                 std::to_string(version.dwBuildNumber)
                           : std::string("Windows of unknown version");
#ifndef _WIN32
    text += " (simulated, in a terminal)";
#endif
    return text + (sizeof(void*) == 8 ? ", 64-bit program" : ", 32-bit program");
}

}  // namespace

void StartRunRecord(const char* program, const char* command)
{
    char version[32];
    GetFileVersionText(31, version);
    std::string data;
    if (!datafiles::DataFolder(&data)) data = "(cannot be had)";
    std::string from = program ? "program = " + std::string(program) + "\n" : std::string();
    if (command) from += "command = " + std::string(command) + "\n";
    runrecord::Open("# Vellmark run record, for technical support\n" + from + "version = " + std::string(version) +
                    "\nplatform = " + PlatformText() + "\ndata folder = " + data + "\n");
}

void EndRunRecord(const char* exitLine)
{
    runrecord::Close("end: the program ended", exitLine ? exitLine : "");
}
