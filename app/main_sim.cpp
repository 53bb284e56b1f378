// The program on a machine without Windows. Until the wizard has a screen
// of its own, it shows what the system can do so far: a simulated camera is
// plugged in, found, scanned and identified.
#include <cstdio>
#include <cstring>

#include "app/orvel_config.h"
#include "overscan/geometry_tables.h"
#include "platform/sim/sim_machine.h"
#include "toolkit/button.h"
#include "wizard/camera_info_pane.h"

namespace {

// A family B camera with a KAF sensor in its normal geometry.
void PlugDemoCamera()
{
    sim::SimCamera& camera = sim::Machine().AddCamera("demo", 4);
    uint8_t* e = camera.eeprom;
    e[3] = 1030 & 0xFF;
    e[4] = 1030 >> 8;
    const uint32_t id = 41723;
    std::memcpy(e + 10, &id, 4);
    const SensorGeometry& row = normalGeometry[4];
    e[10 + 8] = row.visibleWidth & 0xFF;
    e[10 + 9] = row.visibleWidth >> 8;
    e[10 + 10] = row.visibleHeight & 0xFF;
    e[10 + 11] = row.visibleHeight >> 8;
    std::memcpy(e + 10 + 16, "ML8300", 6);
    e[71] = row.totalWidth & 0xFF;
    e[72] = row.totalWidth >> 8;
    sim::Machine().Plug(camera);
}

}  // namespace

int main()
{
    PlugDemoCamera();
    COrvelConfig config;
    CCameraInfoPane pane;
    CButton next;
    config.infoPane = &pane;
    config.nextButton = &next;
    config.wizardStep = 1;
    config.ScanCamera();
    std::printf("Step 1 scan of the simulated camera \"demo\"\n");
    std::printf("  Camera type: %s\n  Camera ID:   %s\n  Overscan:    %s\n", pane.typeValue, pane.idValue,
                pane.overscanValue);
    std::printf("  Next:        %s\n", next.IsEnabled() ? "enabled" : "disabled");
    config.CloseCamera();
    return 0;
}
