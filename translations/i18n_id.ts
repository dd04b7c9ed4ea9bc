<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id">
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>title_app_info</source>
        <translation>Informasi aplikasi</translation>
    </message>
    <message>
        <source>label_game_info</source>
        <translation>Versi game</translation>
    </message>
    <message>
        <source>label_app_info</source>
        <translation>ID peluncur</translation>
    </message>
    <message>
        <source>label_launcher_version</source>
        <translation>Versi peluncur</translation>
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
        <translation>Saat jendela ditutup:</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Perkecil ke baki sistem</translation>
    </message>
    <message>
        <source>button_close_quit</source>
        <translation>Keluar dari peluncur</translation>
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
        <translation>Batal</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Pemberitahuan</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>title_app_install_qv</source>
        <translation>Pasang game</translation>
    </message>
    <message>
        <source>label_install_dir</source>
        <translation>Folder instalasi</translation>
    </message>
    <message>
        <source>button_change</source>
        <translation>Ubah</translation>
    </message>
    <message>
        <source>label_need_space</source>
        <translation>Ruang dibutuhkan:</translation>
    </message>
    <message>
        <source>label_available_space</source>
        <translation>Ruang tersedia:</translation>
    </message>
    <message>
        <source>label_default_language</source>
        <translation>Bahasa game</translation>
    </message>
    <message>
        <source>button_start_setup</source>
        <translation>Mulai instalasi</translation>
    </message>
    <message>
        <source>messsage_path_invalid</source>
        <translation>Folder ini tidak dapat dipakai</translation>
    </message>
    <message>
        <source>message_floder_not_enough_space</source>
        <translation>Ruang kosong tidak cukup</translation>
    </message>
    <message>
        <source>label_select_install_path</source>
        <translation>Pilih folder instalasi</translation>
    </message>
    <message>
        <source>button_continue</source>
        <translation>Lanjutkan</translation>
    </message>
    <message>
        <source>button_select_again</source>
        <translation>Pilih ulang</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Pemberitahuan</translation>
    </message>
    <message>
        <source>message_suggest_select_empty_folder</source>
        <translation>Folder ini tidak kosong. Disarankan memasang game di folder kosong. Tetap pasang di sini?</translation>
    </message>
</context>
<context>
    <name>DlgSetting</name>
    <message>
        <source>title_set</source>
        <translation>Pengaturan</translation>
    </message>
    <message>
        <source>button_auto_start</source>
        <translation>Mulai bersama sistem</translation>
    </message>
    <message>
        <source>button_download_speed_limit</source>
        <translation>Batasi kecepatan unduhan hingga</translation>
    </message>
    <message>
        <source>label_megabytes_per_second</source>
        <translation> MB/s</translation>
    </message>
    <message>
        <source>button_auto_update</source>
        <translation>Perbarui peluncur secara otomatis</translation>
    </message>
    <message>
        <source>label_next_open_auto_update</source>
        <translation>Jika tersedia versi peluncur yang baru, versi itu akan dipasang otomatis saat peluncur dibuka berikutnya.</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Perkecil ke baki sistem</translation>
    </message>
    <message>
        <source>button_quit_launcher</source>
        <translation>Keluar dari peluncur</translation>
    </message>
    <message>
        <source>button_check_update</source>
        <translation>Periksa pembaruan</translation>
    </message>
    <message>
        <source>label_current_launcher_version</source>
        <translation>Versi peluncur saat ini:</translation>
    </message>
    <message>
        <source>button_cancle</source>
        <translation>Batal</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>label_launch_set</source>
        <translation>Saat memulai</translation>
    </message>
    <message>
        <source>label_close_set</source>
        <translation>Saat menutup</translation>
    </message>
    <message>
        <source>label_version_set</source>
        <translation>Versi</translation>
    </message>
    <message>
        <source>button_verify_repair</source>
        <translation>Periksa dan perbaiki</translation>
    </message>
