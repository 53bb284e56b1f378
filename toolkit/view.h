// The view classes: an event handler, the class root, and the view with a
// rectangle, graphics contexts, painting and an end.
//
// Views are created with new and handed to a container with Register; from
// then on the toolkit owns them. Done ends a view: it disappears at once,
// and the toolkit frees it from its event loop, never from inside a handler,
// so a view ended while one of its own events is handled stays alive until
// that handling returns.
#pragma once

#include <cstdint>

#include "toolkit/device_context.h"
#include "toolkit/event.h"
#include "toolkit/graphics.h"
#include "toolkit/rect.h"

class CNodeView;
class CWindow;

class CEventHandler {
public:
    CEventHandler() = default;
    CEventHandler(const CEventHandler&) = delete;
    CEventHandler& operator=(const CEventHandler&) = delete;
    virtual ~CEventHandler();

    virtual void ReceiveEvent(TEvent* event);
    // Posts the event to this handler; the event loop delivers it.
    void MakeEvent(const TEvent& event);
};

// The root of the toolkit's class information.
class CLASS {
public:
    virtual ~CLASS() = default;
};

class CView : public CEventHandler, public CLASS {
public:
    CView();
    ~CView() override;

    // A height of 0 is filled in with the view's natural height.
    void Init(const CRect& rect);
    const CRect& Rect() const { return rect; }

    // Graphics context by number; 7 is the one for information panes.
    TGContext* GetPGContext(int number);

    void Show();
    bool IsShown() const { return shown; }
    void InvalidateView();
    int RepaintsAsked() const { return repaintsAsked; }

    virtual void Done();
    bool IsEnded() const { return ended; }

    virtual void PaintView(CDeviceContext* dc);
    virtual int32_t NaturalHeight() const { return 20; }

    CNodeView* Parent() const { return parent; }
    // The window the view belongs to (itself, for a window).
    virtual CWindow* OwnerWindow() const;

    // For the backend: its native counterpart, if it has one.
    void* peer = nullptr;

protected:
    CRect rect;

private:
    friend class CNodeView;
    CNodeView* parent = nullptr;
    bool shown = false;
    bool ended = false;
    int repaintsAsked = 0;
};
