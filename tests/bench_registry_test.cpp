// The registry on the bench: value lines read strictly, lines that are not
// values kept, one key rewritten at a time, every type read back as
// written, and a failed save returned as the call's error.
#include <cerrno>
#include <sys/stat.h>

#include "tests/bench_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char parameters[] = "registry/HKLM/SYSTEM/CurrentControlSet/Services/brennccdF/Parameters/values.reg";

class BenchRegistryTest : public BenchFixture {
protected:
    // The value after reading the bench afresh; null when there is none.
    const sim::RegValue* ValueOnBench(const char* key, const char* name)
    {
        other = Other();
        return other->registry.GetValue(key, name);
    }
    LONG SetValue(const char* key, const char* name, DWORD type, const Bytes& data)
    {
        HKEY handle = nullptr;
        LONG status = win::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                           &handle, nullptr);
        if (status != ERROR_SUCCESS) return status;
        status = win::RegSetValueExA(handle, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
        win::RegCloseKey(handle);
        return status;
    }
    std::unique_ptr<sim::SimMachine> other;
};

struct LineCase {
    const char* line;
    bool isValue;
    DWORD type;
    Bytes data;
};

TEST_F(BenchRegistryTest, ValueLinesAreReadWholeOrNotAtAll)
{
    const LineCase cases[] = {
        {"\"V\"=dword:0000002a", true, REG_DWORD, {0x2A, 0, 0, 0}},
        {"\"V\"=dword:1", true, REG_DWORD, {1, 0, 0, 0}},
        {"\"V\"=dword:zzzz", false, 0, {}},
        {"\"V\"=dword:0000000g", false, 0, {}},
        {"\"V\"=dword:123456789", false, 0, {}},
        {"\"V\"=dword:00000001 x", false, 0, {}},
        {"\"V\"=\"a \\\"b\\\"\"", true, REG_SZ, {'a', ' ', '"', 'b', '"', 0}},
        {"\"V\"=\"open", false, 0, {}},
        {"\"V\"=\"a\\n\"", false, 0, {}},
        {"\"V\"=hex:01,ff", true, REG_BINARY, {1, 0xFF}},
        {"\"V\"=hex:", true, REG_BINARY, {}},
        {"\"V\"=hex:01,zz", false, 0, {}},
        {"\"V\"=hex:01,", false, 0, {}},
        {"\"V\"=hex(2):25,00", true, REG_EXPAND_SZ, {0x25, 0}},
        {"\"V\"=hex(7):61,00,62,00,00", true, REG_MULTI_SZ, {0x61, 0, 0x62, 0, 0}},
        {"\"V\"=hex(b):01,00,00,00,00,00,00,00", true, 11, {1, 0, 0, 0, 0, 0, 0, 0}},
        {"\"V\"=hex(2:25,00", false, 0, {}},
        {"\"V\"=hex(zz):25", false, 0, {}},
        {"\"V\"=word:1", false, 0, {}},
        {"V=dword:00000001", false, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Write("registry/HKLM/SOFTWARE/T/values.reg", std::string(c.line) + "\n");
        const sim::RegValue* value = ValueOnBench("HKLM\\SOFTWARE\\T", "V");
        ASSERT_EQ(c.isValue, value != nullptr);
        const sim::RegKey* key = other->registry.FindPath("HKLM\\SOFTWARE\\T");
        ASSERT_NE(nullptr, key);
        EXPECT_EQ(c.isValue ? std::vector<std::string>{} : std::vector<std::string>{c.line}, key->keptLines);
        if (!value) continue;
        EXPECT_EQ(c.type, value->type);
        EXPECT_EQ(c.data, value->data);
    }
}

TEST_F(BenchRegistryTest, AnUnreadablePermissionGrantsNothing)
{
    Write(parameters, "\"AllowEEPROMWrite\"=dword:zzzz\n");
    sim::SimCamera& camera = Create(sim::Machine(), "cam");
    ASSERT_TRUE(sim::Machine().Plug(camera));
    EXPECT_FALSE(camera.writePermitted);
    EXPECT_NE(std::string::npos, Read("cameras/cam/state.txt").find("permitted no\n"));
    EXPECT_EQ("\"AllowEEPROMWrite\"=dword:zzzz\n", Read(parameters)) << "the line is kept as it stands";
}

TEST_F(BenchRegistryTest, OnlyTheChangedKeyIsRewrittenAndItsOtherLinesKept)
{
    Write("registry/HKLM/SOFTWARE/A/values.reg", "; a note\n\"Bad\"=dword:zz\n\"Keep\"=dword:2\n\"Old\"=hex:01\n");
    Write("registry/HKLM/SOFTWARE/B/values.reg", "\"Other\"=dword:zz\r\n\"Fine\"=dword:00000001\n");
    struct stat before {};
    ASSERT_EQ(0, stat(Path("registry/HKLM/SOFTWARE/B/values.reg").c_str(), &before));

    EXPECT_EQ(ERROR_SUCCESS, SetValue("SOFTWARE\\A", "New", REG_DWORD, {5, 0, 0, 0}));
    EXPECT_EQ(ERROR_SUCCESS, SetValue("SOFTWARE\\A", "Old", REG_BINARY, {2, 3}));
    EXPECT_EQ("; a note\n\"Bad\"=dword:zz\n\"Keep\"=dword:2\n\"Old\"=hex:02,03\n\"New\"=dword:00000005\n",
              Read("registry/HKLM/SOFTWARE/A/values.reg"));
    EXPECT_EQ("\"Other\"=dword:zz\r\n\"Fine\"=dword:00000001\n", Read("registry/HKLM/SOFTWARE/B/values.reg"));
    struct stat after {};
    ASSERT_EQ(0, stat(Path("registry/HKLM/SOFTWARE/B/values.reg").c_str(), &after));
    EXPECT_EQ(before.st_ino, after.st_ino) << "an unchanged key's file is not replaced";
}

TEST_F(BenchRegistryTest, EveryTypeReadsBackAsWritten)
{
    const struct {
        const char* name;
        DWORD type;
        Bytes data;
        const char* line;
    } cases[] = {
        {"Sz", REG_SZ, {'h', 'i', 0}, "\"Sz\"=\"hi\""},
        {"SzNoEnd", REG_SZ, {'h', 'i'}, "\"SzNoEnd\"=hex(1):68,69"},
        {"Expand", REG_EXPAND_SZ, {'%', 'A', '%', 0}, "\"Expand\"=hex(2):25,41,25,00"},
        {"Binary", REG_BINARY, {0, 0xFE}, "\"Binary\"=hex:00,fe"},
        {"Dword", REG_DWORD, {1, 2, 3, 4}, "\"Dword\"=dword:04030201"},
        {"ShortDword", REG_DWORD, {1, 2}, "\"ShortDword\"=hex(4):01,02"},
        {"Multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, "\"Multi\"=hex(7):61,00,62,00,00"},
        {"Qword", 11, {1, 0, 0, 0, 0, 0, 0, 2}, "\"Qword\"=hex(b):01,00,00,00,00,00,00,02"},
        {"None", REG_NONE, {}, "\"None\"=hex(0):"},
    };
    std::string expected;
    for (const auto& c : cases) {
        ASSERT_EQ(ERROR_SUCCESS, SetValue("SOFTWARE\\Types", c.name, c.type, c.data)) << c.name;
        expected += std::string(c.line) + "\n";
    }
    EXPECT_EQ(expected, Read("registry/HKLM/SOFTWARE/Types/values.reg"));
    for (const auto& c : cases) {
        const sim::RegValue* value = ValueOnBench("HKLM\\SOFTWARE\\Types", c.name);
        ASSERT_NE(nullptr, value) << c.name;
        EXPECT_EQ(c.type, value->type) << c.name;
        EXPECT_EQ(c.data, value->data) << c.name;
    }
}

TEST_F(BenchRegistryTest, AFailedSaveIsTheCallsError)
{
    ASSERT_EQ(ERROR_SUCCESS, SetValue("SOFTWARE\\F", "First", REG_DWORD, {1, 0, 0, 0}));
    sim::bench::InjectWriteFailure("values.reg", EACCES);
    EXPECT_EQ(ERROR_ACCESS_DENIED, SetValue("SOFTWARE\\F", "Second", REG_DWORD, {2, 0, 0, 0}));
    EXPECT_EQ("\"First\"=dword:00000001\n", Read("registry/HKLM/SOFTWARE/F/values.reg"));
    EXPECT_EQ(nullptr, sim::Machine().registry.GetValue("HKLM\\SOFTWARE\\F", "Second"))
        << "what could not be saved is not kept in memory either";
    sim::bench::InjectWriteFailure("", 0);
    EXPECT_EQ(ERROR_INVALID_NAME, SetValue("SOFTWARE\\..\\..\\Out", "V", REG_DWORD, {1, 0, 0, 0}));
    EXPECT_FALSE(std::filesystem::exists(Path("registry/Out")));
}

}  // namespace
