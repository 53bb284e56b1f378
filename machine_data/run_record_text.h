// The text of a run's record as it stands on disk, kept beside the file so
// that the record can be written anew within its bound: its heading, its
// lines, and where lines were dropped, a line telling how many.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace runrecord {

class RecordText {
public:
    // The heading the record was made with; the lines start anew.
    void Start(const std::string& heading);
    size_t Size() const { return size; }
    // Lines ending in a line feed. A line that matters (a write, a put-back,
    // a revoke, the end) is the last to be dropped; withLast keeps them
    // with the line before, as its follower (the count of its repeats).
    void Append(const std::string& text, bool matters, bool withLast);
    // Drops lines after the head, oldest first, to make room: those that do
    // not matter until `wanted` bytes more fit within `limit`, those that do
    // only as far as `needed` bytes more require. False when even those do
    // not fit.
    bool MakeRoom(size_t needed, size_t wanted, size_t limit);
    // The whole text, for the file written anew.
    std::string Whole() const;

private:
    struct Line {
        std::string text;
        bool matters;
        // A line that stands for this many lines dropped, when not 0.
        size_t dropped;
    };
    bool DropOldest(bool matters);
    size_t Measure() const;

    std::string heading;
    std::vector<Line> lines;
    // The first lines, up to a few KiB, stay with the heading: the run's start.
    size_t headLines = 0;
    size_t size = 0;
};

}  // namespace runrecord
