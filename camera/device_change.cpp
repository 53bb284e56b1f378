// Arrival and removal of a camera interface of the registered class.
#include "app/orvel_config.h"

bool COrvelConfig::HandleDeviceChange(WPARAM event, LPARAM record)
{
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return false;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(record);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return false;
    // Which interface came or went is not looked at: any of the class counts.
    if (event == DBT_DEVICEARRIVAL)
        OpenCamera();
    else
        CloseCamera();
    return true;
}
