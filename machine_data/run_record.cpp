#include "machine_data/run_record.h"

#include <cstdio>
#include <vector>

#include "machine_data/run_record_text.h"
#include "platform/data_files.h"

namespace runrecord {

namespace {

const char prefix[] = "run-";
const char suffix[] = ".txt";
// Dropped beyond the room a line needs, so that a full record is written
// anew once every few KiB, not at every line.
constexpr size_t dropAhead = 8 * 1024;

datafiles::Folder* folder = nullptr;
std::string fileName;
datafiles::AppendFile* file = nullptr;
// What the file holds, or ought to: after a failed append it may hold part
// of a line, and is written anew with the next one.
RecordText record;
bool writeAnew = false;
// The last line noted, and how often it came again at once since, the
// last time at what time.
std::string previousLine;
size_t repeats = 0;
std::string lastRepeat;

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
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.hour, now.minute, now.second);
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

// The file replaced by the record's text, and opened again to go on.
void WriteAnew()
{
    datafiles::CloseAppend(file);
    writeAnew = !datafiles::Replace(folder, fileName, record.Whole());
    file = datafiles::OpenAppend(folder, fileName);
}

// Lines appended while they fit; past the bound, middle lines are dropped
// and the file is written anew.
void Write(const std::string& text, bool matters, bool withLast = false)
{
    if (!file) return;
    if (!writeAnew && record.Size() + text.size() <= maxRecordSize) {
        if (datafiles::Append(file, text)) {
            record.Append(text, matters, withLast);
            return;
        }
        writeAnew = true;
    }
    if (record.MakeRoom(text.size(), text.size() + dropAhead, maxRecordSize)) record.Append(text, matters, withLast);
    WriteAnew();
}

// The repeats of the last line, told once another line comes or the record ends.
void TellRepeats()
{
    if (repeats == 0) return;
    Write("(the same " + std::to_string(repeats) + " times more, until " + lastRepeat + ")\n", false, true);
    repeats = 0;
}

}  // namespace

bool Open(const std::string& heading)
{
    Close("");
    folder = nullptr;
    std::string why;
    if (!datafiles::OpenFolder(datafiles::Place::logs, &folder, &why) || !folder) return false;
    RemoveOldest(folder);
    std::string text = heading + "started = " + StampText("%04d-%02d-%02d %02d:%02d:%02d") +
                       " UTC (every time in this record is UTC)\n";
    fileName = CreateRecord(folder, text);
    if (fileName.empty()) return false;
    file = datafiles::OpenAppend(folder, fileName);
    record.Start(text);
    writeAnew = false;
    previousLine.clear();
    repeats = 0;
    return file != nullptr;
}

void Note(const std::string& line, bool matters)
{
    if (!file) return;
    if (line == previousLine) {
        ++repeats;
        lastRepeat = TimeText();
        return;
    }
    TellRepeats();
    previousLine = line;
    Write(TimeText() + " " + line + "\n", matters);
}

void Close(const std::string& lastLine, const std::string& afterLast)
{
    if (!file) return;
    TellRepeats();
    if (!lastLine.empty()) Write(lastLine + " at " + StampText("%04d-%02d-%02d %02d:%02d:%02d") + " UTC\n", true);
    if (!afterLast.empty()) Write(afterLast + "\n", true);
    datafiles::CloseAppend(file);
    file = nullptr;
}

}  // namespace runrecord
