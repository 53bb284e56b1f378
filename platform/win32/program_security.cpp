#include "platform/win32/program_security.h"

#include "platform/redirection_guard.h"

#include <aclapi.h>
#include <sddl.h>

#include <initializer_list>

namespace programsecurity {

namespace {

// The program's accounts: SYSTEM, Administrators, the owner the token
// gives to what the program makes (Administrators when elevated), and the
// token's user, who runs the program: Wine gives its files that user as
// owner while its token owner is a group.
const char folderSddl[] = "O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
const char mutexSddl[] = "D:P(A;;GA;;;SY)(A;;GA;;;BA)";

// The rights that let an account change a folder or what is in it.
constexpr DWORD writeRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_WRITE_ATTRIBUTES |
                              FILE_DELETE_CHILD | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

struct ProgramSids {
    BYTE system[SECURITY_MAX_SID_SIZE] = {};
    BYTE administrators[SECURITY_MAX_SID_SIZE] = {};
    BYTE tokenOwner[SECURITY_MAX_SID_SIZE] = {};
    BYTE tokenUser[SECURITY_MAX_SID_SIZE] = {};
    bool haveTokenOwner = false;
    bool haveTokenUser = false;
};

void ReadTokenOwner(ProgramSids* sids)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
    BYTE buffer[sizeof(TOKEN_OWNER) + SECURITY_MAX_SID_SIZE] = {};
    DWORD size = 0;
    if (GetTokenInformation(token, TokenOwner, buffer, sizeof buffer, &size)) {
        PSID owner = reinterpret_cast<TOKEN_OWNER*>(buffer)->Owner;
        sids->haveTokenOwner = CopySid(sizeof sids->tokenOwner, sids->tokenOwner, owner) != 0;
    }
    BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE] = {};
    if (GetTokenInformation(token, TokenUser, user, sizeof user, &size)) {
        PSID sid = reinterpret_cast<TOKEN_USER*>(user)->User.Sid;
        sids->haveTokenUser = CopySid(sizeof sids->tokenUser, sids->tokenUser, sid) != 0;
    }
    CloseHandle(token);
}

const ProgramSids& Sids()
{
    static ProgramSids sids;
    static bool made = false;
    if (!made) {
        DWORD size = sizeof sids.system;
        CreateWellKnownSid(WinLocalSystemSid, nullptr, sids.system, &size);
        size = sizeof sids.administrators;
        CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sids.administrators, &size);
        ReadTokenOwner(&sids);
        made = true;
    }
    return sids;
}

bool IsProgramSid(PSID sid)
{
    const ProgramSids& sids = Sids();
    if (!sid || !IsValidSid(sid)) return false;
    return EqualSid(sid, const_cast<BYTE*>(sids.system)) || EqualSid(sid, const_cast<BYTE*>(sids.administrators)) ||
           (sids.haveTokenOwner && EqualSid(sid, const_cast<BYTE*>(sids.tokenOwner))) ||
           (sids.haveTokenUser && EqualSid(sid, const_cast<BYTE*>(sids.tokenUser)));
}

// No DACL at all lets everyone write; an inherit-only entry does not apply
// to the folder itself.
bool OthersMayWrite(PACL dacl)
{
    if (!dacl) return true;
    ACL_SIZE_INFORMATION size{};
    if (!GetAclInformation(dacl, &size, sizeof size, AclSizeInformation)) return true;
    for (DWORD i = 0; i < size.AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace)) return true;
        auto* header = static_cast<ACE_HEADER*>(ace);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE)) continue;
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        if ((allowed->Mask & writeRights) && !IsProgramSid(&allowed->SidStart)) return true;
    }
    return false;
}

PSECURITY_DESCRIPTOR Descriptor(const char* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return nullptr;
    return descriptor;
}

}  // namespace

Ownership OwnershipOf(HANDLE handle, bool folder)
{
    Ownership ownership;
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_INFORMATION asked = OWNER_SECURITY_INFORMATION | (folder ? DACL_SECURITY_INFORMATION : 0);
    if (GetSecurityInfo(handle, SE_FILE_OBJECT, asked, &owner, nullptr, folder ? &dacl : nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return ownership;
    ownership.programsOwner = IsProgramSid(owner);
    ownership.othersMayWrite = folder && OthersMayWrite(dacl);
    LocalFree(descriptor);
    return ownership;
}

bool TakeOver(HANDLE handle)
{
    PSECURITY_DESCRIPTOR descriptor = Descriptor(folderSddl);
    if (!descriptor) return false;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    bool done = GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) && present &&
                SetSecurityInfo(handle, SE_FILE_OBJECT,
                                OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                    PROTECTED_DACL_SECURITY_INFORMATION,
                                const_cast<BYTE*>(Sids().administrators), nullptr, dacl, nullptr) == ERROR_SUCCESS;
    LocalFree(descriptor);
    return done;
}

// Without elevation Administrators cannot be made the owner: the folder is
// then made with the DACL alone, and taken over at an elevated start.
void MakeProtectedFolder(const std::string& path)
{
    for (const char* sddl : {folderSddl, folderSddl + sizeof "O:BA" - 1}) {
        SECURITY_ATTRIBUTES attributes{sizeof attributes, Descriptor(sddl), FALSE};
        if (!attributes.lpSecurityDescriptor) return;
        bool made = CreateDirectoryA(path.c_str(), &attributes) != 0;
        DWORD error = GetLastError();
        LocalFree(attributes.lpSecurityDescriptor);
        if (made || error != ERROR_INVALID_OWNER) return;
    }
}

bool MutexAttributes(SECURITY_ATTRIBUTES* attributes)
{
    *attributes = SECURITY_ATTRIBUTES{sizeof *attributes, Descriptor(mutexSddl), FALSE};
    return attributes->lpSecurityDescriptor != nullptr;
}

void FreeMutexAttributes(SECURITY_ATTRIBUTES* attributes)
{
    if (attributes->lpSecurityDescriptor) LocalFree(attributes->lpSecurityDescriptor);
    attributes->lpSecurityDescriptor = nullptr;
}

// Looked up at run time: systems before Windows 11 have no such policy,
// and Windows 7 not even the function, which the import table must not name.
void GuardAgainstRedirection()
{
    using SetPolicy = BOOL(WINAPI*)(PROCESS_MITIGATION_POLICY, PVOID, SIZE_T);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto set = kernel ? reinterpret_cast<SetPolicy>(
                            reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessMitigationPolicy")))
                      : nullptr;
    PROCESS_MITIGATION_REDIRECTION_TRUST_POLICY policy{};
    policy.EnforceRedirectionTrust = 1;
    if (set) set(ProcessRedirectionTrustPolicy, &policy, sizeof policy);
}

}  // namespace programsecurity
