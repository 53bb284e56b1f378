// Arrival and removal of a camera interface of the registered class. Only
// the camera worked on moves the connection: the change of another
// camera's interface, told while this camera's is still listed, leaves the
// connection and the wizard's step as they are; a camera that came is
// passed over from then on.
#include <cstddef>
#include <string>

#include "app/orvel_config.h"
#include "camera/interface_list.h"

namespace {

// The interface path that the record names, or "" when it names none.
std::string NamedInterface(const DEV_BROADCAST_HDR* header)
{
    constexpr size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
    if (header->dbch_size <= nameOffset) return std::string();
    const auto* record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(header);
    size_t length = 0;
    while (nameOffset + length < header->dbch_size && record->dbcc_name[length]) ++length;
    return std::string(record->dbcc_name, length);
}

}  // namespace

// A record that names no interface, or this camera's own, is taken as
// this camera's change (a camera gone and back before its removal is
// delivered is listed again, yet it went); one naming another interface
// is another camera's while this camera's interface is still listed.
bool COrvelConfig::OtherCameraChange(const std::string& named)
{
    return (familyFlags & connectedFlag) && !named.empty() && !SameInterface(named, devicePath) &&
           InterfaceListed(devicePath);
}

bool COrvelConfig::HandleDeviceChange(WPARAM event, LPARAM record)
{
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return false;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(record);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return false;
    const std::string named = NamedInterface(header);
    if (OtherCameraChange(named)) {
        // Not this camera's plug or unplug: no grant, no step change.
        if (event == DBT_DEVICEARRIVAL) otherInterfaces.Join(named);
        return true;
    }
    if (event == DBT_DEVICEARRIVAL)
        OpenCamera();
    else
        CloseCamera();
    return true;
}
