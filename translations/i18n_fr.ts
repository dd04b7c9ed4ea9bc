<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>title_app_info</source>
        <translation>Informations sur l'application</translation>
    </message>
    <message>
        <source>label_game_info</source>
        <translation>Version du jeu</translation>
    </message>
    <message>
        <source>label_app_info</source>
        <translation>Identifiant du lanceur</translation>
    </message>
    <message>
        <source>label_launcher_version</source>
        <translation>Version du lanceur</translation>
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
        <translation>À la fermeture de la fenêtre :</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Réduire dans la zone de notification</translation>
    </message>
    <message>
        <source>button_close_quit</source>
        <translation>Quitter le lanceur</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>title_app_install_qv</source>
        <translation>Installer le jeu</translation>
    </message>
    <message>
        <source>label_install_dir</source>
        <translation>Dossier d'installation</translation>
    </message>
    <message>
        <source>button_change</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>label_need_space</source>
        <translation>Espace requis :</translation>
    </message>
    <message>
        <source>label_available_space</source>
        <translation>Espace disponible :</translation>
    </message>
    <message>
        <source>label_default_language</source>
        <translation>Langue du jeu</translation>
    </message>
    <message>
        <source>button_start_setup</source>
        <translation>Lancer l'installation</translation>
    </message>
    <message>
        <source>messsage_path_invalid</source>
        <translation>Ce dossier est inutilisable</translation>
    </message>
    <message>
        <source>message_floder_not_enough_space</source>
        <translation>Espace libre insuffisant</translation>
    </message>
    <message>
        <source>label_select_install_path</source>
        <translation>Choisir le dossier d'installation</translation>
    </message>
    <message>
        <source>button_continue</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>button_select_again</source>
        <translation>Choisir un autre</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>message_suggest_select_empty_folder</source>
        <translation>Ce dossier n'est pas vide. Un dossier vide est conseillé pour le jeu. Installer ici quand même ?</translation>
    </message>
</context>
<context>
    <name>DlgSetting</name>
    <message>
        <source>title_set</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>button_auto_start</source>
        <translation>Lancer au démarrage du système</translation>
    </message>
    <message>
        <source>button_download_speed_limit</source>
        <translation>Limiter la vitesse de téléchargement à</translation>
    </message>
    <message>
        <source>label_megabytes_per_second</source>
        <translation> Mo/s</translation>
    </message>
    <message>
        <source>button_auto_update</source>
        <translation>Mettre à jour le lanceur automatiquement</translation>
    </message>
    <message>
        <source>label_next_open_auto_update</source>
        <translation>Lorsqu'une nouvelle version du lanceur est disponible, elle est installée automatiquement au prochain démarrage.</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Réduire dans la zone de notification</translation>
    </message>
    <message>
        <source>button_quit_launcher</source>
        <translation>Quitter le lanceur</translation>
    </message>
    <message>
        <source>button_check_update</source>
        <translation>Rechercher des mises à jour</translation>
    </message>
    <message>
        <source>label_current_launcher_version</source>
        <translation>Version actuelle du lanceur :</translation>
    </message>
    <message>
        <source>button_cancle</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>label_launch_set</source>
        <translation>Démarrage</translation>
    </message>
    <message>
        <source>label_close_set</source>
        <translation>Fermeture</translation>
    </message>
    <message>
        <source>label_version_set</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>button_verify_repair</source>
        <translation>Vérifier et réparer</translation>
    </message>
