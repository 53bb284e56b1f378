// A camera's state file: one "key value" line each, read strictly. A text
// that is not a state (a line not understood, no class or plugged line)
// makes the camera damaged; it is never read as some default.
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "platform/sim/bench/bench.h"
#include "platform/sim/sim_camera.h"

namespace sim::bench {

namespace {

const char* FaultName(FaultKind kind)
{
    switch (kind) {
    case FaultKind::dropRequest: return "drop-request";
    case FaultKind::dropReply: return "drop-reply";
    case FaultKind::status: return "status";
    case FaultKind::shortReply: return "short-reply";
    case FaultKind::stuckByte: return "stuck-byte";
    case FaultKind::lastByteFlipped: return "last-byte-flipped";
    case FaultKind::hold: return "hold";
    }
    return "";
}

bool FaultKindOf(const std::string& name, FaultKind* kind)
{
    for (FaultKind k : {FaultKind::dropRequest, FaultKind::dropReply, FaultKind::status, FaultKind::shortReply,
                        FaultKind::stuckByte, FaultKind::lastByteFlipped, FaultKind::hold}) {
        if (name == FaultName(k)) {
            *kind = k;
            return true;
        }
    }
    return false;
}

// Digits only, whole, at most the limit.
bool Decimal(const std::string& text, unsigned long limit, unsigned long* value)
{
    if (text.empty() || text.size() > 10) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    *value = std::strtoul(text.c_str(), nullptr, 10);
    return *value <= limit;
}

bool YesNo(const std::string& text, bool* value)
{
    if (text != "yes" && text != "no") return false;
    *value = text == "yes";
    return true;
}

// "KIND N", "status N 0xSS", either followed by "fired".
bool ParseFault(std::istringstream& words, Fault* fault)
{
    std::string kind, at, status, rest;
    words >> kind >> at;
    unsigned long number = 0;
    if (!FaultKindOf(kind, &fault->kind) || !Decimal(at, 0xFFFFFFFFul, &number) || number == 0) return false;
    fault->atTransfer = static_cast<uint32_t>(number);
    if (fault->kind == FaultKind::status) {
        words >> status;
        if (status.size() != 4 || status.compare(0, 2, "0x") != 0) return false;
        char* end = nullptr;
        fault->status = static_cast<uint8_t>(std::strtoul(status.c_str() + 2, &end, 16));
        if (*end) return false;
    }
    if (words >> rest) {
        if (rest != "fired") return false;
        fault->fired = true;
    }
    return !(words >> rest);
}

bool ParseLine(const std::string& line, SimCamera& camera, bool* sawClass, bool* sawPlugged, bool* sawPath)
{
    std::istringstream words(line);
    std::string key, value, extra;
    words >> key;
    if (key.empty()) return true;
    if (key == "path") {
        *sawPath = line.size() > 5 && line.compare(0, 5, "path ") == 0;
        if (*sawPath) camera.interfacePath = line.substr(5);
        return *sawPath;
    }
    if (key == "fault") {
        Fault fault{FaultKind::status, 0, 0};
        if (!ParseFault(words, &fault)) return false;
        camera.faults.push_back(fault);
        return true;
    }
    words >> value;
    if (words >> extra) return false;
    unsigned long number = 0;
    if (key == "class" && Decimal(value, 6, &number) && number >= 1) {
        camera.classRow = static_cast<int>(number);
        *sawClass = true;
        return true;
    }
    if (key == "plugged") return *sawPlugged = YesNo(value, &camera.plugged);
    if (key == "permitted") return YesNo(value, &camera.writePermitted);
    if (key == "busy") return YesNo(value, &camera.interfaceBusy);
    if (key == "order" && Decimal(value, 0xFFFFFFFFul, &number)) {
        camera.order = static_cast<uint32_t>(number);
        return true;
    }
    if (key == "plug-ins" && Decimal(value, 0xFFFFFFFFul, &number)) {
        camera.generation = static_cast<uint32_t>(number);
        return true;
    }
    return false;
}

}  // namespace

std::string StateText(const SimCamera& camera)
{
    std::string text;
    text += "class " + std::to_string(camera.classRow) + "\n";
    text += std::string("plugged ") + (camera.plugged ? "yes" : "no") + "\n";
    text += std::string("permitted ") + (camera.writePermitted ? "yes" : "no") + "\n";
    text += "order " + std::to_string(camera.order) + "\n";
    text += "path " + camera.interfacePath + "\n";
    text += std::string("busy ") + (camera.interfaceBusy ? "yes" : "no") + "\n";
    text += "plug-ins " + std::to_string(camera.generation) + "\n";
    for (const auto& fault : camera.faults) {
        text += std::string("fault ") + FaultName(fault.kind) + " " + std::to_string(fault.atTransfer);
        if (fault.kind == FaultKind::status) {
            char status[8];
            std::snprintf(status, sizeof status, " 0x%02x", fault.status);
            text += status;
        }
        text += fault.fired ? " fired\n" : "\n";
    }
    return text;
}

bool ApplyStateText(const std::string& text, SimCamera& camera, std::string* damage)
{
    SimCamera read(camera.name, 1);
    read.faults.clear();
    std::istringstream lines(text);
    std::string line;
    bool sawClass = false, sawPlugged = false, sawPath = false;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!ParseLine(line, read, &sawClass, &sawPlugged, &sawPath)) {
            if (damage) *damage = "state.txt line " + std::to_string(number) + " is not understood: " + line;
            return false;
        }
    }
    if (!sawClass || !sawPlugged) {
        if (damage) *damage = std::string("state.txt has no ") + (sawClass ? "plugged" : "class") + " line";
        return false;
    }
    if (!sawPath) read.interfacePath = SimCamera(camera.name, read.classRow).interfacePath;
    camera.classRow = read.classRow;
    camera.plugged = read.plugged;
    camera.writePermitted = read.writePermitted;
    camera.order = read.order;
    camera.interfacePath = read.interfacePath;
    camera.interfaceBusy = read.interfaceBusy;
    camera.generation = read.generation;
    camera.faults = read.faults;
    return true;
}

}  // namespace sim::bench
