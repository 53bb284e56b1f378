#include "toolkit/event_loop.h"

#include <deque>

#include "toolkit/view.h"

namespace event_loop {

namespace {

struct Posted {
    CEventHandler* target;
    TEvent event;
};

std::deque<Posted>& Queue()
{
    static std::deque<Posted> queue;
    return queue;
}

int modalDepth = 0;
bool dispatching = false;

}  // namespace

void Post(CEventHandler* target, const TEvent& event)
{
    if (target) Queue().push_back(Posted{target, event});
}

void Forget(CEventHandler* handler)
{
    for (auto& posted : Queue())
        if (posted.target == handler) posted.target = nullptr;
}

bool HasPending()
{
    return !Queue().empty();
}

bool DispatchPending()
{
    if (modalDepth > 0 || dispatching) return false;
    bool any = false;
    dispatching = true;
    while (!Queue().empty() && modalDepth == 0) {
        Posted posted = Queue().front();
        Queue().pop_front();
        if (!posted.target) continue;
        auto* view = dynamic_cast<CView*>(posted.target);
        if (view && view->IsEnded()) continue;
        posted.target->ReceiveEvent(&posted.event);
        any = true;
    }
    dispatching = false;
    return any;
}

void EnterModal()
{
    ++modalDepth;
}

void LeaveModal()
{
    if (modalDepth > 0) --modalDepth;
}

bool InModal()
{
    return modalDepth > 0;
}

}  // namespace event_loop

void StopEvent(TEvent* event)
{
    if (event) event->what = 0;
}
