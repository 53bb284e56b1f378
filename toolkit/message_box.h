// The toolkit's message box: modal, it returns when the user has closed it.
// While it is open the owner gets no events, but window messages still
// reach it. Lengths are maxima.
#pragma once

#include <cstdint>

#include "toolkit/icon.h"
#include "toolkit/rect.h"

class CWindow;

int DoMessageBox(CWindow* owner, int kind, const CRect& rect, int buttons, int defaultButton, int flags,
                 uint32_t titleLength, const char* title, uint32_t length1, const char* line1, uint32_t length2,
                 const char* line2, uint32_t length3, const char* line3, TIcon icon);
