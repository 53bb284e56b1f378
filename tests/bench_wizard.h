// The whole program, headless, over a bench: cameras of class row 4 with
// their driver's key, and runs of the wizard from start to step 4 and on
// to Finish.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/bench_fixture.h"
#include "tests/program_start.h"
#include "toolkit/combo_box.h"
#include "toolkit/headless/headless.h"
#include "wizard/camera_info_pane.h"

using Bytes = std::vector<uint8_t>;

class BenchWizardTest : public BenchFixture {
protected:
    void SetUp() override
    {
        BenchFixture::SetUp();
        headless::Reset();
        sim::Machine().registry.CreatePath(sim::DriverParametersPath(1030));
        sim::Machine().SaveRegistryToBench();
    }
    void TearDown() override
    {
        ShutProgram();
        BenchFixture::TearDown();
    }
    sim::SimCamera& AddCamera(const std::string& name, const Bytes& eeprom)
    {
        sim::SimCamera& camera = sim::Machine().AddCamera(name, 4);
        std::copy(eeprom.begin(), eeprom.end(), camera.eeprom);
        EXPECT_TRUE(sim::Machine().SaveNewCamera(camera)) << sim::Machine().BenchError();
        EXPECT_TRUE(sim::Machine().Plug(camera));
        return camera;
    }
    void Pump() { headless::Pump(); }
    // A run from its start to step 4 with the chooser's items.
    std::vector<std::string> ToStepFour(sim::SimCamera& camera)
    {
        w = StartMainWindow();
        EXPECT_TRUE(headless::Click(w->nextButton));
        sim::Machine().Unplug(camera);
        Pump();
        sim::Machine().Plug(camera);
        Pump();
        EXPECT_TRUE(headless::Click(w->actionButton));
        EXPECT_TRUE(headless::Click(w->nextButton));
        EXPECT_EQ(4, w->wizardStep);
        std::vector<std::string> items;
        // Short of step 4 there is no chooser: the test fails above, not here.
        if (w->modeCombo == nullptr) return items;
        for (int position = 1; position <= w->modeCombo->ItemCount(); ++position)
            items.push_back(w->modeCombo->ItemText(position));
        return items;
    }
    void Choose(int position)
    {
        w->modeCombo->Select(position);
        Pump();
    }
    // Write Overscan with the choice, then on to step 5 and Finish.
    void WriteAndFinish(int position)
    {
        Choose(position);
        ASSERT_TRUE(headless::Click(w->actionButton));
        ASSERT_TRUE(w->nextButton->IsEnabled());
        ASSERT_TRUE(headless::Click(w->nextButton));
        ASSERT_EQ(5, w->wizardStep);
        headless::Click(w->nextButton);
        ShutProgram();
        w = nullptr;
    }
    static Bytes Eeprom(const sim::SimCamera& camera) { return Bytes(camera.eeprom, camera.eeprom + 256); }
    static size_t WriteRequests(const sim::SimCamera& camera)
    {
        return std::count_if(camera.wire.begin(), camera.wire.end(),
                             [](const sim::WireEvent& e) { return e.request && e.bytes[0] == 0x13; });
    }
    static size_t Requests(const sim::SimCamera& camera)
    {
        return std::count_if(camera.wire.begin(), camera.wire.end(), [](const sim::WireEvent& e) { return e.request; });
    }
    // The files of a folder of the bench, sorted.
    std::vector<std::string> Files(const std::string& folder) const
    {
        std::vector<std::string> names;
        if (std::filesystem::is_directory(Path(folder)))
            for (const auto& entry : std::filesystem::directory_iterator(Path(folder)))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    COrvelConfig* w = nullptr;
};
