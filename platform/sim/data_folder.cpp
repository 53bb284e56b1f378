// With simulated cameras the machine's data lives in the bench beside
// them: what outlives a run outlives it with the cameras and the registry
// it belongs to. A machine without a bench lives in memory only.
#include "platform/data_files.h"
#include "platform/sim/sim_machine.h"

namespace datafiles {

bool DataFolder(std::string* path)
{
    *path = sim::Machine().BenchDir();
    return true;
}

bool DataFolderNamedByUser()
{
    return true;
}

const char* PlaceName(Place place)
{
    return place == Place::backups ? "backups" : place == Place::logs ? "logs" : "";
}

}  // namespace datafiles
