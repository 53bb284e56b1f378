// The descriptor of an opened data folder, for the POSIX parts of the
// platform that open files in it themselves (the one-copy lock).
#pragma once

#include <sys/stat.h>

#include "platform/data_files.h"

namespace datafiles {

int FolderFd(const Folder* folder);
// What root makes in the folder given to the data folder's owner.
void GiveToDataOwner(const Folder* folder, int fd);
// The facts of an opened file of the folder, simulated ones included.
Standing FileStanding(const Folder* folder, const std::string& name, const struct stat& info);

}  // namespace datafiles
