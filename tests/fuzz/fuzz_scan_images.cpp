// The scan, identification and update over any EEPROM image, of either
// family and in all six interface classes.
#include <cstring>

#include "tests/fuzz/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    fuzz::Bench bench;
    int classRow = 1 + data[0] % 6;
    sim::SimCamera& camera = sim::Machine().AddCamera("cam", classRow);
    size_t image = size - 2 < 256 ? size - 2 : 256;
    std::memcpy(camera.eeprom, data + 2, image);
    camera.writePermitted = true;
    sim::Machine().Plug(camera);
    camera.writePermitted = true;
    bench.window->ScanCamera();
    if (bench.window->sensorIndex < 0 || bench.window->sensorIndex > 16) __builtin_trap();
    if (bench.window->sensorIndex == 0 && bench.next.IsEnabled()) __builtin_trap();
    bench.window->wizardStep = 3;
    bench.window->ScanCamera();
    bench.window->wizardStep = 4;
    bench.chooser.Select(1 + data[1] % 3);
    if (bench.window->sensorIndex != 0) bench.window->UpdateOverscan();
    return 0;
}
