#include "overscan/written_fields.h"

#include "overscan/camera_record.h"
#include "overscan/geometry_tables.h"

WrittenFields FieldsOfRow(const SensorGeometry& row)
{
    WrittenFields fields;
    fields.visibleWidth = static_cast<uint16_t>(row.visibleWidth);
    fields.visibleHeight = static_cast<uint16_t>(row.visibleHeight);
    fields.totalWidth = static_cast<uint16_t>(row.totalWidth);
    fields.totalHeight = static_cast<uint16_t>(row.totalHeight);
    fields.xOffset = static_cast<uint8_t>(row.xOffset);
    fields.yOffset = static_cast<uint8_t>(row.yOffset);
    fields.widthAfterOffset = static_cast<uint16_t>(row.totalWidth - row.xOffset);
    return fields;
}

WrittenFields FieldsOfBlocks(uint32_t familyFlags, const uint8_t* descriptor, const uint8_t* geometry)
{
    WrittenFields fields;
    fields.visibleWidth = GetU16(descriptor, VisibleWidthOffset(familyFlags));
    fields.visibleHeight = GetU16(descriptor, VisibleHeightOffset(familyFlags));
    fields.totalWidth = GetU16(geometry, totalWidthOffset);
    fields.totalHeight = GetU16(geometry, totalHeightOffset);
    fields.xOffset = geometry[xOffsetOffset];
    fields.yOffset = geometry[yOffsetOffset];
    fields.widthAfterOffset = GetU16(geometry, widthAfterOffsetOffset);
    return fields;
}

void PutFields(uint32_t familyFlags, const WrittenFields& fields, uint8_t* descriptor, uint8_t* geometry)
{
    PutU16(descriptor, VisibleWidthOffset(familyFlags), fields.visibleWidth);
    PutU16(descriptor, VisibleHeightOffset(familyFlags), fields.visibleHeight);
    PutU16(geometry, totalWidthOffset, fields.totalWidth);
    PutU16(geometry, totalHeightOffset, fields.totalHeight);
    geometry[xOffsetOffset] = fields.xOffset;
    geometry[yOffsetOffset] = fields.yOffset;
    PutU16(geometry, widthAfterOffsetOffset, fields.widthAfterOffset);
}

bool SameFields(const WrittenFields& a, const WrittenFields& b)
{
    return a.visibleWidth == b.visibleWidth && a.visibleHeight == b.visibleHeight && a.totalWidth == b.totalWidth &&
           a.totalHeight == b.totalHeight && a.xOffset == b.xOffset && a.yOffset == b.yOffset &&
           a.widthAfterOffset == b.widthAfterOffset;
}
