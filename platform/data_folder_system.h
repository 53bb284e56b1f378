// What each system does for the data folders, below the cache of folders
// opened once (data_folders.cpp): open one, made when missing and checked;
// tell whether it is still there; close it.
#pragma once

#include <string>

#include "platform/data_files.h"

namespace datafiles {

// The folder at path, in the parent folder under the name (the data folder
// itself: no parent, an empty name); null with *problem when it cannot be
// used. A folder the user named is only opened and judged, never made nor
// changed; any other is made when missing and taken over where it must be.
Folder* OpenSystemFolder(Folder* parent, const std::string& path, const std::string& name, bool named,
                         std::string* problem);
// False for a folder deleted since it was opened.
bool FolderStillThere(const Folder* folder);
void CloseSystemFolder(Folder* folder);

}  // namespace datafiles
