// A push button. For now only its enabled state, which the camera scan and
// the overscan update switch; the window backends give it a face.
#pragma once

class CButton {
public:
    void Enable() { enabled = true; }
    void Disable() { enabled = false; }
    bool IsEnabled() const { return enabled; }

private:
    bool enabled = true;
};
