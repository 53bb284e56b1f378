#include "machine_data/run_record_text.h"

namespace runrecord {

namespace {

// The heading and the lines of the run's start kept with it.
constexpr size_t headSize = 8 * 1024;

std::string DroppedText(size_t count)
{
    return "(" + std::to_string(count) + " lines dropped here to keep the record within 64 KiB)\n";
}

size_t LinesIn(const std::string& text)
{
    size_t count = 0;
    for (char c : text) count += c == '\n';
    return count;
}

}  // namespace

void RecordText::Start(const std::string& text)
{
    heading = text;
    lines.clear();
    headLines = 0;
    size = heading.size();
}

void RecordText::Append(const std::string& text, bool matters, bool withLast)
{
    size += text.size();
    if (withLast && !lines.empty() && lines.back().dropped) {
        // Its line was dropped: it goes with it.
        lines.back().dropped += LinesIn(text);
        size = Measure();
        return;
    }
    if (withLast && !lines.empty()) {
        lines.back().text += text;
        return;
    }
    lines.push_back({text, matters, 0});
    if (headLines + 1 == lines.size() && size <= headSize) ++headLines;
}

size_t RecordText::Measure() const
{
    size_t total = heading.size();
    for (const Line& line : lines) total += line.dropped ? DroppedText(line.dropped).size() : line.text.size();
    return total;
}

// The oldest line after the head of the kind given becomes part of the
// dropped lines beside it, or a dropped line of its own.
bool RecordText::DropOldest(bool matters)
{
    size_t at = headLines;
    while (at < lines.size() && (lines[at].dropped || lines[at].matters != matters)) ++at;
    if (at == lines.size()) return false;
    size_t count = LinesIn(lines[at].text);
    if (at > headLines && lines[at - 1].dropped) {
        lines[at - 1].dropped += count;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
        --at;
    } else {
        lines[at] = {std::string(), false, count};
    }
    if (at + 1 < lines.size() && lines[at + 1].dropped) {
        lines[at].dropped += lines[at + 1].dropped;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at + 1));
    }
    size = Measure();
    return true;
}

bool RecordText::MakeRoom(size_t needed, size_t wanted, size_t limit)
{
    while (size + wanted > limit && DropOldest(false)) {
    }
    while (size + needed > limit && DropOldest(true)) {
    }
    return size + needed <= limit;
}

std::string RecordText::Whole() const
{
    std::string text = heading;
    for (const Line& line : lines) text += line.dropped ? DroppedText(line.dropped) : line.text;
    return text;
}

}  // namespace runrecord
