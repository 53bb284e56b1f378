// camsim fault: arms a fault at a transfer of a camera, or clears them,
// as one change on the bench, and says what it did.
#include <cstdio>

#include "platform/sim/sim_machine.h"
#include "tools/camsim/camsim_commands.h"
#include "tools/camsim/camsim_output.h"
#include "tools/camsim/camsim_numbers.h"

namespace {

const char faultUsage[] = "usage: fault NAME KIND TRANSFER [STATUS] | fault NAME clear";

bool KindOf(const std::string& name, sim::FaultKind* kind)
{
    const struct {
        const char* name;
        sim::FaultKind kind;
    } kinds[] = {{"drop-request", sim::FaultKind::dropRequest},
                 {"drop-reply", sim::FaultKind::dropReply},
                 {"status", sim::FaultKind::status},
                 {"short-reply", sim::FaultKind::shortReply},
                 {"stuck-byte", sim::FaultKind::stuckByte},
                 {"last-byte-flipped", sim::FaultKind::lastByteFlipped},
                 {"hold", sim::FaultKind::hold}};
    for (const auto& entry : kinds) {
        if (name == entry.name) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

// The fault the arguments describe; 0, or the exit code of bad input.
int ParseFault(const Arguments& args, sim::Fault* fault)
{
    if (!KindOf(args[1], &fault->kind))
        return BadInput("unknown fault kind '" + args[1] +
                        "' (drop-request, drop-reply, status, short-reply, stuck-byte, last-byte-flipped, hold)");
    uint64_t number = 0;
    if (args.size() < 3 || !ParseNumber(args[2], 1, 4294967295u, &number))
        return BadInput("a fault needs the transfer number it hits, 1..4294967295" +
                        (args.size() < 3 ? std::string() : ", not '" + args[2] + "'"));
    fault->atTransfer = static_cast<uint32_t>(number);
    size_t wanted = fault->kind == sim::FaultKind::status ? 4 : 3;
    if (args.size() < wanted) return BadInput("a status fault needs the status byte");
    if (args.size() > wanted) return BadInput("too many arguments for a " + args[1] + " fault");
    if (wanted == 4) {
        if (!ParseNumber(args[3], 0, 255, &number))
            return BadInput("a status is one byte, 0..255 or 0x00..0xff, not '" + args[3] + "'");
        fault->status = static_cast<uint8_t>(number);
    }
    return 0;
}

}  // namespace

int SetFault(const Arguments& args)
{
    if (args.size() < 2) return BadInput(faultUsage);
    bool clear = args[1] == "clear";
    if (clear && args.size() != 2) return BadInput(faultUsage);
    sim::Fault fault{sim::FaultKind::status, 0, 0};
    if (!clear)
        if (int bad = ParseFault(args, &fault)) return bad;
    int exitCode = 0;
    sim::SimCamera* camera = NamedCamera(args[0], &exitCode);
    if (!camera) return exitCode;
    bool saved = sim::Machine().ChangeCamera(*camera, [&](sim::SimCamera& c) {
        if (clear)
            c.faults.clear();
        else
            c.faults.push_back(fault);
        return true;
    });
    if (!saved) return Failed(sim::Machine().BenchError());
    if (clear)
        Say("%s: faults cleared\n", camera->name.c_str());
    else
        Say("%s: armed %s; %u transfers so far\n", camera->name.c_str(), FaultText(fault).c_str(),
                    camera->transfers);
    return 0;
}
