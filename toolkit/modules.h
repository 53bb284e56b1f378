// The toolkit's modules, initialised once at start-up in this order.
#pragma once

void Init_StockResources();
void Init_Graphics();
void Init_Fonts();
void Init_Core();
void Init_Views();
void Init_Tools();
void Init_Controls();
void Init_Windows();
void Init_Dialogs();
void Init_TabPanes();

// All ten, in that order.
void InitAllModules();
