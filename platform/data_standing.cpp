#include "platform/data_standing.h"

namespace datafiles {

namespace {

StandingHook simulated = nullptr;

}  // namespace

std::string PlantedWhy(const Standing& file)
{
    if (file.redirect) return "a link";
    if (file.folder) return "a folder";
    if (file.special == Special::fifo) return "a FIFO";
    if (file.special == Special::socket) return "a socket";
    if (!file.regular) return "not a regular file";
    if (file.links != 1) return "a file with " + std::to_string(file.links) + " links";
    if (!file.programsOwner) return "owned by another account";
    if (file.othersMayWrite) return "writable by other accounts";
    return "";
}

bool Planted(const Standing& file)
{
    return !PlantedWhy(file).empty();
}

FolderUse JudgeFolder(const Standing& folder)
{
    if (folder.redirect || !folder.folder) return FolderUse::refuse;
    if (folder.programsOwner && !folder.othersMayWrite) return FolderUse::use;
    return folder.canTakeOver ? FolderUse::takeOver : FolderUse::refuse;
}

std::string NamedFolderRefusal(const Standing& folder)
{
    if (folder.redirect) return "a link";
    if (!folder.folder) return "not a folder";
    if (folder.othersMayWrite) return "others may write it; name a folder that only its owner may write";
    if (!folder.programsOwner && !folder.canTakeOver) return "owned by another account";
    return "";
}

FolderUse JudgeNamedFolder(const Standing& folder)
{
    return NamedFolderRefusal(folder).empty() ? FolderUse::use : FolderUse::refuse;
}

void SimulateStanding(StandingHook hook)
{
    simulated = hook;
}

void Observe(const std::string& relativePath, Standing* standing)
{
    if (simulated) simulated(relativePath, standing);
}

}  // namespace datafiles
