; The installer's own texts in its seven languages; the dialogs' other
; texts come with the Modern UI. $R0 in VellmarkNewerInstalled is the
; installed version, read just before the question.

LangString VellmarkNewerInstalled ${LANG_ENGLISH} "A newer version of Vellmark ($R0) is installed. Replace it with the older version ${VERSION}?"
LangString VellmarkNewerInstalled ${LANG_GERMAN} "Eine neuere Version von Vellmark ($R0) ist installiert. Soll sie durch die ältere Version ${VERSION} ersetzt werden?"
LangString VellmarkNewerInstalled ${LANG_FRENCH} "Une version plus récente de Vellmark ($R0) est installée. Faut-il la remplacer par la version plus ancienne ${VERSION} ?"
LangString VellmarkNewerInstalled ${LANG_SPANISH} "Hay instalada una versión más reciente de Vellmark ($R0). ¿Desea reemplazarla por la versión anterior ${VERSION}?"
LangString VellmarkNewerInstalled ${LANG_ITALIAN} "È installata una versione più recente di Vellmark ($R0). Sostituirla con la versione precedente ${VERSION}?"
LangString VellmarkNewerInstalled ${LANG_JAPANESE} "より新しいバージョンの Vellmark ($R0) がインストールされています。古いバージョン ${VERSION} で置き換えますか?"
LangString VellmarkNewerInstalled ${LANG_SIMPCHINESE} "已安装较新版本的 Vellmark ($R0)。要用较旧的版本 ${VERSION} 替换它吗？"

LangString VellmarkCloseFirst ${LANG_ENGLISH} "Vellmark is still running and holds the camera driver's write permission. Close the program first, then choose Retry."
LangString VellmarkCloseFirst ${LANG_GERMAN} "Vellmark läuft noch und hält die Schreiberlaubnis des Kameratreibers. Schließen Sie zuerst das Programm und wählen Sie dann Wiederholen."
LangString VellmarkCloseFirst ${LANG_FRENCH} "Vellmark est encore en cours d'exécution et détient l'autorisation d'écriture du pilote de la caméra. Fermez d'abord le programme, puis choisissez Réessayer."
LangString VellmarkCloseFirst ${LANG_SPANISH} "Vellmark todavía se está ejecutando y tiene el permiso de escritura del controlador de la cámara. Cierre primero el programa y luego elija Reintentar."
LangString VellmarkCloseFirst ${LANG_ITALIAN} "Vellmark è ancora in esecuzione e detiene il permesso di scrittura del driver della camera. Chiudi prima il programma, poi scegli Riprova."
LangString VellmarkCloseFirst ${LANG_JAPANESE} "Vellmark はまだ実行中で、カメラ ドライバーの書き込み許可を保持しています。先にプログラムを閉じてから、[再試行] を選んでください。"
LangString VellmarkCloseFirst ${LANG_SIMPCHINESE} "Vellmark 仍在运行，并持有相机驱动程序的写入许可。请先关闭该程序，然后选择“重试”。"

; The uninstaller's last page.
LangString VellmarkRemoved ${LANG_ENGLISH} "Vellmark has been uninstalled from your computer.$\r$\n$\r$\nThe data folder %ProgramData%\Vellmark is kept: it holds the cameras' backups, the only copy of their factory settings.$\r$\n$\r$\nClick Finish to close Setup."
LangString VellmarkRemoved ${LANG_GERMAN} "Vellmark ist von Ihrem Computer entfernt worden.$\r$\n$\r$\nDer Datenordner %ProgramData%\Vellmark bleibt erhalten: Er enthält die Sicherungen der Kameras, die einzige Kopie ihrer Werkseinstellungen.$\r$\n$\r$\nKlicken Sie auf Fertigstellen, um den Assistenten zu schließen."
LangString VellmarkRemoved ${LANG_FRENCH} "Vellmark a été supprimé de votre ordinateur.$\r$\n$\r$\nLe dossier de données %ProgramData%\Vellmark est conservé : il contient les sauvegardes des caméras, la seule copie de leurs réglages d'usine.$\r$\n$\r$\nCliquez sur Fermer pour quitter le programme d'installation."
LangString VellmarkRemoved ${LANG_SPANISH} "Vellmark ha sido desinstalado de su sistema.$\r$\n$\r$\nLa carpeta de datos %ProgramData%\Vellmark se conserva: contiene las copias de seguridad de las cámaras, la única copia de sus ajustes de fábrica.$\r$\n$\r$\nPresione Terminar para cerrar este asistente."
LangString VellmarkRemoved ${LANG_ITALIAN} "Vellmark è stato disinstallato.$\r$\n$\r$\nLa cartella dei dati %ProgramData%\Vellmark viene conservata: contiene i backup delle camere, l'unica copia delle loro impostazioni di fabbrica.$\r$\n$\r$\nSeleziona 'Chiudi' per chiudere questa procedura."
LangString VellmarkRemoved ${LANG_JAPANESE} "Vellmark は、このコンピュータからアンインストールされました。$\r$\n$\r$\nデータ フォルダー %ProgramData%\Vellmark は残されます。カメラのバックアップ (工場出荷時の設定の唯一のコピー) がここに保存されています。$\r$\n$\r$\n「完了」をクリックしセットアップを閉じます。"
LangString VellmarkRemoved ${LANG_SIMPCHINESE} "Vellmark 已经成功从本机卸载。$\r$\n$\r$\n数据文件夹 %ProgramData%\Vellmark 已保留：其中保存着相机的备份，这是其出厂设置的唯一副本。$\r$\n$\r$\n点击 [完成] 关闭卸载程序。"
