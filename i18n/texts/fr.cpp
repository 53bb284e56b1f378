// French: the program's texts, each after the English text it stands for.
#include <iterator>

#include "i18n/texts.h"

namespace {

const TextPair pairs[] = {
    // The wizard's steps: the pane's title and lines.
    {"Step 1:", "Étape 1 :"},
    {"Step 2:", "Étape 2 :"},
    {"Step 3:", "Étape 3 :"},
    {"Step 4:", "Étape 4 :"},
    {"Step 5:", "Étape 5 :"},
    {"Connect camera and click [Scan camera] button", "Branchez la caméra et cliquez sur [Détecter]"},
    {"Unplug camera power", "Débranchez l'alimentation de la caméra"},
    {"Connect camera again and click [Scan camera]", "Rebranchez la caméra, cliquez sur [Détecter]"},
    {"Define Overscan mode", "Définissez le mode Overscan"},
    {"Camera update successful.", "Caméra mise à jour avec succès."},
    {"Changes will take effect after camera is", "Les modifications prendront effet après"},
    {"unplugged from power and plugged again.", "une coupure d'alimentation de la caméra."},
    // The buttons.
    {"Scan camera", "Détecter"},
    {"Next ->", "Suivant ->"},
    {"Write Overscan", "Écrire le mode"},
    {"Finish", "Terminer"},
    // The chooser's items at step 4, the first two also the pane's values.
    {"Disabled", "Désactivé"},
    {"Enabled", "Activé"},
    {"Original", "D'origine"},
    // The pane's labels and the values it shows for a camera.
    {"Camera type:", "Type caméra :"},
    {"Camera ID:", "ID caméra :"},
    {"Overscan:", "Overscan :"},
    {"Not connected", "Non connectée"},
    {"Cannot be configured", "Non configurable"},
    {"Driver not installed", "Pilote non installé"},
    // The window menu's entry and the About box.
    {"About...", "À propos..."},
    {"About configuration tool", "À propos de l'outil de configuration"},
    {"Copyright (C) 2009-2026 Kestrane", "Copyright (C) 2009-2026 Kestrane"},
    {"unknown", "inconnue"},
    // The message boxes: the title, then each box's two lines.
    {"Error", "Erreur"},
    {"The last update of this camera did not finish", "La dernière mise à jour de cette caméra n'a pas abouti"},
    {"Write the overscan mode again", "Écrivez à nouveau le mode Overscan"},
    {"This camera is different", "Cette caméra est différente"},
    {"Plug in the same camera", "Branchez la même caméra"},
    {"Cannot write Windows Registry", "Impossible d'écrire dans le Registre Windows"},
    {"Application requires administrative priviledges", "L'application nécessite des droits d'administrateur"},
    {"Run it as Administrator", "Exécutez-la en tant qu'administrateur"},
    {"Camera not connected", "Caméra non connectée"},
    {"Plug in the camera", "Branchez la caméra"},
    {"Cannot write camera EEPROM", "Impossible d'écrire dans l'EEPROM de la caméra"},
    {"Contact technical support", "Contactez le support technique"},
    {"Cannot save camera backup", "Impossible d'enregistrer la sauvegarde de la caméra"},
    {"Check the disk and try again", "Vérifiez le disque et réessayez"},
    {"Cannot remove the write permission", "Impossible de retirer l'autorisation d'écriture"},
    {"It is removed at the next start of the program", "Elle sera retirée au prochain démarrage du programme"},
    // The terminal program's own lines: its key help, its box, its asks.
    {" Tab focus  Enter press  Up/Down mode", " Tab focus  Entrée valider  Haut/Bas mode"},
    {" s w n f press  a About  p plug  q quit", " s w n f boutons  a Infos  p brancher  q fin"},
    {" Enter: close the box", " Entrée : fermer le message"},
    {"OK", "OK"},
    {"Please enlarge the terminal to {1}", "Agrandissez le terminal à {1}"},
    {"Enlarge to {1}", "Agrandir à {1}"},
    {" The bench cannot be saved: {1}", " Le banc ne peut pas être enregistré : {1}"},
};

}  // namespace

TextTable FrenchTexts()
{
    return {pairs, std::size(pairs)};
}
