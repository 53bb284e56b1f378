// Granting and revoking the driver's write permission in the registry.
#include "overscan/driver_permission.h"

#include <string>
#include <vector>

#include "app/orvel_config.h"
#include "machine_data/grant_journal.h"
#include "machine_data/run_record.h"
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

// Whether the value is under the key. A key that cannot even be read is no
// installed driver's, so it holds no value either.
bool PermissionPresent(const char* keyPath)
{
    CRegScannerA reader;
    bool present = reader.Init(0, "", LengthA(0, keyPath), keyPath, HKEY_LOCAL_MACHINE) &&
                   reader.HasValue(permissionValueLength, permissionValue);
    reader.Done();
    return present;
}

// True when the value is gone afterwards: deleted now, or not there.
bool DeletePermission(const char* keyPath)
{
    CRegScannerA scanner;
    bool deleted = scanner.vfInit(0, "", LengthA(0, keyPath), keyPath, HKEY_LOCAL_MACHINE) &&
                   scanner.DeleteKey(permissionValueLength, permissionValue);
    scanner.vfDone();
    return deleted || !PermissionPresent(keyPath);
}

// Deletes the value and, once it is gone, takes the key off the journal.
bool RevokeKey(const char* keyPath)
{
    return runrecord::Revoked(keyPath, DeletePermission(keyPath) && grantjournal::Remove(keyPath));
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

bool DriverInstalled(uint16_t productId)
{
    const char* keyPath = DriverParametersKey(productId);
    CRegScannerA reader;
    // Looked up read-only: nothing is created.
    bool opened = keyPath && reader.Init(0, "", LengthA(0, keyPath), keyPath, HKEY_LOCAL_MACHINE);
    reader.Done();
    return opened;
}

// The key goes on the journal before the value is written, so that no way
// of ending the run leaves a permission that the next start does not know.
bool COrvelConfig::GrantDriverWrite()
{
    int row = DriverKeyRow(GetU16(headerBlock, productIdOffset));
    const char* keyPath = DriverKeyOfRow(row);
    if (!keyPath || !grantjournal::Add(keyPath)) return runrecord::Granted(keyPath, false);
    const bool grantedBefore = grantedDriverKeys[row];
    grantedDriverKeys[row] = true;
    CRegScannerA scanner;
    // The key is the installed driver's; it is opened, never created.
    bool written = scanner.vfInit(0, "", LengthA(0, keyPath), keyPath, HKEY_LOCAL_MACHINE) &&
                   scanner.SetKeyCard(permissionValueLength, permissionValue, 1);
    scanner.vfDone();
    // A value that was not written is not this run's to delete.
    if (!written && !grantedBefore) {
        grantedDriverKeys[row] = false;
        grantjournal::Remove(keyPath);
    }
    return runrecord::Granted(keyPath, written);
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

// A key whose value could not be deleted stays marked, and on the journal,
// to be tried again at the close and, failing that, at the next start.
void COrvelConfig::RevokeGrantedDriverWrites()
{
    for (int row = 0; row < driverKeyCount; ++row) {
        if (!grantedDriverKeys[row]) continue;
        if (RevokeKey(driverKeys[row].keyPath))
            grantedDriverKeys[row] = false;
        else
            permissionStayed = true;
    }
}

// What earlier runs granted and never revoked. Only the driver keys of the
// table are touched, and only when the journal lists them.
void RevokeLeftoverGrants()
{
    std::vector<std::string> keys;
    if (!grantjournal::Keys(&keys)) return;
    for (const std::string& key : keys) {
        int row = 0;
        while (row < driverKeyCount && key != driverKeys[row].keyPath) ++row;
        if (row < driverKeyCount)
            RevokeKey(driverKeys[row].keyPath);
        else
            grantjournal::Remove(key.c_str());
    }
}
