// Who the program is to Windows, and the protection of what it keeps: the
// accounts whose ownership counts as the program's (SYSTEM, Administrators,
// the owner its token gives to what it makes and the token's user), the protected DACL of
// its folders and of its one-copy mutex, and the system's guard against
// redirection through links planted by others.
#pragma once

#include <windows.h>

#include <string>

namespace programsecurity {

struct Ownership {
    bool programsOwner = false;
    bool othersMayWrite = true;  // judged only for folders
};
Ownership OwnershipOf(HANDLE handle, bool folder);

// Sets owner Administrators and the protected DACL on the open handle.
bool TakeOver(HANDLE handle);
// Makes the folder with owner Administrators and the protected DACL
// (SYSTEM and Administrators full control, Users read and execute, nothing
// inherited); a folder that exists is left as it is.
void MakeProtectedFolder(const std::string& path);

// The security attributes of the one-copy mutex: SYSTEM and Administrators
// only. Freed with FreeMutexAttributes.
bool MutexAttributes(SECURITY_ATTRIBUTES* attributes);
void FreeMutexAttributes(SECURITY_ATTRIBUTES* attributes);

}  // namespace programsecurity
