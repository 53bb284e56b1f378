// What a folder's files go through while a test runs: every name that is
// made, written, renamed to or from, or removed in it, from the moment of
// the watch's making (inotify, so no write escapes, whether its bytes are
// new or the same, in the same second or not).
#pragma once

#include <string>
#include <vector>

class FileWatch {
public:
    explicit FileWatch(const std::string& folder);
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    bool Watching() const { return watch >= 0; }
    // The names touched since the watch began, in order, one for each change.
    std::vector<std::string> Touched();

private:
    int queue = -1;
    int watch = -1;
};
