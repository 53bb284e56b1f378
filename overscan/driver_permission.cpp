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

const char* DoneText(bool done)
{
    return done ? "done" : "failed";
}

// Deletes the value and, once it is gone, takes the key off the journal.
bool RevokeKey(const char* keyPath)
{
    return runrecord::Revoked(keyPath, DeletePermission(keyPath) && grantjournal::Remove(keyPath));
}

// What was done with a key, with its reason: the English format, its
// value, and the two put together.
LeftoverGrant Told(const char* keyPath, LeftoverGrant::Result result, uint32_t processId, const char* format,
                   const std::string& value)
{
    const std::string text = format;
    const size_t place = text.find("{1}");
    const std::string reason =
        place == std::string::npos ? text : text.substr(0, place) + value + text.substr(place + 3);
    return {keyPath, result, processId, reason, format, value};
}

}  // namespace

std::string unsavedJournal;

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
    unsavedJournal.clear();
    if (!keyPath) return runrecord::Granted(keyPath, false);
    if (!grantjournal::Add(keyPath)) {
        unsavedJournal = grantjournal::Path();
        runrecord::Note("grants journal " + unsavedJournal + ": the grant cannot be noted in it, so it is not made");
        return runrecord::Granted(keyPath, false);
    }
    const bool grantedBefore = grantedDriverKeys[row];
    grantedDriverKeys[row] = true;
    CRegScannerA scanner;
    // The key is the installed driver's; it is opened, never created.
    bool written = scanner.vfInit(0, "", LengthA(0, keyPath), keyPath, HKEY_LOCAL_MACHINE) &&
                   scanner.SetKeyCard(permissionValueLength, permissionValue, 1);
    scanner.vfDone();
    // A value that was not written is not this run's to delete; the key
    // leaves the journal only when its value is found gone, so that one an
    // earlier run left is still revoked.
    if (!written && !grantedBefore && !PermissionPresent(keyPath)) {
        grantedDriverKeys[row] = false;
        grantjournal::Remove(keyPath);
    }
    return runrecord::Granted(keyPath, written);
}

// Removes the permission for the kept camera's driver and under every key
// granted during this run, so a restart with another camera leaves none
// behind. A deletion that fails is tried once more at once.
bool COrvelConfig::RevokeDriverWrite()
{
    int current = DriverKeyRow(GetU16(headerBlock, productIdOffset));
    if (current >= 0) grantedDriverKeys[current] = true;
    return RevokeGrantedDriverWrites() || RevokeGrantedDriverWrites();
}

// A key whose value could not be deleted stays marked, and on the journal,
// to be tried again at the close and, failing that, at the next start. One
// whose value is gone but whose journal line stays is marked too, yet
// leaves no permission behind.
bool COrvelConfig::RevokeGrantedDriverWrites()
{
    bool noneLeft = true;
    for (int row = 0; row < driverKeyCount; ++row) {
        if (grantedDriverKeys[row] && RevokeKey(driverKeys[row].keyPath)) grantedDriverKeys[row] = false;
        if (grantedDriverKeys[row] && PermissionPresent(driverKeys[row].keyPath)) noneLeft = false;
    }
    return noneLeft;
}

// The driver key of the table that the journal's key names, or null.
const char* TableKey(const std::string& key)
{
    for (const DriverKey& driver : driverKeys)
        if (grantjournal::SameKey(key, driver.keyPath)) return driver.keyPath;
    return nullptr;
}

