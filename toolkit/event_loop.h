// The toolkit's event queue and modal state, shared by the core and the
// backends.
#pragma once

#include "toolkit/event.h"

class CEventHandler;

namespace event_loop {

void Post(CEventHandler* target, const TEvent& event);
// A handler is going away: its queued events are dropped.
void Forget(CEventHandler* handler);
bool HasPending();
// Delivers the queued events, unless a message box is open or an event is
// being handled already (events are never nested). True when any was.
bool DispatchPending();

void EnterModal();
void LeaveModal();
bool InModal();

}  // namespace event_loop
