// The program on a machine without Windows, until it has a terminal screen
// of its own: the real wizard on the headless toolkit, walked through a
// whole run with a simulated camera, each screen printed as it is reached.
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "app/main_window.h"
#include "app/orvel_config.h"
#include "overscan/geometry_tables.h"
#include "platform/sim/sim_machine.h"
#include "toolkit/background.h"
#include "toolkit/headless/headless.h"
#include "wizard/camera_info_pane.h"

namespace {

const int sensorRow = 4;

sim::SimCamera& AddDemoCamera()
{
    sim::SimMachine& machine = sim::Machine();
    machine.registry.CreatePath("HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters");
    sim::SimCamera& camera = machine.AddCamera("demo", 4);
    uint8_t* e = camera.eeprom;
    e[3] = 1030 & 0xFF;
    e[4] = 1030 >> 8;
    const uint32_t id = 41723;
    std::memcpy(e + 10, &id, 4);
    const SensorGeometry& row = normalGeometry[sensorRow];
    e[18] = row.visibleWidth & 0xFF;
    e[19] = row.visibleWidth >> 8;
    e[20] = row.visibleHeight & 0xFF;
    e[21] = row.visibleHeight >> 8;
    std::memcpy(e + 26, "ML8300", 6);
    e[71] = row.totalWidth & 0xFF;
    e[72] = row.totalWidth >> 8;
    e[73] = row.totalHeight & 0xFF;
    e[74] = row.totalHeight >> 8;
    e[75] = static_cast<uint8_t>(row.xOffset);
    e[76] = static_cast<uint8_t>(row.yOffset);
    e[77] = (row.totalWidth - row.xOffset) & 0xFF;
    e[78] = (row.totalWidth - row.xOffset) >> 8;
    machine.Plug(camera);
    return camera;
}

COrvelConfig* MainWindow()
{
    return PBackground && !PBackground->Windows().empty() ? dynamic_cast<COrvelConfig*>(PBackground->Windows()[0])
                                                          : nullptr;
}

void PrintScreen(const char* action)
{
    COrvelConfig* window = MainWindow();
    if (!window || !window->infoPane || window->infoPane->IsEnded()) return;
    const CCameraInfoPane& pane = *window->infoPane;
    std::printf("\n-- %s\n[%s]\n%s %s\n", action, window->Title(), pane.stepTitle, pane.stepLine1);
    if (pane.stepLine3[0])
        std::printf("  %s\n  %s\n", pane.stepLine2, pane.stepLine3);
    else
        std::printf("  Camera type: %s\n  Camera ID:   %s\n  Overscan:    %s\n", pane.typeValue, pane.idValue,
                    pane.overscanValue);
}

void PrintEeprom(const sim::SimCamera& camera)
{
    const uint8_t* e = camera.eeprom;
    std::printf("  EEPROM: visible %ux%u, total %ux%u, offsets %u,%u\n", e[18] | e[19] << 8, e[20] | e[21] << 8,
                e[71] | e[72] << 8, e[73] | e[74] << 8, e[75], e[76]);
}

}  // namespace

int main()
{
    headless::Reset();
    sim::SimCamera& camera = AddDemoCamera();
    headless::OnMessageBox([](const headless::BoxRecord& box) {
        std::printf("  [box] %s: %s / %s\n", box.title.c_str(), box.lines[0].c_str(), box.lines[1].c_str());
    });
    std::vector<std::function<void()>> script = {
        [] { headless::AdvanceTime(300); PrintScreen("started; administrator check done"); },
        [] { headless::Click(MainWindow()->nextButton); PrintScreen("Next"); },
        [&] { sim::Machine().Unplug(camera); headless::Pump(); PrintScreen("camera unplugged"); },
        [&] { sim::Machine().Plug(camera); headless::Click(MainWindow()->actionButton); PrintScreen("plugged, Scan camera"); },
        [] { headless::Click(MainWindow()->nextButton); PrintScreen("Next"); },
        [&] {
            MainWindow()->modeCombo->Select(2);
            headless::Click(MainWindow()->actionButton);
            PrintScreen("Enabled chosen, Write Overscan");
            PrintEeprom(camera);
        },
        [] { headless::Click(MainWindow()->nextButton); PrintScreen("Next"); },
        [] { headless::Click(MainWindow()->nextButton); std::printf("\n-- Finish: the program ends\n"); },
    };
    size_t next = 0;
    headless::SetIdle([&] {
        if (next == script.size()) return false;
        script[next++]();
        return true;
    });
    std::printf("Vellmark on a simulated machine: one whole run with the camera \"demo\"\n");
    PrintEeprom(camera);
    return RunProgram(nullptr, 1);
}
