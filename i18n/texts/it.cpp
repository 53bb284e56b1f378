// Italian: the program's texts, each after the English text it stands for.
#include <iterator>

#include "i18n/texts.h"

namespace {

const TextPair pairs[] = {
    // The wizard's steps: the pane's title and lines.
    {"Step 1:", "Passo 1:"},
    {"Step 2:", "Passo 2:"},
    {"Step 3:", "Passo 3:"},
    {"Step 4:", "Passo 4:"},
    {"Step 5:", "Passo 5:"},
    {"Connect camera and click [Scan camera] button", "Collegare la camera e premere [Rileva camera]"},
    {"Unplug camera power", "Scollegare l'alimentazione della camera"},
    {"Connect camera again and click [Scan camera]", "Ricollegarla e premere [Rileva camera]"},
    {"Define Overscan mode", "Definire la modalità Overscan"},
    {"Camera update successful.", "Camera aggiornata correttamente."},
    {"Changes will take effect after camera is", "Le modifiche avranno effetto dopo aver"},
    {"unplugged from power and plugged again.", "scollegato e ricollegato l'alimentazione."},
    // The buttons.
    {"Scan camera", "Rileva camera"},
    {"Next ->", "Avanti ->"},
    {"Write Overscan", "Scrivi Overscan"},
    {"Finish", "Fine"},
    // The chooser's items at step 4, the first two also the pane's values.
    {"Disabled", "Disattivato"},
    {"Enabled", "Attivato"},
    {"Original", "Originale"},
    // The pane's labels and the values it shows for a camera.
    {"Camera type:", "Tipo camera:"},
    {"Camera ID:", "ID camera:"},
    {"Overscan:", "Overscan:"},
    {"Not connected", "Non collegata"},
    {"Cannot be configured", "Non configurabile"},
    {"Driver not installed", "Driver non installato"},
    // The window menu's entry and the About box.
    {"About...", "Informazioni..."},
    {"About configuration tool", "Informazioni sullo strumento di configurazione"},
    {"Copyright (C) 2009-2026 Kestrane", "Copyright (C) 2009-2026 Kestrane"},
    {"unknown", "sconosciuta"},
    // The message boxes: the title, then each box's two lines.
    {"Error", "Errore"},
    {"The last update of this camera did not finish", "L'ultimo aggiornamento di questa camera non è terminato"},
    {"Write the overscan mode again", "Scrivere di nuovo la modalità Overscan"},
    {"This camera is different", "Questa camera è diversa"},
    {"Plug in the same camera", "Collegare la stessa camera"},
    {"Cannot write Windows Registry", "Impossibile scrivere nel Registro di Windows"},
    {"Application requires administrative priviledges", "L'applicazione richiede privilegi di amministratore"},
    {"Run it as Administrator", "Eseguirla come amministratore"},
    {"Camera not connected", "Camera non collegata"},
    {"Plug in the camera", "Collegare la camera"},
    {"Cannot write camera EEPROM", "Impossibile scrivere nella EEPROM della camera"},
    {"Contact technical support", "Contattare l'assistenza tecnica"},
    {"Cannot save camera backup", "Impossibile salvare il backup della camera"},
    {"Check the disk and try again", "Controllare il disco e riprovare"},
    {"Cannot remove the write permission", "Impossibile rimuovere il permesso di scrittura"},
    {"It is removed at the next start of the program", "Verrà rimosso al prossimo avvio del programma"},
    // The terminal program's own lines: its key help, its box, its asks.
    {" Tab focus  Enter press  Up/Down mode", " Tab focus  Invio premi  Su/Giù modalità"},
    {" s w n f press  a About  p plug  q quit", " s w n f pulsanti  a Info  p collega  q esci"},
    {" Enter: close the box", " Invio: chiudi il messaggio"},
    {"OK", "OK"},
    {"Please enlarge the terminal to {1}", "Ingrandire il terminale a {1}"},
    {"Enlarge to {1}", "Ingrandire a {1}"},
    {" The bench cannot be saved: {1}", " Impossibile salvare il banco: {1}"},
    // The console program's messages.
    {"usage: vellmark-cli status [--json]\n"
     "       vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
     "       vellmark-cli revoke [--json]\n"
     "       vellmark-cli --help | --version",
     "uso: vellmark-cli status [--json]\n"
     "     vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
     "     vellmark-cli revoke [--json]\n"
     "     vellmark-cli --help | --version"},
    {"  status  lists every connected camera: class row, product id, type, camera ID, sensor row,\n"
     "          the mode as the wizard's step 1 shows it, its backup, whether \"Original\" is offered, the\n"
     "          frame it holds (visible of total size at the x,y offsets), its interface path, and the mode\n"
     "          of its unfinished update if there is one. Bytes that are no printable ASCII show as \\xHH.\n"
     "          Changes nothing, so it runs beside a write of another copy; a camera that copy holds is\n"
     "          listed with mode busy and nothing else.",
     "  status  elenca ogni camera collegata: riga di classe, ID prodotto, tipo, ID camera, riga del\n"
     "          sensore, la modalità come la mostra il passo 1 della procedura guidata, il suo backup, se\n"
     "          \"Original\" è disponibile, la finestra che contiene (dimensione visibile su totale agli\n"
     "          offset x,y), il percorso dell'interfaccia e la modalità del suo aggiornamento incompiuto,\n"
     "          se ce n'è uno. I byte che non sono ASCII stampabile appaiono come \\xHH. Non modifica\n"
     "          nulla, quindi funziona accanto alla scrittura di un'altra istanza; una camera tenuta da\n"
     "          quell'istanza è elencata con la modalità busy e nient'altro."},
    {"  write   the wizard's job on one camera (the one --camera chooses, or the only one connected):\n"
     "          unplug its power when asked, plug it in again when asked; it is written and verified.\n"
     "          Each wait lasts at most --wait seconds (300). A camera that holds the mode's numbers\n"
     "          already is left alone (nothing granted, asked or written; exit 0); --force writes it all the same.",
     "  write   il lavoro della procedura guidata su una camera (quella scelta da --camera, o l'unica\n"
     "          collegata): scollegare l'alimentazione quando richiesto, ricollegarla quando richiesto;\n"
     "          viene scritta e verificata. Ogni attesa dura al massimo --wait secondi (300). Una camera\n"
     "          che contiene già i valori della modalità non viene toccata (nulla concesso, chiesto o\n"
     "          scritto; codice 0); --force la scrive comunque."},
    {"  revoke  removes the write permission (AllowEEPROMWrite) that runs which have ended left under\n"
     "          the drivers' keys, as the grants journal lists them; a running copy's is left. One line\n"
     "          a driver key: what was done and why. Runs beside a running copy.",
     "  revoke  rimuove il permesso di scrittura (AllowEEPROMWrite) lasciato da esecuzioni terminate\n"
     "          sotto le chiavi dei driver, come le elenca il registro dei permessi; quello di\n"
     "          un'istanza in corso resta. Una riga per chiave del driver: cosa è stato fatto e perché.\n"
     "          Funziona accanto a un'istanza in corso."},
    {"  --camera CAMERA  its camera ID, PRODUCTID-CAMERAID (as its backup file is named), or its\n"
     "          interface path as status shows it; where several cameras match, the error lists them.",
     "  --camera CAMERA  il suo ID camera, PRODUCTID-CAMERAID (come si chiama il suo file di backup) o\n"
     "          il percorso dell'interfaccia come lo mostra status; se corrispondono più camere, l'errore\n"
     "          le elenca."},
    {"  --json  one JSON object a line: a camera each, or an event each, errors too (also bad usage,\n"
     "          wherever --json stands); a write's lines carry camera_id and time (UTC) once the camera\n"
     "          is chosen.",
     "  --json  un oggetto JSON per riga: una camera o un evento ciascuno, anche gli errori (anche l'uso\n"
     "          errato, ovunque si trovi --json); le righe di una scrittura portano camera_id e time (UTC)\n"
     "          una volta scelta la camera. L'output JSON resta in inglese."},
    {"  --bench DIR  the bench of simulated cameras, else $VELLMARK_BENCH, else\n"
     "          $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench).",
     "  --bench DIR  il banco di camere simulate, altrimenti $VELLMARK_BENCH, altrimenti\n"
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
     "codici di uscita:\n"
     "  0  fatto\n"
     "  1  la scrittura, la sua verifica o il backup non è riuscito (la camera ripristinata per quanto\n"
     "     risponde)\n"
     "  2  uso errato\n"
     "  3  nessuna camera, nessuna camera così, oppure non può essere configurata\n"
     "  4  nessun diritto di amministratore, oppure il permesso non ha potuto essere concesso\n"
     "  5  un'attesa è scaduta (nulla scritto; il permesso revocato)\n"
     "  6  è in corso un'altra istanza (write; status funziona accanto)\n"
     "  7  è stata collegata una camera diversa\n"
     "  8  il permesso non ha potuto essere rimosso dopo (revoke: un permesso non ha potuto\n"
     "     essere rimosso)\n"
     "  9  il banco o la cartella dei dati non è utilizzabile, oppure il suo blocco non si apre\n"
     "  10 l'output non ha potuto essere scritto (output standard chiuso, disco pieno)\n"
     "  lo stato del segnale quando un segnale l'ha terminato (il permesso revocato prima)"},
    {"{1} (see vellmark-cli --help)", "{1} (vedere vellmark-cli --help)"},
    {"unknown option '--bench'", "opzione sconosciuta '--bench'"},
    {"--bench needs a directory", "--bench richiede una cartella"},
    {"--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an interface path as status shows it",
     "--camera richiede un ID camera (un numero decimale), PRODUCTID-CAMERAID o un percorso "
     "dell'interfaccia come lo mostra status"},
    {"--wait needs a number of seconds from 1 to 86400", "--wait richiede un numero di secondi da 1 a 86400"},
    {"unknown argument '{1}'", "argomento sconosciuto '{1}'"},
    {"a command is needed: status or write", "serve un comando: status o write"},
    {"--help takes no arguments", "--help non accetta argomenti"},
    {"--version takes no arguments", "--version non accetta argomenti"},
    {"unknown command '{1}'", "comando sconosciuto '{1}'"},
    {"write needs a mode: disabled, enabled or original", "write richiede una modalità: disabled, enabled o original"},
    {"unknown mode '{1}': disabled, enabled or original", "modalità sconosciuta '{1}': disabled, enabled o original"},
    {"the output could not be written: {1}", "l'output non ha potuto essere scritto: {1}"},
    {"the output could not be written: standard output is closed",
     "l'output non ha potuto essere scritto: l'output standard è chiuso"},
    {"another copy of vellmark or vellmark-cli runs ({1})",
     "è in corso un'altra istanza di vellmark o vellmark-cli ({1})"},
    {"cannot make sure that no other copy runs: {1}",
     "impossibile accertare che non sia in corso un'altra istanza: {1}"},
    {"class {1}", "classe {1}"},
    {"product id {1}", "ID prodotto {1}"},
    {"type {1}", "tipo {1}"},
    {"camera ID {1}", "ID camera {1}"},
    {"sensor {1}", "sensore {1}"},
    {"sensor none", "sensore sconosciuto"},
    {"mode {1}", "modalità {1}"},
    {"backup {1}", "backup {1}"},
    {"backup none", "nessun backup"},
    {"original offered", "Original disponibile"},
    {"original not offered", "Original non disponibile"},
    {"frame {1} x {2} of {3} x {4} at {5},{6}", "finestra {1} x {2} su {3} x {4} a {5},{6}"},
    {"frame unknown", "finestra sconosciuta"},
    {"path {1}", "percorso {1}"},
    {"unfinished {1}", "incompiuto {1}"},
    {"no camera is connected", "nessuna camera è collegata"},
    {"no camera with the ID {1} (connected: {2})", "nessuna camera con l'ID {1} (collegate: {2})"},
    {"no camera with the product id {1} and the ID {2} (connected: {3})",
     "nessuna camera con l'ID prodotto {1} e l'ID {2} (collegate: {3})"},
    {"no camera at the interface path {1} (connected: {2})",
     "nessuna camera al percorso dell'interfaccia {1} (collegate: {2})"},
    {"several cameras match --camera {1} ({2}): choose one with --camera and one of these",
     "più camere corrispondono a --camera {1} ({2}): sceglierne una con --camera e uno di questi valori"},
    {"several cameras are connected (IDs {1}): choose one with --camera ID",
     "sono collegate più camere (ID {1}): sceglierne una con --camera ID"},
    {"several cameras are connected ({1}): choose one with --camera and one of these",
     "sono collegate più camere ({1}): sceglierne una con --camera e uno di questi valori"},
    {"the camera {1} cannot be written: {2}", "la camera {1} non può essere scritta: {2}"},
    {"the camera {1} has no numbers of its own in a backup: Original is not offered",
     "la camera {1} non ha valori propri in un backup: Original non è disponibile"},
    {"timed out waiting for the camera to be unplugged: nothing written, the permission revoked",
     "tempo scaduto in attesa che la camera venga scollegata: nulla scritto, il permesso revocato"},
    {"timed out waiting for the camera to be plugged in: nothing written, the permission revoked",
     "tempo scaduto in attesa che la camera venga ricollegata: nulla scritto, il permesso revocato"},
    {"the permission could not be noted in {1}: nothing granted",
     "il permesso non ha potuto essere annotato in {1}: nulla concesso"},
    {"the permission could not be granted: run it from an administrator's command prompt",
     "il permesso non ha potuto essere concesso: eseguire il comando da un prompt dei comandi come amministratore"},
    {"run it from an administrator's command prompt",
     "eseguire il comando da un prompt dei comandi come amministratore"},
    {"the camera cannot be configured", "la camera non può essere configurata"},
    {"Unplug the power of camera {1} now.", "Scollegare ora l'alimentazione della camera {1}."},
    {"Plug camera {1} in again.", "Ricollegare la camera {1}."},
    {"a different camera was plugged in: nothing written", "è stata collegata una camera diversa: nulla scritto"},
    {"the camera refused the write: unplug its power after the permission is granted, then write again",
     "la camera ha rifiutato la scrittura: scollegare l'alimentazione dopo che il permesso è stato "
     "concesso, poi scrivere di nuovo"},
    {"a different camera is connected: nothing written", "è collegata una camera diversa: nulla scritto"},
    {"the camera is not connected: nothing written", "la camera non è collegata: nulla scritto"},
    {"the update could not be noted in {1}: nothing written",
     "l'aggiornamento non ha potuto essere annotato in {1}: nulla scritto"},
    {"the camera's backup could not be saved: nothing written",
     "il backup della camera non ha potuto essere salvato: nulla scritto"},
    {"the camera's EEPROM could not be written or verified (put back as far as it answers)",
     "la EEPROM della camera non ha potuto essere scritta o verificata (ripristinata per quanto risponde)"},
    {"Original is not offered for this camera: nothing written",
     "Original non è disponibile per questa camera: nulla scritto"},
    {"the camera was written, but the permission could not be removed: the driver still accepts writes; "
     "start vellmark-cli or vellmark again to remove it",
     "la camera è stata scritta, ma il permesso non ha potuto essere rimosso: il driver accetta ancora "
     "scritture; riavviare vellmark-cli o vellmark per rimuoverlo"},
    {"Changes will take effect after camera is unplugged from power and plugged again.",
     "Le modifiche avranno effetto dopo aver scollegato e ricollegato l'alimentazione."},
    {"the camera {1} is already {2}: nothing written", "la camera {1} è già nella modalità {2}: nulla scritto"},
    {"the camera {1} is no longer connected", "la camera {1} non è più collegata"},
    {"removed AllowEEPROMWrite under HKLM\\{1}: {2}", "AllowEEPROMWrite rimosso sotto HKLM\\{1}: {2}"},
    {"found no AllowEEPROMWrite under HKLM\\{1}: {2}", "nessun AllowEEPROMWrite trovato sotto HKLM\\{1}: {2}"},
    {"left AllowEEPROMWrite under HKLM\\{1}: {2}", "AllowEEPROMWrite lasciato sotto HKLM\\{1}: {2}"},
    {"failed to remove AllowEEPROMWrite under HKLM\\{1}: {2}",
     "impossibile rimuovere AllowEEPROMWrite sotto HKLM\\{1}: {2}"},
    {"run {1} has ended", "l'esecuzione {1} è terminata"},
    {"an earlier run has ended", "un'esecuzione precedente è terminata"},
    {"no longer listed for run {1} when revoked", "non più elencato per l'esecuzione {1} al momento della revoca"},
    {"no longer listed for an earlier run when revoked",
     "non più elencato per un'esecuzione precedente al momento della revoca"},
    {"run {1} still runs", "l'esecuzione {1} è ancora in corso"},
    {"the grants journal is not to be believed ({1})", "il registro dei permessi non è attendibile ({1})"},
    {"the grants journal is out of reach ({1})", "il registro dei permessi non è raggiungibile ({1})"},
    {"{1} permission(s) could not be removed: the driver still accepts writes; run it again from an "
     "administrator's command prompt",
     "impossibile rimuovere {1} permesso/i: il driver accetta ancora scritture; eseguire di nuovo il "
     "comando da un prompt dei comandi come amministratore"},
    {"nothing to revoke: the grants journal lists no driver key",
     "nulla da revocare: il registro dei permessi non elenca alcuna chiave del driver"},
};

}  // namespace

TextTable ItalianTexts()
{
    return {pairs, std::size(pairs)};
}
