// The EEPROM block protocol against replies of any length and content:
// each round sends a read or a write and the camera answers with the
// input's bytes.
#include <cstring>

#include "tests/fuzz/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    fuzz::Bench bench;
    sim::SimCamera& camera = sim::Machine().AddCamera("cam", 1 + data[0] % 6);
    sim::Machine().Plug(camera);
    fuzz::Input input(data, size);
    input.Byte();
    for (int round = 0; round < 32 && input.Left() > 0; ++round) {
        if (!(bench.window->familyFlags & connectedFlag)) bench.window->OpenCamera();
        uint8_t operation = input.Byte();
        uint8_t address = input.Byte();
        uint32_t count = input.Byte() % 70;
        size_t taken = 0;
        const uint8_t* reply = input.Take(input.Byte() % 80, &taken);
        camera.replaceNextReply = true;
        camera.nextReply.assign(reply, reply + taken);
        uint8_t buffer[64];
        std::memset(buffer, 0x5A, sizeof buffer);
        bool ok = operation & 1 ? bench.window->WriteEeprom(address, count, buffer)
                                : bench.window->ReadEeprom(address, count, buffer);
        // A failure names its reason; the connection is open exactly with its pipes.
        if (!ok && bench.window->lastError[0] == 0) __builtin_trap();
        bool connected = bench.window->familyFlags & connectedFlag;
        if (connected != (bench.window->commandPipe != INVALID_HANDLE_VALUE)) __builtin_trap();
    }
    return 0;
}
