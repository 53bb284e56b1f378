#include "toolkit/headless/recording_dc.h"

#include "toolkit/shown_text.h"

namespace headless {

void RecordingDC::FillRect(int32_t x, int32_t y, int32_t width, int32_t height)
{
    DrawCall call;
    call.kind = DrawCall::fillRect;
    call.a = x, call.b = y, call.c = width, call.d = height;
    calls.push_back(call);
}

void RecordingDC::SetLineColor(TColor color)
{
    DrawCall call;
    call.kind = DrawCall::setLineColor;
    call.color = color;
    calls.push_back(call);
}

void RecordingDC::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    DrawCall call;
    call.kind = DrawCall::drawLine;
    call.a = x1, call.b = y1, call.c = x2, call.d = y2;
    calls.push_back(call);
}

void RecordingDC::DrawText(int32_t x, int32_t y, uint32_t maxLength, const char* text)
{
    DrawCall call;
    call.kind = DrawCall::drawText;
    call.a = x, call.b = y;
    // A maximum of 0 draws nothing here: a device context takes it
    // literally. What is drawn is the text as shown, in the chosen language.
    if (maxLength) call.text = ShownText(maxLength, text);
    call.font = selected;
    calls.push_back(call);
}

void RecordingDC::SelectFont(TFont font)
{
    selected = font;
    DrawCall call;
    call.kind = DrawCall::selectFont;
    call.font = font;
    calls.push_back(call);
}

}  // namespace headless
