/* A camera driver for the test rig under Wine: root-enumerated devices,
 * one per camera interface class, whose interfaces come and go on the
 * rig's command, and whose pipe names reach the rig's named pipes. */
#include <ddk/wdm.h>

#include "platform/sim/camera_class_guids.h"

#define RIG_IOCTL_SET_PRESENT CTL_CODE(FILE_DEVICE_UNKNOWN, 0x801, METHOD_BUFFERED, FILE_ANY_ACCESS)

typedef struct {
    PDEVICE_OBJECT lower;
    UNICODE_STRING link;
    int classRow;
    int present;
} RIG_DEVICE;

static const GUID classGuids[6] = CAMERA_CLASS_GUIDS;

static PDEVICE_OBJECT control;
static PDEVICE_OBJECT devices[6];

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information)
{
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

/* The interface link is pointed at the named-pipe device, so that the
 * interface path followed by "\0", "\1", "\2" opens the rig's pipes. */
static void PointAtPipes(RIG_DEVICE *rig)
{
    UNICODE_STRING pipes;
    RtlInitUnicodeString(&pipes, L"\\Device\\NamedPipe");
    IoDeleteSymbolicLink(&rig->link);
    IoCreateSymbolicLink(&rig->link, &pipes);
}

static void SetPresent(RIG_DEVICE *rig, int present)
{
    if (rig->present == present) return;
    IoSetDeviceInterfaceState(&rig->link, present ? TRUE : FALSE);
    rig->present = present;
    if (present) PointAtPipes(rig);
}

static NTSTATUS WINAPI StartDone(PDEVICE_OBJECT device, PIRP irp, PVOID context)
{
    (void)device;
    (void)irp;
    KeSetEvent((PKEVENT)context, IO_NO_INCREMENT, FALSE);
    return STATUS_MORE_PROCESSING_REQUIRED;
}

static NTSTATUS ForwardAndWait(RIG_DEVICE *rig, PIRP irp)
{
    KEVENT done;
    KeInitializeEvent(&done, NotificationEvent, FALSE);
    IoCopyCurrentIrpStackLocationToNext(irp);
    IoSetCompletionRoutine(irp, StartDone, &done, TRUE, TRUE, TRUE);
    if (IoCallDriver(rig->lower, irp) == STATUS_PENDING)
        KeWaitForSingleObject(&done, Executive, KernelMode, FALSE, NULL);
    return irp->IoStatus.Status;
}

static NTSTATUS WINAPI DispatchPnp(PDEVICE_OBJECT device, PIRP irp)
{
    RIG_DEVICE *rig = device->DeviceExtension;
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    if (device == control) return Complete(irp, STATUS_NOT_SUPPORTED, 0);
    if (stack->MinorFunction == IRP_MN_START_DEVICE) {
        NTSTATUS status = ForwardAndWait(rig, irp);
        if (NT_SUCCESS(status) || status == STATUS_NOT_SUPPORTED) {
            status = STATUS_SUCCESS;
            SetPresent(rig, 1);
        }
        return Complete(irp, status, 0);
    }
    if (stack->MinorFunction == IRP_MN_REMOVE_DEVICE) {
        SetPresent(rig, 0);
        IoSkipCurrentIrpStackLocation(irp);
        NTSTATUS status = IoCallDriver(rig->lower, irp);
        IoDetachDevice(rig->lower);
        devices[rig->classRow - 1] = NULL;
        IoDeleteDevice(device);
        return status;
    }
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(rig->lower, irp);
}

static NTSTATUS WINAPI DispatchCreateClose(PDEVICE_OBJECT device, PIRP irp)
{
    (void)device;
    return Complete(irp, STATUS_SUCCESS, 0);
}

/* Input: class row (1..6) and present (0 or 1), one byte each. */
static NTSTATUS WINAPI DispatchControl(PDEVICE_OBJECT device, PIRP irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    const UCHAR *input = irp->AssociatedIrp.SystemBuffer;
    if (device != control || stack->Parameters.DeviceIoControl.IoControlCode != RIG_IOCTL_SET_PRESENT ||
        stack->Parameters.DeviceIoControl.InputBufferLength < 2 || input[0] < 1 || input[0] > 6)
        return Complete(irp, STATUS_INVALID_PARAMETER, 0);
    if (!devices[input[0] - 1]) return Complete(irp, STATUS_NO_SUCH_DEVICE, 0);
    SetPresent(devices[input[0] - 1]->DeviceExtension, input[1] != 0);
    return Complete(irp, STATUS_SUCCESS, 0);
}

static int ClassRowOf(PDEVICE_OBJECT pdo)
{
    WCHAR id[128];
    ULONG size = 0;
    int i;
    if (!NT_SUCCESS(IoGetDeviceProperty(pdo, DevicePropertyHardwareID, sizeof id, id, &size))) return 0;
    /* "ROOT\VELLMARKRIGn": the row is the last character. */
    for (i = 0; i < 127 && id[i]; ++i) {}
    if (i == 0) return 0;
    return id[i - 1] >= L'1' && id[i - 1] <= L'6' ? id[i - 1] - L'0' : 0;
}

static NTSTATUS WINAPI AddDevice(PDRIVER_OBJECT driver, PDEVICE_OBJECT pdo)
{
    PDEVICE_OBJECT device;
    RIG_DEVICE *rig;
    NTSTATUS status;
    int row = ClassRowOf(pdo);
    if (row == 0) return STATUS_INVALID_PARAMETER;
    status = IoCreateDevice(driver, sizeof(RIG_DEVICE), NULL, FILE_DEVICE_UNKNOWN, 0, FALSE, &device);
    if (!NT_SUCCESS(status)) return status;
    rig = device->DeviceExtension;
    RtlZeroMemory(rig, sizeof *rig);
    rig->classRow = row;
    rig->lower = IoAttachDeviceToDeviceStack(device, pdo);
    status = IoRegisterDeviceInterface(pdo, &classGuids[row - 1], NULL, &rig->link);
    if (!NT_SUCCESS(status)) return status;
    devices[row - 1] = device;
    device->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}

static void WINAPI Unload(PDRIVER_OBJECT driver)
{
    UNICODE_STRING link;
    (void)driver;
    RtlInitUnicodeString(&link, L"\\DosDevices\\VellmarkRig");
    IoDeleteSymbolicLink(&link);
    if (control) IoDeleteDevice(control);
}

NTSTATUS WINAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    UNICODE_STRING name, link;
    NTSTATUS status;
    (void)registryPath;
    driver->DriverExtension->AddDevice = AddDevice;
    driver->MajorFunction[IRP_MJ_PNP] = DispatchPnp;
    driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchControl;
    driver->DriverUnload = Unload;
    RtlInitUnicodeString(&name, L"\\Device\\VellmarkRig");
    RtlInitUnicodeString(&link, L"\\DosDevices\\VellmarkRig");
    status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &control);
    if (!NT_SUCCESS(status)) return status;
    IoCreateSymbolicLink(&link, &name);
    control->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}
