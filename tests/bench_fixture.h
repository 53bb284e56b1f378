// A fresh bench directory for each test, the process's machine attached to
// it, and a second machine on the same bench to play another process.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/sim/bench/bench.h"
#include "platform/sim/bench/bench_files.h"
#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"
#include "tools/camsim/camera_image.h"

class BenchFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        // Named for the process too: another run of the suite on this
        // machine, in another build tree, may be at the same test.
        dir = std::filesystem::temp_directory_path() / ("vellmark-bench-" + std::to_string(getpid()) + "-" +
                                                        test->test_suite_name() + "-" + test->name());
        std::filesystem::remove_all(dir);
        sim::ResetMachine();
        std::string error;
        ASSERT_TRUE(sim::Machine().AttachBench(dir.string(), &error)) << error;
    }
    void TearDown() override
    {
        sim::bench::InjectWriteFailure("", 0);
        sim::ResetMachine();
        std::filesystem::remove_all(dir);
    }
    // A camera of class row 4 (product id 1030) saved on the bench.
    sim::SimCamera& Create(sim::SimMachine& machine, const std::string& name)
    {
        sim::SimCamera& camera = machine.AddCamera(name, 4);
        CameraImage image;
        image.classRow = 4;
        image.productId = 1030;
        BuildEeprom(image, camera.eeprom);
        EXPECT_TRUE(machine.SaveNewCamera(camera)) << machine.BenchError();
        return camera;
    }
    std::unique_ptr<sim::SimMachine> Other()
    {
        auto other = std::make_unique<sim::SimMachine>();
        std::string error;
        EXPECT_TRUE(other->AttachBench(dir.string(), &error)) << error;
        return other;
    }
    std::filesystem::path Path(const std::string& relative) const { return dir / relative; }
    std::string Read(const std::string& relative) const
    {
        std::string text;
        sim::bench::ReadFileText(Path(relative).string(), &text);
        return text;
    }
    void Write(const std::string& relative, const std::string& text) const
    {
        std::filesystem::create_directories(Path(relative).parent_path());
        std::ofstream(Path(relative), std::ios::binary) << text;
    }

    std::filesystem::path dir;
};
