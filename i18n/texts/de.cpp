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
    // The console program's messages.
    {"usage: vellmark-cli status [--json]\n"
     "       vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
     "       vellmark-cli revoke [--json]\n"
     "       vellmark-cli --help | --version",
     "Aufruf: vellmark-cli status [--json]\n"
     "        vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
     "        vellmark-cli revoke [--json]\n"
     "        vellmark-cli --help | --version"},
    {"  status  lists every connected camera: class row, product id, type, camera ID, sensor row,\n"
     "          the mode as the wizard's step 1 shows it, its backup, whether \"Original\" is offered, the\n"
     "          frame it holds (visible of total size at the x,y offsets), its interface path, and the mode\n"
     "          of its unfinished update if there is one. Bytes that are no printable ASCII show as \\xHH.\n"
     "          Changes nothing, so it runs beside a write of another copy; a camera that copy holds is\n"
     "          listed with mode busy and nothing else.",
     "  status  listet jede verbundene Kamera auf: Klassenzeile, Produkt-ID, Typ, Kamera-ID,\n"
     "          Sensorzeile, den Modus, wie Schritt 1 des Assistenten ihn zeigt, ihre Sicherung, ob\n"
     "          \"Original\" angeboten wird, das gehaltene Bildfeld (sichtbare von gesamter Größe bei den\n"
     "          Versätzen x,y), ihren Schnittstellenpfad und den Modus ihrer unvollendeten Aktualisierung,\n"
     "          falls es eine gibt. Bytes, die kein druckbares ASCII sind, erscheinen als \\xHH. Ändert\n"
     "          nichts und läuft daher neben dem Schreibvorgang einer anderen Instanz; eine Kamera, die jene\n"
     "          Instanz hält, erscheint mit Modus busy und sonst nichts."},
    {"  write   the wizard's job on one camera (the one --camera chooses, or the only one connected):\n"
     "          unplug its power when asked, plug it in again when asked; it is written and verified.\n"
     "          Each wait lasts at most --wait seconds (300). A camera that holds the mode's numbers\n"
     "          already is left alone (nothing granted, asked or written; exit 0); --force writes it all the same.",
     "  write   die Arbeit des Assistenten an einer Kamera (der mit --camera gewählten oder der einzigen\n"
     "          verbundenen): ihre Stromversorgung trennen, wenn dazu aufgefordert, und sie wieder\n"
     "          anschließen, wenn dazu aufgefordert; sie wird beschrieben und geprüft. Jedes Warten dauert\n"
     "          höchstens --wait Sekunden (300). Eine Kamera, die die Werte des Modus schon hält, bleibt\n"
     "          unberührt (nichts erteilt, erfragt oder geschrieben; Exit-Code 0); --force schreibt trotzdem."},
    {"  revoke  removes the write permission (AllowEEPROMWrite) that runs which have ended left under\n"
     "          the drivers' keys, as the grants journal lists them; a running copy's is left. One line\n"
     "          a driver key: what was done and why. Runs beside a running copy.",
     "  revoke  entfernt die Schreibberechtigung (AllowEEPROMWrite), die beendete Läufe unter den\n"
     "          Schlüsseln der Treiber hinterlassen haben, wie das Berechtigungsjournal sie verzeichnet;\n"
     "          die einer laufenden Instanz bleibt. Eine Zeile je Treiberschlüssel: was getan wurde und\n"
     "          warum. Läuft neben einer laufenden Instanz."},
    {"  --camera CAMERA  its camera ID, PRODUCTID-CAMERAID (as its backup file is named), or its\n"
     "          interface path as status shows it; where several cameras match, the error lists them.",
     "  --camera CAMERA  ihre Kamera-ID, PRODUCTID-CAMERAID (wie ihre Sicherungsdatei heißt) oder ihr\n"
     "          Schnittstellenpfad, wie status ihn zeigt; passen mehrere Kameras, nennt der Fehler sie."},
    {"  --json  one JSON object a line: a camera each, or an event each, errors too (also bad usage,\n"
     "          wherever --json stands); a write's lines carry camera_id and time (UTC) once the camera\n"
     "          is chosen.",
     "  --json  ein JSON-Objekt je Zeile: je eine Kamera oder je ein Ereignis, auch Fehler (auch falscher\n"
     "          Aufruf, wo immer --json steht); die Zeilen von write tragen camera_id und time (UTC),\n"
     "          sobald die Kamera gewählt ist. Die JSON-Ausgabe ist in jeder Sprache Englisch."},
    {"  --bench DIR  the bench of simulated cameras, else $VELLMARK_BENCH, else\n"
     "          $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench).",
     "  --bench DIR  der Prüfstand simulierter Kameras, sonst $VELLMARK_BENCH, sonst\n"
     "          $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench)."},
    {"exit codes:\n"
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
     "Exit-Codes:\n"
     "  0  erledigt\n"
     "  1  das Schreiben, seine Prüfung oder die Sicherung schlug fehl (die Kamera so weit\n"
     "     wiederhergestellt, wie sie antwortet)\n"
     "  2  falscher Aufruf\n"
     "  3  keine Kamera, keine solche Kamera, oder sie kann nicht konfiguriert werden\n"
     "  4  keine Administratorrechte, oder die Schreibberechtigung konnte nicht erteilt werden\n"
     "  5  eine Wartezeit lief ab (nichts geschrieben; die Schreibberechtigung entzogen)\n"
     "  6  eine andere Instanz läuft (write; status läuft neben ihr)\n"
     "  7  eine andere Kamera wurde angeschlossen\n"
     "  8  die Schreibberechtigung konnte danach nicht entfernt werden (revoke: eine Schreibberechtigung\n"
     "     konnte nicht entfernt werden)\n"
     "  9  der Prüfstand oder der Datenordner ist nicht nutzbar, oder seine Sperre lässt sich nicht öffnen\n"
     "  10 die Ausgabe konnte nicht geschrieben werden (Standardausgabe geschlossen, Datenträger voll)\n"
     "  der Status des Signals, wenn ein Signal das Programm beendete (die Schreibberechtigung zuvor entzogen)"},
    {"{1} (see vellmark-cli --help)", "{1} (siehe vellmark-cli --help)"},
    {"unknown option '--bench'", "unbekannte Option '--bench'"},
    {"--bench needs a directory", "--bench braucht ein Verzeichnis"},
    {"--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an interface path as status shows it",
     "--camera braucht eine Kamera-ID (eine Dezimalzahl), PRODUCTID-CAMERAID oder einen "
     "Schnittstellenpfad, wie status ihn zeigt"},
    {"--wait needs a number of seconds from 1 to 86400", "--wait braucht eine Anzahl Sekunden von 1 bis 86400"},
    {"unknown argument '{1}'", "unbekanntes Argument '{1}'"},
    {"a command is needed: status or write", "ein Befehl fehlt: status oder write"},
    {"--help takes no arguments", "--help nimmt keine Argumente"},
    {"--version takes no arguments", "--version nimmt keine Argumente"},
    {"unknown command '{1}'", "unbekannter Befehl '{1}'"},
    {"write needs a mode: disabled, enabled or original", "write braucht einen Modus: disabled, enabled oder original"},
    {"unknown mode '{1}': disabled, enabled or original", "unbekannter Modus '{1}': disabled, enabled oder original"},
    {"the output could not be written: {1}", "die Ausgabe konnte nicht geschrieben werden: {1}"},
    {"the output could not be written: standard output is closed",
     "die Ausgabe konnte nicht geschrieben werden: die Standardausgabe ist geschlossen"},
    {"another copy of vellmark or vellmark-cli runs ({1})",
     "eine andere Instanz von vellmark oder vellmark-cli läuft ({1})"},
    {"cannot make sure that no other copy runs: {1}",
     "es lässt sich nicht sicherstellen, dass keine andere Instanz läuft: {1}"},
    {"class {1}", "Klasse {1}"},
    {"product id {1}", "Produkt-ID {1}"},
    {"type {1}", "Typ {1}"},
    {"camera ID {1}", "Kamera-ID {1}"},
    {"sensor {1}", "Sensor {1}"},
    {"sensor none", "Sensor unbekannt"},
    {"mode {1}", "Modus {1}"},
    {"backup {1}", "Sicherung {1}"},
    {"backup none", "keine Sicherung"},
    {"original offered", "Original angeboten"},
    {"original not offered", "Original nicht angeboten"},
    {"frame {1} x {2} of {3} x {4} at {5},{6}", "Bildfeld {1} x {2} von {3} x {4} bei {5},{6}"},
    {"frame unknown", "Bildfeld unbekannt"},
    {"path {1}", "Pfad {1}"},
    {"unfinished {1}", "unvollendet {1}"},
    {"no camera is connected", "keine Kamera ist verbunden"},
    {"no camera with the ID {1} (connected: {2})", "keine Kamera mit der ID {1} (verbunden: {2})"},
    {"no camera with the product id {1} and the ID {2} (connected: {3})",
     "keine Kamera mit der Produkt-ID {1} und der ID {2} (verbunden: {3})"},
    {"no camera at the interface path {1} (connected: {2})", "keine Kamera am Schnittstellenpfad {1} (verbunden: {2})"},
    {"several cameras match --camera {1} ({2}): choose one with --camera and one of these",
     "mehrere Kameras passen zu --camera {1} ({2}): wählen Sie eine mit --camera und einer dieser Angaben"},
    {"several cameras are connected (IDs {1}): choose one with --camera ID",
     "mehrere Kameras sind verbunden (IDs {1}): wählen Sie eine mit --camera ID"},
    {"several cameras are connected ({1}): choose one with --camera and one of these",
     "mehrere Kameras sind verbunden ({1}): wählen Sie eine mit --camera und einer dieser Angaben"},
    {"the camera {1} cannot be written: {2}", "die Kamera {1} kann nicht beschrieben werden: {2}"},
    {"the camera {1} has no numbers of its own in a backup: Original is not offered",
     "die Kamera {1} hat keine eigenen Werte in einer Sicherung: Original wird nicht angeboten"},
    {"timed out waiting for the camera to be unplugged: nothing written, the permission revoked",
     "Zeitüberschreitung beim Warten auf das Trennen der Kamera: nichts geschrieben, die "
     "Schreibberechtigung entzogen"},
    {"timed out waiting for the camera to be plugged in: nothing written, the permission revoked",
     "Zeitüberschreitung beim Warten auf das Anschließen der Kamera: nichts geschrieben, die "
     "Schreibberechtigung entzogen"},
    {"the permission could not be noted in {1}: nothing granted",
     "die Schreibberechtigung konnte nicht in {1} vermerkt werden: nichts erteilt"},
    {"the permission could not be granted: run it from an administrator's command prompt",
     "die Schreibberechtigung konnte nicht erteilt werden: starten Sie den Befehl in einer "
     "Eingabeaufforderung als Administrator"},
    {"run it from an administrator's command prompt",
     "starten Sie den Befehl in einer Eingabeaufforderung als Administrator"},
    {"the camera cannot be configured", "die Kamera kann nicht konfiguriert werden"},
    {"Unplug the power of camera {1} now.", "Trennen Sie jetzt die Stromversorgung der Kamera {1}."},
    {"Plug camera {1} in again.", "Schließen Sie die Kamera {1} wieder an."},
    {"a different camera was plugged in: nothing written",
     "eine andere Kamera wurde angeschlossen: nichts geschrieben"},
    {"the camera refused the write: unplug its power after the permission is granted, then write again",
     "die Kamera hat das Schreiben abgelehnt: trennen Sie ihre Stromversorgung erst, nachdem die "
     "Schreibberechtigung erteilt ist, und schreiben Sie dann erneut"},
    {"a different camera is connected: nothing written", "eine andere Kamera ist verbunden: nichts geschrieben"},
    {"the camera is not connected: nothing written", "die Kamera ist nicht verbunden: nichts geschrieben"},
    {"the update could not be noted in {1}: nothing written",
     "die Aktualisierung konnte nicht in {1} vermerkt werden: nichts geschrieben"},
    {"the camera's backup could not be saved: nothing written",
     "die Sicherung der Kamera konnte nicht gespeichert werden: nichts geschrieben"},
    {"the camera's EEPROM could not be written or verified (put back as far as it answers)",
     "das EEPROM der Kamera konnte nicht geschrieben oder geprüft werden (so weit wiederhergestellt, wie "
     "sie antwortet)"},
    {"Original is not offered for this camera: nothing written",
     "Original wird für diese Kamera nicht angeboten: nichts geschrieben"},
    {"the camera was written, but the permission could not be removed: the driver still accepts writes; "
     "start vellmark-cli or vellmark again to remove it",
     "die Kamera wurde beschrieben, aber die Schreibberechtigung konnte nicht entfernt werden: der "
     "Treiber nimmt weiter Schreibbefehle an; starten Sie vellmark-cli oder vellmark erneut, um sie zu entfernen"},
    {"Changes will take effect after camera is unplugged from power and plugged again.",
     "Änderungen wirken, sobald die Kamera vom Strom getrennt und wieder verbunden ist."},
    {"the camera {1} is already {2}: nothing written", "die Kamera {1} hat bereits den Modus {2}: nichts geschrieben"},
    {"the camera {1} is no longer connected", "die Kamera {1} ist nicht mehr verbunden"},
    {"removed AllowEEPROMWrite under HKLM\\{1}: {2}", "AllowEEPROMWrite unter HKLM\\{1} entfernt: {2}"},
    {"found no AllowEEPROMWrite under HKLM\\{1}: {2}", "kein AllowEEPROMWrite unter HKLM\\{1} gefunden: {2}"},
    {"left AllowEEPROMWrite under HKLM\\{1}: {2}", "AllowEEPROMWrite unter HKLM\\{1} belassen: {2}"},
    {"failed to remove AllowEEPROMWrite under HKLM\\{1}: {2}",
     "AllowEEPROMWrite unter HKLM\\{1} konnte nicht entfernt werden: {2}"},
    {"run {1} has ended", "Lauf {1} ist beendet"},
    {"an earlier run has ended", "ein früherer Lauf ist beendet"},
    {"no longer listed for run {1} when revoked", "beim Entziehen nicht mehr für Lauf {1} verzeichnet"},
    {"no longer listed for an earlier run when revoked",
     "beim Entziehen nicht mehr für einen früheren Lauf verzeichnet"},
    {"run {1} still runs", "Lauf {1} läuft noch"},
    {"the grants journal is not to be believed ({1})", "dem Berechtigungsjournal ist nicht zu trauen ({1})"},
    {"the grants journal is out of reach ({1})", "das Berechtigungsjournal ist nicht erreichbar ({1})"},
    {"{1} permission(s) could not be removed: the driver still accepts writes; run it again from an "
     "administrator's command prompt",
     "{1} Schreibberechtigung(en) konnte(n) nicht entfernt werden: der Treiber nimmt weiter "
     "Schreibbefehle an; starten Sie den Befehl erneut in einer Eingabeaufforderung als Administrator"},
    {"nothing to revoke: the grants journal lists no driver key",
     "nichts zu entziehen: das Berechtigungsjournal verzeichnet keinen Treiberschlüssel"},
};

}  // namespace

TextTable GermanTexts()
{
    return {pairs, std::size(pairs)};
}
