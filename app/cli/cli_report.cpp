#include "app/cli/cli_report.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <cstring>

#include "i18n/translate.h"
#include "platform/data_files.h"

namespace {

// Standard output is one for the process, whichever report wrote to it
// (a write's job keeps a copy that names its camera): its first failure.
int outputError = 0;

}  // namespace

CliText Said(const char* format, std::initializer_list<std::string_view> values)
{
    return {FillPlaces(format, values), TrFormat(format, values)};
}

CliText AsIs(const std::string& text)
{
    return {text, text};
}

std::string JsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

void JsonLine::Key(const char* key)
{
    if (!members.empty()) members += ", ";
    members += JsonString(key) + ": ";
}

JsonLine& JsonLine::Text(const char* key, const std::string& value)
{
    Key(key);
    members += JsonString(value);
    return *this;
}

JsonLine& JsonLine::Number(const char* key, long long value)
{
    Key(key);
    members += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::Flag(const char* key, bool value)
{
    Key(key);
    members += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::Null(const char* key)
{
    Key(key);
    members += "null";
    return *this;
}

void CliReport::Out(const std::string& line) const
{
    errno = 0;
    if ((std::fputs((line + "\n").c_str(), stdout) < 0 || std::fflush(stdout) != 0) && !outputError)
        outputError = errno ? errno : EIO;
}

bool CliReport::OutputFailed(std::string* why) const
{
    if (outputError && why) *why = std::strerror(outputError);
    return outputError != 0;
}

JsonLine CliReport::Stamped(JsonLine line) const
{
    if (cameraId.empty()) return line;
    const datafiles::UtcTime t = datafiles::Now();
    char time[32];
    std::snprintf(time, sizeof time, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return line.Number("camera_id", std::strtoll(cameraId.c_str(), nullptr, 10)).Text("time", time);
}

void CliReport::Event(const char* name, const std::string& text) const
{
    if (json)
        Out(Stamped(JsonLine().Text("event", name)).Finish());
    else if (!text.empty())
        Out(text);
}

int CliReport::Error(int code, const CliText& text) const
{
    if (json) {
        Out(Stamped(JsonLine().Text("event", "error").Number("code", code).Text("message", text.english)).Finish());
    } else {
        std::fputs(("vellmark-cli: " + text.shown + "\n").c_str(), stderr);
        std::fflush(stderr);
    }
    return code;
}
