#include "toolkit/window.h"

#include "toolkit/backend.h"
#include "toolkit/text.h"

CWindow::CWindow()
{
    title[0] = 0;
}

CWindow::~CWindow() = default;

bool CWindow::Init(const CRect& r, uint32_t windowStyle, uint32_t titleLength, const char* text, CMenuBar*,
                   CDBNodeView*, CView*, CTabPaneFactory*)
{
    style = windowStyle;
    CopyA(maxWindowTitle, title, titleLength, text);
    CView::Init(r);
    return true;
}

void CWindow::SetTitle(uint32_t length, const char* text)
{
    CopyA(maxWindowTitle, title, length, text);
    backend::WindowChanged(this);
}

void CWindow::SetWinIcon(TIcon small, TIcon large)
{
    smallIcon = small;
    largeIcon = large;
    backend::WindowChanged(this);
}

void CWindow::Minimize()
{
    minimized = true;
    maximized = false;
    backend::WindowChanged(this);
}

void CWindow::Maximize()
{
    maximized = true;
    minimized = false;
    backend::WindowChanged(this);
}

void CWindow::Restore()
{
    minimized = maximized = false;
    backend::WindowChanged(this);
}

void CWindow::MoveTo(int32_t x, int32_t y)
{
    rect.x = x;
    rect.y = y;
}

void CWindow::NoteState(bool isMinimized, bool isMaximized)
{
    minimized = isMinimized;
    maximized = isMaximized;
}

CRect CWindow::CurrentRect() const
{
    if (minimized) return CRect(-32000, -32000, 160, 28);
    if (maximized) return CRect(-4, -4, 1928, 1048);
    return rect;
}

int32_t CWindow::InnerWidth() const
{
    int32_t width = 0, height = 0;
    backend::InnerSize(this, &width, &height);
    return width;
}

int32_t CWindow::InnerHeight() const
{
    int32_t width = 0, height = 0;
    backend::InnerSize(this, &width, &height);
    return height;
}

bool CWindow::ReceiveMsg(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/)
{
    return false;
}

void CWindow::CreatePeerWindow()
{
    CNodeView::CreatePeerWindow();
}

void CWindow::DeletePeerWindow()
{
    CNodeView::DeletePeerWindow();
}

void CWindow::Done()
{
    if (nativeWindow) {
        goingAway = true;
        DeletePeerWindow();
        backend::DestroyNativeWindow(this);
        nativeWindow = nullptr;
    }
    CNodeView::Done();
}

void CWindow::ReceiveEvent(TEvent* event)
{
    if ((event->what & evBroadcast) && event->command == cmClose && !IsEnded()) Done();
}

void CWindow::AttachNativeWindow(HWND window)
{
    nativeWindow = window;
    goingAway = false;
    CreatePeerWindow();
}

LRESULT CWindow::DeliverMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    ReceiveMsg(message, wParam, lParam, result);
    return result;
}
