<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>title_app_info</source>
        <translation>Сведения о приложении</translation>
    </message>
    <message>
        <source>label_game_info</source>
        <translation>Версия игры</translation>
    </message>
    <message>
        <source>label_app_info</source>
        <translation>Идентификатор лаунчера</translation>
    </message>
    <message>
        <source>label_launcher_version</source>
        <translation>Версия лаунчера</translation>
    </message>
    <message>
        <source>button_ok</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>label_close_select_tip</source>
        <translation>При закрытии окна:</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Свернуть в область уведомлений</translation>
    </message>
    <message>
        <source>button_close_quit</source>
        <translation>Выйти из лаунчера</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>button_cancle</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Уведомление</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>title_app_install_qv</source>
        <translation>Установка игры</translation>
    </message>
    <message>
        <source>label_install_dir</source>
        <translation>Папка установки</translation>
    </message>
    <message>
        <source>button_change</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>label_need_space</source>
        <translation>Требуется:</translation>
    </message>
    <message>
        <source>label_available_space</source>
        <translation>Доступно:</translation>
    </message>
    <message>
        <source>label_default_language</source>
        <translation>Язык игры</translation>
    </message>
    <message>
        <source>button_start_setup</source>
        <translation>Начать установку</translation>
    </message>
    <message>
        <source>messsage_path_invalid</source>
        <translation>Эту папку нельзя использовать</translation>
    </message>
    <message>
        <source>message_floder_not_enough_space</source>
        <translation>Недостаточно места на диске</translation>
    </message>
    <message>
        <source>label_select_install_path</source>
        <translation>Выберите папку установки</translation>
    </message>
    <message>
        <source>button_continue</source>
        <translation>Продолжить</translation>
    </message>
    <message>
        <source>button_select_again</source>
        <translation>Выбрать другую</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Уведомление</translation>
    </message>
    <message>
        <source>message_suggest_select_empty_folder</source>
        <translation>Эта папка не пуста. Для игры рекомендуется пустая папка. Всё равно установить сюда?</translation>
    </message>
</context>
<context>
    <name>DlgSetting</name>
    <message>
        <source>title_set</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>button_auto_start</source>
        <translation>Запускать вместе с системой</translation>
    </message>
    <message>
        <source>button_download_speed_limit</source>
        <translation>Ограничить скорость загрузки до</translation>
    </message>
    <message>
        <source>label_megabytes_per_second</source>
        <translation> МБ/с</translation>
    </message>
    <message>
        <source>button_auto_update</source>
        <translation>Обновлять лаунчер автоматически</translation>
    </message>
    <message>
        <source>label_next_open_auto_update</source>
        <translation>Когда выйдет новая версия лаунчера, она будет установлена автоматически при следующем запуске.</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Свернуть в область уведомлений</translation>
    </message>
    <message>
        <source>button_quit_launcher</source>
        <translation>Выйти из лаунчера</translation>
    </message>
    <message>
        <source>button_check_update</source>
        <translation>Проверить обновления</translation>
    </message>
    <message>
        <source>label_current_launcher_version</source>
        <translation>Текущая версия лаунчера:</translation>
    </message>
    <message>
        <source>button_cancle</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>label_launch_set</source>
        <translation>Запуск</translation>
    </message>
    <message>
        <source>label_close_set</source>
        <translation>Закрытие</translation>
    </message>
    <message>
        <source>label_version_set</source>
        <translation>Версия</translation>
    </message>
    <message>
        <source>button_verify_repair</source>
        <translation>Проверить и восстановить</translation>
    </message>