</context>
<context>
    <name>MainViewModel</name>
    <message>
        <source>message_run_update_exe_failed</source>
        <translation>Impossible de lancer le programme de mise à jour. Réessayez ou réinstallez le lanceur.</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>message_checking_update</source>
        <translation>Vérification de la dernière version du jeu. Réessayez dans un instant.</translation>
    </message>
    <message>
        <source>message_create_floder_failed</source>
        <translation>Impossible de créer le dossier d'installation. Choisissez un autre dossier.</translation>
    </message>
    <message>
        <source>message_not_enough_space_select_path</source>
        <translation>Espace libre insuffisant sur ce disque. Choisissez un autre dossier d'installation.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Espace disque insuffisant pour la mise à jour.</translation>
    </message>
    <message>
        <source>title_warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>message_game_is_running_please_close</source>
        <translation>Le jeu est en cours d'exécution. Le fermer maintenant pour poursuivre l'installation ?</translation>
    </message>
    <message>
        <source>message_game_start_failed</source>
        <translation>Impossible de lancer le jeu. Veuillez le réinstaller.</translation>
    </message>
    <message>
        <source>message_download_error</source>
        <translation>Échec du téléchargement</translation>
    </message>
    <message>
        <source>message_setup_error</source>
        <translation>Échec de l'installation</translation>
    </message>
    <message>
        <source>title_error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>message_resource_check_failed</source>
        <translation>Impossible de vérifier la version du jeu. Réessayer ?</translation>
    </message>
    <message>
        <source>message_launcher_check_failed</source>
        <translation>Le contenu du lanceur n'a pas pu être chargé. Réessayer ?</translation>
    </message>
    <message>
        <source>message_need_update_launcher</source>
        <translation>Un nouveau lanceur est nécessaire. Sa page de téléchargement va s'ouvrir.</translation>
    </message>
    <message>
        <source>message_launcher_version_old</source>
        <translation>Ce lanceur est trop ancien. Veuillez installer la dernière version.</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Téléchargement</translation>
    </message>
    <message>
        <source>label_installing_progress</source>
        <translation>Installation</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Vérification des fichiers</translation>
    </message>
    <message>
        <source>label_unit_gb</source>
        <translation>Go</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Vitesse : </translation>
    </message>
    <message>
        <source>label_download_speed_kbs</source>
        <translation> Ko/s</translation>
    </message>
    <message>
        <source>label_download_speed_mbs</source>
        <translation> Mo/s</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Temps restant : </translation>
    </message>
    <message>
        <source>label_repair_verifying</source>
        <translation>Vérification des fichiers du jeu</translation>
    </message>
    <message>
        <source>label_repair_downloading</source>
        <translation>Téléchargement du paquet du jeu pour la réparation</translation>
    </message>
    <message>
        <source>label_repair_extracting</source>
        <translation>Réparation des fichiers du jeu</translation>
    </message>
    <message>
        <source>message_repair_update_first</source>
        <translation>Une version plus récente du jeu est disponible. La mise à jour remplace ses fichiers ; mettre à jour au lieu de réparer ?</translation>
    </message>
    <message>
        <source>message_repair_not_ready</source>
        <translation>Les fichiers du jeu peuvent être vérifiés une fois le jeu installé et sans téléchargement ni installation en cours.</translation>
    </message>
    <message>
        <source>message_repair_no_record</source>
        <translation>Cette installation n'a pas encore de liste de ses fichiers et ne peut donc pas être vérifiée fichier par fichier. La réparer en réinstallant le paquet complet du jeu ? Vos propres fichiers dans le dossier du jeu sont conservés.</translation>
    </message>
    <message>
        <source>message_repair_intact</source>
        <translation>Tous les fichiers du jeu sont intacts.</translation>
    </message>
    <message>
        <source>message_repair_damaged</source>
        <translation>%1 fichiers du jeu (%2) sont manquants ou endommagés. Les réparer maintenant ?</translation>
    </message>
    <message>
        <source>message_repair_done</source>
        <translation>Les fichiers du jeu ont été réparés.</translation>
    </message>
    <message>
        <source>message_repair_failed</source>
        <translation>Les fichiers du jeu n'ont pas pu être réparés. Veuillez réessayer.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>message_setup_zip_password_error</source>
        <translation>Le paquet est protégé par un mot de passe et ne peut pas être installé.</translation>
    </message>
    <message>
        <source>message_setup_zip_unsupported_method</source>
        <translation>Le paquet utilise une méthode de compression que le launcher ne prend pas en charge.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_error</source>
        <translation>Les données du paquet sont endommagées.</translation>
    </message>
    <message>
        <source>message_setup_zip_crc_failed</source>
        <translation>Un fichier du paquet a échoué au contrôle d'intégrité (CRC).</translation>
    </message>
    <message>
        <source>message_setup_zip_unavailable_data</source>
        <translation>Une partie des données du paquet est manquante.</translation>
    </message>
    <message>
        <source>message_setup_zip_unexpected_end</source>
        <translation>Le paquet se termine de façon inattendue ; il est peut-être incomplet.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_after_end</source>
        <translation>Le paquet contient des données inattendues après sa fin.</translation>
    </message>
    <message>
        <source>message_setup_zip_not_archive</source>
        <translation>Le fichier n'est pas un paquet que le launcher peut ouvrir.</translation>
    </message>
    <message>
        <source>message_setup_zip_headers_error</source>
        <translation>Les en-têtes du paquet sont endommagés.</translation>
    </message>
