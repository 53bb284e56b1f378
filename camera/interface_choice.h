// The cameras that are not the one worked on: the interfaces the window's
// search passes over, as it passes over one held by another program.
//
// The step-1 scan that finds a camera takes every other interface listed
// then; the console program names them before the window opens, so that
// the window opens the camera it chose. A restart at step 1 clears them.
// An interface of the set is passed over while it stays listed: seen gone,
// it leaves the set, and should it come again it is searched as any other,
// since a camera plugged into the port another had may be given that
// other's path. One that comes while the camera worked on is still listed
// is another camera's and joins the set.
#pragma once

#include <string>
#include <vector>

// Whether two interface paths name one interface: the system's device
// messages may spell a path in other letter case than its interface list.
bool SameInterface(const std::string& a, const std::string& b);

class OtherInterfaces {
public:
    // Every interface of the list but ownPath.
    void TakeAllBut(const std::string& ownPath, const std::vector<std::string>& listed);
    // Every interface listed now but ownPath.
    void TakeAllBut(const std::string& ownPath);
    void Clear() { paths.clear(); }
    // Another camera's interface that came: passed over from now on.
    void Join(const std::string& path);
    // Those no longer listed leave the set.
    void DropGone();
    bool PassesOver(const std::string& path) const;

private:
    std::vector<std::string> paths;
};
