// The registry helper and the saved window position over any registry
// contents: values of any type and size, missing or misplaced pieces.
#include "app/main_window.h"
#include "tests/fuzz/fuzz_harness.h"
#include "toolkit/reg_scanner.h"

namespace {

const char* const names[] = {"XPos", "YPos", "", "xpos", "Window"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bench bench;
    fuzz::Input input(data, size);
    sim::SimRegistry& registry = sim::Machine().registry;
    uint8_t shape = input.Byte();
    std::string key = "HKCU\\Software\\Kestrane\\Vellmark";
    if (shape & 1) registry.CreatePath(key);
    if (shape & 2) registry.CreatePath(key + "\\Window");
    if (shape & 4) registry.CreatePath(key + "\\Window\\XPos");
    sim::Machine().system.monitors.clear();
    for (int count = input.Byte() % 3; count > 0; --count) {
        RECT monitor;
        monitor.left = static_cast<LONG>(input.U32());
        monitor.top = static_cast<LONG>(input.U32());
        monitor.right = static_cast<LONG>(input.U32());
        monitor.bottom = static_cast<LONG>(input.U32());
        sim::Machine().system.monitors.push_back(monitor);
    }
    while (input.Left() > 0) {
        const char* name = names[input.Byte() % 5];
        DWORD type = input.Byte() % 12;
        size_t taken = 0;
        const uint8_t* bytes = input.Take(input.Byte() % 12, &taken);
        sim::RegKey* window = registry.FindPath(key + "\\Window");
        if (window) window->SetValue(name, type, bytes, taken);
    }
    int32_t position[2] = {100, 100};
    LoadWindowPos(position);
    CRegScannerA scanner;
    int32_t value = 7;
    if (scanner.Init(0, "", 0, "Software\\Kestrane\\Vellmark", HKEY_CURRENT_USER) && scanner.SetSection(6, "Window"))
        scanner.GetKeyInt(4, "XPos", &value);
    scanner.Done();
    SaveWindowPos(position);
    if (registry.OpenHandleCount() != 0) __builtin_trap();
    return 0;
}
