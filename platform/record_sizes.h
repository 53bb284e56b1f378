// The sizes and offsets of the Windows records that the system fills in
// by hand or whose size field it sets, checked at compile time: a header
// or packing that drifts fails the build instead of the driver's call.
#pragma once

#include <cstddef>

#include "platform/win_types.h"

// The interface detail record: the size field the caller must set is the
// record's size with the one path character, packed to 1 byte in a
// 32-bit program and to 8 bytes (so padded to 8) in a 64-bit one.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 5, "32-bit interface detail record");
static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) == 28, "32-bit interface record");
#else
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 8, "64-bit interface detail record");
static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) == 32, "64-bit interface record");
#endif
static_assert(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) == 4, "path after the size field");

static_assert(sizeof(OSVERSIONINFOA) == 148, "version record");

static_assert(offsetof(DEV_BROADCAST_HDR, dbch_devicetype) == 4, "broadcast header's device type");
static_assert(offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_classguid) == 12, "interface broadcast's class");
static_assert(offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) == 28, "interface broadcast's name");
