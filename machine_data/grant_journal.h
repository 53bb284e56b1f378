// The journal of driver keys granted the write permission and not yet
// revoked: DATA/grants.txt in the machine's data folder, one key a line.
// A key goes on it before its value is written and comes off only once the
// value is gone, so that a run ended by a kill, a crash or a power cut
// leaves the key listed for the next start to revoke.
#pragma once

#include <string>
#include <vector>

namespace grantjournal {

// The file's name in the data folder.
extern const char fileName[];

// Puts the key on the journal, saved before it returns; false when it
// cannot be saved (the grant is then not made).
bool Add(const char* keyPath);
// Takes the key off; false when the journal cannot be saved.
bool Remove(const char* keyPath);
// The keys listed, in the order they were added; false when the journal
// cannot be read.
bool Keys(std::vector<std::string>* keys);

}  // namespace grantjournal
