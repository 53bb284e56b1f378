// With real cameras the machine's data lives in %ProgramData%\Vellmark, the
// folder Windows keeps for programs' data of the whole machine.
#include <windows.h>
#include <shlobj.h>

#include "platform/data_files.h"

namespace datafiles {

bool DataFolder(std::string* path)
{
    char common[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common))) return false;
    *path = Join(common, "Vellmark");
    return true;
}

bool DataFolderNamedByUser()
{
    return false;
}

const char* PlaceName(Place place)
{
    return place == Place::backups ? "Backups" : place == Place::logs ? "Logs" : "";
}

}  // namespace datafiles
