<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>title_app_info</source>
        <translation>App-Informationen</translation>
    </message>
    <message>
        <source>label_game_info</source>
        <translation>Spielversion</translation>
    </message>
    <message>
        <source>label_app_info</source>
        <translation>Launcher-Kennung</translation>
    </message>
    <message>
        <source>label_launcher_version</source>
        <translation>Launcher-Version</translation>
    </message>
    <message>
        <source>button_ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>label_close_select_tip</source>
        <translation>Beim Schließen des Fensters:</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>In den Infobereich minimieren</translation>
    </message>
    <message>
        <source>button_close_quit</source>
        <translation>Launcher beenden</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>button_cancle</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Hinweis</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>title_app_install_qv</source>
        <translation>Spiel installieren</translation>
    </message>
    <message>
        <source>label_install_dir</source>
        <translation>Installationsordner</translation>
    </message>
    <message>
        <source>button_change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>label_need_space</source>
        <translation>Benötigt:</translation>
    </message>
    <message>
        <source>label_available_space</source>
        <translation>Verfügbar:</translation>
    </message>
    <message>
        <source>label_default_language</source>
        <translation>Spielsprache</translation>
    </message>
    <message>
        <source>button_start_setup</source>
        <translation>Installation starten</translation>
    </message>
    <message>
        <source>messsage_path_invalid</source>
        <translation>Dieser Ordner ist nicht nutzbar</translation>
    </message>
    <message>
        <source>message_floder_not_enough_space</source>
        <translation>Zu wenig freier Speicherplatz</translation>
    </message>
    <message>
        <source>label_select_install_path</source>
        <translation>Installationsordner wählen</translation>
    </message>
    <message>
        <source>button_continue</source>
        <translation>Fortfahren</translation>
    </message>
    <message>
        <source>button_select_again</source>
        <translation>Neu wählen</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>message_suggest_select_empty_folder</source>
        <translation>Dieser Ordner ist nicht leer. Für das Spiel wird ein leerer Ordner empfohlen. Trotzdem hier installieren?</translation>
    </message>
</context>
<context>
    <name>DlgSetting</name>
    <message>
        <source>title_set</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>button_auto_start</source>
        <translation>Mit dem System starten</translation>
    </message>
    <message>
        <source>button_download_speed_limit</source>
        <translation>Downloadgeschwindigkeit begrenzen auf</translation>
    </message>
    <message>
        <source>label_megabytes_per_second</source>
        <translation> MB/s</translation>
    </message>
    <message>
        <source>button_auto_update</source>
        <translation>Launcher automatisch aktualisieren</translation>
    </message>
    <message>
        <source>label_next_open_auto_update</source>
        <translation>Ist eine neue Version des Launchers verfügbar, wird sie beim nächsten Start automatisch installiert.</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>In den Infobereich minimieren</translation>
    </message>
    <message>
        <source>button_quit_launcher</source>
        <translation>Launcher beenden</translation>
    </message>
    <message>
        <source>button_check_update</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>label_current_launcher_version</source>
        <translation>Aktuelle Launcher-Version:</translation>
    </message>
    <message>
        <source>button_cancle</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>label_launch_set</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>label_close_set</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>label_version_set</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>button_verify_repair</source>
        <translation>Prüfen und reparieren</translation>
    </message>
