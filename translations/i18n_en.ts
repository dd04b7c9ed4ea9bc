<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>title_app_info</source>
        <translation>App information</translation>
    </message>
    <message>
        <source>label_game_info</source>
        <translation>Game version</translation>
    </message>
    <message>
        <source>label_app_info</source>
        <translation>Launcher ID</translation>
    </message>
    <message>
        <source>label_launcher_version</source>
        <translation>Launcher version</translation>
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
        <translation>When the window is closed:</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Minimise to the system tray</translation>
    </message>
    <message>
        <source>button_close_quit</source>
        <translation>Quit the launcher</translation>
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
        <translation>Cancel</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>title_app_install_qv</source>
        <translation>Install the game</translation>
    </message>
    <message>
        <source>label_install_dir</source>
        <translation>Install folder</translation>
    </message>
    <message>
        <source>button_change</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>label_need_space</source>
        <translation>Space required:</translation>
    </message>
    <message>
        <source>label_available_space</source>
        <translation>Space available:</translation>
    </message>
    <message>
        <source>label_default_language</source>
        <translation>Game language</translation>
    </message>
    <message>
        <source>button_start_setup</source>
        <translation>Start installation</translation>
    </message>
    <message>
        <source>messsage_path_invalid</source>
        <translation>This folder cannot be used</translation>
    </message>
    <message>
        <source>message_floder_not_enough_space</source>
        <translation>Not enough free space on this drive</translation>
    </message>
    <message>
        <source>label_select_install_path</source>
        <translation>Choose the install folder</translation>
    </message>
    <message>
        <source>button_continue</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>button_select_again</source>
        <translation>Choose again</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>message_suggest_select_empty_folder</source>
        <translation>This folder is not empty. An empty folder is recommended for the game. Install here anyway?</translation>
    </message>
</context>
<context>
    <name>DlgSetting</name>
    <message>
        <source>title_set</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>button_auto_start</source>
        <translation>Start with the system</translation>
    </message>
    <message>
        <source>button_download_speed_limit</source>
        <translation>Limit the download speed to</translation>
    </message>
    <message>
        <source>label_megabytes_per_second</source>
        <translation> MB/s</translation>
    </message>
    <message>
        <source>button_auto_update</source>
        <translation>Update the launcher automatically</translation>
    </message>
    <message>
        <source>label_next_open_auto_update</source>
        <translation>When a new launcher version is available, it is installed the next time the launcher starts.</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Minimise to the system tray</translation>
    </message>
    <message>
        <source>button_quit_launcher</source>
        <translation>Quit the launcher</translation>
    </message>
    <message>
        <source>button_check_update</source>
        <translation>Check for updates</translation>
    </message>
    <message>
        <source>label_current_launcher_version</source>
        <translation>Current launcher version:</translation>
    </message>
    <message>
        <source>button_cancle</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>label_launch_set</source>
        <translation>Startup</translation>
    </message>
    <message>
        <source>label_close_set</source>
        <translation>Closing</translation>
    </message>
    <message>
        <source>label_version_set</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>button_verify_repair</source>
        <translation>Verify and repair</translation>
    </message>
