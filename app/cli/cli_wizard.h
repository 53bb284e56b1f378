// The real main window, COrvelConfig, on the headless toolkit, driven by
// the console program: its buttons pressed as a user would, the world's
// changes (cameras plugged and unplugged) and the clock delivered to it as
// window messages, its message boxes recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/orvel_config.h"
#include "toolkit/headless/headless.h"

enum class WaitEnd { reached, timedOut, signalled, closed };

class CliWizard {
public:
    // Opens the window with the other cameras connected passed over: it
    // opens the camera of the interface path, builds step 1 and scans it.
    COrvelConfig* Start(const std::string& path);
    // Whether the window is still open; the window pointer is valid only then.
    bool Running() const;
    COrvelConfig* Window() const { return window; }
    // Ends the window as its close does: the camera closed, what the run
    // granted revoked. Safe when already closed.
    void Close();

    // One turn: the world's changes taken in, the clock moved on, what
    // they caused handled.
    void Turn();
    // Turns until reached() is true, the seconds are up, a signal came or
    // the window closed; each() runs at every turn while waiting.
    WaitEnd Wait(int seconds, const std::function<bool()>& reached, const std::function<void()>& each);

    // The window's live, enabled button of the command, or null.
    CButton* Button(uint32_t command) const;
    bool Press(uint32_t command);
    // The first line of the last message box the window showed, or "".
    std::string LastBox() const;

private:
    void FollowRemoval();
    COrvelConfig* window = nullptr;
    uint64_t lastTickMs = 0;
};

// What happens around the wizard: the world's changes taken in (the
// bench's, where the cameras are simulated), and the descriptor that tells
// of them (-1 where the console program looks every turn).
void TakeWorldChanges();
int WorldChangeDescriptor();
// Whether the window's registration brings it device messages.
bool DeviceMessagesReachWindow();