</context>
<context>
    <name>MainViewModel</name>
    <message>
        <source>message_run_update_exe_failed</source>
        <translation>Das Aktualisierungsprogramm konnte nicht gestartet werden. Bitte versuche es erneut oder installiere den Launcher neu.</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>message_checking_update</source>
        <translation>Die neueste Spielversion wird geprüft. Bitte versuche es gleich noch einmal.</translation>
    </message>
    <message>
        <source>message_create_floder_failed</source>
        <translation>Der Installationsordner konnte nicht angelegt werden. Bitte wähle einen anderen Ordner.</translation>
    </message>
    <message>
        <source>message_not_enough_space_select_path</source>
        <translation>Auf diesem Laufwerk ist nicht genug Platz frei. Bitte wähle einen anderen Installationsordner.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Für das Update ist nicht genug Speicherplatz frei.</translation>
    </message>
    <message>
        <source>title_warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>message_game_is_running_please_close</source>
        <translation>Das Spiel läuft. Jetzt beenden, um die Installation fortzusetzen?</translation>
    </message>
    <message>
        <source>message_game_start_failed</source>
        <translation>Das Spiel konnte nicht gestartet werden. Bitte installiere es erneut.</translation>
    </message>
    <message>
        <source>message_download_error</source>
        <translation>Download fehlgeschlagen</translation>
    </message>
    <message>
        <source>message_setup_error</source>
        <translation>Installation fehlgeschlagen</translation>
    </message>
    <message>
        <source>title_error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>message_resource_check_failed</source>
        <translation>Die Spielversion konnte nicht geprüft werden. Erneut versuchen?</translation>
    </message>
    <message>
        <source>message_launcher_check_failed</source>
        <translation>Die Inhalte des Launchers konnten nicht geladen werden. Erneut versuchen?</translation>
    </message>
    <message>
        <source>message_need_update_launcher</source>
        <translation>Ein neuer Launcher ist erforderlich. Die Download-Seite wird jetzt geöffnet.</translation>
    </message>
    <message>
        <source>message_launcher_version_old</source>
        <translation>Dieser Launcher ist veraltet. Bitte installiere den neuesten Launcher.</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Wird heruntergeladen</translation>
    </message>
    <message>
        <source>label_installing_progress</source>
        <translation>Wird installiert</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Dateien werden geprüft</translation>
    </message>
    <message>
        <source>label_unit_gb</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Geschwindigkeit: </translation>
    </message>
    <message>
        <source>label_download_speed_kbs</source>
        <translation> KB/s</translation>
    </message>
    <message>
        <source>label_download_speed_mbs</source>
        <translation> MB/s</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Verbleibend: </translation>
    </message>
    <message>
        <source>label_repair_verifying</source>
        <translation>Spieldateien werden geprüft</translation>
    </message>
    <message>
        <source>label_repair_downloading</source>
        <translation>Spielpaket für die Reparatur wird heruntergeladen</translation>
    </message>
    <message>
        <source>label_repair_extracting</source>
        <translation>Spieldateien werden repariert</translation>
    </message>
    <message>
        <source>message_repair_update_first</source>
        <translation>Eine neuere Spielversion ist verfügbar. Das Update ersetzt die Spieldateien; jetzt aktualisieren statt reparieren?</translation>
    </message>
    <message>
        <source>message_repair_not_ready</source>
        <translation>Die Spieldateien können geprüft werden, sobald das Spiel installiert ist und kein Download oder keine Installation läuft.</translation>
    </message>
    <message>
        <source>message_repair_no_record</source>
        <translation>Diese Installation hat noch keine Liste ihrer Dateien und kann daher nicht Datei für Datei geprüft werden. Durch erneute Installation des ganzen Spielpakets reparieren? Eigene Dateien im Spielordner bleiben erhalten.</translation>
    </message>
    <message>
        <source>message_repair_intact</source>
        <translation>Alle Spieldateien sind in Ordnung.</translation>
    </message>
    <message>
        <source>message_repair_damaged</source>
        <translation>%1 Spieldateien (%2) fehlen oder sind beschädigt. Jetzt reparieren?</translation>
    </message>
    <message>
        <source>message_repair_done</source>
        <translation>Die Spieldateien wurden repariert.</translation>
    </message>
    <message>
        <source>message_repair_failed</source>
        <translation>Die Spieldateien konnten nicht repariert werden. Bitte versuche es erneut.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>message_setup_zip_password_error</source>
        <translation>Das Paket ist passwortgeschützt und kann nicht installiert werden.</translation>
    </message>
    <message>
        <source>message_setup_zip_unsupported_method</source>
        <translation>Das Paket verwendet eine Kompressionsmethode, die der Launcher nicht unterstützt.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_error</source>
        <translation>Die Paketdaten sind beschädigt.</translation>
    </message>
    <message>
        <source>message_setup_zip_crc_failed</source>
        <translation>Eine Datei im Paket hat die Integritätsprüfung (CRC) nicht bestanden.</translation>
    </message>
    <message>
        <source>message_setup_zip_unavailable_data</source>
        <translation>Ein Teil der Paketdaten fehlt.</translation>
    </message>
    <message>
        <source>message_setup_zip_unexpected_end</source>
        <translation>Das Paket endet unerwartet und ist möglicherweise unvollständig.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_after_end</source>
        <translation>Das Paket enthält unerwartete Daten nach seinem Ende.</translation>
    </message>
    <message>
        <source>message_setup_zip_not_archive</source>
        <translation>Die Datei ist kein Paket, das der Launcher öffnen kann.</translation>
    </message>
    <message>
        <source>message_setup_zip_headers_error</source>
        <translation>Die Kopfdaten des Pakets sind beschädigt.</translation>
    </message>
