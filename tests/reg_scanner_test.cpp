#include "toolkit/reg_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"

namespace {

const char kPath[] = "Software\\Vellmark\\Settings";
const char kFull[] = "HKCU\\Software\\Vellmark\\Settings";
const char kMachinePath[] = "Software\\Vellmark\\Driver";
const char kMachineFull[] = "HKLM\\Software\\Vellmark\\Driver";

class RegScannerTest : public ::testing::Test {
protected:
    void SetUp() override { sim::ResetMachine(); }
    sim::SimRegistry& Reg() { return sim::Machine().registry; }

    void SetRaw(const std::string& fullPath, const std::string& name, DWORD type, std::vector<uint8_t> data)
    {
        Reg().CreatePath(fullPath)->SetValue(name, type, data.data(), data.size());
    }
    // The stored value as (type, bytes); type REG_NONE and no bytes when missing.
    using Typed = std::pair<DWORD, std::vector<uint8_t>>;
    Typed Stored(const std::string& fullPath, const std::string& name)
    {
        const sim::RegValue* v = Reg().GetValue(fullPath, name);
        return v ? Typed{v->type, v->data} : Typed{REG_NONE, {}};
    }
    static Typed Dword(std::vector<uint8_t> bytes) { return {REG_DWORD, bytes}; }
};

}  // namespace

