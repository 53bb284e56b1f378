// German: the program's texts, each after the English text it stands for.
#include <iterator>

#include "i18n/texts.h"

namespace {

const TextPair pairs[] = {
    // The wizard's steps: the pane's title and lines.
    {"Step 1:", "Schritt 1:"},
    {"Step 2:", "Schritt 2:"},
    {"Step 3:", "Schritt 3:"},
    {"Step 4:", "Schritt 4:"},
    {"Step 5:", "Schritt 5:"},
    {"Connect camera and click [Scan camera] button", "Kamera anschließen, [Kamera suchen] klicken"},
    {"Unplug camera power", "Stromversorgung der Kamera trennen"},
    {"Connect camera again and click [Scan camera]", "Wieder anschließen, [Kamera suchen] klicken"},
    {"Define Overscan mode", "Overscan-Modus festlegen"},
    {"Camera update successful.", "Kamera erfolgreich aktualisiert."},
    {"Changes will take effect after camera is", "Änderungen wirken, wenn die Kamera vom"},
    {"unplugged from power and plugged again.", "Strom getrennt und wieder verbunden ist."},
    // The buttons.
    {"Scan camera", "Kamera suchen"},
    {"Next ->", "Weiter ->"},
    {"Write Overscan", "Modus schreiben"},
    {"Finish", "Fertig"},
    // The chooser's items at step 4, the first two also the pane's values.
    {"Disabled", "Deaktiviert"},
    {"Enabled", "Aktiviert"},
    {"Original", "Original"},
    // The pane's labels and the values it shows for a camera.
    {"Camera type:", "Kameratyp:"},
    {"Camera ID:", "Kamera-ID:"},
    {"Overscan:", "Overscan:"},
    {"Not connected", "Nicht verbunden"},
    {"Cannot be configured", "Nicht konfigurierbar"},
    {"Driver not installed", "Treiber nicht installiert"},
    // The window menu's entry and the About box.
    {"About...", "Info..."},
    {"About configuration tool", "Info über das Konfigurationsprogramm"},
    {"Copyright (C) 2009-2026 Kestrane", "Copyright (C) 2009-2026 Kestrane"},
    {"unknown", "unbekannt"},
    // The message boxes: the title, then each box's two lines.
    {"Error", "Fehler"},
    {"The last update of this camera did not finish", "Die letzte Aktualisierung dieser Kamera wurde nicht abgeschlossen"},
    {"Write the overscan mode again", "Schreiben Sie den Overscan-Modus erneut"},
    {"This camera is different", "Dies ist eine andere Kamera"},
    {"Plug in the same camera", "Schließen Sie dieselbe Kamera an"},
    {"Cannot write Windows Registry", "Schreiben in die Windows-Registrierung nicht möglich"},
    {"Application requires administrative priviledges", "Das Programm benötigt Administratorrechte"},
    {"Run it as Administrator", "Starten Sie es als Administrator"},
    {"Camera not connected", "Kamera nicht verbunden"},
    {"Plug in the camera", "Schließen Sie die Kamera an"},
    {"Cannot write camera EEPROM", "Kamera-EEPROM kann nicht beschrieben werden"},
    {"Contact technical support", "Wenden Sie sich an den technischen Support"},
    {"Cannot save camera backup", "Kamera-Sicherung kann nicht gespeichert werden"},
    {"Check the disk and try again", "Prüfen Sie den Datenträger und versuchen Sie es erneut"},
    {"Cannot remove the write permission", "Die Schreibberechtigung kann nicht entfernt werden"},
    {"It is removed at the next start of the program", "Sie wird beim nächsten Programmstart entfernt"},
    // The terminal program's own lines: its key help, its box, its asks.
    {" Tab focus  Enter press  Up/Down mode", " Tab Fokus  Enter drücken  Auf/Ab Modus"},
    {" s w n f press  a About  p plug  q quit", " s w n f drücken  a Info  p stecken  q Ende"},
    {" Enter: close the box", " Enter: Meldung schließen"},
    {"OK", "OK"},
    {"Please enlarge the terminal to {1}", "Bitte das Terminal auf {1} vergrößern"},
    {"Enlarge to {1}", "Auf {1} vergrößern"},
    {" The bench cannot be saved: {1}", " Der Prüfstand kann nicht gespeichert werden: {1}"},
};

}  // namespace

TextTable GermanTexts()
{
    return {pairs, std::size(pairs)};
}
