// The information pane: the step texts and the three camera values that the
// wizard and the camera scan write, and the repaint they ask for.
#pragma once

#include <cstdint>

constexpr uint32_t maxStepText = 63;
constexpr uint32_t maxValueText = 31;

class CCameraInfoPane {
public:
    CCameraInfoPane();

    char stepTitle[maxStepText + 1];
    char stepLine1[maxStepText + 1];
    char stepLine2[maxStepText + 1];
    char stepLine3[maxStepText + 1];
    char typeValue[maxValueText + 1];
    char idValue[maxValueText + 1];
    char overscanValue[maxValueText + 1];

    void InvalidateView() { ++repaintsAsked; }
    int repaintsAsked = 0;
};
