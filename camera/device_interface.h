// Finding a present, openable device interface of one class.
#pragma once

#include <cstdint>

#include "camera/interface_choice.h"
#include "platform/win_types.h"

// Opens the first present interface of the class, in enumeration order,
// that can be opened and is not passed over, and leaves its path in path
// (maxLen + 1 characters). Gives INVALID_HANDLE_VALUE when there is none.
HANDLE OpenDeviceInterface(const GUID& classGuid, uint32_t maxLen, char* path,
                           const OtherInterfaces* passedOver = nullptr);

// Hands each present interface of the class to visit, in enumeration
// order, until visit answers true; gives whether one did.
typedef bool (*InterfaceVisitor)(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data, void* context);
bool VisitDeviceInterfaces(const GUID& classGuid, InterfaceVisitor visit, void* context);

// The path of a listed interface, when it holds at most maxLen characters
// (path has room for maxLen + 1).
bool ListedInterfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data, uint32_t maxLen, char* path);

// Opens a device or pipe path for synchronous reading and writing.
HANDLE OpenDevicePath(const char* path);
