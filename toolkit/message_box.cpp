#include "toolkit/message_box.h"

#include "toolkit/backend.h"
#include "toolkit/event_loop.h"
#include "toolkit/text.h"

int DoMessageBox(CWindow* owner, int kind, const CRect& /*rect*/, int /*buttons*/, int /*defaultButton*/,
                 int /*flags*/, uint32_t titleLength, const char* title, uint32_t length1, const char* line1,
                 uint32_t length2, const char* line2, uint32_t length3, const char* line3, TIcon icon)
{
    MessageBoxContent content;
    content.owner = owner;
    content.kind = kind;
    content.icon = icon;
    CopyA(maxBoxText, content.title, titleLength, title);
    CopyA(maxBoxText, content.lines[0], length1, line1);
    CopyA(maxBoxText, content.lines[1], length2, line2);
    CopyA(maxBoxText, content.lines[2], length3, line3);
    event_loop::EnterModal();
    int result = backend::ShowMessageBox(content);
    event_loop::LeaveModal();
    return result;
}
