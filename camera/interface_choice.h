// The cameras that are not the one worked on: the interfaces the window's
// search passes over, as it passes over one held by another program.
//
// The step-1 scan that finds a camera takes every other interface listed
// then; the console program names them before the window opens, so that
// the window opens the camera it chose. One that comes while the camera
// worked on is still listed is another camera's and joins them. A path
// names one device instance, and the camera worked on comes back under its
// own: so an interface of the set that goes and comes again is still
// another camera's, passed over, until a restart at step 1 clears the set.
#pragma once

#include <string>
#include <vector>

// Whether two interface paths name one interface: the system's device
// messages may spell a path in other letter case than its interface list.
bool SameInterface(const std::string& a, const std::string& b);

class OtherInterfaces {
public:
    // Every interface listed now but ownPath.
    void TakeAllBut(const std::string& ownPath);
    // Every interface of the list but ownPath joins the set.
    void JoinAllBut(const std::string& ownPath, const std::vector<std::string>& listed);
    void Clear() { paths.clear(); }
    // Another camera's interface that came: passed over from now on.
    void Join(const std::string& path);
    bool PassesOver(const std::string& path) const;

private:
    std::vector<std::string> paths;
};
