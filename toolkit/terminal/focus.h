// Where the keyboard focus of a window is. The window's default button is
// its forward-most enabled push button: the last one in the order on
// screen (in a wizard, Next when it can be pressed, else the step's
// action). The focus starts there, follows it when another button becomes
// the default, and never rests on a control that is ended or disabled: it
// then moves to the default button, else to the first enabled control, else
// nowhere. A chooser that appears takes the focus, since it asks for a
// decision before any button; Enter there presses the default button. Tab
// goes through the enabled controls in the order on screen.
#pragma once

#include <string>
#include <vector>

#include "toolkit/window.h"

class CButton;
class CComboBox;

namespace terminal {

// The shown controls of the window in the order on screen: top to bottom,
// left to right.
std::vector<CView*> ControlsOnScreen(CWindow* window);
// The enabled ones among them (a chooser is always enabled).
std::vector<CView*> EnabledControls(CWindow* window);
CButton* DefaultButton(CWindow* window);

class FocusKeeper {
public:
    // Applies the rules to what the window shows now; gives the focus.
    CView* Settle(CWindow* window);
    // Tab (step 1) or Shift+Tab (step -1).
    void Move(CWindow* window, int step);
    CView* Focused() const { return focused; }

private:
    CView* focused = nullptr;
    const CButton* lastDefault = nullptr;
    const CComboBox* lastChooser = nullptr;
    std::string lastDefaultText;
};

}  // namespace terminal
