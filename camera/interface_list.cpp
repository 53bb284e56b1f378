#include "camera/interface_list.h"

#include "camera/camera_classes.h"
#include "camera/camera_connection.h"
#include "camera/device_interface.h"

namespace {

bool AddVisitedInterface(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data, void* context)
{
    char path[maxDevicePath + 1] = {};
    if (ListedInterfacePath(list, data, maxDevicePath, path) && path[0])
        static_cast<std::vector<std::string>*>(context)->push_back(path);
    return false;
}

}  // namespace

std::vector<std::string> ConnectedInterfaces()
{
    std::vector<std::string> paths;
    for (const CameraClass& cameraClass : cameraClasses)
        VisitDeviceInterfaces(cameraClass.classGuid, AddVisitedInterface, &paths);
    return paths;
}

bool InterfaceListed(const std::string& path)
{
    for (const std::string& listed : ConnectedInterfaces())
        if (listed == path) return true;
    return false;
}