</context>
<context>
    <name>MainViewModel</name>
    <message>
        <source>message_run_update_exe_failed</source>
        <translation>Не удалось запустить программу обновления. Повторите попытку или переустановите лаунчер.</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Подсказка</translation>
    </message>
    <message>
        <source>message_checking_update</source>
        <translation>Проверяется последняя версия игры. Повторите попытку через минуту.</translation>
    </message>
    <message>
        <source>message_create_floder_failed</source>
        <translation>Не удалось создать папку установки. Выберите другую папку.</translation>
    </message>
    <message>
        <source>message_not_enough_space_select_path</source>
        <translation>На этом диске недостаточно свободного места. Выберите другую папку установки.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Недостаточно свободного места на диске для обновления.</translation>
    </message>
    <message>
        <source>title_warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>message_game_is_running_please_close</source>
        <translation>Игра запущена. Закрыть её сейчас, чтобы продолжить установку?</translation>
    </message>
    <message>
        <source>message_game_start_failed</source>
        <translation>Не удалось запустить игру. Установите её заново.</translation>
    </message>
    <message>
        <source>message_download_error</source>
        <translation>Ошибка загрузки</translation>
    </message>
    <message>
        <source>message_setup_error</source>
        <translation>Ошибка установки</translation>
    </message>
    <message>
        <source>title_error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>message_resource_check_failed</source>
        <translation>Не удалось проверить версию игры. Повторить?</translation>
    </message>
    <message>
        <source>message_launcher_check_failed</source>
        <translation>Не удалось загрузить содержимое лаунчера. Повторить?</translation>
    </message>
    <message>
        <source>message_need_update_launcher</source>
        <translation>Требуется новый лаунчер. Сейчас откроется страница загрузки.</translation>
    </message>
    <message>
        <source>message_launcher_version_old</source>
        <translation>Эта версия лаунчера устарела. Установите последнюю версию.</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Загрузка</translation>
    </message>
    <message>
        <source>label_installing_progress</source>
        <translation>Установка</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Проверка файлов</translation>
    </message>
    <message>
        <source>label_unit_gb</source>
        <translation>ГБ</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Скорость: </translation>
    </message>
    <message>
        <source>label_download_speed_kbs</source>
        <translation> КБ/с</translation>
    </message>
    <message>
        <source>label_download_speed_mbs</source>
        <translation> МБ/с</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Осталось: </translation>
    </message>
    <message>
        <source>label_repair_verifying</source>
        <translation>Проверка файлов игры</translation>
    </message>
    <message>
        <source>label_repair_downloading</source>
        <translation>Загрузка пакета игры для восстановления</translation>
    </message>
    <message>
        <source>label_repair_extracting</source>
        <translation>Восстановление файлов игры</translation>
    </message>
    <message>
        <source>message_repair_update_first</source>
        <translation>Доступна новая версия игры. Обновление заменит её файлы; обновить сейчас вместо восстановления?</translation>
    </message>
    <message>
        <source>message_repair_not_ready</source>
        <translation>Файлы игры можно проверить, когда игра установлена и не идёт загрузка или установка.</translation>
    </message>
    <message>
        <source>message_repair_no_record</source>
        <translation>У этой установки ещё нет списка файлов, поэтому её нельзя проверить по файлам. Восстановить её, установив полный пакет игры заново? Ваши собственные файлы в папке игры сохранятся.</translation>
    </message>
    <message>
        <source>message_repair_intact</source>
        <translation>Все файлы игры в порядке.</translation>
    </message>
    <message>
        <source>message_repair_damaged</source>
        <translation>Файлов игры отсутствует или повреждено: %1 (%2). Восстановить их сейчас?</translation>
    </message>
    <message>
        <source>message_repair_done</source>
        <translation>Файлы игры восстановлены.</translation>
    </message>
    <message>
        <source>message_repair_failed</source>
        <translation>Не удалось восстановить файлы игры. Попробуйте ещё раз.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>message_setup_zip_password_error</source>
        <translation>Пакет защищён паролем и не может быть установлен.</translation>
    </message>
    <message>
        <source>message_setup_zip_unsupported_method</source>
        <translation>Пакет использует метод сжатия, который лаунчер не поддерживает.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_error</source>
        <translation>Данные пакета повреждены.</translation>
    </message>
    <message>
        <source>message_setup_zip_crc_failed</source>
        <translation>Файл в пакете не прошёл проверку целостности (CRC).</translation>
    </message>
    <message>
        <source>message_setup_zip_unavailable_data</source>
        <translation>Часть данных пакета отсутствует.</translation>
    </message>
    <message>
        <source>message_setup_zip_unexpected_end</source>
        <translation>Пакет неожиданно обрывается; возможно, он неполный.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_after_end</source>
        <translation>После конца пакета обнаружены лишние данные.</translation>
    </message>
    <message>
        <source>message_setup_zip_not_archive</source>
        <translation>Файл не является пакетом, который может открыть лаунчер.</translation>
    </message>
    <message>
        <source>message_setup_zip_headers_error</source>
        <translation>Заголовки пакета повреждены.</translation>
    </message>
