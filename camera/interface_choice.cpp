#include "camera/interface_choice.h"

#include "camera/interface_list.h"

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Holds(const std::vector<std::string>& paths, const std::string& path)
{
    for (const std::string& held : paths)
        if (SameInterface(held, path)) return true;
    return false;
}

}  // namespace

bool SameInterface(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

void OtherInterfaces::TakeAllBut(const std::string& ownPath)
{
    paths.clear();
    JoinAllBut(ownPath, ConnectedInterfaces());
}

void OtherInterfaces::JoinAllBut(const std::string& ownPath, const std::vector<std::string>& listed)
{
    for (const std::string& path : listed)
        if (!SameInterface(path, ownPath)) Join(path);
}

void OtherInterfaces::Join(const std::string& path)
{
    if (!Holds(paths, path)) paths.push_back(path);
}

bool OtherInterfaces::PassesOver(const std::string& path) const
{
    return Holds(paths, path);
}
