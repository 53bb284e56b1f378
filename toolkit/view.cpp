#include "toolkit/view.h"

#include "toolkit/backend.h"
#include "toolkit/event_loop.h"
#include "toolkit/node_view.h"
#include "toolkit/window.h"

CEventHandler::~CEventHandler()
{
    event_loop::Forget(this);
}

void CEventHandler::ReceiveEvent(TEvent* /*event*/) {}

void CEventHandler::MakeEvent(const TEvent& event)
{
    event_loop::Post(this, event);
}

CView::CView() = default;

CView::~CView() = default;

void CView::Init(const CRect& r)
{
    rect = r;
    if (rect.height == 0) rect.height = NaturalHeight();
    backend::ViewChanged(this);
}

void CView::Show()
{
    shown = true;
    backend::ViewChanged(this);
}

void CView::InvalidateView()
{
    ++repaintsAsked;
    backend::ViewChanged(this);
}

void CView::Done()
{
    if (ended) return;
    ended = true;
    shown = false;
    backend::ViewChanged(this);
}

void CView::PaintView(CDeviceContext* /*dc*/) {}

CWindow* CView::OwnerWindow() const
{
    return parent ? parent->OwnerWindow() : nullptr;
}