</context>
<context>
    <name>MainViewModel</name>
    <message>
        <source>message_run_update_exe_failed</source>
        <translation>Program pembaru tidak dapat dijalankan. Silakan coba lagi atau instal ulang peluncur.</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>message_checking_update</source>
        <translation>Sedang memeriksa versi game terbaru. Silakan coba lagi sebentar lagi.</translation>
    </message>
    <message>
        <source>message_create_floder_failed</source>
        <translation>Folder instalasi tidak dapat dibuat. Silakan pilih folder lain.</translation>
    </message>
    <message>
        <source>message_not_enough_space_select_path</source>
        <translation>Ruang kosong di drive ini tidak cukup. Silakan pilih folder instalasi lain.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Ruang disk kosong tidak cukup untuk pembaruan.</translation>
    </message>
    <message>
        <source>title_warning</source>
        <translation>Peringatan</translation>
    </message>
    <message>
        <source>message_game_is_running_please_close</source>
        <translation>Game sedang berjalan. Tutup sekarang untuk melanjutkan instalasi?</translation>
    </message>
    <message>
        <source>message_game_start_failed</source>
        <translation>Game tidak dapat dijalankan. Silakan instal ulang.</translation>
    </message>
    <message>
        <source>message_download_error</source>
        <translation>Unduhan gagal</translation>
    </message>
    <message>
        <source>message_setup_error</source>
        <translation>Instalasi gagal</translation>
    </message>
    <message>
        <source>title_error</source>
        <translation>Kesalahan</translation>
    </message>
    <message>
        <source>message_resource_check_failed</source>
        <translation>Versi game tidak dapat diperiksa. Coba lagi?</translation>
    </message>
    <message>
        <source>message_launcher_check_failed</source>
        <translation>Konten peluncur tidak dapat dimuat. Coba lagi?</translation>
    </message>
    <message>
        <source>message_need_update_launcher</source>
        <translation>Peluncur baru diperlukan. Halaman unduhannya akan dibuka.</translation>
    </message>
    <message>
        <source>message_launcher_version_old</source>
        <translation>Versi peluncur ini terlalu lama. Silakan pasang peluncur terbaru.</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Mengunduh</translation>
    </message>
    <message>
        <source>label_installing_progress</source>
        <translation>Memasang</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Memverifikasi file</translation>
    </message>
    <message>
        <source>label_unit_gb</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Kecepatan: </translation>
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
        <translation>Sisa waktu: </translation>
    </message>
    <message>
        <source>label_repair_verifying</source>
        <translation>Memeriksa file game</translation>
    </message>
    <message>
        <source>label_repair_downloading</source>
        <translation>Mengunduh paket game untuk perbaikan</translation>
    </message>
    <message>
        <source>label_repair_extracting</source>
        <translation>Memperbaiki file game</translation>
    </message>
    <message>
        <source>message_repair_update_first</source>
        <translation>Versi game yang lebih baru tersedia. Pembaruan mengganti file game; perbarui sekarang alih-alih memperbaiki?</translation>
    </message>
    <message>
        <source>message_repair_not_ready</source>
        <translation>File game dapat diperiksa setelah game terpasang dan tidak ada unduhan atau instalasi yang berjalan.</translation>
    </message>
    <message>
        <source>message_repair_no_record</source>
        <translation>Instalasi ini belum memiliki daftar file, sehingga tidak dapat diperiksa per file. Perbaiki dengan memasang ulang seluruh paket game? File Anda sendiri di folder game tetap disimpan.</translation>
    </message>
    <message>
        <source>message_repair_intact</source>
        <translation>Semua file game utuh.</translation>
    </message>
    <message>
        <source>message_repair_damaged</source>
        <translation>%1 file game (%2) hilang atau rusak. Perbaiki sekarang?</translation>
    </message>
    <message>
        <source>message_repair_done</source>
        <translation>File game telah diperbaiki.</translation>
    </message>
    <message>
        <source>message_repair_failed</source>
        <translation>File game tidak dapat diperbaiki. Silakan coba lagi.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>message_setup_zip_password_error</source>
        <translation>Paket dilindungi kata sandi dan tidak dapat dipasang.</translation>
    </message>
    <message>
        <source>message_setup_zip_unsupported_method</source>
        <translation>Paket menggunakan metode kompresi yang tidak didukung launcher.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_error</source>
        <translation>Data paket rusak.</translation>
    </message>
    <message>
        <source>message_setup_zip_crc_failed</source>
        <translation>Sebuah file dalam paket gagal dalam pemeriksaan integritas (CRC).</translation>
    </message>
    <message>
        <source>message_setup_zip_unavailable_data</source>
        <translation>Sebagian data paket hilang.</translation>
    </message>
    <message>
        <source>message_setup_zip_unexpected_end</source>
        <translation>Paket berakhir secara tidak terduga; mungkin tidak lengkap.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_after_end</source>
        <translation>Ada data tak terduga setelah akhir paket.</translation>
    </message>
    <message>
        <source>message_setup_zip_not_archive</source>
        <translation>File ini bukan paket yang dapat dibuka launcher.</translation>
    </message>
    <message>
        <source>message_setup_zip_headers_error</source>
        <translation>Header paket rusak.</translation>
    </message>
