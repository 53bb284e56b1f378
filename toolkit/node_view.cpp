#include "toolkit/node_view.h"

#include "toolkit/backend.h"
#include "toolkit/window.h"

CNodeView::~CNodeView()
{
    for (CView* child : children) delete child;
}

void CNodeView::Adopt(CView* view)
{
    view->parent = this;
    CWindow* window = OwnerWindow();
    if (window && window->NativeWindow()) backend::AttachView(view);
}

void CNodeView::Register(CView* view)
{
    if (!view) return;
    children.push_back(view);
    Adopt(view);
}

void CNodeView::RegisterFirst(CView* view)
{
    if (!view) return;
    children.insert(children.begin(), view);
    Adopt(view);
}

void CNodeView::CreatePeerWindow()
{
    for (CView* child : children) backend::AttachView(child);
}

void CNodeView::DeletePeerWindow()
{
    for (CView* child : children) backend::DetachView(child);
}

void CNodeView::Done()
{
    for (CView* child : children) child->Done();
    CView::Done();
}

void CNodeView::FreeEndedChildren()
{
    for (size_t i = 0; i < children.size();) {
        CView* child = children[i];
        if (child->IsEnded()) {
            children.erase(children.begin() + static_cast<long>(i));
            backend::DetachView(child);
            delete child;
            continue;
        }
        if (auto* node = dynamic_cast<CNodeView*>(child)) node->FreeEndedChildren();
        ++i;
    }
}
