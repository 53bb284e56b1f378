// A fixture that starts every test on a fresh simulated machine, with the
// main window's native window made but no wizard built.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/orvel_config.h"
#include "tests/program_start.h"
#include "platform/sim/sim_machine.h"
#include "tools/camsim/camera_image.h"
#include "toolkit/button.h"
#include "wizard/camera_info_pane.h"


// The main window without its wizard: the native window exists, but
// nothing is built or scanned when it comes.
class BareConfig : public COrvelConfig {
public:
    void CreatePeerWindow() override { CWindow::CreatePeerWindow(); }
};


class SimulatedCameraTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A fresh main window with a native window, its pane and Next button
    // the fixture's, at step 1.
    void NewConfig();
    void DropConfig();

    // Adds a camera with the image and plugs it in.
    sim::SimCamera& PlugCamera(const std::string& name, const CameraImage& image);
    sim::SimMachine& Machine() { return sim::Machine(); }
    // Requests written to the camera's command pipe, in order.
    static std::vector<std::vector<uint8_t>> Requests(const sim::SimCamera& camera);
    // Sizes asked for by the reads of the data pipe, in order.
    static std::vector<uint32_t> ReplySizesAsked(const sim::SimCamera& camera);

    std::unique_ptr<BareConfig> window;
    COrvelConfig* config = nullptr;
    CCameraInfoPane pane;
    CButton next;
};
