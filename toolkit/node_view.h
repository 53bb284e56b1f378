// A view that holds other views. It owns its children: they are freed with
// it.
#pragma once

#include <vector>

#include "toolkit/view.h"

class CNodeView : public CView {
public:
    ~CNodeView() override;

    // Adds a child last, or first (drawn and reached before the others).
    void Register(CView* view);
    void RegisterFirst(CView* view);
    const std::vector<CView*>& Children() const { return children; }

    // The native peer of the container came or goes: the children's follow.
    virtual void CreatePeerWindow();
    virtual void DeletePeerWindow();

    void Done() override;

    // For the event loop: frees the children that have been ended.
    void FreeEndedChildren();

private:
    void Adopt(CView* view);
    std::vector<CView*> children;
};
