// The application object: it holds the top-level windows and runs the
// event loop until the last of them has closed.
#pragma once

#include <vector>

#include "toolkit/window.h"

class CBackground : public CEventHandler {
public:
    ~CBackground() override;

    void Init(bool mainApplication);
    void Register(CWindow* window);
    // Makes the registered windows the active ones, then shows them: their
    // native windows are made, and with them CreatePeerWindow runs.
    void Select();
    void Show();
    // Runs the event loop; returns when the application ends.
    void Exec();
    // Closes what is still open and frees the windows.
    void Done();

    const std::vector<CWindow*>& Windows() const { return windows; }
    // For the event loop: frees closed windows; false once none is left.
    bool FreeClosedWindows();

private:
    std::vector<CWindow*> windows;
    bool selected = false;
};

extern CBackground* PBackground;

// Frees the application object once its Done has run and the program is
// finished with the toolkit.
void ReleaseBackground();
