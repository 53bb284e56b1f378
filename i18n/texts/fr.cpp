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
    // The console program's messages.
    {"usage: vellmark-cli status [--json]\n"
     "       vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
     "       vellmark-cli revoke [--json]\n"
     "       vellmark-cli --help | --version",
     "usage : vellmark-cli status [--json]\n"
     "        vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
     "        vellmark-cli revoke [--json]\n"
     "        vellmark-cli --help | --version"},
    {"  status  lists every connected camera: class row, product id, type, camera ID, sensor row,\n"
     "          the mode as the wizard's step 1 shows it, its backup, whether \"Original\" is offered, the\n"
     "          frame it holds (visible of total size at the x,y offsets), its interface path, and the mode\n"
     "          of its unfinished update if there is one. Bytes that are no printable ASCII show as \\xHH.\n"
     "          Changes nothing, so it runs beside a write of another copy; a camera that copy holds is\n"
     "          listed with mode busy and nothing else.",
     "  status  liste chaque caméra connectée : ligne de classe, ID produit, type, ID caméra, ligne de\n"
     "          capteur, le mode tel que l'étape 1 de l'assistant l'affiche, sa sauvegarde, si \"Original\"\n"
     "          est proposé, la fenêtre qu'elle contient (taille visible sur taille totale aux décalages\n"
     "          x,y), son chemin d'interface et le mode de sa mise à jour inachevée s'il y en a une. Les\n"
     "          octets qui ne sont pas de l'ASCII imprimable s'affichent en \\xHH. Ne modifie rien, et\n"
     "          s'exécute donc à côté d'une écriture d'une autre instance ; une caméra que cette instance\n"
     "          tient est listée avec le mode busy, sans rien d'autre."},
    {"  write   the wizard's job on one camera (the one --camera chooses, or the only one connected):\n"
     "          unplug its power when asked, plug it in again when asked; it is written and verified.\n"
     "          Each wait lasts at most --wait seconds (300). A camera that holds the mode's numbers\n"
     "          already is left alone (nothing granted, asked or written; exit 0); --force writes it all the same.",
     "  write   le travail de l'assistant sur une caméra (celle que --camera choisit, ou la seule\n"
     "          connectée) : débranchez son alimentation quand on vous le demande, rebranchez-la quand on\n"
     "          vous le demande ; elle est écrite et vérifiée. Chaque attente dure au plus --wait secondes\n"
     "          (300). Une caméra qui contient déjà les valeurs du mode n'est pas touchée (rien d'accordé,\n"
     "          de demandé ni d'écrit ; code 0) ; --force l'écrit quand même."},
    {"  revoke  removes the write permission (AllowEEPROMWrite) that runs which have ended left under\n"
     "          the drivers' keys, as the grants journal lists them; a running copy's is left. One line\n"
     "          a driver key: what was done and why. Runs beside a running copy.",
     "  revoke  retire l'autorisation d'écriture (AllowEEPROMWrite) que des exécutions terminées ont\n"
     "          laissée sous les clés des pilotes, telles que le journal des autorisations les liste ;\n"
     "          celle d'une instance en cours reste. Une ligne par clé de pilote : ce qui a été fait et\n"
     "          pourquoi. S'exécute à côté d'une instance en cours."},
    {"  --camera CAMERA  its camera ID, PRODUCTID-CAMERAID (as its backup file is named), or its\n"
     "          interface path as status shows it; where several cameras match, the error lists them.",
     "  --camera CAMERA  son ID caméra, PRODUCTID-CAMERAID (comme son fichier de sauvegarde est nommé)\n"
     "          ou son chemin d'interface tel que status l'affiche ; si plusieurs caméras correspondent,\n"
     "          l'erreur les liste."},
    {"  --json  one JSON object a line: a camera each, or an event each, errors too (also bad usage,\n"
     "          wherever --json stands); a write's lines carry camera_id and time (UTC) once the camera\n"
     "          is chosen.",
     "  --json  un objet JSON par ligne : une caméra chacun, ou un événement chacun, erreurs comprises\n"
     "          (même un mauvais usage, où que --json se trouve) ; les lignes d'une écriture portent\n"
     "          camera_id et time (UTC) dès que la caméra est choisie. La sortie JSON reste en anglais."},
    {"  --bench DIR  the bench of simulated cameras, else $VELLMARK_BENCH, else\n"
     "          $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench).",
     "  --bench DIR  le banc de caméras simulées, sinon $VELLMARK_BENCH, sinon\n"
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
     "codes de sortie :\n"
     "  0  terminé\n"
     "  1  l'écriture, sa vérification ou la sauvegarde a échoué (la caméra rétablie autant qu'elle répond)\n"
     "  2  mauvais usage\n"
     "  3  aucune caméra, pas de telle caméra, ou elle ne peut pas être configurée\n"
     "  4  pas de droits d'administrateur, ou l'autorisation n'a pas pu être accordée\n"
     "  5  une attente a expiré (rien d'écrit ; l'autorisation retirée)\n"
     "  6  une autre instance s'exécute (write ; status s'exécute à côté)\n"
     "  7  une autre caméra a été branchée\n"
     "  8  l'autorisation n'a pas pu être retirée ensuite (revoke : une autorisation n'a pas pu être retirée)\n"
     "  9  le banc ou le dossier de données est inutilisable, ou son verrou ne peut pas être ouvert\n"
     "  10 la sortie n'a pas pu être écrite (sortie standard fermée, disque plein)\n"
     "  le statut du signal quand un signal l'a arrêté (l'autorisation retirée d'abord)"},
    {"{1} (see vellmark-cli --help)", "{1} (voir vellmark-cli --help)"},
    {"unknown option '--bench'", "option inconnue '--bench'"},
    {"--bench needs a directory", "--bench demande un dossier"},
    {"--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an interface path as status shows it",
     "--camera demande un ID caméra (un nombre décimal), PRODUCTID-CAMERAID ou un chemin d'interface tel "
     "que status l'affiche"},
    {"--wait needs a number of seconds from 1 to 86400", "--wait demande un nombre de secondes de 1 à 86400"},
    {"unknown argument '{1}'", "argument inconnu '{1}'"},
    {"a command is needed: status or write", "il faut une commande : status ou write"},
    {"--help takes no arguments", "--help ne prend pas d'argument"},
    {"--version takes no arguments", "--version ne prend pas d'argument"},
    {"unknown command '{1}'", "commande inconnue '{1}'"},
    {"write needs a mode: disabled, enabled or original", "write demande un mode : disabled, enabled ou original"},
    {"unknown mode '{1}': disabled, enabled or original", "mode inconnu '{1}' : disabled, enabled ou original"},
    {"the output could not be written: {1}", "la sortie n'a pas pu être écrite : {1}"},
    {"the output could not be written: standard output is closed",
     "la sortie n'a pas pu être écrite : la sortie standard est fermée"},
    {"another copy of vellmark or vellmark-cli runs ({1})",
     "une autre instance de vellmark ou de vellmark-cli s'exécute ({1})"},
    {"cannot make sure that no other copy runs: {1}",
     "impossible de s'assurer qu'aucune autre instance ne s'exécute : {1}"},
    {"class {1}", "classe {1}"},
    {"product id {1}", "ID produit {1}"},
    {"type {1}", "type {1}"},
    {"camera ID {1}", "ID caméra {1}"},
    {"sensor {1}", "capteur {1}"},
    {"sensor none", "capteur inconnu"},
    {"mode {1}", "mode {1}"},
    {"backup {1}", "sauvegarde {1}"},
    {"backup none", "aucune sauvegarde"},
    {"original offered", "Original proposé"},
    {"original not offered", "Original non proposé"},
    {"frame {1} x {2} of {3} x {4} at {5},{6}", "fenêtre {1} x {2} sur {3} x {4} en {5},{6}"},
    {"frame unknown", "fenêtre inconnue"},
    {"path {1}", "chemin {1}"},
    {"unfinished {1}", "inachevée {1}"},
    {"no camera is connected", "aucune caméra n'est connectée"},
    {"no camera with the ID {1} (connected: {2})", "aucune caméra avec l'ID {1} (connectées : {2})"},
    {"no camera with the product id {1} and the ID {2} (connected: {3})",
     "aucune caméra avec l'ID produit {1} et l'ID {2} (connectées : {3})"},
    {"no camera at the interface path {1} (connected: {2})",
     "aucune caméra au chemin d'interface {1} (connectées : {2})"},
    {"several cameras match --camera {1} ({2}): choose one with --camera and one of these",
     "plusieurs caméras correspondent à --camera {1} ({2}) : choisissez-en une avec --camera et l'une de "
     "ces valeurs"},
    {"several cameras are connected (IDs {1}): choose one with --camera ID",
     "plusieurs caméras sont connectées (ID {1}) : choisissez-en une avec --camera ID"},
    {"several cameras are connected ({1}): choose one with --camera and one of these",
     "plusieurs caméras sont connectées ({1}) : choisissez-en une avec --camera et l'une de ces valeurs"},
    {"the camera {1} cannot be written: {2}", "la caméra {1} ne peut pas être écrite : {2}"},
    {"the camera {1} has no numbers of its own in a backup: Original is not offered",
     "la caméra {1} n'a pas ses propres valeurs dans une sauvegarde : Original n'est pas proposé"},
    {"timed out waiting for the camera to be unplugged: nothing written, the permission revoked",
     "délai dépassé en attendant que la caméra soit débranchée : rien d'écrit, l'autorisation retirée"},
    {"timed out waiting for the camera to be plugged in: nothing written, the permission revoked",
     "délai dépassé en attendant que la caméra soit rebranchée : rien d'écrit, l'autorisation retirée"},
    {"the permission could not be noted in {1}: nothing granted",
     "l'autorisation n'a pas pu être notée dans {1} : rien d'accordé"},
    {"the permission could not be granted: run it from an administrator's command prompt",
     "l'autorisation n'a pas pu être accordée : lancez la commande depuis une invite de commandes administrateur"},
    {"run it from an administrator's command prompt",
     "lancez la commande depuis une invite de commandes administrateur"},
    {"the camera cannot be configured", "la caméra ne peut pas être configurée"},
    {"Unplug the power of camera {1} now.", "Débranchez maintenant l'alimentation de la caméra {1}."},
    {"Plug camera {1} in again.", "Rebranchez la caméra {1}."},
    {"a different camera was plugged in: nothing written", "une autre caméra a été branchée : rien d'écrit"},
    {"the camera refused the write: unplug its power after the permission is granted, then write again",
     "la caméra a refusé l'écriture : débranchez son alimentation après que l'autorisation a été "
     "accordée, puis écrivez de nouveau"},
    {"a different camera is connected: nothing written", "une autre caméra est connectée : rien d'écrit"},
    {"the camera is not connected: nothing written", "la caméra n'est pas connectée : rien d'écrit"},
    {"the update could not be noted in {1}: nothing written",
     "la mise à jour n'a pas pu être notée dans {1} : rien d'écrit"},
    {"the camera's backup could not be saved: nothing written",
     "la sauvegarde de la caméra n'a pas pu être enregistrée : rien d'écrit"},
    {"the camera's EEPROM could not be written or verified (put back as far as it answers)",
     "l'EEPROM de la caméra n'a pas pu être écrite ou vérifiée (rétablie autant qu'elle répond)"},
    {"Original is not offered for this camera: nothing written",
     "Original n'est pas proposé pour cette caméra : rien d'écrit"},
    {"the camera was written, but the permission could not be removed: the driver still accepts writes; "
     "start vellmark-cli or vellmark again to remove it",
     "la caméra a été écrite, mais l'autorisation n'a pas pu être retirée : le pilote accepte encore les "
     "écritures ; relancez vellmark-cli ou vellmark pour la retirer"},
    {"Changes will take effect after camera is unplugged from power and plugged again.",
     "Les modifications prendront effet après une coupure de l'alimentation de la caméra."},
    {"the camera {1} is already {2}: nothing written", "la caméra {1} est déjà en mode {2} : rien d'écrit"},
    {"the camera {1} is no longer connected", "la caméra {1} n'est plus connectée"},
    {"removed AllowEEPROMWrite under HKLM\\{1}: {2}", "AllowEEPROMWrite retiré sous HKLM\\{1} : {2}"},
    {"found no AllowEEPROMWrite under HKLM\\{1}: {2}", "aucun AllowEEPROMWrite trouvé sous HKLM\\{1} : {2}"},
    {"left AllowEEPROMWrite under HKLM\\{1}: {2}", "AllowEEPROMWrite laissé sous HKLM\\{1} : {2}"},
    {"failed to remove AllowEEPROMWrite under HKLM\\{1}: {2}",
     "échec du retrait de AllowEEPROMWrite sous HKLM\\{1} : {2}"},
    {"run {1} has ended", "l'exécution {1} est terminée"},
    {"an earlier run has ended", "une exécution antérieure est terminée"},
    {"no longer listed for run {1} when revoked", "plus listée pour l'exécution {1} au moment du retrait"},
    {"no longer listed for an earlier run when revoked",
     "plus listée pour une exécution antérieure au moment du retrait"},
    {"run {1} still runs", "l'exécution {1} est toujours en cours"},
    {"the grants journal is not to be believed ({1})", "le journal des autorisations n'est pas fiable ({1})"},
    {"the grants journal is out of reach ({1})", "le journal des autorisations est inaccessible ({1})"},
    {"{1} permission(s) could not be removed: the driver still accepts writes; run it again from an "
     "administrator's command prompt",
     "{1} autorisation(s) n'a (n'ont) pas pu être retirée(s) : le pilote accepte encore les écritures ; "
     "relancez la commande depuis une invite de commandes administrateur"},
    {"nothing to revoke: the grants journal lists no driver key",
     "rien à retirer : le journal des autorisations ne liste aucune clé de pilote"},
};

}  // namespace

TextTable FrenchTexts()
{
    return {pairs, std::size(pairs)};
}
