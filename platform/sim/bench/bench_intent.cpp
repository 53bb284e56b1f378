#include "platform/sim/bench/bench_intent.h"

#include <sstream>

#include "platform/sim/bench/bench.h"

namespace sim::bench {

const char intentFile[] = "intent.txt";

namespace {

bool Has(const std::vector<os::Entry>& entries, const std::string& name)
{
    for (const auto& entry : entries)
        if (entry.name == name) return true;
    return false;
}

std::string LastName(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

// A target of a camera folder, and a new file beside it of its own name.
bool ParseRename(const std::string& line, Intent::Rename* rename)
{
    std::istringstream words(line);
    std::string extra;
    words >> rename->target >> rename->newFile;
    if (words >> extra) return false;
    bool known = rename->target == "eeprom.bin" || rename->target == "state.txt" || rename->target == "transfers.txt";
    return known && rename->newFile.rfind(rename->target + ".new.", 0) == 0 &&
           rename->newFile.find('/') == std::string::npos && rename->newFile.find('\\') == std::string::npos;
}

std::string Record(const std::vector<Replacement>& prepared)
{
    std::string text;
    for (const auto& file : prepared) text += LastName(file.Path()) + " " + LastName(file.Temporary()) + "\n";
    return text;
}

}  // namespace

std::string Intent::Current(const std::string& target, const std::vector<os::Entry>& entries) const
{
    for (const auto& rename : renames)
        if (rename.target == target && Has(entries, rename.newFile)) return rename.newFile;
    return target;
}

bool ReadIntent(const std::string& dir, const std::string& folder, const std::vector<os::Entry>& entries,
                Intent* intent, std::string* damage)
{
    intent->renames.clear();
    if (!Has(entries, intentFile)) return true;
    std::string text, reason;
    if (!os::ReadRegular(dir, folder + "/" + intentFile, intentLimit, &text, &reason)) {
        *damage = std::string(intentFile) + " cannot be read: " + reason;
        return false;
    }
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        Intent::Rename rename;
        if (!ParseRename(line, &rename)) {
            *damage = std::string(intentFile) + " line " + std::to_string(number) + " is not understood: " + line;
            return false;
        }
        intent->renames.push_back(rename);
    }
    return true;
}

bool CommitTogether(const std::string& dir, const std::string& folder, std::vector<Replacement>& prepared,
                    std::string* error)
{
    if (prepared.size() == 1) return prepared[0].Commit(error);
    if (!ReplaceWhole(dir, folder + "/" + intentFile, Record(prepared), error)) return false;
    // The change is made: a rename that fails now is finished by the next
    // change, and readers meanwhile take the content from the new file.
    bool all = true;
    std::string late;
    for (auto& file : prepared) {
        if (file.Commit(&late)) continue;
        file.Keep();
        all = false;
    }
    if (all) os::RemoveFile(dir, folder + "/" + intentFile);
    return true;
}

bool FinishIntent(const std::string& dir, const std::string& folder, std::string* error)
{
    std::vector<os::Entry> entries;
    std::string reason;
    Intent intent;
    if (!os::ListFolder(dir, folder, &entries, &reason) || !Has(entries, intentFile)) return true;
    if (!ReadIntent(dir, folder, entries, &intent, error)) return false;
    for (const auto& rename : intent.renames) {
        if (!Has(entries, rename.newFile)) continue;  // renamed already
        if (!os::Rename(dir, folder + "/" + rename.newFile, folder + "/" + rename.target, &reason)) {
            *error = "cannot finish the last change of " + BenchPath(dir, folder) + ": cannot save " +
                     rename.target + ": " + reason;
            return false;
        }
    }
    if (os::RemoveFile(dir, folder + "/" + intentFile)) return true;
    *error = "cannot finish the last change of " + BenchPath(dir, folder) + ": cannot remove " + intentFile;
    return false;
}

}  // namespace sim::bench
