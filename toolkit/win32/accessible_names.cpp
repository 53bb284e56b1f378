#include "toolkit/win32/accessible_names.h"

#include <initguid.h>
#include <oleacc.h>

#include <map>

#include "toolkit/win32/shown_text.h"

namespace win32_backend {

namespace {

std::map<HWND, std::string>& Names()
{
    static std::map<HWND, std::string> names;
    return names;
}

IAccPropServices* services = nullptr;
bool tried = false;

// The annotation service, made once; null where oleacc has none.
IAccPropServices* Annotations()
{
    if (tried) return services;
    tried = true;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return nullptr;
    void* made = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices, &made)))
        services = static_cast<IAccPropServices*>(made);
    return services;
}

}  // namespace

void UseAnnotations(IAccPropServices* given)
{
    services = given;
    tried = true;
}

void NameControl(HWND control, const std::string& name)
{
    auto known = Names().find(control);
    if (known != Names().end() && known->second == name) return;
    IAccPropServices* services = Annotations();
    if (!services) return;
    Names()[control] = name;
    MSAAPROPID property = PROPID_ACC_NAME;
    if (name.empty()) {
        services->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &property, 1);
    } else {
        services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, property, Wide(name).c_str());
    }
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void ForgetName(HWND control)
{
    auto known = Names().find(control);
    if (known == Names().end()) return;
    Names().erase(known);
    MSAAPROPID property = PROPID_ACC_NAME;
    if (IAccPropServices* services = Annotations())
        services->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &property, 1);
}

void AnnounceNameChange(HWND view)
{
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, view, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace win32_backend
