// A subfolder of the machine's data folder, made when missing.
#pragma once

#include <string>

#include "platform/data_files.h"

namespace machinedata {

// True with its path; true with an empty path on a machine that does not
// outlive the process (nothing is kept there); false when the folder
// cannot be had or made (a file of its name, say).
bool DataSubfolder(datafiles::Subfolder which, std::string* path);

}  // namespace machinedata
