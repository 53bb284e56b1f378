#include "tests/camera_images.h"

#include <cstring>

#include "overscan/geometry_tables.h"
#include "toolkit/backend.h"
#include "toolkit/headless/headless.h"

bool IsFamilyARow(int classRow)
{
    return classRow == 1 || classRow == 2;
}

static void Put16(uint8_t* at, uint32_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void BuildEeprom(const CameraImage& image, uint8_t* eeprom)
{
    for (int i = 0; i < 256; ++i) eeprom[i] = static_cast<uint8_t>(0xA0 ^ i);
    Put16(eeprom + 3, image.productId);
    const SensorGeometry& row = (image.overscan ? overscanGeometry : normalGeometry)[image.sensorRow];
    bool familyA = IsFamilyARow(image.classRow);
    uint8_t* descriptor = eeprom + 10;
    std::memcpy(descriptor, &image.cameraId, 4);
    Put16(descriptor + (familyA ? 6 : 8), static_cast<uint32_t>(row.visibleWidth));
    Put16(descriptor + (familyA ? 8 : 10), static_cast<uint32_t>(row.visibleHeight));
    uint8_t* type = descriptor + (familyA ? 14 : 16);
    std::memset(type, 0, 14);
    std::memcpy(type, image.type.data(), image.type.size() < 14 ? image.type.size() : 14);
    uint8_t* geometry = eeprom + (familyA ? 69 : 71);
    Put16(geometry, static_cast<uint32_t>(row.totalWidth));
    Put16(geometry + 2, static_cast<uint32_t>(row.totalHeight));
    geometry[4] = static_cast<uint8_t>(row.xOffset);
    geometry[5] = static_cast<uint8_t>(row.yOffset);
    Put16(geometry + 6, static_cast<uint32_t>(row.totalWidth - row.xOffset));
}

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