// The journal's key revoked, the value looked at before and after, so that
// what was done is told as it is. A copy of the program that runs beside
// (the console program's revoke takes no guard) may have granted the same
// key since the journal was read: the line is read anew just before the
// deletion, and only the ended run's line is taken off.
LeftoverGrant RevokeListed(const char* keyPath, const grantjournal::Entry& entry)
{
    const std::string id = std::to_string(entry.processId);
    if (!grantjournal::Lists(entry))
        return Told(keyPath, LeftoverGrant::Result::left, entry.processId,
                    entry.processId ? "no longer listed for run {1} when revoked"
                                    : "no longer listed for an earlier run when revoked",
                    id);
    LeftoverGrant grant = Told(keyPath, LeftoverGrant::Result::removed, entry.processId,
                               entry.processId ? "run {1} has ended" : "an earlier run has ended", id);
    const bool present = PermissionPresent(keyPath);
    runrecord::Revoked(keyPath, DeletePermission(keyPath) && grantjournal::RemoveEntry(entry));
    if (PermissionPresent(keyPath)) grant.result = LeftoverGrant::Result::failed;
    else if (!present) grant.result = LeftoverGrant::Result::gone;
    return grant;
}

// A journal the program cannot believe tells nothing of what was granted:
// every driver key of the table where the value is present is revoked, and
// the journal written anew with the ones that stay.
std::vector<LeftoverGrant> RevokeEveryDriverKey(const std::string& state, const char* reasonFormat,
                                                const std::string& why)
{
    runrecord::Note("grants journal " + state + ": revoking AllowEEPROMWrite under every driver key where present");
    std::vector<std::string> staying;
    std::vector<LeftoverGrant> done;
    for (const DriverKey& driver : driverKeys) {
        if (!PermissionPresent(driver.keyPath)) continue;
        const bool revoked = runrecord::Revoked(driver.keyPath, DeletePermission(driver.keyPath));
        if (!revoked) staying.push_back(driver.keyPath);
        done.push_back(Told(driver.keyPath, revoked ? LeftoverGrant::Result::removed : LeftoverGrant::Result::failed,
                            0, reasonFormat, why));
    }
    runrecord::Note(std::string("grants journal written anew: ") + DoneText(grantjournal::ReplaceWith(staying)));
    return done;
}

// What earlier runs granted and never revoked. Only the driver keys of the
// table are touched, and only when the journal lists them for a run that
// has ended; a run that still lives keeps its grant, and its journal line:
// each line is taken off alone, the others read anew and kept.
std::vector<LeftoverGrant> RevokeLeftoverGrants()
{
    std::vector<grantjournal::Entry> entries;
    std::string why;
    switch (grantjournal::Entries(&entries, &why)) {
    case grantjournal::Reading::read: break;
    case grantjournal::Reading::unreadable:
        return RevokeEveryDriverKey("not to be believed (" + why + ")",
                                    "the grants journal is not to be believed ({1})", why);
    case grantjournal::Reading::unusable:
        return RevokeEveryDriverKey("out of reach (" + why + ")", "the grants journal is out of reach ({1})", why);
    }
    std::vector<LeftoverGrant> done;
    for (const grantjournal::Entry& entry : entries) {
        const char* keyPath = TableKey(entry.key);
        if (!keyPath) {
            grantjournal::Remove(entry.key.c_str());
        } else if (grantjournal::RunLives(entry)) {
            runrecord::Note("grant under HKLM\\" + entry.key + " left: its run (process " +
                            std::to_string(entry.processId) + ") still runs");
            done.push_back(Told(keyPath, LeftoverGrant::Result::left, entry.processId, "run {1} still runs",
                                std::to_string(entry.processId)));
        } else {
            done.push_back(RevokeListed(keyPath, entry));
        }
    }
    return done;
}

// A live run's key is its own to revoke; a journal line whose value is
// gone already leaves no permission behind.
bool PermissionLeftBehind()
{
    std::vector<grantjournal::Entry> entries;
    std::string why;
    if (grantjournal::Entries(&entries, &why) != grantjournal::Reading::read) {
        for (const DriverKey& driver : driverKeys)
            if (PermissionPresent(driver.keyPath)) return true;
        return false;
    }
    for (const grantjournal::Entry& entry : entries) {
        const char* keyPath = TableKey(entry.key);
        if (keyPath && !grantjournal::RunLives(entry) && PermissionPresent(keyPath)) return true;
    }
    return false;
}
