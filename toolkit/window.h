// A top-level window: title, icons, state, its native window, and the
// window messages that reach it.
//
// Closing runs, in this order: Done (the override first, then CWindow::Done),
// which takes the native window away and with it calls DeletePeerWindow.
// While DeletePeerWindow runs, NativeWindow() already gives null, so nothing
// started from there can register against a window that is going.
#pragma once

#include <cstdint>

#include "platform/win_types.h"
#include "toolkit/icon.h"
#include "toolkit/node_view.h"

class CMenuBar;
class CDBNodeView;
class CTabPaneFactory;

constexpr uint32_t maxWindowTitle = 255;

class CWindow : public CNodeView {
public:
    CWindow();
    ~CWindow() override;

    bool Init(const CRect& rect, uint32_t style, uint32_t titleLength, const char* title, CMenuBar* menu,
              CDBNodeView* nodeView, CView* view, CTabPaneFactory* tabPanes);
    void SetTitle(uint32_t length, const char* text);
    const char* Title() const { return title; }
    void SetWinIcon(TIcon small, TIcon large);
    TIcon SmallIcon() const { return smallIcon; }
    TIcon LargeIcon() const { return largeIcon; }

    void Minimize();
    void Maximize();
    void Restore();
    bool IsMinimized() const { return minimized; }
    bool IsMaximized() const { return maximized; }
    // The rectangle the window has, or returns to when restored.
    const CRect& RestoreRect() const { return rect; }
    CRect CurrentRect() const;

    int32_t InnerWidth() const;
    int32_t InnerHeight() const;
    HWND NativeWindow() const { return goingAway ? nullptr : nativeWindow; }

    // Overridables, in the order of their slots.
    virtual bool ReceiveMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void CreatePeerWindow() override;
    void DeletePeerWindow() override;
    void Done() override;
    void ReceiveEvent(TEvent* event) override;

    CWindow* OwnerWindow() const override { return const_cast<CWindow*>(this); }

    uint32_t style = 0;
    uint32_t flags = 0;  // the toolkit's flag word

    // For the backend: the user moved, minimised, maximised or restored it.
    void MoveTo(int32_t x, int32_t y);
    void NoteState(bool isMinimized, bool isMaximized);

    // For the toolkit: the native window was made.
    void AttachNativeWindow(HWND window);
    // For the toolkit: delivers a window message; result starts at 0.
    LRESULT DeliverMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    char title[maxWindowTitle + 1];
    TIcon smallIcon = nullptr;
    TIcon largeIcon = nullptr;
    bool minimized = false;
    bool maximized = false;
    bool goingAway = false;
    HWND nativeWindow = nullptr;
};
