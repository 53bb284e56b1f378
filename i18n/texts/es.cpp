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
};

}  // namespace

TextTable SpanishTexts()
{
    return {pairs, std::size(pairs)};
}