</context>
<context>
    <name>LauncherSwap</name>
    <message>
        <source>swap_error_write</source>
        <translation>Tidak dapat menulis %1.</translation>
    </message>
    <message>
        <source>swap_error_unresolved</source>
        <translation>Pembaruan peluncur sebelumnya belum selesai.</translation>
    </message>
    <message>
        <source>swap_error_keep_old</source>
        <translation>Tidak dapat menyisihkan %1 yang lama.</translation>
    </message>
    <message>
        <source>swap_error_remove</source>
        <translation>Tidak dapat menghapus %1.</translation>
    </message>
    <message>
        <source>swap_error_make_folder</source>
        <translation>Tidak dapat membuat folder %1.</translation>
    </message>
    <message>
        <source>swap_error_move_in</source>
        <translation>Tidak dapat memasang %1 yang baru.</translation>
    </message>
    <message>
        <source>swap_error_restore_old</source>
        <translation>Tidak semua file lama dapat dikembalikan; file tersebut disimpan di %1.</translation>
    </message>
    <message>
        <source>swap_error_remove_old</source>
        <translation>Tidak semua file lama dapat dihapus dari %1.</translation>
    </message>
    <message>
        <source>swap_error_link</source>
        <translation>%1 adalah tautan.</translation>
    </message>
    <message>
        <source>swap_error_damaged</source>
        <translation>%1 rusak.</translation>
    </message>
</context>
<context>
    <name>UpdateController</name>
    <message>
        <source>updater_error_in_the_way</source>
        <translation>%1 menghalangi pembaruan.</translation>
    </message>
    <message>
        <source>updater_error_make_folder</source>
        <translation>Tidak dapat membuat %1.</translation>
    </message>
    <message>
        <source>updater_error_move_package</source>
        <translation>Tidak dapat memindahkan paket ke %1.</translation>
    </message>
