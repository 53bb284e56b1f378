// The label that names a control for screen readers: the text the window
// shows before it on its row, found in what the real information pane
// draws.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "toolkit/control_label.h"
#include "toolkit/headless/headless.h"
#include "toolkit/headless/recording_dc.h"
#include "toolkit/text.h"
#include "wizard/camera_info_pane.h"

namespace {

// What the pane at (8, 8) draws, in the window's units.
std::vector<DrawnText> PaneTexts(bool finalStep)
{
    sim::ResetMachine();
    headless::Reset();
    CCameraInfoPane pane;
    pane.Init(CRect(8, 8, 256, 124));
    CopyA(63, pane.stepTitle, 7, finalStep ? "Step 5:" : "Step 4:");
    CopyA(31, pane.overscanValue, 8, "Disabled");
    if (finalStep) CopyA(63, pane.stepLine3, 8, "unplugged");
    headless::RecordingDC dc(pane.graphicsContext->textFont);
    pane.PaintView(&dc);
    std::vector<DrawnText> texts;
    for (const headless::DrawCall& call : dc.calls)
        if (call.kind == headless::DrawCall::drawText) texts.push_back(DrawnText{call.a + 8, call.b + 8, call.text});
    return texts;
}

struct LabelCase {
    const char* what;
    bool finalStep;
    CRect control;
    const char* label;
};

TEST(ControlLabelTest, AControlIsNamedByTheTextBeforeItOnItsRow)
{
    const LabelCase cases[] = {
        {"the chooser over the overscan value", false, CRect(108, 101, 156, 22), "Overscan:"},
        {"a control on the camera ID's row", false, CRect(108, 77, 156, 22), "Camera ID:"},
        {"a taller control on the overscan row", false, CRect(108, 96, 156, 30), "Overscan:"},
        {"nothing drawn left of a control at the left edge", false, CRect(8, 101, 80, 22), ""},
        {"below every text", false, CRect(108, 130, 156, 22), ""},
        {"the final step draws no labels", true, CRect(108, 101, 156, 22), ""},
    };
    for (const LabelCase& c : cases)
        EXPECT_EQ(c.label, LabelBefore(PaneTexts(c.finalStep), c.control, 11)) << c.what;
}

}  // namespace
