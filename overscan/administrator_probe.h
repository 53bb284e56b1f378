// Whether the program may change the machine-wide configuration.
#pragma once

// True on the old consumer Windows line without a further test; on the NT
// line, true when the service control manager grants all generic rights.
bool IsAdministrator();