</context>
<context>
    <name>MainViewModel</name>
    <message>
        <source>message_run_update_exe_failed</source>
        <translation>The updater could not be started. Please try again or reinstall the launcher.</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>message_checking_update</source>
        <translation>Checking for the latest game version. Please try again in a moment.</translation>
    </message>
    <message>
        <source>message_create_floder_failed</source>
        <translation>The install folder could not be created. Please choose another folder.</translation>
    </message>
    <message>
        <source>message_not_enough_space_select_path</source>
        <translation>There is not enough free space on this drive. Please choose another install folder.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>There is not enough free disk space for the update.</translation>
    </message>
    <message>
        <source>title_warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>message_game_is_running_please_close</source>
        <translation>The game is running. Close it now to continue the installation?</translation>
    </message>
    <message>
        <source>message_game_start_failed</source>
        <translation>The game could not be started. Please install it again.</translation>
    </message>
    <message>
        <source>message_download_error</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>message_setup_error</source>
        <translation>Installation failed</translation>
    </message>
    <message>
        <source>title_error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>message_resource_check_failed</source>
        <translation>Could not check the game version. Try again?</translation>
    </message>
    <message>
        <source>message_launcher_check_failed</source>
        <translation>The launcher content could not be loaded. Try again?</translation>
    </message>
    <message>
        <source>message_need_update_launcher</source>
        <translation>A new launcher is required. Its download page will open now.</translation>
    </message>
    <message>
        <source>message_launcher_version_old</source>
        <translation>This launcher is too old to continue. Please install the latest launcher.</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Downloading</translation>
    </message>
    <message>
        <source>label_installing_progress</source>
        <translation>Installing</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Verifying files</translation>
    </message>
    <message>
        <source>label_unit_gb</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Speed: </translation>
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
        <translation>Time left: </translation>
    </message>
    <message>
        <source>label_repair_verifying</source>
        <translation>Verifying game files</translation>
    </message>
    <message>
        <source>label_repair_downloading</source>
        <translation>Downloading the game package for the repair</translation>
    </message>
    <message>
        <source>label_repair_extracting</source>
        <translation>Repairing game files</translation>
    </message>
    <message>
        <source>message_repair_update_first</source>
        <translation>A newer game version is available. Updating the game replaces its files; update now instead of repairing?</translation>
    </message>
    <message>
        <source>message_repair_not_ready</source>
        <translation>The game files can be verified once the game is installed and no download or installation is running.</translation>
    </message>
    <message>
        <source>message_repair_no_record</source>
        <translation>This installation has no list of its files yet, so it cannot be checked file by file. Repair it by installing the whole game package again? Your own files in the game folder are kept.</translation>
    </message>
    <message>
        <source>message_repair_intact</source>
        <translation>All game files are intact.</translation>
    </message>
    <message>
        <source>message_repair_damaged</source>
        <translation>%1 game files (%2) are missing or damaged. Repair them now?</translation>
    </message>
    <message>
        <source>message_repair_done</source>
        <translation>The game files have been repaired.</translation>
    </message>
    <message>
        <source>message_repair_failed</source>
        <translation>The game files could not be repaired. Please try again.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>message_setup_zip_password_error</source>
        <translation>The package is protected by a password and cannot be installed.</translation>
    </message>
    <message>
        <source>message_setup_zip_unsupported_method</source>
        <translation>The package uses a compression method the launcher does not support.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_error</source>
        <translation>The package data is damaged.</translation>
    </message>
    <message>
        <source>message_setup_zip_crc_failed</source>
        <translation>A file in the package failed its integrity check (CRC).</translation>
    </message>
    <message>
        <source>message_setup_zip_unavailable_data</source>
        <translation>Part of the package data is missing.</translation>
    </message>
    <message>
        <source>message_setup_zip_unexpected_end</source>
        <translation>The package ends unexpectedly; it may be incomplete.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_after_end</source>
        <translation>The package has unexpected data after its end.</translation>
    </message>
    <message>
        <source>message_setup_zip_not_archive</source>
        <translation>The file is not a package the launcher can open.</translation>
    </message>
    <message>
        <source>message_setup_zip_headers_error</source>
        <translation>The package headers are damaged.</translation>
    </message>
</context>
<context>
    <name>LauncherSwap</name>
    <message>
        <source>swap_error_write</source>
        <translation>Could not write %1.</translation>
    </message>
    <message>
        <source>swap_error_unresolved</source>
        <translation>An earlier update of the launcher is still unfinished.</translation>
    </message>
    <message>
        <source>swap_error_keep_old</source>
        <translation>Could not set the old %1 aside.</translation>
    </message>
    <message>
        <source>swap_error_remove</source>
        <translation>Could not remove %1.</translation>
    </message>
    <message>
        <source>swap_error_make_folder</source>
        <translation>Could not create the folder %1.</translation>
    </message>
    <message>
        <source>swap_error_move_in</source>
        <translation>Could not put the new %1 in place.</translation>
    </message>
    <message>
        <source>swap_error_restore_old</source>
        <translation>Could not put every old file back; %1 keeps them.</translation>
    </message>
    <message>
        <source>swap_error_remove_old</source>
        <translation>Could not remove every old file from %1.</translation>
    </message>
    <message>
        <source>swap_error_link</source>
        <translation>%1 is a link.</translation>
    </message>
    <message>
        <source>swap_error_damaged</source>
        <translation>%1 is damaged.</translation>
    </message>
</context>
<context>
    <name>UpdateController</name>
    <message>
        <source>updater_error_in_the_way</source>
        <translation>%1 is in the way.</translation>
    </message>
    <message>
        <source>updater_error_make_folder</source>
        <translation>Could not create %1.</translation>
    </message>
    <message>
        <source>updater_error_move_package</source>
        <translation>Could not move the package into %1.</translation>
    </message>
