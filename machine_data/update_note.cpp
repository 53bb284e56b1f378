// The note of unfinished updates as a text file: a comment line, then one
// line per camera. Lines that are no such camera (another mode word, a
// number out of range) are dropped at the next save; the file is always
// written whole and renamed into place, and goes with its last camera.
#include "machine_data/update_note.h"

#include <cstdlib>
#include <vector>

#include "machine_data/run_record.h"
#include "platform/data_files.h"

namespace updatenote {

const char fileName[] = "unfinished.txt";

namespace {

const char heading[] = "# Cameras whose last update did not finish: product id, camera id, the mode written.\n";
constexpr size_t sizeLimit = 16 * 1024;
const char* const modes[] = {"Disabled", "Enabled", "Original"};

struct Line {
    uint16_t productId;
    uint32_t cameraId;
    std::string mode;
};

bool KnownMode(const std::string& mode)
{
    for (const char* known : modes)
        if (mode == known) return true;
    return false;
}

// A decimal number of at most max, all of the text.
bool ParseNumber(const std::string& text, unsigned long max, unsigned long* value)
{
    if (text.empty() || text.size() > 10) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    *value = std::strtoul(text.c_str(), nullptr, 10);
    return *value <= max;
}

bool ParseLine(const std::string& text, Line* line)
{
    size_t first = text.find(' ');
    size_t second = first == std::string::npos ? first : text.find(' ', first + 1);
    if (second == std::string::npos) return false;
    unsigned long productId = 0, cameraId = 0;
    line->mode = text.substr(second + 1);
    if (!ParseNumber(text.substr(0, first), 0xFFFFu, &productId) ||
        !ParseNumber(text.substr(first + 1, second - first - 1), 0xFFFFFFFFul, &cameraId) || !KnownMode(line->mode))
        return false;
    line->productId = static_cast<uint16_t>(productId);
    line->cameraId = static_cast<uint32_t>(cameraId);
    return true;
}

// The data folder, or null for a machine that does not outlive the
// process; false when it cannot be used.
bool NoteFolder(datafiles::Folder** folder)
{
    std::string why;
    return datafiles::OpenFolder(datafiles::Place::data, folder, &why);
}

// Only printable ASCII, tabs and line ends: anything else is no note.
bool IsText(const std::string& text)
{
    for (unsigned char c : text)
        if ((c < 32 && c != '\n' && c != '\r' && c != '\t') || c > 126) return false;
    return true;
}

enum class NoteKind {
    own,          // the program's note, in *text, or none at all
    replaceable,  // not the program's, but a rename or a removal takes its name
    stuck,        // a folder or a socket: its name cannot be taken
};

// What stands at the note's name, and why it is not the program's note.
// Looked at before it is opened: a FIFO is never opened.
NoteKind Inspect(datafiles::Folder* folder, std::string* text, std::string* why)
{
    text->clear();
    datafiles::Standing standing;
    if (!datafiles::Look(folder, fileName, &standing)) return NoteKind::own;
    *why = datafiles::PlantedWhy(standing);
    if (standing.folder || standing.special == datafiles::Special::socket ||
        standing.special == datafiles::Special::device)
        return NoteKind::stuck;
    if (standing.redirect || !standing.regular) return NoteKind::replaceable;
    switch (datafiles::Read(folder, fileName, sizeLimit, text)) {
    case datafiles::ReadResult::missing: return NoteKind::own;
    case datafiles::ReadResult::planted: *why = "not made by the program"; return NoteKind::replaceable;
    case datafiles::ReadResult::failed: *why = "unreadable or over 16 KiB"; return NoteKind::replaceable;
    case datafiles::ReadResult::read: break;
    }
    if (IsText(*text)) return NoteKind::own;
    *why = "not text";
    return NoteKind::replaceable;
}

// A note the program cannot read as its own tells nothing: it is read as
// empty and replaced at the next save, unless nothing can take its name.
bool Load(datafiles::Folder* folder, std::vector<Line>* lines)
{
    lines->clear();
    std::string text, why;
    const NoteKind kind = Inspect(folder, &text, &why);
    if (kind == NoteKind::stuck) return false;
    if (kind == NoteKind::replaceable) text.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string part = text.substr(start, end - start);
        if (!part.empty() && part.back() == '\r') part.pop_back();
        Line line;
        if (ParseLine(part, &line)) lines->push_back(line);
        start = end + 1;
    }
    return true;
}

bool Save(datafiles::Folder* folder, const std::vector<Line>& lines)
{
    if (lines.empty()) return datafiles::Remove(folder, fileName);
    std::string text = heading;
    for (const Line& line : lines)
        text += std::to_string(line.productId) + " " + std::to_string(line.cameraId) + " " + line.mode + "\n";
    return datafiles::Replace(folder, fileName, text);
}

// The camera's line replaced by one with the mode, or taken off (mode
// empty). A camera without a line to take off leaves the file as it is.
bool Update(uint16_t productId, uint32_t cameraId, const std::string& mode)
{
    datafiles::Folder* folder = nullptr;
    if (!NoteFolder(&folder)) return false;
    if (!folder) return true;
    std::vector<Line> lines, others;
    if (!Load(folder, &lines)) return false;
    bool listed = false;
    for (const Line& line : lines) {
        if (line.productId == productId && line.cameraId == cameraId)
            listed = true;
        else
            others.push_back(line);
    }
    if (mode.empty() && !listed) return true;
    if (!mode.empty()) others.push_back(Line{productId, cameraId, mode});
    return Save(folder, others);
}

}  // namespace

std::string Path()
{
    std::string data;
    datafiles::DataFolder(&data);
    return datafiles::Join(data, fileName);
}

bool Mend()
{
    datafiles::Folder* folder = nullptr;
    if (!NoteFolder(&folder) || !folder) return true;
    std::string text, why;
    switch (Inspect(folder, &text, &why)) {
    case NoteKind::own: return true;
    case NoteKind::replaceable:
        runrecord::Note("update note " + Path() + " not the program's (" + why + "): " +
                        (datafiles::Remove(folder, fileName) ? "removed, the cameras it named are lost"
                                                             : "cannot be removed"));
        return true;
    case NoteKind::stuck: break;
    }
    runrecord::Note("update note " + Path() + " is " + why +
                    ", which cannot be replaced: no camera is written while it stands");
    return false;
}

bool Begin(uint16_t productId, uint32_t cameraId, const std::string& mode)
{
    return KnownMode(mode) && Update(productId, cameraId, mode);
}

bool End(uint16_t productId, uint32_t cameraId)
{
    return Update(productId, cameraId, "");
}

bool Find(uint16_t productId, uint32_t cameraId, std::string* mode, bool* found)
{
    datafiles::Folder* folder = nullptr;
    *found = false;
    if (!NoteFolder(&folder)) return false;
    if (!folder) return true;
    std::vector<Line> lines;
    if (!Load(folder, &lines)) return false;
    for (const Line& line : lines) {
        if (line.productId == productId && line.cameraId == cameraId) {
            *mode = line.mode;
            *found = true;
        }
    }
    return true;
}

}  // namespace updatenote