</context>
<context>
    <name>LauncherSwap</name>
    <message>
        <source>swap_error_write</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>swap_error_unresolved</source>
        <translation>Ein früheres Update des Launchers ist noch nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>swap_error_keep_old</source>
        <translation>Die alte Datei %1 konnte nicht beiseitegelegt werden.</translation>
    </message>
    <message>
        <source>swap_error_remove</source>
        <translation>%1 konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>swap_error_make_folder</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>swap_error_move_in</source>
        <translation>Die neue Datei %1 konnte nicht eingesetzt werden.</translation>
    </message>
    <message>
        <source>swap_error_restore_old</source>
        <translation>Nicht alle alten Dateien konnten zurückgelegt werden; %1 enthält sie.</translation>
    </message>
    <message>
        <source>swap_error_remove_old</source>
        <translation>Nicht alle alten Dateien konnten aus %1 entfernt werden.</translation>
    </message>
    <message>
        <source>swap_error_link</source>
        <translation>%1 ist eine Verknüpfung.</translation>
    </message>
    <message>
        <source>swap_error_damaged</source>
        <translation>%1 ist beschädigt.</translation>
    </message>
</context>
<context>
    <name>UpdateController</name>
    <message>
        <source>updater_error_in_the_way</source>
        <translation>%1 ist im Weg.</translation>
    </message>
    <message>
        <source>updater_error_make_folder</source>
        <translation>%1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>updater_error_move_package</source>
        <translation>Das Paket konnte nicht nach %1 verschoben werden.</translation>
    </message>
