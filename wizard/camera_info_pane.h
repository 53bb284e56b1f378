// The information pane: the step title and instruction, a separator, and
// either the three labelled camera values or the final step's two lines.
// The wizard and the camera scan write its texts and then ask for a repaint.
#pragma once

#include <cstdint>

#include "toolkit/view.h"

constexpr uint32_t maxStepText = 63;
constexpr uint32_t maxValueText = 31;

class CCameraInfoPane : public CView {
public:
    CCameraInfoPane();

    void PaintView(CDeviceContext* dc) override;

    TGContext* graphicsContext;
    char stepTitle[maxStepText + 1];
    char stepLine1[maxStepText + 1];
    char stepLine2[maxStepText + 1];
    char stepLine3[maxStepText + 1];
    char typeValue[maxValueText + 1];
    char idValue[maxValueText + 1];
    char overscanValue[maxValueText + 1];
    int32_t typeLabelX;
    int32_t idLabelX;
    int32_t overscanLabelX;
};
