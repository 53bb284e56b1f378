// CRegScannerA: a registry key opened once, an optional section (a subkey
// of that key) selected in it, and named 32-bit values read and written in
// the section, or in the key itself while no section has been selected.
//
// One object per use: construct it empty, open with Init, vfInit or Create,
// and end it with Done or vfDone on every path, also after a failed open.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

class CRegScannerA {
public:
    CRegScannerA();
    ~CRegScannerA();
    CRegScannerA(const CRegScannerA&) = delete;
    CRegScannerA& operator=(const CRegScannerA&) = delete;

    // Opens an existing key for reading (Init) or for reading and changing
    // (vfInit); Create opens it for both and makes it when it is missing.
    // The machine must be empty (this computer).
    bool Init(uint32_t machineLen, const char* machine, uint32_t pathLen, const char* path, HKEY root);
    bool vfInit(uint32_t machineLen, const char* machine, uint32_t pathLen, const char* path, HKEY root);
    bool Create(uint32_t machineLen, const char* machine, uint32_t pathLen, const char* path, HKEY root);

    // Selects a subkey of the opened key (not of the current section).
    bool SetSection(uint32_t nameLen, const char* name);
    bool CreateSection(uint32_t nameLen, const char* name);

    bool GetKeyInt(uint32_t nameLen, const char* name, int32_t* value);
    bool SetKeyInt(uint32_t nameLen, const char* name, int32_t value);
    bool SetKeyCard(uint32_t nameLen, const char* name, uint32_t value);
    bool DeleteKey(uint32_t nameLen, const char* name);
    // Whether a value of that name is there, of any type.
    bool HasValue(uint32_t nameLen, const char* name);

    bool Done();
    bool vfDone();

private:
    bool Open(uint32_t machineLen, const char* machine, uint32_t pathLen, const char* path, HKEY root,
              REGSAM access, bool create);
    HKEY ValueKey() const;
    bool SetDword(uint32_t nameLen, const char* name, uint32_t bits);
    void CloseSection();

    HKEY baseKey;
    HKEY sectionKey;
    bool sectionLost;  // the last SetSection failed: no key to work in
    REGSAM access;
};
