// Spanish: the program's texts, each after the English text it stands for.
#include <iterator>

#include "i18n/texts.h"

namespace {

const TextPair pairs[] = {
    // The wizard's steps: the pane's title and lines.
    {"Step 1:", "Paso 1:"},
    {"Step 2:", "Paso 2:"},
    {"Step 3:", "Paso 3:"},
    {"Step 4:", "Paso 4:"},
    {"Step 5:", "Paso 5:"},
    {"Connect camera and click [Scan camera] button", "Conecte la cámara y pulse [Detectar cámara]"},
    {"Unplug camera power", "Desconecte la alimentación de la cámara"},
    {"Connect camera again and click [Scan camera]", "Vuelva a conectarla y pulse [Detectar cámara]"},
    {"Define Overscan mode", "Defina el modo Overscan"},
    {"Camera update successful.", "Cámara actualizada correctamente."},
    {"Changes will take effect after camera is", "Los cambios surtirán efecto después de"},
    {"unplugged from power and plugged again.", "desconectar y reconectar la alimentación."},
    // The buttons.
    {"Scan camera", "Detectar cámara"},
    {"Next ->", "Siguiente ->"},
    {"Write Overscan", "Escribir modo"},
    {"Finish", "Finalizar"},
    // The chooser's items at step 4, the first two also the pane's values.
    {"Disabled", "Desactivado"},
    {"Enabled", "Activado"},
    {"Original", "Original"},
    // The pane's labels and the values it shows for a camera.
    {"Camera type:", "Tipo de cámara:"},
    {"Camera ID:", "ID de cámara:"},
    {"Overscan:", "Overscan:"},
    {"Not connected", "No conectada"},
    {"Cannot be configured", "No configurable"},
    {"Driver not installed", "Controlador no instalado"},
    // The window menu's entry and the About box.
    {"About...", "Acerca de..."},
    {"About configuration tool", "Acerca de la herramienta de configuración"},
    {"Copyright (C) 2009-2026 Kestrane", "Copyright (C) 2009-2026 Kestrane"},
    {"unknown", "desconocida"},
    // The message boxes: the title, then each box's two lines.
    {"Error", "Error"},
    {"The last update of this camera did not finish", "La última actualización de esta cámara no terminó"},
    {"Write the overscan mode again", "Vuelva a escribir el modo Overscan"},
    {"This camera is different", "Esta cámara es distinta"},
    {"Plug in the same camera", "Conecte la misma cámara"},
    {"Cannot write Windows Registry", "No se puede escribir en el Registro de Windows"},
    {"Application requires administrative priviledges", "La aplicación requiere privilegios de administrador"},
    {"Run it as Administrator", "Ejecútela como administrador"},
    {"Camera not connected", "Cámara no conectada"},
    {"Plug in the camera", "Conecte la cámara"},
    {"Cannot write camera EEPROM", "No se puede escribir en la EEPROM de la cámara"},
    {"Contact technical support", "Póngase en contacto con el soporte técnico"},
    {"Cannot save camera backup", "No se puede guardar la copia de seguridad de la cámara"},
    {"Check the disk and try again", "Compruebe el disco e inténtelo de nuevo"},
    {"Cannot remove the write permission", "No se puede retirar el permiso de escritura"},
    {"It is removed at the next start of the program", "Se retirará en el próximo inicio del programa"},
    // The terminal program's own lines: its key help, its box, its asks.
    {" Tab focus  Enter press  Up/Down mode", " Tab foco  Intro pulsar  Arriba/Abajo modo"},
    {" s w n f press  a About  p plug  q quit", " s w n f botones  a Info  p conectar  q salir"},
    {" Enter: close the box", " Intro: cerrar el mensaje"},
    {"OK", "Aceptar"},
    {"Please enlarge the terminal to {1}", "Amplíe el terminal a {1}"},
    {"Enlarge to {1}", "Ampliar a {1}"},
    {" The bench cannot be saved: {1}", " No se puede guardar el banco: {1}"},
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
     "  status  muestra cada cámara conectada: fila de clase, ID de producto, tipo, ID de cámara, fila\n"
     "          de sensor, el modo tal como lo muestra el paso 1 del asistente, su copia de seguridad, si\n"
     "          se ofrece \"Original\", la ventana que guarda (tamaño visible de total en los desplazamientos\n"
     "          x,y), su ruta de interfaz y el modo de su actualización sin terminar, si la hay. Los bytes\n"
     "          que no son ASCII imprimible se muestran como \\xHH. No cambia nada, así que funciona junto a\n"
     "          la escritura de otra instancia; una cámara que esa instancia tiene se muestra con el modo\n"
     "          busy y nada más."},
    {"  write   the wizard's job on one camera (the one --camera chooses, or the only one connected):\n"
     "          unplug its power when asked, plug it in again when asked; it is written and verified.\n"
     "          Each wait lasts at most --wait seconds (300). A camera that holds the mode's numbers\n"
     "          already is left alone (nothing granted, asked or written; exit 0); --force writes it all the same.",
     "  write   el trabajo del asistente en una cámara (la que elige --camera, o la única conectada):\n"
     "          desconecte su alimentación cuando se le pida y vuelva a conectarla cuando se le pida; se\n"
     "          escribe y se verifica. Cada espera dura como máximo --wait segundos (300). Una cámara que\n"
     "          ya tiene los valores del modo no se toca (nada concedido, pedido ni escrito; código 0);\n"
     "          --force la escribe de todos modos."},
    {"  revoke  removes the write permission (AllowEEPROMWrite) that runs which have ended left under\n"
     "          the drivers' keys, as the grants journal lists them; a running copy's is left. One line\n"
     "          a driver key: what was done and why. Runs beside a running copy.",
     "  revoke  retira el permiso de escritura (AllowEEPROMWrite) que dejaron ejecuciones ya terminadas\n"
     "          bajo las claves de los controladores, según las lista el registro de permisos; el de una\n"
     "          instancia en marcha se deja. Una línea por clave de controlador: qué se hizo y por qué.\n"
     "          Funciona junto a una instancia en marcha."},
    {"  --camera CAMERA  its camera ID, PRODUCTID-CAMERAID (as its backup file is named), or its\n"
     "          interface path as status shows it; where several cameras match, the error lists them.",
     "  --camera CAMERA  su ID de cámara, PRODUCTID-CAMERAID (como se llama su archivo de copia de\n"
     "          seguridad) o su ruta de interfaz tal como la muestra status; si coinciden varias cámaras,\n"
     "          el error las enumera."},
    {"  --json  one JSON object a line: a camera each, or an event each, errors too (also bad usage,\n"
     "          wherever --json stands); a write's lines carry camera_id and time (UTC) once the camera\n"
     "          is chosen.",
     "  --json  un objeto JSON por línea: una cámara o un evento cada uno, también los errores (incluso\n"
     "          el uso incorrecto, dondequiera que esté --json); las líneas de una escritura llevan\n"
     "          camera_id y time (UTC) una vez elegida la cámara. La salida JSON queda en inglés."},
    {"  --bench DIR  the bench of simulated cameras, else $VELLMARK_BENCH, else\n"
     "          $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench).",
     "  --bench DIR  el banco de cámaras simuladas; si no, $VELLMARK_BENCH; si no,\n"
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
     "códigos de salida:\n"
     "  0  hecho\n"
     "  1  falló la escritura, su verificación o la copia de seguridad (la cámara restaurada en lo que\n"
     "     responde)\n"
     "  2  uso incorrecto\n"
     "  3  ninguna cámara, no existe esa cámara, o no se puede configurar\n"
     "  4  sin derechos de administrador, o no se pudo conceder el permiso\n"
     "  5  una espera agotó su tiempo (nada escrito; el permiso revocado)\n"
     "  6  hay otra instancia en marcha (write; status funciona junto a ella)\n"
     "  7  se conectó una cámara distinta\n"
     "  8  no se pudo retirar el permiso después (revoke: no se pudo retirar un permiso)\n"
     "  9  no se puede usar el banco o la carpeta de datos, o no se puede abrir su bloqueo\n"
     "  10 no se pudo escribir la salida (salida estándar cerrada, disco lleno)\n"
     "  el estado de la señal cuando una señal lo terminó (el permiso revocado antes)"},
    {"{1} (see vellmark-cli --help)", "{1} (vea vellmark-cli --help)"},
    {"unknown option '--bench'", "opción desconocida '--bench'"},
    {"--bench needs a directory", "--bench necesita un directorio"},
    {"--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an interface path as status shows it",
     "--camera necesita un ID de cámara (un número decimal), PRODUCTID-CAMERAID o una ruta de interfaz "
     "tal como la muestra status"},
    {"--wait needs a number of seconds from 1 to 86400", "--wait necesita un número de segundos de 1 a 86400"},
    {"unknown argument '{1}'", "argumento desconocido '{1}'"},
    {"a command is needed: status or write", "falta una orden: status o write"},
    {"--help takes no arguments", "--help no admite argumentos"},
    {"--version takes no arguments", "--version no admite argumentos"},
    {"unknown command '{1}'", "orden desconocida '{1}'"},
    {"write needs a mode: disabled, enabled or original", "write necesita un modo: disabled, enabled u original"},
    {"unknown mode '{1}': disabled, enabled or original", "modo desconocido '{1}': disabled, enabled u original"},
    {"the output could not be written: {1}", "no se pudo escribir la salida: {1}"},
    {"the output could not be written: standard output is closed",
     "no se pudo escribir la salida: la salida estándar está cerrada"},
    {"another copy of vellmark or vellmark-cli runs ({1})",
     "hay otra instancia de vellmark o vellmark-cli en marcha ({1})"},
    {"cannot make sure that no other copy runs: {1}", "no se puede asegurar que no haya otra instancia en marcha: {1}"},
    {"class {1}", "clase {1}"},
    {"product id {1}", "ID de producto {1}"},
    {"type {1}", "tipo {1}"},
    {"camera ID {1}", "ID de cámara {1}"},
    {"sensor {1}", "sensor {1}"},
    {"sensor none", "sensor desconocido"},
    {"mode {1}", "modo {1}"},
    {"backup {1}", "copia de seguridad {1}"},
    {"backup none", "sin copia de seguridad"},
    {"original offered", "Original ofrecido"},
    {"original not offered", "Original no ofrecido"},
    {"frame {1} x {2} of {3} x {4} at {5},{6}", "ventana {1} x {2} de {3} x {4} en {5},{6}"},
    {"frame unknown", "ventana desconocida"},
    {"path {1}", "ruta {1}"},
    {"unfinished {1}", "sin terminar {1}"},
    {"no camera is connected", "no hay ninguna cámara conectada"},
    {"no camera with the ID {1} (connected: {2})", "ninguna cámara con el ID {1} (conectadas: {2})"},
    {"no camera with the product id {1} and the ID {2} (connected: {3})",
     "ninguna cámara con el ID de producto {1} y el ID {2} (conectadas: {3})"},
    {"no camera at the interface path {1} (connected: {2})",
     "ninguna cámara en la ruta de interfaz {1} (conectadas: {2})"},
    {"several cameras match --camera {1} ({2}): choose one with --camera and one of these",
     "varias cámaras coinciden con --camera {1} ({2}): elija una con --camera y uno de estos valores"},
    {"several cameras are connected (IDs {1}): choose one with --camera ID",
     "hay varias cámaras conectadas (ID {1}): elija una con --camera ID"},
    {"several cameras are connected ({1}): choose one with --camera and one of these",
     "hay varias cámaras conectadas ({1}): elija una con --camera y uno de estos valores"},
    {"the camera {1} cannot be written: {2}", "no se puede escribir en la cámara {1}: {2}"},
    {"the camera {1} has no numbers of its own in a backup: Original is not offered",
     "la cámara {1} no tiene sus propios valores en una copia de seguridad: no se ofrece Original"},
    {"timed out waiting for the camera to be unplugged: nothing written, the permission revoked",
     "se agotó el tiempo de espera de la desconexión de la cámara: nada escrito, el permiso revocado"},
    {"timed out waiting for the camera to be plugged in: nothing written, the permission revoked",
     "se agotó el tiempo de espera de la conexión de la cámara: nada escrito, el permiso revocado"},
    {"the permission could not be noted in {1}: nothing granted",
     "no se pudo anotar el permiso en {1}: nada concedido"},
    {"the permission could not be granted: run it from an administrator's command prompt",
     "no se pudo conceder el permiso: ejecute la orden desde un símbolo del sistema como administrador"},
    {"run it from an administrator's command prompt",
     "ejecute la orden desde un símbolo del sistema como administrador"},
    {"the camera cannot be configured", "la cámara no se puede configurar"},
    {"Unplug the power of camera {1} now.", "Desconecte ahora la alimentación de la cámara {1}."},
    {"Plug camera {1} in again.", "Vuelva a conectar la cámara {1}."},
    {"a different camera was plugged in: nothing written", "se conectó una cámara distinta: nada escrito"},
    {"the camera refused the write: unplug its power after the permission is granted, then write again",
     "la cámara rechazó la escritura: desconecte su alimentación después de concedido el permiso y "
     "vuelva a escribir"},
    {"a different camera is connected: nothing written", "hay una cámara distinta conectada: nada escrito"},
    {"the camera is not connected: nothing written", "la cámara no está conectada: nada escrito"},
    {"the update could not be noted in {1}: nothing written",
     "no se pudo anotar la actualización en {1}: nada escrito"},
    {"the camera's backup could not be saved: nothing written",
     "no se pudo guardar la copia de seguridad de la cámara: nada escrito"},
    {"the camera's EEPROM could not be written or verified (put back as far as it answers)",
     "no se pudo escribir o verificar la EEPROM de la cámara (restaurada en lo que responde)"},
    {"Original is not offered for this camera: nothing written",
     "Original no se ofrece para esta cámara: nada escrito"},
    {"the camera was written, but the permission could not be removed: the driver still accepts writes; "
     "start vellmark-cli or vellmark again to remove it",
     "la cámara se escribió, pero no se pudo retirar el permiso: el controlador aún acepta escrituras; "
     "vuelva a iniciar vellmark-cli o vellmark para retirarlo"},
    {"Changes will take effect after camera is unplugged from power and plugged again.",
     "Los cambios surtirán efecto después de desconectar y reconectar la alimentación."},
    {"the camera {1} is already {2}: nothing written", "la cámara {1} ya está en el modo {2}: nada escrito"},
    {"the camera {1} is no longer connected", "la cámara {1} ya no está conectada"},
    {"removed AllowEEPROMWrite under HKLM\\{1}: {2}", "AllowEEPROMWrite retirado bajo HKLM\\{1}: {2}"},
    {"found no AllowEEPROMWrite under HKLM\\{1}: {2}", "no se encontró AllowEEPROMWrite bajo HKLM\\{1}: {2}"},
    {"left AllowEEPROMWrite under HKLM\\{1}: {2}", "AllowEEPROMWrite dejado bajo HKLM\\{1}: {2}"},
    {"failed to remove AllowEEPROMWrite under HKLM\\{1}: {2}",
     "no se pudo retirar AllowEEPROMWrite bajo HKLM\\{1}: {2}"},
    {"run {1} has ended", "la ejecución {1} ha terminado"},
    {"an earlier run has ended", "una ejecución anterior ha terminado"},
    {"no longer listed for run {1} when revoked", "ya no figuraba para la ejecución {1} al revocarlo"},
    {"no longer listed for an earlier run when revoked", "ya no figuraba para una ejecución anterior al revocarlo"},
    {"run {1} still runs", "la ejecución {1} sigue en marcha"},
    {"the grants journal is not to be believed ({1})", "el registro de permisos no es fiable ({1})"},
    {"the grants journal is out of reach ({1})", "el registro de permisos no está accesible ({1})"},
    {"{1} permission(s) could not be removed: the driver still accepts writes; run it again from an "
     "administrator's command prompt",
     "no se pudo retirar {1} permiso(s): el controlador aún acepta escrituras; vuelva a ejecutar la "
     "orden desde un símbolo del sistema como administrador"},
    {"nothing to revoke: the grants journal lists no driver key",
     "nada que revocar: el registro de permisos no contiene ninguna clave de controlador"},
};

}  // namespace

TextTable SpanishTexts()
{
    return {pairs, std::size(pairs)};
}