</context>
<context>
    <name>UpdaterWindow</name>
    <message>
        <source>updater_close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>updater_title</source>
        <translation>Tessaril Launcher Update</translation>
    </message>
    <message>
        <source>updater_waiting</source>
        <translation>Waiting for the launcher to close…</translation>
    </message>
    <message>
        <source>updater_downloading</source>
        <translation>Downloading the update…</translation>
    </message>
    <message>
        <source>updater_verifying</source>
        <translation>Checking the download…</translation>
    </message>
    <message>
        <source>updater_installing</source>
        <translation>Installing the update…</translation>
    </message>
    <message>
        <source>updater_restarting</source>
        <translation>Starting the launcher…</translation>
    </message>
    <message>
        <source>updater_failed_launcher_running</source>
        <translation>The launcher is still running, so nothing was changed. Close it and update again.</translation>
    </message>
    <message>
        <source>updater_failed_download</source>
        <translation>The update could not be downloaded. The launcher stays as it was.</translation>
    </message>
    <message>
        <source>updater_failed_damaged</source>
        <translation>The downloaded update is damaged. The launcher stays as it was.</translation>
    </message>
    <message>
        <source>updater_failed_package</source>
        <translation>The update package cannot be used. The launcher stays as it was.</translation>
    </message>
    <message>
        <source>updater_failed_install</source>
        <translation>The update could not be installed. The launcher stays as it was.</translation>
    </message>
    <message>
        <source>updater_failed_recovery</source>
        <translation>An interrupted update could not be completed or undone. Please reinstall the launcher.</translation>
    </message>
    <message>
        <source>updater_failed_restart</source>
        <translation>The launcher could not be started. Please start it yourself.</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>message_error_download_bad_name</source>
        <translation>The download has a file name that cannot be used, so nothing was downloaded.</translation>
    </message>
    <message>
        <source>message_error_resource_acquisition_failed</source>
        <translation>Could not reach the game package</translation>
    </message>
    <message>
        <source>message_error_open_file_failed</source>
        <translation>The download file could not be opened.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>There is not enough free disk space. Free some space and try again.</translation>
    </message>
    <message>
        <source>message_error_download_write_buffer</source>
        <translation>The download could not be written to disk.</translation>
    </message>
    <message>
        <source>message_error_network_reply</source>
        <translation>Network connection failed</translation>
    </message>
    <message>
        <source>message_error_network_statuscode</source>
        <translation>The server refused the download</translation>
    </message>
    <message>
        <source>message_error_download_md5</source>
        <translation>The downloaded package is damaged and will be downloaded again.</translation>
    </message>
    <message>
        <source>message_error_download_flush</source>
        <translation>The download could not be saved to disk.</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>message_request_time_out</source>
        <translation>The request timed out.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>button_open_main_window</source>
        <translation>Open main window</translation>
    </message>
    <message>
        <source>button_quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>title_app_name_qv</source>
        <translation>Tessaril</translation>
    </message>
    <message>
        <source>button_continue_download</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>button_get_game</source>
        <translation>Get game</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>button_start_game</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>button_change_install_path</source>
        <translation>Change install folder</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Downloading...</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Verifying files...</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Time left: --</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Speed: --</translation>
    </message>
    <message>
        <source>label_services_unreachable</source>
        <translation>The game service cannot be reached. Check your connection.</translation>
    </message>
    <message>
        <source>button_retry</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>button_game_running</source>
        <translation>Game running</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>message_setup_disk_space_error</source>
        <translation>Not enough free space: the game needs %1 and the drive has %2 free. Free some space or choose another folder.</translation>
    </message>
    <message>
        <source>message_setup_delete_old_file_error</source>
        <translation>could not be deleted. Close the game and try again.</translation>
    </message>
    <message>
        <source>message_setup_dll_error</source>
        <translation>The archive engine could not be loaded. Please reinstall the launcher.</translation>
    </message>
    <message>
        <source>message_setup_zip_format_error</source>
        <translation>is not a package format the launcher can install.</translation>
    </message>
    <message>
        <source>message_setup_zip_class_error</source>
        <translation>The archive engine cannot read this package format.</translation>
    </message>
    <message>
        <source>message_setup_zip_archive_file_error</source>
        <translation>could not be opened.</translation>
    </message>
    <message>
        <source>message_setup_zip_unzip_error</source>
        <translation>The package could not be extracted.</translation>
    </message>
    <message>
        <source>message_setup_zip_unable_open_file_error</source>
        <translation>Unable to open %1 as an archive.</translation>
    </message>
</context>
<context>
    <name>UpdateVersionInfo</name>
    <message>
        <source>message_package_md5_invalid</source>
        <translation>The game package information from the server is invalid (malformed checksum). Please try again later.</translation>
    </message>
</context>
<context>
    <name>ApplicationInfo</name>
    <message>
        <source>title_tip</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>message_update_request_exception</source>
        <translation>The launcher update could not be checked. </translation>
    </message>
    <message>
        <source>button_redo</source>
        <translation>Retry</translation>
    </message>
</context>
<context>
    <name>UpdateProgram</name>
    <message>
        <source>title_tip</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>message_is_latest_version</source>
        <translation>The launcher is up to date.</translation>
    </message>
    <message>
        <source>message_new_version_please_update</source>
        <translation>A new launcher version is required. Please update to keep playing.</translation>
    </message>
    <message>
        <source>message_new_version_whether_update</source>
        <translation>A new launcher version is available. Update now?</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>message_update_failed_not_enough_space</source>
        <translation>The launcher cannot be updated: there is not enough free disk space.</translation>
    </message>
</context>
</TS>
