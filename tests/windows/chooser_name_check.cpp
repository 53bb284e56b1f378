// The chooser's accessible name as the Win32 backend sets it, below the
// annotation service: a recording service in place of oleacc's (whose
// dynamic annotation Wine does not implement), the wizard's information
// pane at step 4 and a chooser in real windows. The chooser on the
// "Overscan:" row is named "Overscan:", one on the camera ID's row
// "Camera ID:". Exit code 0 when every check passes.
#include <windows.h>
#include <initguid.h>
#include <oleacc.h>

#include <cstdio>
#include <map>
#include <string>

#include "toolkit/background.h"
#include "toolkit/combo_box.h"
#include "toolkit/text.h"
#include "toolkit/win32/accessible_names.h"
#include "toolkit/window.h"
#include "wizard/camera_info_pane.h"

namespace {

// Records each control's accessible name as set; every other call fails.
class RecordingAnnotations : public IAccPropServices {
public:
    std::map<HWND, std::wstring> names;
    int wrongCalls = 0;

    HRESULT WINAPI QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return 1; }
    ULONG WINAPI Release() override { return 1; }
    HRESULT WINAPI SetHwndPropStr(HWND hwnd, DWORD idObject, DWORD idChild, MSAAPROPID idProp, LPCWSTR str) override
    {
        if (static_cast<LONG>(idObject) != OBJID_CLIENT || idChild != CHILDID_SELF ||
            !IsEqualGUID(idProp, PROPID_ACC_NAME)) {
            ++wrongCalls;
            return E_INVALIDARG;
        }
        names[hwnd] = str;
        return S_OK;
    }
    HRESULT WINAPI ClearHwndProps(HWND hwnd, DWORD, DWORD, const MSAAPROPID*, int) override
    {
        names.erase(hwnd);
        return S_OK;
    }
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return Wrong(); }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override
    {
        return Wrong();
    }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return Wrong(); }
    HRESULT WINAPI SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return Wrong(); }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override
    {
        return Wrong();
    }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return Wrong(); }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override { return Wrong(); }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return Wrong(); }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return Wrong(); }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override
    {
        return Wrong();
    }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return Wrong(); }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return Wrong(); }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return Wrong(); }

private:
    HRESULT Wrong()
    {
        ++wrongCalls;
        return E_NOTIMPL;
    }
};

// A window of the wizard's size with its information pane at step 4, and
// a chooser at the given place, as the wizard's fourth step lays it out.
class StepFourWindow : public CWindow {
public:
    explicit StepFourWindow(const CRect& chooserPlace) : place(chooserPlace) {}
    void CreatePeerWindow() override
    {
        CWindow::CreatePeerWindow();
        pane = new CCameraInfoPane;
        pane->Init(CRect(8, 8, 256, 124));
        Register(pane);
        CopyA(maxStepText, pane->stepTitle, 0, "Step 4:");
        CopyA(maxStepText, pane->stepLine1, 0, "Define Overscan mode");
        CopyA(maxValueText, pane->typeValue, 0, "SIMCAM");
        CopyA(maxValueText, pane->idValue, 0, "4711");
        CopyA(maxValueText, pane->overscanValue, 0, "Disabled");
        pane->Show();
        combo = new CComboBox;
        combo->Init(place, 0, false);
        RegisterFirst(combo);
        combo->AddItem(8, "Disabled", 0);
        combo->AddItem(7, "Enabled", 0);
        combo->FitList();
        combo->Select(1);
        combo->Show();
    }
    CRect place;
    CCameraInfoPane* pane = nullptr;
    CComboBox* combo = nullptr;
};

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
}

std::string Narrow(const std::wstring& wide)
{
    return std::string(wide.begin(), wide.end());
}

}  // namespace

int main()
{
    RecordingAnnotations annotations;
    win32_backend::UseAnnotations(&annotations);
    PBackground = new CBackground;
    PBackground->Init(true);
    struct Case {
        const char* what;
        CRect place;
        const char* name;
    };
    const Case cases[] = {
        {"the chooser on the Overscan row, where step 4 puts it", CRect(108, 101, 156, 0), "Overscan:"},
        {"a chooser on the camera ID's row", CRect(108, 77, 156, 0), "Camera ID:"},
    };
    int failures = 0;
    for (const Case& c : cases) {
        auto* window = new StepFourWindow(c.place);
        window->Init(CRect(100, 100, 272, 164), 0, 5, "probe", nullptr, nullptr, nullptr, nullptr);
        PBackground->Register(window);
        PBackground->Show();
        PumpFor(300);
        HWND chooser = FindWindowExA(window->NativeWindow(), nullptr, "ComboBox", nullptr);
        const auto named = annotations.names.find(chooser);
        const std::string name = named == annotations.names.end() ? "(none)" : Narrow(named->second);
        const bool ok = chooser && name == c.name && annotations.wrongCalls == 0;
        std::printf("%s: %s: the accessible name is \"%s\" (set: \"%s\")\n", ok ? "PASS" : "FAIL", c.what, c.name,
                    name.c_str());
        if (!ok) ++failures;
        window->Done();
        PumpFor(100);
    }
    std::printf("%d checks, %d failed\n", 2, failures);
    return failures == 0 ? 0 : 1;
}
