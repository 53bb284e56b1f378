// A push button that sends its command to its window when pressed.
#pragma once

#include <cstdint>

#include "toolkit/view.h"

constexpr uint32_t maxButtonText = 63;

class CButton : public CView {
public:
    CButton();

    // Also on a live button, to change its command and text.
    void Init(const CRect& rect, uint32_t command, uint32_t textLength, const char* text, uint32_t options);
    void Enable();
    void Disable();
    bool IsEnabled() const { return enabled; }
    uint32_t Command() const { return command; }
    const char* Text() const { return text; }

    // What a click does: the command event to the button's window, when
    // the button is shown, enabled and not ended.
    bool Press();

    int32_t NaturalHeight() const override { return 24; }

private:
    uint32_t command = 0;
    char text[maxButtonText + 1];
    bool enabled = true;
};
