// The About box and the file version it shows.
#include "app/main_window.h"
#include "app/orvel_config.h"
#include "machine_data/run_record.h"
#include "platform/win_api.h"
#include "toolkit/memory.h"
#include "toolkit/message_box.h"
#include "toolkit/text.h"

const char* const copyrightNotice = "Copyright (C) 2009-2026 Kestrane";
TIcon aboutIcon = nullptr;

namespace {

constexpr uint32_t maxFileName = 259;

// The query path of FileVersion in the string table that the record's first
// translation names: "\StringFileInfo\" + eight hex digits + "\FileVersion".
bool FileVersionQuery(void* block, char* query)
{
    void* translation = nullptr;
    UINT size = 0;
    if (!win::VerQueryValueA(block, "\\VarFileInfo\\Translation", &translation, &size) || !translation ||
        size < 4)
        return false;
    uint32_t entry = 0;
    Move(translation, &entry, 4);
    uint32_t swapped = (entry << 16) | (entry >> 16);  // language high, code page low
    uint8_t ok = 0;
    CardToStrA(swapped, maxFileName, query, 16, &ok);
    if (!ok) return false;
    while (LengthA(maxFileName, query) < 8) PrependA(maxFileName, query, 0, "0");
    PrependA(maxFileName, query, 0, "\\StringFileInfo\\");
    AppendA(maxFileName, query, 0, "\\FileVersion");
    return true;
}

bool ReadFileVersion(uint32_t maxLen, char* text)
{
    char name[maxFileName + 1];
    if (win::GetModuleFileNameA(GetAppHandle(), name, maxFileName + 1) == 0) return false;
    DWORD handle = 0;
    DWORD size = win::GetFileVersionInfoSizeA(name, &handle);
    if (size == 0) return false;
    void* block = nullptr;
    if (!Allocate(&block, size)) return false;
    bool found = false;
    void* value = nullptr;
    UINT length = 0;
    if (win::GetFileVersionInfoA(name, 0, size, block) && FileVersionQuery(block, name) &&
        win::VerQueryValueA(block, name, &value, &length) && value) {
        uint32_t count = length < maxLen ? length : maxLen;
        Move(value, text, count);
        text[count] = 0;
        found = true;
    }
    Free(&block);
    return found;
}

}  // namespace

void GetFileVersionText(uint32_t maxLen, char* text)
{
    if (!ReadFileVersion(maxLen, text)) CopyA(maxLen, text, 7, "unknown");
}

void COrvelConfig::ShowAbout()
{
    char version[32];
    GetFileVersionText(31, version);
    runrecord::Box("About configuration tool", "Overscan v1.1", version);
    DoMessageBox(this, 2, CRect(), 1, 1, 4, 24, "About configuration tool", 13, "Overscan v1.1", 31, version,
                 LengthA(0, copyrightNotice), copyrightNotice, aboutIcon);
}