</context>
<context>
    <name>UpdaterWindow</name>
    <message>
        <source>updater_close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>updater_title</source>
        <translation>Tessaril-Launcher-Update</translation>
    </message>
    <message>
        <source>updater_waiting</source>
        <translation>Warte, bis der Launcher geschlossen ist …</translation>
    </message>
    <message>
        <source>updater_downloading</source>
        <translation>Das Update wird heruntergeladen …</translation>
    </message>
    <message>
        <source>updater_verifying</source>
        <translation>Der Download wird geprüft …</translation>
    </message>
    <message>
        <source>updater_installing</source>
        <translation>Das Update wird installiert …</translation>
    </message>
    <message>
        <source>updater_restarting</source>
        <translation>Der Launcher wird gestartet …</translation>
    </message>
    <message>
        <source>updater_failed_launcher_running</source>
        <translation>Der Launcher läuft noch, daher wurde nichts geändert. Schließe ihn und starte das Update erneut.</translation>
    </message>
    <message>
        <source>updater_failed_download</source>
        <translation>Das Update konnte nicht heruntergeladen werden. Der Launcher bleibt unverändert.</translation>
    </message>
    <message>
        <source>updater_failed_damaged</source>
        <translation>Das heruntergeladene Update ist beschädigt. Der Launcher bleibt unverändert.</translation>
    </message>
    <message>
        <source>updater_failed_package</source>
        <translation>Das Update-Paket ist unbrauchbar. Der Launcher bleibt unverändert.</translation>
    </message>
    <message>
        <source>updater_failed_install</source>
        <translation>Das Update konnte nicht installiert werden. Der Launcher bleibt unverändert.</translation>
    </message>
    <message>
        <source>updater_failed_recovery</source>
        <translation>Ein unterbrochenes Update konnte weder abgeschlossen noch rückgängig gemacht werden. Bitte installiere den Launcher neu.</translation>
    </message>
    <message>
        <source>updater_failed_restart</source>
        <translation>Der Launcher konnte nicht gestartet werden. Bitte starte ihn selbst.</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>message_error_download_bad_name</source>
        <translation>Die Download-Datei hat einen unbrauchbaren Namen, daher wurde nichts heruntergeladen.</translation>
    </message>
    <message>
        <source>message_error_resource_acquisition_failed</source>
        <translation>Das Spielpaket ist nicht erreichbar</translation>
    </message>
    <message>
        <source>message_error_open_file_failed</source>
        <translation>Die Download-Datei konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Nicht genügend freier Speicherplatz. Bitte Platz schaffen und erneut versuchen.</translation>
    </message>
    <message>
        <source>message_error_download_write_buffer</source>
        <translation>Die Download-Daten konnten nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>message_error_download_flush</source>
        <translation>Der Download konnte nicht auf die Festplatte geschrieben werden.</translation>
    </message>
    <message>
        <source>message_error_network_reply</source>
        <translation>Netzwerkverbindung fehlgeschlagen</translation>
    </message>
    <message>
        <source>message_error_network_statuscode</source>
        <translation>Der Server hat den Download abgelehnt</translation>
    </message>
    <message>
        <source>message_error_download_md5</source>
        <translation>Das heruntergeladene Paket ist beschädigt und wird erneut geladen.</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>message_request_time_out</source>
        <translation>Zeitüberschreitung der Anfrage.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>button_open_main_window</source>
        <translation>Hauptfenster öffnen</translation>
    </message>
    <message>
        <source>button_quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>title_app_name_qv</source>
        <translation>Tessaril</translation>
    </message>
    <message>
        <source>button_continue_download</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>button_get_game</source>
        <translation>Spiel holen</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>button_start_game</source>
        <translation>Spielen</translation>
    </message>
    <message>
        <source>button_change_install_path</source>
        <translation>Installationsordner ändern</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Wird heruntergeladen …</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Dateien werden geprüft …</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Verbleibend: --</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Geschwindigkeit: --</translation>
    </message>
    <message>
        <source>label_services_unreachable</source>
        <translation>Der Spieldienst ist nicht erreichbar. Prüfe deine Verbindung.</translation>
    </message>
    <message>
        <source>button_retry</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>button_game_running</source>
        <translation>Spiel läuft</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>message_setup_disk_space_error</source>
        <translation>Nicht genug freier Speicher: Das Spiel braucht %1, auf dem Laufwerk sind %2 frei. Schaffe Platz oder wähle einen anderen Ordner.</translation>
    </message>
    <message>
        <source>message_setup_delete_old_file_error</source>
        <translation>konnte nicht gelöscht werden. Bitte das Spiel schließen und erneut versuchen.</translation>
    </message>
    <message>
        <source>message_setup_dll_error</source>
        <translation>Die Entpack-Komponente konnte nicht geladen werden. Bitte den Launcher neu installieren.</translation>
    </message>
    <message>
        <source>message_setup_zip_format_error</source>
        <translation>ist kein Paketformat, das der Launcher installieren kann.</translation>
    </message>
    <message>
        <source>message_setup_zip_class_error</source>
        <translation>Die Entpack-Komponente kann dieses Paketformat nicht lesen.</translation>
    </message>
    <message>
        <source>message_setup_zip_archive_file_error</source>
        <translation>konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>message_setup_zip_unzip_error</source>
        <translation>Das Paket konnte nicht entpackt werden.</translation>
    </message>
    <message>
        <source>message_setup_zip_unable_open_file_error</source>
        <translation>%1 kann nicht als Archiv geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>UpdateVersionInfo</name>
    <message>
        <source>message_package_md5_invalid</source>
        <translation>Die Angaben des Servers zum Spielpaket sind ungültig (fehlerhafte Prüfsumme). Bitte versuche es später erneut.</translation>
    </message>
</context>
<context>
    <name>ApplicationInfo</name>
    <message>
        <source>title_tip</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>message_update_request_exception</source>
        <translation>Das Launcher-Update konnte nicht geprüft werden. </translation>
    </message>
    <message>
        <source>button_redo</source>
        <translation>Erneut versuchen</translation>
    </message>
</context>
<context>
    <name>UpdateProgram</name>
    <message>
        <source>title_tip</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>message_is_latest_version</source>
        <translation>Der Launcher ist auf dem neuesten Stand.</translation>
    </message>
    <message>
        <source>message_new_version_please_update</source>
        <translation>Eine neue Launcher-Version ist erforderlich. Bitte aktualisiere, um weiterzuspielen.</translation>
    </message>
    <message>
        <source>message_new_version_whether_update</source>
        <translation>Eine neue Launcher-Version ist verfügbar. Jetzt aktualisieren?</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>message_update_failed_not_enough_space</source>
        <translation>Der Launcher kann nicht aktualisiert werden: Es ist nicht genug Speicherplatz frei.</translation>
    </message>
</context>
</TS>