</context>
<context>
    <name>UpdaterWindow</name>
    <message>
        <source>updater_close</source>
        <translation>Tutup</translation>
    </message>
    <message>
        <source>updater_title</source>
        <translation>Pembaruan Peluncur Tessaril</translation>
    </message>
    <message>
        <source>updater_waiting</source>
        <translation>Menunggu peluncur ditutup…</translation>
    </message>
    <message>
        <source>updater_downloading</source>
        <translation>Mengunduh pembaruan…</translation>
    </message>
    <message>
        <source>updater_verifying</source>
        <translation>Memeriksa unduhan…</translation>
    </message>
    <message>
        <source>updater_installing</source>
        <translation>Memasang pembaruan…</translation>
    </message>
    <message>
        <source>updater_restarting</source>
        <translation>Menjalankan peluncur…</translation>
    </message>
    <message>
        <source>updater_failed_launcher_running</source>
        <translation>Peluncur masih berjalan, jadi tidak ada yang diubah. Tutup peluncur lalu perbarui lagi.</translation>
    </message>
    <message>
        <source>updater_failed_download</source>
        <translation>Pembaruan tidak dapat diunduh. Peluncur tetap seperti semula.</translation>
    </message>
    <message>
        <source>updater_failed_damaged</source>
        <translation>Pembaruan yang diunduh rusak. Peluncur tetap seperti semula.</translation>
    </message>
    <message>
        <source>updater_failed_package</source>
        <translation>Paket pembaruan tidak dapat digunakan. Peluncur tetap seperti semula.</translation>
    </message>
    <message>
        <source>updater_failed_install</source>
        <translation>Pembaruan tidak dapat dipasang. Peluncur tetap seperti semula.</translation>
    </message>
    <message>
        <source>updater_failed_recovery</source>
        <translation>Pembaruan yang terputus tidak dapat diselesaikan maupun dibatalkan. Silakan pasang ulang peluncur.</translation>
    </message>
    <message>
        <source>updater_failed_restart</source>
        <translation>Peluncur tidak dapat dijalankan. Silakan jalankan sendiri.</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>message_error_download_bad_name</source>
        <translation>Nama file unduhan tidak dapat digunakan, jadi tidak ada yang diunduh.</translation>
    </message>
    <message>
        <source>message_error_resource_acquisition_failed</source>
        <translation>Paket game tidak dapat diambil</translation>
    </message>
    <message>
        <source>message_error_open_file_failed</source>
        <translation>File unduhan tidak dapat dibuka.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Ruang disk tidak cukup. Kosongkan ruang lalu coba lagi.</translation>
    </message>
    <message>
        <source>message_error_download_write_buffer</source>
        <translation>Data unduhan tidak dapat ditulis ke disk.</translation>
    </message>
    <message>
        <source>message_error_download_flush</source>
        <translation>Unduhan tidak dapat disimpan ke disk.</translation>
    </message>
    <message>
        <source>message_error_network_reply</source>
        <translation>Koneksi jaringan gagal</translation>
    </message>
    <message>
        <source>message_error_network_statuscode</source>
        <translation>Server menolak unduhan</translation>
    </message>
    <message>
        <source>message_error_download_md5</source>
        <translation>Paket yang diunduh rusak dan akan diunduh ulang.</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>message_request_time_out</source>
        <translation>Permintaan habis waktu.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>button_open_main_window</source>
        <translation>Buka jendela utama</translation>
    </message>
    <message>
        <source>button_quit</source>
        <translation>Keluar</translation>
    </message>
    <message>
        <source>title_app_name_qv</source>
        <translation>Tessaril</translation>
    </message>
    <message>
        <source>button_continue_download</source>
        <translation>Lanjutkan</translation>
    </message>
    <message>
        <source>button_get_game</source>
        <translation>Dapatkan game</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Perbarui</translation>
    </message>
    <message>
        <source>button_start_game</source>
        <translation>Main</translation>
    </message>
    <message>
        <source>button_change_install_path</source>
        <translation>Ubah folder instalasi</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Mengunduh...</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Memverifikasi file...</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Sisa waktu: --</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Kecepatan: --</translation>
    </message>
    <message>
        <source>label_services_unreachable</source>
        <translation>Layanan game tidak dapat dijangkau. Periksa koneksi Anda.</translation>
    </message>
    <message>
        <source>button_retry</source>
        <translation>Coba lagi</translation>
    </message>
    <message>
        <source>button_game_running</source>
        <translation>Game sedang berjalan</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>message_setup_disk_space_error</source>
        <translation>Ruang kosong tidak cukup: game memerlukan %1 dan drive memiliki %2 kosong. Kosongkan ruang atau pilih folder lain.</translation>
    </message>
    <message>
        <source>message_setup_delete_old_file_error</source>
        <translation>tidak dapat dihapus. Tutup game lalu coba lagi.</translation>
    </message>
    <message>
        <source>message_setup_dll_error</source>
        <translation>Mesin arsip tidak dapat dimuat. Silakan pasang ulang peluncur.</translation>
    </message>
    <message>
        <source>message_setup_zip_format_error</source>
        <translation>bukan format paket yang dapat dipasang peluncur.</translation>
    </message>
    <message>
        <source>message_setup_zip_class_error</source>
        <translation>Mesin arsip tidak dapat membaca format paket ini.</translation>
    </message>
    <message>
        <source>message_setup_zip_archive_file_error</source>
        <translation>tidak dapat dibuka.</translation>
    </message>
    <message>
        <source>message_setup_zip_unzip_error</source>
        <translation>Paket tidak dapat diekstrak.</translation>
    </message>
    <message>
        <source>message_setup_zip_unable_open_file_error</source>
        <translation>Tidak dapat membuka %1 sebagai arsip.</translation>
    </message>
</context>
<context>
    <name>UpdateVersionInfo</name>
    <message>
        <source>message_package_md5_invalid</source>
        <translation>Informasi paket game dari server tidak valid (checksum salah format). Silakan coba lagi nanti.</translation>
    </message>
</context>
<context>
    <name>ApplicationInfo</name>
    <message>
        <source>title_tip</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>message_update_request_exception</source>
        <translation>Pembaruan peluncur tidak dapat diperiksa. </translation>
    </message>
    <message>
        <source>button_redo</source>
        <translation>Coba lagi</translation>
    </message>
</context>
<context>
    <name>UpdateProgram</name>
    <message>
        <source>title_tip</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>message_is_latest_version</source>
        <translation>Peluncur sudah versi terbaru.</translation>
    </message>
    <message>
        <source>message_new_version_please_update</source>
        <translation>Versi peluncur baru diperlukan. Silakan perbarui untuk terus bermain.</translation>
    </message>
    <message>
        <source>message_new_version_whether_update</source>
        <translation>Versi peluncur baru tersedia. Perbarui sekarang?</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Perbarui</translation>
    </message>
    <message>
        <source>message_update_failed_not_enough_space</source>
        <translation>Peluncur tidak dapat diperbarui: ruang disk kosong tidak cukup.</translation>
    </message>
</context>
</TS>
