// The grants journal as a text file: a comment line, then one line per key,
// "HKLM\" and the key's path, and the run that granted it:
//
//   HKLM\SYSTEM\...\Parameters  (run 1234, started 987654)
//
// Lines are read without regard to letter case or blanks at their ends;
// lines that are no such key are dropped at the next save. The file is
// always written whole and renamed into place.
#include "machine_data/grant_journal.h"

#include <cstdlib>

#include "platform/data_files.h"

namespace grantjournal {

const char fileName[] = "grants.txt";

namespace {

const char heading[] = "# Driver keys given AllowEEPROMWrite and not revoked yet; revoked at the next start.\n";
const char machineRoot[] = "HKLM\\";
const char runMark[] = "  (run ";
constexpr size_t sizeLimit = 64 * 1024;

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string Trimmed(const std::string& text)
{
    size_t start = 0, end = text.size();
    while (start < end && IsBlank(text[start])) ++start;
    while (end > start && IsBlank(text[end - 1])) --end;
    return text.substr(start, end - start);
}

bool StartsWithRoot(const std::string& line)
{
    return line.size() > sizeof machineRoot - 1 && SameKey(line.substr(0, sizeof machineRoot - 1), machineRoot);
}

// Only printable ASCII, tabs and line ends: anything else is no journal.
bool IsText(const std::string& text)
{
    for (unsigned char c : text)
        if ((c < 32 && c != '\n' && c != '\r' && c != '\t') || c > 126) return false;
    return true;
}

// "(run PID, started TIME)" after the key; a key without it is a former
// run's whose process is unknown.
Entry ParseLine(const std::string& line)
{
    Entry entry;
    size_t mark = line.rfind(runMark);
    std::string key = line;
    if (mark != std::string::npos && line.back() == ')') {
        const char* numbers = line.c_str() + mark + sizeof runMark - 1;
        char* end = nullptr;
        entry.processId = static_cast<uint32_t>(std::strtoul(numbers, &end, 10));
        if (end && std::string(end).compare(0, 10, ", started ") == 0)
            entry.startTime = std::strtoull(end + 10, nullptr, 10);
        key = Trimmed(line.substr(0, mark));
    }
    entry.key = key.substr(sizeof machineRoot - 1);
    return entry;
}

Reading Load(datafiles::Folder* folder, std::vector<Entry>* entries, std::string* why)
{
    entries->clear();
    std::string text;
    switch (datafiles::Read(folder, fileName, sizeLimit, &text)) {
    case datafiles::ReadResult::missing: return Reading::read;
    case datafiles::ReadResult::planted: *why = "not made by the program"; return Reading::unreadable;
    case datafiles::ReadResult::failed: *why = "unreadable or over 64 KiB"; return Reading::unreadable;
    case datafiles::ReadResult::read: break;
    }
    if (!IsText(text)) {
        *why = "not text";
        return Reading::unreadable;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = Trimmed(text.substr(start, end - start));
        if (StartsWithRoot(line)) entries->push_back(ParseLine(line));
        start = end + 1;
    }
    return Reading::read;
}

bool Save(datafiles::Folder* folder, const std::vector<Entry>& entries)
{
    if (entries.empty()) return datafiles::Remove(folder, fileName);
    std::string text = heading;
    for (const Entry& entry : entries) {
        text += machineRoot + entry.key;
        if (entry.processId)
            text += runMark + std::to_string(entry.processId) + ", started " + std::to_string(entry.startTime) + ")";
        text += "\n";
    }
    return datafiles::Replace(folder, fileName, text);
}

Entry ThisRun(const std::string& key)
{
    Entry entry;
    entry.key = key;
    entry.processId = datafiles::ProcessId();
    entry.startTime = datafiles::ProcessStartTime(entry.processId);
    return entry;
}

// Reads the journal, keeps the entries that keep accepts, adds one where
// given, and saves it when that changed it. False when the journal cannot be
// read or saved; true at once for a machine that keeps nothing.
template <typename Keep>
bool Rewrite(Keep keep, const Entry* added)
{
    datafiles::Folder* folder = nullptr;
    std::string why;
    if (!datafiles::OpenFolder(datafiles::Place::data, &folder, &why)) return false;
    if (!folder) return true;
    std::vector<Entry> entries, kept;
    if (Load(folder, &entries, &why) != Reading::read) return false;
    for (const Entry& entry : entries)
        if (keep(entry)) kept.push_back(entry);
    if (added) kept.push_back(*added);
    if (!added && kept.size() == entries.size()) return true;
    return Save(folder, kept);
}

// Puts the key on as this run's or takes it off.
bool Update(const char* keyPath, bool listed)
{
    const Entry thisRun = ThisRun(keyPath);
    const auto otherKey = [keyPath](const Entry& entry) { return !SameKey(entry.key, keyPath); };
    return Rewrite(otherKey, listed ? &thisRun : nullptr);
}

bool SameRun(const Entry& a, const Entry& b)
{
    return SameKey(a.key, b.key) && a.processId == b.processId && a.startTime == b.startTime;
}

}  // namespace

bool SameKey(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool RunLives(const Entry& entry)
{
    if (entry.processId == 0 || entry.processId == datafiles::ProcessId()) return false;
    uint64_t started = datafiles::ProcessStartTime(entry.processId);
    return started != 0 && started == entry.startTime;
}

std::string Path()
{
    std::string data;
    datafiles::DataFolder(&data);
    return datafiles::Join(data, fileName);
}

bool Add(const char* keyPath)
{
    return Update(keyPath, true);
}

bool Remove(const char* keyPath)
{
    return Update(keyPath, false);
}

bool RemoveEntry(const Entry& entry)
{
    return Rewrite([&entry](const Entry& listed) { return !SameRun(listed, entry); }, nullptr);
}

bool Lists(const Entry& entry)
{
    std::vector<Entry> entries;
    std::string why;
    if (Entries(&entries, &why) != Reading::read) return false;
    for (const Entry& listed : entries)
        if (SameRun(listed, entry)) return true;
    return false;
}

Reading Entries(std::vector<Entry>* entries, std::string* why)
{
    datafiles::Folder* folder = nullptr;
    entries->clear();
    if (!datafiles::OpenFolder(datafiles::Place::data, &folder, why)) return Reading::unusable;
    return folder ? Load(folder, entries, why) : Reading::read;
}

bool ReplaceWith(const std::vector<std::string>& keys)
{
    datafiles::Folder* folder = nullptr;
    std::string why;
    if (!datafiles::OpenFolder(datafiles::Place::data, &folder, &why)) return false;
    if (!folder) return true;
    std::vector<Entry> entries;
    for (const std::string& key : keys) entries.push_back(ThisRun(key));
    return Save(folder, entries);
}

}  // namespace grantjournal
