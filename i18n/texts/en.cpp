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
    // The console program's messages.
    "usage: vellmark-cli status [--json]\n"
    "       vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
    "       vellmark-cli revoke [--json]\n"
    "       vellmark-cli --help | --version",
    "  status  lists every connected camera: class row, product id, type, camera ID, sensor row,\n"
    "          the mode as the wizard's step 1 shows it, its backup, whether \"Original\" is offered, the\n"
    "          frame it holds (visible of total size at the x,y offsets), its interface path, and the mode\n"
    "          of its unfinished update if there is one. Bytes that are no printable ASCII show as \\xHH.\n"
    "          Changes nothing, so it runs beside a write of another copy; a camera that copy holds is\n"
    "          listed with mode busy and nothing else.",
    "  write   the wizard's job on one camera (the one --camera chooses, or the only one connected):\n"
    "          unplug its power when asked, plug it in again when asked; it is written and verified.\n"
    "          Each wait lasts at most --wait seconds (300). A camera that holds the mode's numbers\n"
    "          already is left alone (nothing granted, asked or written; exit 0); --force writes it all the same.",
    "  revoke  removes the write permission (AllowEEPROMWrite) that runs which have ended left under\n"
    "          the drivers' keys, as the grants journal lists them; a running copy's is left. One line\n"
    "          a driver key: what was done and why. Runs beside a running copy.",
    "  --camera CAMERA  its camera ID, PRODUCTID-CAMERAID (as its backup file is named), or its\n"
    "          interface path as status shows it; where several cameras match, the error lists them.",
    "  --json  one JSON object a line: a camera each, or an event each, errors too (also bad usage,\n"
    "          wherever --json stands); a write's lines carry camera_id and time (UTC) once the camera\n"
    "          is chosen.",
    "  --bench DIR  the bench of simulated cameras, else $VELLMARK_BENCH, else\n"
    "          $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench).",
    "exit codes:\n"
    "  0  done\n"
    "  1  the write, its verification or the backup failed (the camera put back as far as it answers)\n"
    "  2  bad usage\n"
    "  3  no camera, no such camera, or it cannot be configured\n"
    "  4  no administrator rights, or the permission could not be granted\n"
    "  5  a wait timed out (nothing written; the permission revoked)\n"
    "  6  another copy runs (write; status runs beside it)\n"
    "  7  a different camera was plugged in\n"
    "  8  the permission could not be removed afterwards (revoke: a permission could not be removed)\n"
    "  9  the bench or the data folder cannot be used, or its lock cannot be opened\n"
    "  10 the output could not be written (standard output closed, a full disk)\n"
    "  a signal's status when a signal ended it (the permission revoked first)",
    "{1} (see vellmark-cli --help)",
    "unknown option '--bench'",
    "--bench needs a directory",
    "--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an interface path as status shows it",
    "--wait needs a number of seconds from 1 to 86400",
    "unknown argument '{1}'",
    "a command is needed: status or write",
    "--help takes no arguments",
    "--version takes no arguments",
    "unknown command '{1}'",
    "write needs a mode: disabled, enabled or original",
    "unknown mode '{1}': disabled, enabled or original",
    "the output could not be written: {1}",
    "the output could not be written: standard output is closed",
    "another copy of vellmark or vellmark-cli runs ({1})",
    "cannot make sure that no other copy runs: {1}",
    "class {1}",
    "product id {1}",
    "type {1}",
    "camera ID {1}",
    "sensor {1}",
    "sensor none",
    "mode {1}",
    "backup {1}",
    "backup none",
    "original offered",
    "original not offered",
    "frame {1} x {2} of {3} x {4} at {5},{6}",
    "frame unknown",
    "path {1}",
    "unfinished {1}",
    "no camera is connected",
    "no camera with the ID {1} (connected: {2})",
    "no camera with the product id {1} and the ID {2} (connected: {3})",
    "no camera at the interface path {1} (connected: {2})",
    "several cameras match --camera {1} ({2}): choose one with --camera and one of these",
    "several cameras are connected (IDs {1}): choose one with --camera ID",
    "several cameras are connected ({1}): choose one with --camera and one of these",
    "the camera {1} cannot be written: {2}",
    "the camera {1} has no numbers of its own in a backup: Original is not offered",
    "timed out waiting for the camera to be unplugged: nothing written, the permission revoked",
    "timed out waiting for the camera to be plugged in: nothing written, the permission revoked",
    "the permission could not be noted in {1}: nothing granted",
    "the permission could not be granted: run it from an administrator's command prompt",
    "run it from an administrator's command prompt",
    "the camera cannot be configured",
    "Unplug the power of camera {1} now.",
    "Plug camera {1} in again.",
    "a different camera was plugged in: nothing written",
    "the camera refused the write: unplug its power after the permission is granted, then write again",
    "a different camera is connected: nothing written",
    "the camera is not connected: nothing written",
    "the update could not be noted in {1}: nothing written",
    "the camera's backup could not be saved: nothing written",
    "the camera's EEPROM could not be written or verified (put back as far as it answers)",
    "Original is not offered for this camera: nothing written",
    "the camera was written, but the permission could not be removed: the driver still accepts writes; "
    "start vellmark-cli or vellmark again to remove it",
    "Changes will take effect after camera is unplugged from power and plugged again.",
    "the camera {1} is already {2}: nothing written",
    "the camera {1} is no longer connected",
    "removed AllowEEPROMWrite under HKLM\\{1}: {2}",
    "found no AllowEEPROMWrite under HKLM\\{1}: {2}",
    "left AllowEEPROMWrite under HKLM\\{1}: {2}",
    "failed to remove AllowEEPROMWrite under HKLM\\{1}: {2}",
    "run {1} has ended",
    "an earlier run has ended",
    "no longer listed for run {1} when revoked",
    "no longer listed for an earlier run when revoked",
    "run {1} still runs",
    "the grants journal is not to be believed ({1})",
    "the grants journal is out of reach ({1})",
    "{1} permission(s) could not be removed: the driver still accepts writes; run it again from an "
    "administrator's command prompt",
    "nothing to revoke: the grants journal lists no driver key",
};

}  // namespace

EnglishTexts AllEnglishTexts()
{
    return {texts, std::size(texts)};
}