</context>
<context>
    <name>LauncherSwap</name>
    <message>
        <source>swap_error_write</source>
        <translation>Не удалось записать %1.</translation>
    </message>
    <message>
        <source>swap_error_unresolved</source>
        <translation>Предыдущее обновление лаунчера ещё не завершено.</translation>
    </message>
    <message>
        <source>swap_error_keep_old</source>
        <translation>Не удалось отложить старый %1.</translation>
    </message>
    <message>
        <source>swap_error_remove</source>
        <translation>Не удалось удалить %1.</translation>
    </message>
    <message>
        <source>swap_error_make_folder</source>
        <translation>Не удалось создать папку %1.</translation>
    </message>
    <message>
        <source>swap_error_move_in</source>
        <translation>Не удалось поставить на место новый %1.</translation>
    </message>
    <message>
        <source>swap_error_restore_old</source>
        <translation>Не удалось вернуть все старые файлы; они сохранены в %1.</translation>
    </message>
    <message>
        <source>swap_error_remove_old</source>
        <translation>Не удалось удалить все старые файлы из %1.</translation>
    </message>
    <message>
        <source>swap_error_link</source>
        <translation>%1 является ссылкой.</translation>
    </message>
    <message>
        <source>swap_error_damaged</source>
        <translation>%1 повреждён.</translation>
    </message>
</context>
<context>
    <name>UpdateController</name>
    <message>
        <source>updater_error_in_the_way</source>
        <translation>%1 мешает обновлению.</translation>
    </message>
    <message>
        <source>updater_error_make_folder</source>
        <translation>Не удалось создать %1.</translation>
    </message>
    <message>
        <source>updater_error_move_package</source>
        <translation>Не удалось переместить пакет в %1.</translation>
    </message>
