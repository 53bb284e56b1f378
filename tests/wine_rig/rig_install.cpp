// Installs the rig's camera devices the way Wine installs its own root
// devices: a device per class row, then the driver from the .inf.
//
//   rig_install.exe INF_PATH ROW...
#include <windows.h>
#include <setupapi.h>
#include <newdev.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static const GUID systemClass = {0x4d36e97d, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

static bool InstallRow(const char* inf, int row)
{
    char instance[64], hardwareId[64];
    std::snprintf(instance, sizeof instance, "ROOT\\VELLMARKRIG%d\\0000", row);
    std::snprintf(hardwareId, sizeof hardwareId, "ROOT\\VELLMARKRIG%d", row);
    HDEVINFO set = SetupDiCreateDeviceInfoList(&systemClass, nullptr);
    if (set == INVALID_HANDLE_VALUE) return false;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof device;
    char ids[80] = {};
    std::memcpy(ids, hardwareId, std::strlen(hardwareId));  // a list: two terminators
    bool ok = SetupDiCreateDeviceInfoA(set, instance, &systemClass, nullptr, nullptr, 0, &device) &&
              SetupDiSetDeviceRegistryPropertyA(set, &device, SPDRP_HARDWAREID, reinterpret_cast<BYTE*>(ids),
                                                static_cast<DWORD>(std::strlen(hardwareId) + 2)) &&
              SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &device);
    if (!ok) std::printf("rig_install: registering %s failed (%lu)\n", instance, GetLastError());
    SetupDiDestroyDeviceInfoList(set);
    BOOL reboot = FALSE;
    if (ok && !UpdateDriverForPlugAndPlayDevicesA(nullptr, hardwareId, inf, INSTALLFLAG_FORCE, &reboot)) {
        std::printf("rig_install: installing the driver for %s failed (%lu)\n", hardwareId, GetLastError());
        ok = false;
    }
    return ok;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: rig_install INF ROW...\n");
        return 2;
    }
    int failed = 0;
    for (int i = 2; i < argc; ++i) failed += !InstallRow(argv[1], std::atoi(argv[i]));
    std::printf("rig_install: %d of %d devices installed\n", argc - 2 - failed, argc - 2);
    return failed ? 1 : 0;
}
