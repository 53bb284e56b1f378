#include "machine_data/data_subfolder.h"

namespace machinedata {

bool DataSubfolder(datafiles::Subfolder which, std::string* path)
{
    std::string folder;
    path->clear();
    if (!datafiles::DataFolder(&folder)) return false;
    if (folder.empty()) return true;
    *path = datafiles::Join(folder, datafiles::SubfolderName(which));
    return datafiles::MakeFolder(*path);
}

}  // namespace machinedata
