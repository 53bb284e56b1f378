#include "wizard/camera_info_pane.h"

namespace {

// The labels end here; the values start at valueX.
constexpr int32_t labelRight = 92;
constexpr int32_t valueX = 100;
constexpr int32_t firstRowY = 46;
constexpr int32_t secondRowY = 70;
constexpr int32_t thirdRowY = 94;

}  // namespace

CCameraInfoPane::CCameraInfoPane()
{
    graphicsContext = GetPGContext(7);
    TFont font = graphicsContext->textFont;
    // Measured once, in the font the labels are drawn in.
    typeLabelX = labelRight - GetTextW(font, 12, "Camera type:");
    idLabelX = labelRight - GetTextW(font, 10, "Camera ID:");
    overscanLabelX = labelRight - GetTextW(font, 9, "Overscan:");
    stepTitle[0] = 0;
    stepLine1[0] = 0;
    stepLine2[0] = 0;
    stepLine3[0] = 0;
    typeValue[0] = 0;
    idValue[0] = 0;
    overscanValue[0] = 0;
}

void CCameraInfoPane::PaintView(CDeviceContext* dc)
{
    const int32_t width = rect.width;
    const bool messageLayout = stepLine3[0] != 0;
    dc->FillRect(0, 0, width, rect.height);
    dc->SetLineColor(graphicsContext->separatorColor1);
    dc->DrawLine(0, 38, width - 1, 38);
    dc->SetLineColor(graphicsContext->separatorColor2);
    dc->DrawLine(0, 39, width - 1, 39);
    dc->DrawText(0, 20, maxStepText, stepLine1);
    if (!messageLayout) {
        dc->DrawText(typeLabelX, firstRowY, 12, "Camera type:");
        dc->DrawText(idLabelX, secondRowY, 10, "Camera ID:");
        dc->DrawText(overscanLabelX, thirdRowY, 9, "Overscan:");
    }
    dc->SelectFont(CaptionFont);
    dc->DrawText(0, 0, maxStepText, stepTitle);
    if (messageLayout) {
        dc->DrawText(0, firstRowY, maxStepText, stepLine2);
        dc->DrawText(0, secondRowY, maxStepText, stepLine3);
    } else {
        dc->DrawText(valueX, firstRowY, maxValueText, typeValue);
        dc->DrawText(valueX, secondRowY, maxValueText, idValue);
        dc->DrawText(valueX, thirdRowY, maxValueText, overscanValue);
    }
}
