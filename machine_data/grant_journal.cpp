// The grants journal as a text file: a comment line, then one line per key,
// "HKLM\" and the key's path. Lines that are no such key are dropped at the
// next save; the file is always written whole and renamed into place.
#include "machine_data/grant_journal.h"

#include <algorithm>

#include "platform/data_files.h"

namespace grantjournal {

const char fileName[] = "grants.txt";

namespace {

const char heading[] = "# Driver keys given AllowEEPROMWrite and not revoked yet; revoked at the next start.\n";
const char machineRoot[] = "HKLM\\";
constexpr size_t sizeLimit = 64 * 1024;

// The journal's path, or empty for a machine that does not outlive the
// process; false when the data folder cannot be had.
bool JournalPath(std::string* path)
{
    std::string folder;
    if (!datafiles::DataFolder(&folder)) return false;
    *path = folder.empty() ? "" : datafiles::Join(folder, fileName);
    return true;
}

bool Load(const std::string& path, std::vector<std::string>* keys)
{
    keys->clear();
    std::string text;
    datafiles::ReadResult read = datafiles::ReadFile(path, sizeLimit, &text);
    if (read == datafiles::ReadResult::missing) return true;
    if (read == datafiles::ReadResult::failed) return false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, sizeof machineRoot - 1, machineRoot) == 0 && line.size() > sizeof machineRoot - 1)
            keys->push_back(line.substr(sizeof machineRoot - 1));
        start = end + 1;
    }
    return true;
}

bool Save(const std::string& path, const std::vector<std::string>& keys)
{
    if (keys.empty()) return datafiles::RemoveFile(path);
    std::string text = heading;
    for (const std::string& key : keys) text += machineRoot + key + "\n";
    return datafiles::ReplaceFile(path, text);
}

}  // namespace

// Puts the key on or takes it off, saving only when that changes the list.
static bool Update(const char* keyPath, bool listed)
{
    std::string path;
    if (!JournalPath(&path)) return false;
    if (path.empty()) return true;
    std::vector<std::string> keys;
    if (!Load(path, &keys)) return false;
    auto found = std::find(keys.begin(), keys.end(), keyPath);
    if ((found != keys.end()) == listed) return true;
    if (listed)
        keys.push_back(keyPath);
    else
        keys.erase(found);
    return Save(path, keys);
}

bool Add(const char* keyPath)
{
    return Update(keyPath, true);
}

bool Remove(const char* keyPath)
{
    return Update(keyPath, false);
}

bool Keys(std::vector<std::string>* keys)
{
    std::string path;
    keys->clear();
    if (!JournalPath(&path)) return false;
    return path.empty() || Load(path, keys);
}

}  // namespace grantjournal
