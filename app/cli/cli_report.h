// What the console program tells: lines of text, or one JSON object a line.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One JSON object, its members added in order.
class JsonLine {
public:
    JsonLine& Text(const char* key, const std::string& value);
    JsonLine& Number(const char* key, long long value);
    JsonLine& Flag(const char* key, bool value);
    JsonLine& Null(const char* key);
    std::string Finish() const { return "{" + members + "}"; }

private:
    void Key(const char* key);
    std::string members;
};

// Bytes as a JSON string: quotes, backslashes, control and non-ASCII
// characters escaped, so any camera type gives valid JSON.
std::string JsonString(const std::string& text);

// A message in its two forms: English, as a --json line carries it (a
// script's output never changes with the language), and as a person reads
// it in plain text, in the chosen language.
struct CliText {
    std::string english;
    std::string shown;
};
// The message of an English format with places {1} to {9}: filled in as it
// stands for English, through TrFormat for the person.
CliText Said(const char* format, std::initializer_list<std::string_view> values = {});
// A text another part of the system made, which has no translation (the
// bench's own errors): the same in both forms.
CliText AsIs(const std::string& text);

class CliReport {
public:
    explicit CliReport(bool json) : json(json) {}
    bool Json() const { return json; }
    // A line of standard output.
    void Out(const std::string& line) const;
    // The camera the job works on (its camera ID as status prints it): from
    // then on every JSON line of the job carries it, and the time.
    void NameCamera(const std::string& id) { cameraId = id; }
    // The line with camera_id and time (UTC, as 2026-12-10T04:05:06Z)
    // added, once a camera is named.
    JsonLine Stamped(JsonLine line) const;
    // An event of the job: its text line (none when empty), or
    // {"event": NAME} stamped.
    void Event(const char* name, const std::string& text) const;
    // A failure: on standard error as "vellmark-cli: TEXT" (as shown), or
    // as {"event": "error", "code": CODE, "message": TEXT} (in English).
    // Gives the code.
    int Error(int code, const CliText& text) const;
    // Whether a line of standard output could not be written (closed, a
    // full disk); *why says how.
    bool OutputFailed(std::string* why = nullptr) const;

private:
    bool json;
    std::string cameraId;
};