</context>
<context>
    <name>UpdaterWindow</name>
    <message>
        <source>updater_close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>updater_title</source>
        <translation>Обновление лаунчера Tessaril</translation>
    </message>
    <message>
        <source>updater_waiting</source>
        <translation>Ожидание закрытия лаунчера…</translation>
    </message>
    <message>
        <source>updater_downloading</source>
        <translation>Загрузка обновления…</translation>
    </message>
    <message>
        <source>updater_verifying</source>
        <translation>Проверка загруженного файла…</translation>
    </message>
    <message>
        <source>updater_installing</source>
        <translation>Установка обновления…</translation>
    </message>
    <message>
        <source>updater_restarting</source>
        <translation>Запуск лаунчера…</translation>
    </message>
    <message>
        <source>updater_failed_launcher_running</source>
        <translation>Лаунчер всё ещё запущен, поэтому ничего не изменено. Закройте его и повторите обновление.</translation>
    </message>
    <message>
        <source>updater_failed_download</source>
        <translation>Не удалось загрузить обновление. Лаунчер остался без изменений.</translation>
    </message>
    <message>
        <source>updater_failed_damaged</source>
        <translation>Загруженное обновление повреждено. Лаунчер остался без изменений.</translation>
    </message>
    <message>
        <source>updater_failed_package</source>
        <translation>Пакет обновления непригоден. Лаунчер остался без изменений.</translation>
    </message>
    <message>
        <source>updater_failed_install</source>
        <translation>Не удалось установить обновление. Лаунчер остался без изменений.</translation>
    </message>
    <message>
        <source>updater_failed_recovery</source>
        <translation>Прерванное обновление не удалось ни завершить, ни отменить. Переустановите лаунчер.</translation>
    </message>
    <message>
        <source>updater_failed_restart</source>
        <translation>Не удалось запустить лаунчер. Запустите его вручную.</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>message_error_download_bad_name</source>
        <translation>Имя загружаемого файла недопустимо, поэтому ничего не было загружено.</translation>
    </message>
    <message>
        <source>message_error_resource_acquisition_failed</source>
        <translation>Не удалось получить пакет игры</translation>
    </message>
    <message>
        <source>message_error_open_file_failed</source>
        <translation>Не удалось открыть файл загрузки.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Недостаточно места на диске. Освободите место и повторите попытку.</translation>
    </message>
    <message>
        <source>message_error_download_write_buffer</source>
        <translation>Не удалось записать загруженные данные на диск.</translation>
    </message>
    <message>
        <source>message_error_download_flush</source>
        <translation>Не удалось сохранить загрузку на диск.</translation>
    </message>
    <message>
        <source>message_error_network_reply</source>
        <translation>Ошибка сетевого подключения</translation>
    </message>
    <message>
        <source>message_error_network_statuscode</source>
        <translation>Сервер отклонил загрузку</translation>
    </message>
    <message>
        <source>message_error_download_md5</source>
        <translation>Загруженный пакет повреждён и будет загружен заново.</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>message_request_time_out</source>
        <translation>Время ожидания запроса истекло.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>button_open_main_window</source>
        <translation>Открыть главное окно</translation>
    </message>
    <message>
        <source>button_quit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>title_app_name_qv</source>
        <translation>Тессарил</translation>
    </message>
    <message>
        <source>button_continue_download</source>
        <translation>Продолжить</translation>
    </message>
    <message>
        <source>button_get_game</source>
        <translation>Установить</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>button_start_game</source>
        <translation>Играть</translation>
    </message>
    <message>
        <source>button_change_install_path</source>
        <translation>Изменить папку установки</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Загрузка…</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Проверка файлов…</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Осталось: --</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Скорость: --</translation>
    </message>
    <message>
        <source>label_services_unreachable</source>
        <translation>Сервис игры недоступен. Проверьте подключение.</translation>
    </message>
    <message>
        <source>button_retry</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>button_game_running</source>
        <translation>Игра запущена</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>message_setup_disk_space_error</source>
        <translation>Недостаточно места: игре нужно %1, а на диске свободно %2. Освободите место или выберите другую папку.</translation>
    </message>
    <message>
        <source>message_setup_delete_old_file_error</source>
        <translation>не удалось удалить. Закройте игру и повторите попытку.</translation>
    </message>
    <message>
        <source>message_setup_dll_error</source>
        <translation>Не удалось загрузить модуль распаковки. Переустановите лаунчер.</translation>
    </message>
    <message>
        <source>message_setup_zip_format_error</source>
        <translation>— этот формат пакета лаунчер установить не может.</translation>
    </message>
    <message>
        <source>message_setup_zip_class_error</source>
        <translation>Модуль распаковки не поддерживает этот формат пакета.</translation>
    </message>
    <message>
        <source>message_setup_zip_archive_file_error</source>
        <translation>не удалось открыть.</translation>
    </message>
    <message>
        <source>message_setup_zip_unzip_error</source>
        <translation>Не удалось распаковать пакет.</translation>
    </message>
    <message>
        <source>message_setup_zip_unable_open_file_error</source>
        <translation>Не удаётся открыть %1 как архив.</translation>
    </message>
</context>
<context>
    <name>UpdateVersionInfo</name>
    <message>
        <source>message_package_md5_invalid</source>
        <translation>Сведения о пакете игры от сервера неверны (неправильная контрольная сумма). Повторите попытку позже.</translation>
    </message>
</context>
<context>
    <name>ApplicationInfo</name>
    <message>
        <source>title_tip</source>
        <translation>Подсказка</translation>
    </message>
    <message>
        <source>message_update_request_exception</source>
        <translation>Не удалось проверить обновление лаунчера. </translation>
    </message>
    <message>
        <source>button_redo</source>
        <translation>Повторить</translation>
    </message>
</context>
<context>
    <name>UpdateProgram</name>
    <message>
        <source>title_tip</source>
        <translation>Подсказка</translation>
    </message>
    <message>
        <source>message_is_latest_version</source>
        <translation>Установлена последняя версия лаунчера.</translation>
    </message>
    <message>
        <source>message_new_version_please_update</source>
        <translation>Требуется новая версия лаунчера. Обновите его, чтобы продолжить играть.</translation>
    </message>
    <message>
        <source>message_new_version_whether_update</source>
        <translation>Доступна новая версия лаунчера. Обновить сейчас?</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>message_update_failed_not_enough_space</source>
        <translation>Не удаётся обновить лаунчер: недостаточно свободного места на диске.</translation>
    </message>
</context>
</TS>
