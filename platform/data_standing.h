// Whether the program may believe what it finds in its data folder: the
// rules, once for both systems. Each system reads the facts of an opened
// file or folder (its owner, who else may write it, what kind it is) into
// a Standing; the rules here judge it. A simulated system can put its own
// facts over the real ones (an owner, a reparse point, a foreign writer),
// so the rules of a system that this machine cannot show are driven too.
#pragma once

#include <cstdint>
#include <string>

namespace datafiles {

// What a name that is neither a regular file nor a folder holds, where
// the system tells.
enum class Special { none, fifo, socket, device };

struct Standing {
    bool redirect = false;  // a symbolic link, a junction or another reparse point
    bool folder = false;
    bool regular = false;
    Special special = Special::none;
    uint32_t links = 1;
    // Owned by the program: SYSTEM, Administrators, the owner the
    // program's token gives to what it makes or the token's user, on
    // Windows; the user running the program or root elsewhere.
    bool programsOwner = true;
    // Another account may write it: a DACL entry for anyone else, or no
    // DACL at all, on Windows; a write bit for group or others elsewhere.
    bool othersMayWrite = false;
    // The program can set its own owner and protected DACL (its mode) on it.
    bool canTakeOver = true;
};

// A file that the program did not make, or that another could have changed.
bool Planted(const Standing& file);
// Why, in a few words, for the run record; empty when it is not planted.
std::string PlantedWhy(const Standing& file);

enum class FolderUse {
    use,       // the program's own
    takeOver,  // the program's owner and rules are set on it first
    refuse,    // never used
};
FolderUse JudgeFolder(const Standing& folder);
// A folder the user names (the bench) is never changed: used as it stands,
// or refused when it is a link or no folder, when others may write it, or
// when it is another account's and the program may not use it (root may
// use a user's, and leaves it theirs).
FolderUse JudgeNamedFolder(const Standing& folder);
// Why a folder the user names is refused, in a few words; empty when not.
std::string NamedFolderRefusal(const Standing& folder);

// The facts a simulated system puts over the real ones: called with the
// path relative to the data folder ("" for the folder itself, "backups",
// "backups/1030-1.txt", "grants.txt").
using StandingHook = void (*)(const std::string& relativePath, Standing* standing);
void SimulateStanding(StandingHook hook);
// The facts of the system, with the simulated ones over them.
void Observe(const std::string& relativePath, Standing* standing);

}  // namespace datafiles