</context>
<context>
    <name>LauncherSwap</name>
    <message>
        <source>swap_error_write</source>
        <translation>Impossible d'écrire %1.</translation>
    </message>
    <message>
        <source>swap_error_unresolved</source>
        <translation>Une mise à jour précédente du lanceur n'est pas encore terminée.</translation>
    </message>
    <message>
        <source>swap_error_keep_old</source>
        <translation>Impossible de mettre de côté l'ancien %1.</translation>
    </message>
    <message>
        <source>swap_error_remove</source>
        <translation>Impossible de supprimer %1.</translation>
    </message>
    <message>
        <source>swap_error_make_folder</source>
        <translation>Impossible de créer le dossier %1.</translation>
    </message>
    <message>
        <source>swap_error_move_in</source>
        <translation>Impossible de mettre en place le nouveau %1.</translation>
    </message>
    <message>
        <source>swap_error_restore_old</source>
        <translation>Impossible de remettre tous les anciens fichiers ; %1 les conserve.</translation>
    </message>
    <message>
        <source>swap_error_remove_old</source>
        <translation>Impossible de supprimer tous les anciens fichiers de %1.</translation>
    </message>
    <message>
        <source>swap_error_link</source>
        <translation>%1 est un lien.</translation>
    </message>
    <message>
        <source>swap_error_damaged</source>
        <translation>%1 est endommagé.</translation>
    </message>
</context>
<context>
    <name>UpdateController</name>
    <message>
        <source>updater_error_in_the_way</source>
        <translation>%1 empêche la mise à jour.</translation>
    </message>
    <message>
        <source>updater_error_make_folder</source>
        <translation>Impossible de créer %1.</translation>
    </message>
    <message>
        <source>updater_error_move_package</source>
        <translation>Impossible de déplacer le paquet dans %1.</translation>
    </message>
