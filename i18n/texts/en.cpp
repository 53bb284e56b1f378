// Every English text the program shows or prints for a person: the key of
// every language's table. A text here with no translation in a language is
// shown in English there, and fails the tables' test.
#include <iterator>

#include "i18n/texts.h"

namespace {

const char* const texts[] = {
    // The wizard's steps: the pane's title and lines.
    "Step 1:",
    "Step 2:",
    "Step 3:",
    "Step 4:",
    "Step 5:",
    "Connect camera and click [Scan camera] button",
    "Unplug camera power",
    "Connect camera again and click [Scan camera]",
    "Define Overscan mode",
    "Camera update successful.",
    "Changes will take effect after camera is",
    "unplugged from power and plugged again.",
    // The buttons.
    "Scan camera",
    "Next ->",
    "Write Overscan",
    "Finish",
    // The chooser's items at step 4, the first two also the pane's values.
    "Disabled",
    "Enabled",
    "Original",
    // The pane's labels and the values it shows for a camera.
    "Camera type:",
    "Camera ID:",
    "Overscan:",
    "Not connected",
    "Cannot be configured",
    "Driver not installed",
    // The window menu's entry and the About box.
    "About...",
    "About configuration tool",
    "Copyright (C) 2009-2026 Kestrane",
    "unknown",
    // The message boxes: the title, then each box's two lines.
    "Error",
    "The last update of this camera did not finish",
    "Write the overscan mode again",
    "This camera is different",
    "Plug in the same camera",
    "Cannot write Windows Registry",
    "Application requires administrative priviledges",
    "Run it as Administrator",
    "Camera not connected",
    "Plug in the camera",
    "Cannot write camera EEPROM",
    "Contact technical support",
    "Cannot save camera backup",
    "Check the disk and try again",
    "Cannot remove the write permission",
    "It is removed at the next start of the program",
    // The terminal program's own lines: its key help, its box, its asks.
    " Tab focus  Enter press  Up/Down mode",
    " s w n f press  a About  p plug  q quit",
    " Enter: close the box",
    "OK",
    "Please enlarge the terminal to {1}",
    "Enlarge to {1}",
    " The bench cannot be saved: {1}",
};

}  // namespace

EnglishTexts AllEnglishTexts()
{
    return {texts, std::size(texts)};
}
