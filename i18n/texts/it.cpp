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
};

}  // namespace

TextTable ItalianTexts()
{
    return {pairs, std::size(pairs)};
}
