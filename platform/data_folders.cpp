// The data folders opened once for the process, for the data folder they
// belong to: a later call gives the same folder, so every operation of the
// run goes through what was checked at its start.
#include "platform/data_folder_system.h"

namespace datafiles {

namespace {

std::string openedRoot;
Folder* opened[3] = {};
bool lookOnly = false;

void ForgetOpened()
{
    for (Folder*& folder : opened) {
        if (folder) CloseSystemFolder(folder);
        folder = nullptr;
    }
}

}  // namespace

bool OpenFolder(Place place, Folder** folder, std::string* problem)
{
    std::string root;
    *folder = nullptr;
    if (!DataFolder(&root)) {
        *problem = "the data folder cannot be had";
        return false;
    }
    Folder*& slot = opened[static_cast<int>(place)];
    // A folder deleted since it was opened (the bench made anew) is opened
    // anew; the path it had is never trusted for anything else.
    if (root != openedRoot || (slot && !FolderStillThere(slot))) {
        ForgetOpened();
        openedRoot = root;
    }
    if (root.empty()) return true;
    if (!slot && place == Place::data)
        slot = OpenSystemFolder(nullptr, root, "", lookOnly || DataFolderNamedByUser(), problem);
    if (!slot && place != Place::data) {
        Folder* data = nullptr;
        if (!OpenFolder(Place::data, &data, problem)) return false;
        const std::string name = PlaceName(place);
        slot = OpenSystemFolder(data, Join(root, name), name, lookOnly, problem);
    }
    *folder = slot;
    return slot != nullptr;
}

void LookOnly()
{
    lookOnly = true;
}

void CloseFolders()
{
    ForgetOpened();
    openedRoot.clear();
}

}  // namespace datafiles
