// What screen readers read of the Win32 backend's views. The pane's texts
// are its window text, which the standard accessible object gives as its
// name; a control is named by its label through oleacc's dynamic
// annotation, since no label control stands before it.
#pragma once

#include <windows.h>

#include <string>

struct IAccPropServices;

namespace win32_backend {

// The annotation service used from now on in place of oleacc's, which is
// otherwise made at the first name: a test gives one that records.
void UseAnnotations(IAccPropServices* services);

// The control's accessible name from now on; an empty name leaves it to
// the standard object.
void NameControl(HWND control, const std::string& name);
void ForgetName(HWND control);
// The view's accessible name (its window text) changed: the event that
// tells screen readers so.
void AnnounceNameChange(HWND view);

}  // namespace win32_backend
