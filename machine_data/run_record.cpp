#include "machine_data/run_record.h"

#include <cstdio>
#include <vector>

#include "platform/data_files.h"

namespace runrecord {

namespace {

const char prefix[] = "run-";
const char suffix[] = ".txt";
// Kept back from the ordinary lines for the note that the record is full
// and for the lines that end it.
constexpr size_t endReserve = 512;

datafiles::AppendFile* file = nullptr;
size_t written = 0;
bool full = false;

bool Digits(const std::string& text, size_t start, size_t count)
{
    if (start + count > text.size() || count == 0) return false;
    for (size_t i = start; i < start + count; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// Only the names the program makes: run-YYYYMMDD-HHMMSS-PID.txt, with
// -2 ... -9 before .txt for a second record of one second and process.
bool IsRecordName(const std::string& name)
{
    const size_t stamp = sizeof prefix - 1, pid = stamp + 16;
    if (name.compare(0, stamp, prefix) != 0 || !Digits(name, stamp, 8) || name.size() < pid + 5 ||
        name[stamp + 8] != '-' || !Digits(name, stamp + 9, 6) || name[stamp + 15] != '-')
        return false;
    size_t end = name.size() - (sizeof suffix - 1);
    if (name.compare(end, std::string::npos, suffix) != 0) return false;
    if (end >= pid + 2 && name[end - 2] == '-' && Digits(name, end - 1, 1)) end -= 2;
    return Digits(name, pid, end - pid);
}

// The names sort by their time in UTC: the oldest go first.
void RemoveOldest(datafiles::Folder* folder)
{
    std::vector<std::string> names, records;
    if (!datafiles::List(folder, &names)) return;
    for (const std::string& name : names)
        if (IsRecordName(name)) records.push_back(name);
    for (size_t i = 0; i + maxRecords <= records.size(); ++i) datafiles::Remove(folder, records[i]);
}

std::string StampText(const char* format)
{
    datafiles::UtcTime now = datafiles::Now();
    char text[40];
    std::snprintf(text, sizeof text, format, now.year, now.month, now.day, now.hour, now.minute, now.second);
    return text;
}

std::string TimeText()
{
    datafiles::UtcTime now = datafiles::Now();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d ", now.hour, now.minute, now.second);
    return text;
}

// Made with its heading, never over another run's file.
std::string CreateRecord(datafiles::Folder* folder, const std::string& heading)
{
    std::string stem = prefix + StampText("%04d%02d%02d-%02d%02d%02d") + "-" + std::to_string(datafiles::ProcessId());
    for (int number = 1; number <= 9; ++number) {
        std::string name = stem;
        if (number > 1) name.append("-").append(std::to_string(number));
        name.append(suffix);
        bool existed = false;
        if (datafiles::CreateOnce(folder, name, heading, &existed)) return name;
        if (!existed) return "";
    }
    return "";
}

void Write(const std::string& line)
{
    if (datafiles::Append(file, line)) written += line.size();
}

}  // namespace

bool Open(const std::string& heading)
{
    Close("");
    datafiles::Folder* folder = nullptr;
    std::string why;
    if (!datafiles::OpenFolder(datafiles::Place::logs, &folder, &why) || !folder) return false;
    RemoveOldest(folder);
    std::string text = heading + "started = " + StampText("%04d-%02d-%02d %02d:%02d:%02d") +
                       " UTC (every time in this record is UTC)\n";
    std::string name = CreateRecord(folder, text);
    if (name.empty()) return false;
    file = datafiles::OpenAppend(folder, name);
    written = text.size();
    full = false;
    return file != nullptr;
}

void Note(const std::string& line, bool last)
{
    if (!file || (full && !last)) return;
    std::string text = TimeText() + line + "\n";
    if (last) {
        if (written + text.size() <= maxRecordSize) Write(text);
        return;
    }
    if (written + text.size() + endReserve > maxRecordSize) {
        full = true;
        Write("record full: the entries after this one are left out\n");
        return;
    }
    Write(text);
}

void Close(const std::string& lastLine)
{
    if (!file) return;
    const std::string line = lastLine.empty() ? "" : lastLine + " at " + StampText("%04d-%02d-%02d %02d:%02d:%02d") + " UTC";
    if (!line.empty() && written + line.size() + 1 <= maxRecordSize) Write(line + "\n");
    datafiles::CloseAppend(file);
    file = nullptr;
}

}  // namespace runrecord