TEST_F(RegScannerTest, InitOpensExistingKeyReadOnly)
{
    CRegScannerA scanner;
    EXPECT_FALSE(scanner.Init(0, "", 0, kPath, HKEY_CURRENT_USER));
    EXPECT_EQ(Reg().FindPath("HKCU\\Software"), nullptr);
    int32_t out = 5;
    EXPECT_FALSE(scanner.GetKeyInt(0, "Gain", &out));
    EXPECT_EQ(out, 5);
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
    Reg().SetDword(kFull, "Gain", 0x12345678);
    ASSERT_TRUE(scanner.Init(0, "", 0, kPath, HKEY_CURRENT_USER));
    EXPECT_EQ(Reg().OpenHandleCount(), 1u);
    ASSERT_TRUE(scanner.GetKeyInt(0, "Gain", &out));
    EXPECT_EQ(out, 0x12345678);
    EXPECT_FALSE(scanner.SetKeyInt(0, "Gain", 1));
    EXPECT_FALSE(scanner.SetKeyCard(0, "Other", 1));
    EXPECT_FALSE(scanner.DeleteKey(0, "Gain"));
    EXPECT_EQ(Stored(kFull, "Gain"), Dword({0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(Reg().GetValue(kFull, "Other"), nullptr);
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
}

TEST_F(RegScannerTest, VfInitOpensReadWriteAndCreateMakesKey)
{
    CRegScannerA scanner;
    EXPECT_FALSE(scanner.vfInit(0, "", 0, kPath, HKEY_CURRENT_USER));
    EXPECT_EQ(Reg().FindPath("HKCU\\Software"), nullptr);
    scanner.Done();
    ASSERT_TRUE(scanner.Create(0, "", 0, kPath, HKEY_CURRENT_USER));
    ASSERT_NE(Reg().FindPath(kFull), nullptr);
    EXPECT_TRUE(scanner.SetKeyInt(0, "Mode", -1));
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
    ASSERT_TRUE(scanner.vfInit(0, nullptr, 0, kPath, HKEY_CURRENT_USER));
    EXPECT_TRUE(scanner.SetKeyCard(0, "Count", 3));
    // Create on an existing key keeps what is in it.
    ASSERT_TRUE(scanner.Create(0, "", 0, kPath, HKEY_CURRENT_USER));
    EXPECT_EQ(Reg().OpenHandleCount(), 1u);
    int32_t out = 0;
    ASSERT_TRUE(scanner.GetKeyInt(0, "Count", &out));
    EXPECT_EQ(out, 3);
    ASSERT_TRUE(scanner.GetKeyInt(0, "mode", &out));
    EXPECT_EQ(out, -1);
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
    // The path length bounds the path like any text.
    ASSERT_TRUE(scanner.Create(0, "", 8, "Software\\Other", HKEY_CURRENT_USER));
    EXPECT_EQ(Reg().FindPath("HKCU\\Software\\Other"), nullptr);
    scanner.Done();
}

TEST_F(RegScannerTest, MachineNameAndOverlongTextsAreRefused)
{
    Reg().SetDword(kFull, "Gain", 1);
    CRegScannerA scanner;
    EXPECT_FALSE(scanner.Init(0, "\\\\other", 0, kPath, HKEY_CURRENT_USER));
    EXPECT_FALSE(scanner.vfInit(0, "\\\\other", 0, kPath, HKEY_CURRENT_USER));
    EXPECT_FALSE(scanner.Create(0, "\\\\other", 0, "Software\\New", HKEY_CURRENT_USER));
    EXPECT_EQ(Reg().FindPath("HKCU\\Software\\New"), nullptr);
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
    // No machine at all is this computer.
    EXPECT_TRUE(scanner.Init(0, nullptr, 0, kPath, HKEY_CURRENT_USER));
    scanner.Done();
    // A path longer than accepted is refused, not cut to another key.
    std::string longPath = "Software\\" + std::string(600, 'k');
    EXPECT_FALSE(scanner.Create(0, "", 0, longPath.c_str(), HKEY_CURRENT_USER));
    ASSERT_NE(Reg().FindPath("HKCU\\Software"), nullptr);
    EXPECT_EQ(Reg().FindPath("HKCU\\Software")->subkeys.size(), 1u);
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
    scanner.Done();
    ASSERT_TRUE(scanner.vfInit(0, "", 0, kPath, HKEY_CURRENT_USER));
    std::string longName(300, 'v');
    EXPECT_FALSE(scanner.SetKeyInt(0, longName.c_str(), 7));
    EXPECT_FALSE(scanner.CreateSection(0, longName.c_str()));
    EXPECT_FALSE(scanner.SetSection(0, longName.c_str()));
    const sim::RegKey* key = Reg().FindPath(kFull);
    EXPECT_EQ(key->values.size(), 1u);
    EXPECT_TRUE(key->subkeys.empty());
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
}

TEST_F(RegScannerTest, SetSectionSelectsSubkeyOfOpenedKey)
{
    Reg().SetDword(std::string(kFull) + "\\Alpha", "V", 1);
    Reg().SetDword(std::string(kFull) + "\\Beta", "V", 2);
    Reg().SetDword(kFull, "V", 100);
    CRegScannerA scanner;
    EXPECT_FALSE(scanner.SetSection(0, "Alpha"));  // nothing opened
    ASSERT_TRUE(scanner.vfInit(0, "", 0, kPath, HKEY_CURRENT_USER));
    int32_t out = 0;
    ASSERT_TRUE(scanner.SetSection(0, "Alpha"));
    ASSERT_TRUE(scanner.GetKeyInt(0, "V", &out));
    EXPECT_EQ(out, 1);
    ASSERT_TRUE(scanner.SetSection(0, "ALPHA"));
    EXPECT_EQ(Reg().OpenHandleCount(), 2u);
    // A sibling, not a child of the current section.
    ASSERT_TRUE(scanner.SetSection(0, "beta"));
    ASSERT_TRUE(scanner.GetKeyInt(0, "v", &out));
    EXPECT_EQ(out, 2);
    EXPECT_TRUE(scanner.SetKeyInt(0, "W", 9));
    EXPECT_EQ(Stored(std::string(kFull) + "\\Beta", "W"), Dword({9, 0, 0, 0}));
    EXPECT_EQ(Reg().GetValue(kFull, "W"), nullptr);
    EXPECT_EQ(Reg().OpenHandleCount(), 2u);
    // A missing section leaves no key to work in, not the opened key.
    EXPECT_FALSE(scanner.SetSection(0, "Gamma"));
    EXPECT_EQ(Reg().FindPath(std::string(kFull) + "\\Gamma"), nullptr);
    EXPECT_EQ(Reg().OpenHandleCount(), 1u);
    out = 55;
    EXPECT_FALSE(scanner.GetKeyInt(0, "V", &out));
    EXPECT_EQ(out, 55);
    EXPECT_FALSE(scanner.SetKeyInt(0, "X", 1));
    EXPECT_FALSE(scanner.SetKeyCard(0, "X", 1));
    EXPECT_FALSE(scanner.DeleteKey(0, "V"));
    EXPECT_EQ(Reg().GetValue(kFull, "X"), nullptr);
    EXPECT_EQ(Stored(kFull, "V"), Dword({100, 0, 0, 0}));
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
}

TEST_F(RegScannerTest, CreateSectionCreatesWithoutSelecting)
{
    CRegScannerA scanner;
    ASSERT_TRUE(scanner.Create(0, "", 0, kPath, HKEY_CURRENT_USER));
    ASSERT_TRUE(scanner.CreateSection(0, "Fresh"));
    EXPECT_NE(Reg().FindPath(std::string(kFull) + "\\Fresh"), nullptr);
    EXPECT_EQ(Reg().OpenHandleCount(), 1u);
    EXPECT_TRUE(scanner.SetKeyInt(0, "Top", 4));
    EXPECT_NE(Reg().GetValue(kFull, "Top"), nullptr);
    EXPECT_EQ(Reg().GetValue(std::string(kFull) + "\\Fresh", "Top"), nullptr);
    ASSERT_TRUE(scanner.CreateSection(0, "FRESH"));
    EXPECT_EQ(Reg().FindPath(kFull)->subkeys.size(), 1u);
    ASSERT_TRUE(scanner.SetSection(0, "fresh"));
    EXPECT_TRUE(scanner.SetKeyInt(0, "Inner", 5));
    EXPECT_NE(Reg().GetValue(std::string(kFull) + "\\Fresh", "Inner"), nullptr);
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
}

TEST_F(RegScannerTest, CreateSectionAfterInitCreatesNothing)
{
    Reg().CreatePath(kFull);
    Reg().CreatePath(kMachineFull);
    Reg().machineWritable = false;
    CRegScannerA scanner;
    ASSERT_TRUE(scanner.Init(0, "", 0, kPath, HKEY_CURRENT_USER));
    EXPECT_FALSE(scanner.CreateSection(0, "Made"));
    EXPECT_TRUE(Reg().FindPath(kFull)->subkeys.empty());
    scanner.Done();
    ASSERT_TRUE(scanner.Init(0, "", 0, kMachinePath, HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(scanner.CreateSection(0, "Made"));
    EXPECT_TRUE(Reg().FindPath(kMachineFull)->subkeys.empty());
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
}

TEST_F(RegScannerTest, GetKeyIntReadsOnlyFourByteDword)
{
    SetRaw(kFull, "Neg", REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF});
    SetRaw(kFull, "Text", REG_SZ, {'1', 0});
    SetRaw(kFull, "LongText", REG_SZ, {'1', '2', '3', '4', '5', 0});
    SetRaw(kFull, "Binary", REG_BINARY, {1, 0, 0, 0});
    SetRaw(kFull, "Short", REG_DWORD, {1, 0});
    SetRaw(kFull, "Wide", REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0});
    SetRaw(kFull, "Empty", REG_DWORD, {});
    SetRaw(kFull, "Quad", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
    CRegScannerA scanner;
    ASSERT_TRUE(scanner.Init(0, "", 0, kPath, HKEY_CURRENT_USER));
    int32_t out = 0;
    ASSERT_TRUE(scanner.GetKeyInt(0, "neg", &out));
    EXPECT_EQ(out, -2);
    for (const char* name : {"Missing", "Text", "LongText", "Binary", "Short", "Wide", "Empty", "Quad"}) {
        out = 777;
        EXPECT_FALSE(scanner.GetKeyInt(0, name, &out)) << name;
        EXPECT_EQ(out, 777) << name;
    }
    EXPECT_FALSE(scanner.GetKeyInt(0, "Neg", nullptr));
    // The name length bounds the name: "NegX" read as "Neg".
    ASSERT_TRUE(scanner.GetKeyInt(3, "NegX", &out));
    EXPECT_EQ(out, -2);
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
}

TEST_F(RegScannerTest, SetKeyIntAndCardWriteLittleEndianDword)
{
    SetRaw(kFull, "Old", REG_SZ, {'x', 0});
    CRegScannerA scanner;
    ASSERT_TRUE(scanner.vfInit(0, "", 0, kPath, HKEY_CURRENT_USER));
    EXPECT_TRUE(scanner.SetKeyInt(0, "Minus", -1));
    EXPECT_TRUE(scanner.SetKeyInt(0, "Min", INT32_MIN));
    EXPECT_TRUE(scanner.SetKeyCard(0, "Card", 0xA1B2C3D4u));
    EXPECT_TRUE(scanner.SetKeyCard(0, "old", 0x409));
    EXPECT_EQ(Stored(kFull, "Minus"), Dword({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Stored(kFull, "Min"), Dword({0, 0, 0, 0x80}));
    EXPECT_EQ(Stored(kFull, "Card"), Dword({0xD4, 0xC3, 0xB2, 0xA1}));
    EXPECT_EQ(Stored(kFull, "Old"), Dword({0x09, 0x04, 0, 0}));
    EXPECT_EQ(Reg().FindPath(kFull)->values.size(), 4u);
    EXPECT_TRUE(scanner.DeleteKey(0, "MINUS"));
    EXPECT_EQ(Reg().GetValue(kFull, "Minus"), nullptr);
    EXPECT_FALSE(scanner.DeleteKey(0, "Minus"));
    EXPECT_EQ(Reg().FindPath(kFull)->values.size(), 3u);
    // A write the registry refuses is reported.
    Reg().valueWritesFail = true;
    EXPECT_FALSE(scanner.SetKeyInt(0, "Card", 1));
    EXPECT_FALSE(scanner.SetKeyCard(0, "Card", 1));
    EXPECT_EQ(Stored(kFull, "Card"), Dword({0xD4, 0xC3, 0xB2, 0xA1}));
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
}

TEST_F(RegScannerTest, MachineKeyWithoutWriteRights)
{
    Reg().SetDword(kMachineFull, "Allow", 1);
    Reg().machineWritable = false;
    CRegScannerA scanner;
    EXPECT_FALSE(scanner.vfInit(0, "", 0, kMachinePath, HKEY_LOCAL_MACHINE));
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
    EXPECT_FALSE(scanner.SetKeyInt(0, "Allow", 0));
    EXPECT_FALSE(scanner.Create(0, "", 0, "Software\\Vellmark\\New", HKEY_LOCAL_MACHINE));
    EXPECT_EQ(Reg().FindPath("HKLM\\Software\\Vellmark\\New"), nullptr);
    EXPECT_EQ(Stored(kMachineFull, "Allow"), Dword({1, 0, 0, 0}));
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
    // Reading still works.
    ASSERT_TRUE(scanner.Init(0, "", 0, kMachinePath, HKEY_LOCAL_MACHINE));
    int32_t out = 0;
    ASSERT_TRUE(scanner.GetKeyInt(0, "allow", &out));
    EXPECT_EQ(out, 1);
    scanner.Done();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
}

TEST_F(RegScannerTest, ReopeningAndDestructionCloseHandles)
{
    Reg().SetDword(std::string(kFull) + "\\Alpha", "V", 1);
    {
        CRegScannerA scanner;
        ASSERT_TRUE(scanner.vfInit(0, "", 0, kPath, HKEY_CURRENT_USER));
        ASSERT_TRUE(scanner.SetSection(0, "Alpha"));
        // Opening again drops the old key and section first.
        ASSERT_TRUE(scanner.Init(0, "", 0, "Software", HKEY_CURRENT_USER));
        EXPECT_EQ(Reg().OpenHandleCount(), 1u);
        int32_t out = 9;
        EXPECT_FALSE(scanner.GetKeyInt(0, "V", &out));
        EXPECT_EQ(out, 9);
        ASSERT_TRUE(scanner.SetSection(0, "Vellmark\\Settings\\Alpha"));
        EXPECT_EQ(Reg().OpenHandleCount(), 2u);
        EXPECT_FALSE(scanner.Init(0, "", 0, "Software\\Missing", HKEY_CURRENT_USER));
        EXPECT_EQ(Reg().OpenHandleCount(), 0u);
        EXPECT_FALSE(scanner.GetKeyInt(0, "V", &out));
        ASSERT_TRUE(scanner.vfInit(0, "", 0, kPath, HKEY_CURRENT_USER));
        ASSERT_TRUE(scanner.SetSection(0, "Alpha"));
        EXPECT_EQ(Reg().OpenHandleCount(), 2u);
    }
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
    CRegScannerA scanner;
    ASSERT_TRUE(scanner.vfInit(0, "", 0, kPath, HKEY_CURRENT_USER));
    ASSERT_TRUE(scanner.SetSection(0, "Alpha"));
    scanner.vfDone();
    EXPECT_EQ(Reg().OpenHandleCount(), 0u);
    EXPECT_FALSE(scanner.SetKeyInt(0, "V", 2));
    EXPECT_EQ(Stored(std::string(kFull) + "\\Alpha", "V"), Dword({1, 0, 0, 0}));
}
