#include "tests/camera_images.h"

#include "toolkit/backend.h"
#include "toolkit/background.h"
#include "toolkit/headless/headless.h"

void SimulatedCameraTest::SetUp()
{
    sim::ResetMachine();
    headless::Reset();
    NewConfig();
}

void SimulatedCameraTest::NewConfig()
{
    DropConfig();
    window = std::make_unique<BareConfig>();
    config = window.get();
    config->Init(CRect(100, 100, 272, 164), 0, 0, "", nullptr, nullptr, nullptr, nullptr);
    config->infoPane = &pane;
    config->nextButton = &next;
    config->wizardStep = 1;
    config->AttachNativeWindow(backend::CreateNativeWindow(config));
}

void SimulatedCameraTest::DropConfig()
{
    if (!window) return;
    window->CloseCamera();
    backend::DestroyNativeWindow(window.get());
    window.reset();
    config = nullptr;
}

void SimulatedCameraTest::TearDown()
{
    DropConfig();
    EXPECT_EQ(0u, sim::Machine().RegistrationCount()) << "a notification registration was left";
    EXPECT_EQ(0u, sim::Machine().OpenFileCount()) << "a file handle was left open";
    EXPECT_EQ(0u, sim::Machine().OpenListCount()) << "an interface list was left open";
    EXPECT_EQ(0u, sim::Machine().registry.OpenHandleCount()) << "a registry key was left open";
}

sim::SimCamera& SimulatedCameraTest::PlugCamera(const std::string& name, const CameraImage& image)
{
    // The camera's driver is installed: its Parameters key is there.
    std::string driverKey = sim::DriverParametersPath(image.productId);
    if (!driverKey.empty()) sim::Machine().registry.CreatePath(driverKey);
    sim::SimCamera& camera = sim::Machine().AddCamera(name, image.classRow);
    BuildEeprom(image, camera.eeprom);
    sim::Machine().Plug(camera);
    return camera;
}

std::vector<std::vector<uint8_t>> SimulatedCameraTest::Requests(const sim::SimCamera& camera)
{
    std::vector<std::vector<uint8_t>> requests;
    for (const auto& event : camera.wire)
        if (event.request) requests.push_back(event.bytes);
    return requests;
}

std::vector<uint32_t> SimulatedCameraTest::ReplySizesAsked(const sim::SimCamera& camera)
{
    std::vector<uint32_t> sizes;
    for (const auto& event : camera.wire)
        if (!event.request) sizes.push_back(event.asked);
    return sizes;
}