</context>
<context>
    <name>UpdaterWindow</name>
    <message>
        <source>updater_close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>updater_title</source>
        <translation>Mise à jour du lanceur Tessaril</translation>
    </message>
    <message>
        <source>updater_waiting</source>
        <translation>En attente de la fermeture du lanceur…</translation>
    </message>
    <message>
        <source>updater_downloading</source>
        <translation>Téléchargement de la mise à jour…</translation>
    </message>
    <message>
        <source>updater_verifying</source>
        <translation>Vérification du téléchargement…</translation>
    </message>
    <message>
        <source>updater_installing</source>
        <translation>Installation de la mise à jour…</translation>
    </message>
    <message>
        <source>updater_restarting</source>
        <translation>Démarrage du lanceur…</translation>
    </message>
    <message>
        <source>updater_failed_launcher_running</source>
        <translation>Le lanceur est toujours ouvert, rien n'a donc été modifié. Fermez-le et relancez la mise à jour.</translation>
    </message>
    <message>
        <source>updater_failed_download</source>
        <translation>La mise à jour n'a pas pu être téléchargée. Le lanceur reste inchangé.</translation>
    </message>
    <message>
        <source>updater_failed_damaged</source>
        <translation>La mise à jour téléchargée est endommagée. Le lanceur reste inchangé.</translation>
    </message>
    <message>
        <source>updater_failed_package</source>
        <translation>Le paquet de mise à jour est inutilisable. Le lanceur reste inchangé.</translation>
    </message>
    <message>
        <source>updater_failed_install</source>
        <translation>La mise à jour n'a pas pu être installée. Le lanceur reste inchangé.</translation>
    </message>
    <message>
        <source>updater_failed_recovery</source>
        <translation>Une mise à jour interrompue n'a pu être ni terminée ni annulée. Veuillez réinstaller le lanceur.</translation>
    </message>
    <message>
        <source>updater_failed_restart</source>
        <translation>Le lanceur n'a pas pu être démarré. Veuillez le lancer vous-même.</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>message_error_download_bad_name</source>
        <translation>Le fichier à télécharger porte un nom inutilisable ; rien n'a été téléchargé.</translation>
    </message>
    <message>
        <source>message_error_resource_acquisition_failed</source>
        <translation>Impossible d'obtenir le paquet du jeu</translation>
    </message>
    <message>
        <source>message_error_open_file_failed</source>
        <translation>Impossible d'ouvrir le fichier de téléchargement.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Espace disque insuffisant. Libérez de l'espace et réessayez.</translation>
    </message>
    <message>
        <source>message_error_download_write_buffer</source>
        <translation>Impossible d'écrire les données téléchargées sur le disque.</translation>
    </message>
    <message>
        <source>message_error_download_flush</source>
        <translation>Le téléchargement n'a pas pu être enregistré sur le disque.</translation>
    </message>
    <message>
        <source>message_error_network_reply</source>
        <translation>Échec de la connexion réseau</translation>
    </message>
    <message>
        <source>message_error_network_statuscode</source>
        <translation>Le serveur a refusé le téléchargement</translation>
    </message>
    <message>
        <source>message_error_download_md5</source>
        <translation>Le paquet téléchargé est endommagé et sera téléchargé à nouveau.</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>message_request_time_out</source>
        <translation>La requête a expiré.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>button_open_main_window</source>
        <translation>Ouvrir la fenêtre principale</translation>
    </message>
    <message>
        <source>button_quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>title_app_name_qv</source>
        <translation>Tessaril</translation>
    </message>
    <message>
        <source>button_continue_download</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>button_get_game</source>
        <translation>Obtenir le jeu</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>button_start_game</source>
        <translation>Jouer</translation>
    </message>
    <message>
        <source>button_change_install_path</source>
        <translation>Changer le dossier d'installation</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Téléchargement…</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Vérification des fichiers…</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Temps restant : --</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Vitesse : --</translation>
    </message>
    <message>
        <source>label_services_unreachable</source>
        <translation>Le service du jeu est injoignable. Vérifiez votre connexion.</translation>
    </message>
    <message>
        <source>button_retry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>button_game_running</source>
        <translation>Jeu en cours</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>message_setup_disk_space_error</source>
        <translation>Espace insuffisant : le jeu nécessite %1 et le disque n'a que %2 de libre. Libérez de l'espace ou choisissez un autre dossier.</translation>
    </message>
    <message>
        <source>message_setup_delete_old_file_error</source>
        <translation>n'a pas pu être supprimé. Fermez le jeu et réessayez.</translation>
    </message>
    <message>
        <source>message_setup_dll_error</source>
        <translation>Le moteur d'archives n'a pas pu être chargé. Réinstallez le lanceur.</translation>
    </message>
    <message>
        <source>message_setup_zip_format_error</source>
        <translation>n'est pas un format de paquet que le lanceur sait installer.</translation>
    </message>
    <message>
        <source>message_setup_zip_class_error</source>
        <translation>Le moteur d'archives ne sait pas lire ce format de paquet.</translation>
    </message>
    <message>
        <source>message_setup_zip_archive_file_error</source>
        <translation>n'a pas pu être ouvert.</translation>
    </message>
    <message>
        <source>message_setup_zip_unzip_error</source>
        <translation>Le paquet n'a pas pu être extrait.</translation>
    </message>
    <message>
        <source>message_setup_zip_unable_open_file_error</source>
        <translation>Impossible d'ouvrir %1 en tant qu'archive.</translation>
    </message>
</context>
<context>
    <name>UpdateVersionInfo</name>
    <message>
        <source>message_package_md5_invalid</source>
        <translation>Les informations du paquet de jeu fournies par le serveur sont invalides (somme de contrôle mal formée). Réessayez plus tard.</translation>
    </message>
</context>
<context>
    <name>ApplicationInfo</name>
    <message>
        <source>title_tip</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>message_update_request_exception</source>
        <translation>Impossible de vérifier la mise à jour du lanceur. </translation>
    </message>
    <message>
        <source>button_redo</source>
        <translation>Réessayer</translation>
    </message>
</context>
<context>
    <name>UpdateProgram</name>
    <message>
        <source>title_tip</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>message_is_latest_version</source>
        <translation>Le lanceur est à jour.</translation>
    </message>
    <message>
        <source>message_new_version_please_update</source>
        <translation>Une nouvelle version du lanceur est requise. Mettez à jour pour continuer à jouer.</translation>
    </message>
    <message>
        <source>message_new_version_whether_update</source>
        <translation>Une nouvelle version du lanceur est disponible. Mettre à jour maintenant ?</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>message_update_failed_not_enough_space</source>
        <translation>Impossible de mettre à jour le lanceur : espace disque insuffisant.</translation>
    </message>
</context>
</TS>
