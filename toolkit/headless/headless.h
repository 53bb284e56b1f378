// Driving the headless toolkit from a test: message boxes recorded and
// answered, window messages and timers delivered on demand, painting
// recorded, clicks and choices made.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/headless/recording_dc.h"
#include "toolkit/window.h"

namespace headless {

struct BoxRecord {
    CWindow* owner;
    std::string title;
    std::string lines[3];
    TIcon icon;
};

// Forgets boxes, queued messages, windows and hooks; initialises the
// toolkit's modules.
void Reset();

const std::vector<BoxRecord>& Boxes();
// Runs while each box is open (the box closes when it returns). Window
// messages may be delivered from there; events wait for the box to close.
void OnMessageBox(std::function<void(const BoxRecord&)> whileOpen);

// Delivers queued window messages only.
void DeliverMessages();
// Delivers window messages and events and frees ended views, until
// nothing is left to do.
void Pump();
// Moves the simulated clock on, delivering timer messages as they fall due.
void AdvanceTime(uint32_t ms);
// Posts a window message, with a copy of the record lParam points to.
void PostMessage(HWND window, UINT message, WPARAM wParam, const void* record, size_t size);
size_t QueuedMessages();

// The window of a native handle, while it exists.
CWindow* WindowOf(HWND window);
size_t NativeWindowCount();

std::vector<DrawCall> Paint(CView* view);
// Presses the button and pumps; false when the press did nothing.
bool Click(CButton* button);

// What the event loop does when idle: return false to end it.
void SetIdle(std::function<bool()> idle);

// The live (not ended) children of a container of one kind, in order.
template <typename T>
std::vector<T*> LiveChildren(const CNodeView* container)
{
    std::vector<T*> found;
    for (CView* child : container->Children())
        if (auto* view = dynamic_cast<T*>(child); view && !view->IsEnded()) found.push_back(view);
    return found;
}

}  // namespace headless
