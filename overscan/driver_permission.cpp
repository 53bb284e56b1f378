// Granting and revoking the driver's write permission in the registry.
#include "overscan/driver_permission.h"

#include "app/orvel_config.h"
#include "toolkit/reg_scanner.h"
#include "toolkit/text.h"

namespace {

struct DriverKey {
    uint16_t productId;
    const char* keyPath;
};

const DriverKey driverKeys[driverKeyCount] = {
    {1027, "SYSTEM\\CurrentControlSet\\Services\\orvelccdI\\Parameters"},
    {1028, "SYSTEM\\CurrentControlSet\\Services\\orvelccdF\\Parameters"},
    {1029, "SYSTEM\\CurrentControlSet\\Services\\brennccdI\\Parameters"},
    {1030, "SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters"},
    {1200, "SYSTEM\\CurrentControlSet\\Services\\brennccdB\\Parameters"},
    {1201, "SYSTEM\\CurrentControlSet\\Services\\brennccdBI\\Parameters"},
};

const char permissionValue[] = "AllowEEPROMWrite";
constexpr uint32_t permissionValueLength = 16;

void DeletePermission(const char* keyPath)
{
    CRegScannerA scanner;
    if (!scanner.vfInit(0, "", LengthA(0, keyPath), keyPath, HKEY_LOCAL_MACHINE)) return;
    scanner.DeleteKey(permissionValueLength, permissionValue);
    scanner.vfDone();
}

}  // namespace

int DriverKeyRow(uint16_t productId)
{
    for (int row = 0; row < driverKeyCount; ++row)
        if (driverKeys[row].productId == productId) return row;
    return -1;
}

const char* DriverKeyOfRow(int row)
{
    return row >= 0 && row < driverKeyCount ? driverKeys[row].keyPath : nullptr;
}

const char* DriverParametersKey(uint16_t productId)
{
    return DriverKeyOfRow(DriverKeyRow(productId));
}

bool COrvelConfig::GrantDriverWrite()
{
    int row = DriverKeyRow(GetU16(headerBlock, productIdOffset));
    const char* keyPath = DriverKeyOfRow(row);
    if (!keyPath) return false;
    CRegScannerA scanner;
    // The key is the installed driver's; it is opened, never created.
    if (!scanner.vfInit(0, "", LengthA(0, keyPath), keyPath, HKEY_LOCAL_MACHINE)) return false;
    bool written = scanner.SetKeyCard(permissionValueLength, permissionValue, 1);
    scanner.vfDone();
    if (written) grantedDriverKeys[row] = true;
    return written;
}

// Removes the permission for the kept camera's driver and under every key
// granted during this run, so a restart with another camera leaves none
// behind. Failures are not reported.
void COrvelConfig::RevokeDriverWrite()
{
    int current = DriverKeyRow(GetU16(headerBlock, productIdOffset));
    if (current >= 0) grantedDriverKeys[current] = true;
    RevokeGrantedDriverWrites();
}

void COrvelConfig::RevokeGrantedDriverWrites()
{
    for (int row = 0; row < driverKeyCount; ++row) {
        if (!grantedDriverKeys[row]) continue;
        DeletePermission(driverKeys[row].keyPath);
        grantedDriverKeys[row] = false;
    }
}
