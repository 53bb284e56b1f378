// The journal of driver keys granted the write permission and not yet
// revoked: DATA/grants.txt in the machine's data folder, one key a line
// with the run that granted it. A key goes on it before its value is
// written and comes off only once the value is found gone, so that a run
// ended by a kill, a crash or a power cut leaves the key listed for the
// next start to revoke, and a start can leave alone what a run that still
// lives granted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace grantjournal {

// The file's name in the data folder.
extern const char fileName[];
// Its path, DATA/grants.txt, for texts.
std::string Path();

struct Entry {
    std::string key;         // the key's path below HKLM
    uint32_t processId = 0;  // the run that granted it; 0 when unknown
    uint64_t startTime = 0;
};

// Puts the key on the journal as this run's, saved before it returns;
// false when it cannot be saved (the grant is then not made).
bool Add(const char* keyPath);
// Takes the key off; false when the journal cannot be saved.
bool Remove(const char* keyPath);

enum class Reading {
    read,        // *entries holds the journal (nothing for no journal)
    unreadable,  // there is a file, but not one the program can believe: *why
    unusable,    // the data folder cannot be used: *why
};
Reading Entries(std::vector<Entry>* entries, std::string* why);
// Writes the journal anew with these keys as this run's (removes it for
// none), whatever stood there before.
bool ReplaceWith(const std::vector<std::string>& keys);

// The entry's line taken off only while it is still that run's: a run
// that granted the key since keeps its line. False when the journal cannot
// be read or saved.
bool RemoveEntry(const Entry& entry);
// Whether the journal, read now, still lists the key for the entry's run.
bool Lists(const Entry& entry);

// Registry keys are named without regard to letter case.
bool SameKey(const std::string& a, const std::string& b);
// Whether the run that granted the entry still runs (this process's own
// entries do not count: at start they are a former run's).
bool RunLives(const Entry& entry);

}  // namespace grantjournal
