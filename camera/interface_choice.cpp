#include "camera/interface_choice.h"

namespace {

std::vector<std::string>& PassedOver()
{
    static std::vector<std::string> paths;
    return paths;
}

}  // namespace

void PassOverInterfaces(const std::vector<std::string>& paths)
{
    PassedOver() = paths;
}

bool InterfacePassedOver(const char* path)
{
    for (const std::string& passed : PassedOver())
        if (passed == path) return true;
    return false;
}
