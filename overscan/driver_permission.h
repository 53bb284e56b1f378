// The camera driver's write permission: the value "AllowEEPROMWrite" under
// the Parameters key of the driver that the camera's product id names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int driverKeyCount = 6;

// The Parameters key path below HKEY_LOCAL_MACHINE for the product id, or
// null for a product id that no driver serves.
const char* DriverParametersKey(uint16_t productId);
// The key's row in the driver table (0 to 5), or -1.
int DriverKeyRow(uint16_t productId);
const char* DriverKeyOfRow(int row);
// Whether the product's driver is installed: its Parameters key exists.
bool DriverInstalled(uint16_t productId);
// What the start's clean-up did with one driver key.
struct LeftoverGrant {
    enum class Result {
        removed,  // the value was there and is deleted
        gone,     // the value was gone already; the journal line taken off
        left,     // the run that granted it still runs: left alone
        failed,   // the value could not be deleted: it stays
    };
    std::string key;         // the key's path below HKLM
    Result result = Result::removed;
    uint32_t processId = 0;  // the run that granted it; 0 when unknown
    std::string reason;      // why, in a few words: "run 1234 has ended"
    // The reason as an English format with one place {1} and its value
    // ("run {1} has ended", "1234"), for a front end that translates it.
    const char* reasonFormat = "";
    std::string reasonValue;
};
// At start: revokes what the journal lists, left by a run that never
// revoked it (killed, crashed, the power cut); gives what it did with each
// driver key, for the console program's revoke to tell.
std::vector<LeftoverGrant> RevokeLeftoverGrants();
// Whether a permission stays that no live run holds: the value under a
// driver key that the journal lists for this run or for a run that has
// ended (under any driver key where the journal cannot be read).
bool PermissionLeftBehind();
