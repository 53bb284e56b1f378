// The EEPROM block protocol against the simulated camera: the bytes on the
// wire, the reply sizes asked for, the status texts and what each kind of
// failure does to the connection.
#include <cstring>

#include "tests/camera_images.h"
#include "toolkit/text.h"

namespace {

using Bytes = std::vector<uint8_t>;

class EepromProtocolTest : public SimulatedCameraTest {
protected:
    sim::SimCamera& Connect(bool permitted = true)
    {
        CameraImage image;
        if (permitted)
            Machine().registry.SetDword(sim::DriverParametersPath(image.productId), "AllowEEPROMWrite", 1);
        sim::SimCamera& camera = PlugCamera("cam", image);
        config->OpenCamera();
        EXPECT_TRUE(config->familyFlags & connectedFlag);
        return camera;
    }
    bool Closed() const
    {
        return config->commandPipe == INVALID_HANDLE_VALUE && config->dataPipe == INVALID_HANDLE_VALUE &&
               config->auxPipe == INVALID_HANDLE_VALUE && !(config->familyFlags & connectedFlag);
    }
};

TEST_F(EepromProtocolTest, ReadSendsThreeBytesAsksForSixtyFourAndDeliversTheData)
{
    sim::SimCamera& camera = Connect();
    uint8_t header[10];
    ASSERT_TRUE(config->ReadEeprom(0, 10, header));
    EXPECT_EQ((std::vector<Bytes>{{0x12, 0x00, 0x0A}}), Requests(camera));
    EXPECT_EQ(std::vector<uint32_t>{64}, ReplySizesAsked(camera));
    EXPECT_EQ(0, std::memcmp(header, camera.eeprom, 10));

    uint8_t largest[63];
    ASSERT_TRUE(config->ReadEeprom(193, 63, largest));
    EXPECT_EQ(0, std::memcmp(largest, camera.eeprom + 193, 63));
}

TEST_F(EepromProtocolTest, WriteSendsHeaderAndDataAsksForOneByte)
{
    sim::SimCamera& camera = Connect();
    uint8_t geometry[12];
    for (int i = 0; i < 12; ++i) geometry[i] = static_cast<uint8_t>(0x30 + i);
    ASSERT_TRUE(config->WriteEeprom(69, 12, geometry));
    Bytes expected = {0x13, 0x45, 0x0C};
    expected.insert(expected.end(), geometry, geometry + 12);
    EXPECT_EQ(std::vector<Bytes>{expected}, Requests(camera));
    EXPECT_EQ(std::vector<uint32_t>{1}, ReplySizesAsked(camera));

    uint8_t back[12];
    ASSERT_TRUE(config->ReadEeprom(69, 12, back));
    EXPECT_EQ(0, std::memcmp(geometry, back, 12));

    uint8_t largest[61];
    std::memset(largest, 0x5A, sizeof largest);
    ASSERT_TRUE(config->WriteEeprom(195, 61, largest));
    EXPECT_EQ(64u, Requests(camera).back().size());
    EXPECT_EQ(0, std::memcmp(camera.eeprom + 195, largest, 61));
}

TEST_F(EepromProtocolTest, StatusFailuresNameTheStatusAndKeepTheConnection)
{
    struct Case {
        uint8_t status;
        const char* text;
    };
    const Case cases[] = {{0x81, "Instruction failed: Invalid index"},
                          {0x82, "Instruction failed: Invalid parameter"},
                          {0x83, "Instruction failed: Unknown instruction"},
                          {0x00, "Instruction failed: Unknown return code"},
                          {0x84, "Instruction failed: Unknown return code"},
                          {0xFF, "Instruction failed: Unknown return code"}};
    sim::SimCamera& camera = Connect();
    uint32_t transfer = 0;
    for (const Case& c : cases) {
        camera.faults = {{sim::FaultKind::status, ++transfer, c.status}};
        uint8_t destination[4] = {9, 9, 9, 9};
        EXPECT_FALSE(config->ReadEeprom(0, 4, destination));
        EXPECT_STREQ(c.text, config->lastError);
        EXPECT_EQ(9, destination[0]) << "a failed read changed the destination";
        camera.faults = {{sim::FaultKind::status, ++transfer, c.status}};
        EXPECT_FALSE(config->WriteEeprom(0, 1, destination));
        EXPECT_STREQ(c.text, config->lastError);
        EXPECT_FALSE(Closed());
    }
    uint8_t next[2];
    EXPECT_TRUE(config->ReadEeprom(0, 2, next)) << "the next request after a status failure must go through";
}

TEST_F(EepromProtocolTest, RefusedWriteWithoutPermissionIsAnUnknownInstruction)
{
    sim::SimCamera& camera = Connect(false);
    uint8_t before = camera.eeprom[10];
    uint8_t value = static_cast<uint8_t>(before + 1);
    EXPECT_FALSE(config->WriteEeprom(10, 1, &value));
    EXPECT_STREQ("Instruction failed: Unknown instruction", config->lastError);
    EXPECT_EQ(before, camera.eeprom[10]);
}

TEST_F(EepromProtocolTest, TransportFailuresCloseTheConnectionAfterSettingTheText)
{
    const sim::FaultKind kinds[] = {sim::FaultKind::dropRequest, sim::FaultKind::dropReply};
    for (sim::FaultKind kind : kinds) {
        for (bool write : {false, true}) {
            sim::ResetMachine();
            NewConfig();
            sim::SimCamera& camera = Connect();
            camera.faults = {{kind, 1}};
            uint8_t bytes[3] = {1, 2, 3};
            uint8_t destination[3] = {7, 7, 7};
            bool ok = write ? config->WriteEeprom(0, 3, bytes) : config->ReadEeprom(0, 3, destination);
            EXPECT_FALSE(ok);
            EXPECT_STREQ("Camera not connected", config->lastError);
            EXPECT_TRUE(Closed());
            EXPECT_EQ(7, destination[0]);
            EXPECT_EQ(0u, Machine().OpenFileCount());
            EXPECT_FALSE(config->ReadEeprom(0, 1, destination));
            EXPECT_STREQ("Device not initialised", config->lastError);
        }
    }
}

TEST_F(EepromProtocolTest, UnpluggedCameraIsATransportFailure)
{
    sim::SimCamera& camera = Connect();
    Machine().Unplug(camera);
    uint8_t destination[1];
    EXPECT_FALSE(config->ReadEeprom(0, 1, destination));
    EXPECT_STREQ("Camera not connected", config->lastError);
    EXPECT_TRUE(Closed());
}

TEST_F(EepromProtocolTest, NothingIsSentWithoutAnOpenCommandPipe)
{
    sim::SimCamera& camera = PlugCamera("cam", CameraImage{});
    config->familyFlags = 4;
    uint8_t bytes[2] = {0, 0};
    EXPECT_FALSE(config->ReadEeprom(0, 2, bytes));
    EXPECT_STREQ("Device not initialised", config->lastError);
    CopyA(maxLastError, config->lastError, 0, "earlier");
    EXPECT_FALSE(config->WriteEeprom(0, 2, bytes));
    EXPECT_STREQ("Device not initialised", config->lastError);
    EXPECT_TRUE(camera.wire.empty());
    EXPECT_EQ(4u, config->familyFlags) << "no close may run";
}

TEST_F(EepromProtocolTest, ShortSuccessfulReplyIsAnIncompleteReply)
{
    sim::SimCamera& camera = Connect();
    camera.faults = {{sim::FaultKind::shortReply, 1}};
    uint8_t destination[10];
    std::memset(destination, 0xEE, sizeof destination);
    EXPECT_FALSE(config->ReadEeprom(0, 10, destination));
    EXPECT_STREQ("Instruction failed: Incomplete reply", config->lastError);
    for (uint8_t byte : destination) EXPECT_EQ(0xEE, byte);
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(config->ReadEeprom(0, 10, destination));
}

TEST_F(EepromProtocolTest, BlockSizesOutsideTheBuffersSendNothing)
{
    sim::SimCamera& camera = Connect();
    uint8_t buffer[300] = {};
    EXPECT_FALSE(config->ReadEeprom(0, 0, buffer));
    EXPECT_STREQ("Invalid block size", config->lastError);
    EXPECT_FALSE(config->ReadEeprom(0, 64, buffer));
    EXPECT_STREQ("Invalid block size", config->lastError);
    EXPECT_FALSE(config->ReadEeprom(0, 256 + 10, buffer)) << "a count must not wrap to a small byte";
    EXPECT_FALSE(config->WriteEeprom(0, 0, buffer));
    EXPECT_FALSE(config->WriteEeprom(0, 62, buffer));
    EXPECT_STREQ("Invalid block size", config->lastError);
    EXPECT_TRUE(camera.wire.empty());
    EXPECT_FALSE(Closed());
}

TEST(InstructionErrorText, IsThePrefixAndTheDescriptionWithinTheMaximum)
{
    char text[128];
    COrvelConfig::FormatInstructionError(0x83, 127, text);
    EXPECT_STREQ("Instruction failed: Unknown instruction", text);
    char small[26];
    COrvelConfig::FormatInstructionError(0x81, 25, small);
    EXPECT_STREQ("Instruction failed: Inval", small);
}

}  // namespace
