// The record of a change of several files of one folder, so that the
// change is whole even when its process dies between renames:
//
//   FOLDER/intent.txt    one line a file: "TARGET NEWFILE"
//
// A change writes every new file first, then this record (itself renamed
// into place, so it is there whole or not at all), then renames the new
// files over their targets and removes the record. Once the record is
// there the change is made: a reader takes a target's content from its new
// file while that is still there, and the next change finishes the renames.
// Without the record no new file counts, and the sweep removes them.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/bench/bench_files.h"
#include "platform/sim/bench/bench_files_os.h"

namespace sim::bench {

extern const char intentFile[];

struct Intent {
    struct Rename {
        std::string target, newFile;  // names in the folder
    };
    std::vector<Rename> renames;

    // The name in the folder whose content is the target's now.
    std::string Current(const std::string& target, const std::vector<os::Entry>& entries) const;
};

// The folder's record, none when there is none; false with the damage
// when it is not a record of this kind.
bool ReadIntent(const std::string& dir, const std::string& folder, const std::vector<os::Entry>& entries,
                Intent* intent, std::string* damage);
// Commits the prepared files of one folder as one change; false, nothing
// changed, when the record could not be saved.
bool CommitTogether(const std::string& dir, const std::string& folder, std::vector<Replacement>& prepared,
                    std::string* error);
// Finishes the renames of a record left behind and removes it.
bool FinishIntent(const std::string& dir, const std::string& folder, std::string* error);

}  // namespace sim::bench
