#include "machine_data/run_record.h"

#include <cstdio>
#include <vector>

#include "machine_data/data_subfolder.h"
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

bool IsRecordName(const std::string& name)
{
    return name.size() > sizeof prefix + sizeof suffix && name.compare(0, sizeof prefix - 1, prefix) == 0 &&
           name.compare(name.size() - (sizeof suffix - 1), sizeof suffix - 1, suffix) == 0;
}

// The names sort by their date and time: the oldest go first.
void RemoveOldest(const std::string& folder)
{
    std::vector<std::string> names, records;
    if (!datafiles::ListFiles(folder, &names)) return;
    for (const std::string& name : names)
        if (IsRecordName(name)) records.push_back(name);
    for (size_t i = 0; i + maxRecords <= records.size(); ++i) datafiles::RemoveFile(datafiles::Join(folder, records[i]));
}

std::string StampText(const char* format)
{
    datafiles::LocalTime now = datafiles::Now();
    char text[40];
    std::snprintf(text, sizeof text, format, now.year, now.month, now.day, now.hour, now.minute, now.second);
    return text;
}

std::string TimeText()
{
    datafiles::LocalTime now = datafiles::Now();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d ", now.hour, now.minute, now.second);
    return text;
}

// Made with its heading, never over another run's file.
std::string CreateRecord(const std::string& folder, const std::string& heading)
{
    std::string stem = prefix + StampText("%04d%02d%02d-%02d%02d%02d") + "-" + std::to_string(datafiles::ProcessId());
    for (int number = 1; number <= 9; ++number) {
        std::string name = stem;
        if (number > 1) name.append("-").append(std::to_string(number));
        std::string path = datafiles::Join(folder, name.append(suffix));
        bool existed = false;
        if (datafiles::CreateFileOnce(path, heading, &existed)) return path;
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
    std::string folder;
    if (!machinedata::DataSubfolder(datafiles::Subfolder::logs, &folder) || folder.empty()) return false;
    RemoveOldest(folder);
    std::string text = heading + "started = " + StampText("%04d-%02d-%02d %02d:%02d:%02d") + "\n";
    std::string path = CreateRecord(folder, text);
    if (path.empty()) return false;
    file = datafiles::OpenAppend(path);
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
    if (!lastLine.empty() && written + lastLine.size() + 1 <= maxRecordSize) Write(lastLine + "\n");
    datafiles::CloseAppend(file);
    file = nullptr;
}

}  // namespace runrecord
