#include "app/cli/cli_same_mode.h"

#include <cstring>

#include "overscan/camera_record.h"
#include "overscan/geometry_tables.h"
#include "overscan/written_fields.h"

bool HoldsModeAlready(COrvelConfig* window, int position)
{
    const int row = window->sensorIndex;
    if (row < 1 || row >= sensorRowCount) return false;
    if (position == originalPosition && !window->originalOffered) return false;
    const WrittenFields fields = position == originalPosition ? window->originalFields
                                 : FieldsOfRow((position == enabledPosition ? overscanGeometry : normalGeometry)[row]);
    const uint32_t flags = window->familyFlags;
    const uint8_t* heldDescriptor = IsFamilyA(flags) ? window->descriptorBlockA : window->descriptorBlockB;
    const uint32_t length = DescriptorLength(flags);
    // What the update would write: the held blocks with the fields put in.
    uint8_t descriptor[descriptorLengthB];
    uint8_t geometry[geometryLength];
    std::memcpy(descriptor, heldDescriptor, length);
    std::memcpy(geometry, window->geometryBlock, geometryLength);
    PutFields(flags, fields, descriptor, geometry);
    return std::memcmp(descriptor, heldDescriptor, length) == 0 &&
           std::memcmp(geometry, window->geometryBlock, geometryLength) == 0;
}
