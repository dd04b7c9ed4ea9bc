<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>title_app_info</source>
        <translation>Información de la aplicación</translation>
    </message>
    <message>
        <source>label_game_info</source>
        <translation>Versión del juego</translation>
    </message>
    <message>
        <source>label_app_info</source>
        <translation>ID del lanzador</translation>
    </message>
    <message>
        <source>label_launcher_version</source>
        <translation>Versión del lanzador</translation>
    </message>
    <message>
        <source>button_ok</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>label_close_select_tip</source>
        <translation>Al cerrar la ventana:</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Minimizar en la bandeja del sistema</translation>
    </message>
    <message>
        <source>button_close_quit</source>
        <translation>Salir del lanzador</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>button_cancle</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Aviso</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>title_app_install_qv</source>
        <translation>Instalar el juego</translation>
    </message>
    <message>
        <source>label_install_dir</source>
        <translation>Carpeta de instalación</translation>
    </message>
    <message>
        <source>button_change</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>label_need_space</source>
        <translation>Espacio necesario:</translation>
    </message>
    <message>
        <source>label_available_space</source>
        <translation>Espacio disponible:</translation>
    </message>
    <message>
        <source>label_default_language</source>
        <translation>Idioma del juego</translation>
    </message>
    <message>
        <source>button_start_setup</source>
        <translation>Iniciar instalación</translation>
    </message>
    <message>
        <source>messsage_path_invalid</source>
        <translation>No se puede usar esta carpeta</translation>
    </message>
    <message>
        <source>message_floder_not_enough_space</source>
        <translation>Espacio libre insuficiente</translation>
    </message>
    <message>
        <source>label_select_install_path</source>
        <translation>Elige la carpeta de instalación</translation>
    </message>
    <message>
        <source>button_continue</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>button_select_again</source>
        <translation>Elegir otra</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>message_suggest_select_empty_folder</source>
        <translation>Esta carpeta no está vacía. Se recomienda una carpeta vacía para el juego. ¿Instalar aquí de todos modos?</translation>
    </message>
</context>
<context>
    <name>DlgSetting</name>
    <message>
        <source>title_set</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>button_auto_start</source>
        <translation>Iniciar con el sistema</translation>
    </message>
    <message>
        <source>button_download_speed_limit</source>
        <translation>Limitar la velocidad de descarga a</translation>
    </message>
    <message>
        <source>label_megabytes_per_second</source>
        <translation> MB/s</translation>
    </message>
    <message>
        <source>button_auto_update</source>
        <translation>Actualizar el lanzador automáticamente</translation>
    </message>
    <message>
        <source>label_next_open_auto_update</source>
        <translation>Cuando haya una nueva versión del lanzador, se instalará automáticamente la próxima vez que se abra.</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Minimizar en la bandeja del sistema</translation>
    </message>
    <message>
        <source>button_quit_launcher</source>
        <translation>Salir del lanzador</translation>
    </message>
    <message>
        <source>button_check_update</source>
        <translation>Buscar actualizaciones</translation>
    </message>
    <message>
        <source>label_current_launcher_version</source>
        <translation>Versión actual del lanzador:</translation>
    </message>
    <message>
        <source>button_cancle</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>label_launch_set</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>label_close_set</source>
        <translation>Al cerrar</translation>
    </message>
    <message>
        <source>label_version_set</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>button_verify_repair</source>
        <translation>Verificar y reparar</translation>
    </message>
</context>
<context>
    <name>MainViewModel</name>
    <message>
        <source>message_run_update_exe_failed</source>
        <translation>No se pudo iniciar el actualizador. Inténtalo de nuevo o reinstala el lanzador.</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>message_checking_update</source>
        <translation>Comprobando la última versión del juego. Inténtalo de nuevo en un momento.</translation>
    </message>
    <message>
        <source>message_create_floder_failed</source>
        <translation>No se pudo crear la carpeta de instalación. Elige otra carpeta.</translation>
    </message>
    <message>
        <source>message_not_enough_space_select_path</source>
        <translation>No hay suficiente espacio libre en esta unidad. Elige otra carpeta de instalación.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>No hay suficiente espacio libre en el disco para la actualización.</translation>
    </message>
    <message>
        <source>title_warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>message_game_is_running_please_close</source>
        <translation>El juego se está ejecutando. ¿Cerrarlo ahora para continuar la instalación?</translation>
    </message>
    <message>
        <source>message_game_start_failed</source>
        <translation>No se pudo iniciar el juego. Vuelve a instalarlo.</translation>
    </message>
    <message>
        <source>message_download_error</source>
        <translation>Error de descarga</translation>
    </message>
    <message>
        <source>message_setup_error</source>
        <translation>Error de instalación</translation>
    </message>
    <message>
        <source>title_error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>message_resource_check_failed</source>
        <translation>No se pudo comprobar la versión del juego. ¿Reintentar?</translation>
    </message>
    <message>
        <source>message_launcher_check_failed</source>
        <translation>No se pudo cargar el contenido del lanzador. ¿Reintentar?</translation>
    </message>
    <message>
        <source>message_need_update_launcher</source>
        <translation>Se necesita un lanzador nuevo. Se abrirá ahora su página de descarga.</translation>
    </message>
    <message>
        <source>message_launcher_version_old</source>
        <translation>Este lanzador está obsoleto. Instala la versión más reciente.</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Descargando</translation>
    </message>
    <message>
        <source>label_installing_progress</source>
        <translation>Instalando</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Verificando archivos</translation>
    </message>
    <message>
        <source>label_unit_gb</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Velocidad: </translation>
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
        <translation>Tiempo restante: </translation>
    </message>
    <message>
        <source>label_repair_verifying</source>
        <translation>Verificando los archivos del juego</translation>
    </message>
    <message>
        <source>label_repair_downloading</source>
        <translation>Descargando el paquete del juego para la reparación</translation>
    </message>
    <message>
        <source>label_repair_extracting</source>
        <translation>Reparando los archivos del juego</translation>
    </message>
    <message>
        <source>message_repair_update_first</source>
        <translation>Hay una versión más reciente del juego. La actualización reemplaza sus archivos; ¿actualizar ahora en lugar de reparar?</translation>
    </message>
    <message>
        <source>message_repair_not_ready</source>
        <translation>Los archivos del juego se pueden verificar cuando el juego esté instalado y no haya descargas ni instalaciones en curso.</translation>
    </message>
    <message>
        <source>message_repair_no_record</source>
        <translation>Esta instalación aún no tiene una lista de sus archivos, así que no se puede comprobar archivo por archivo. ¿Repararla instalando de nuevo el paquete completo del juego? Tus propios archivos en la carpeta del juego se conservan.</translation>
    </message>
    <message>
        <source>message_repair_intact</source>
        <translation>Todos los archivos del juego están intactos.</translation>
    </message>
    <message>
        <source>message_repair_damaged</source>
        <translation>Faltan o están dañados %1 archivos del juego (%2). ¿Repararlos ahora?</translation>
    </message>
    <message>
        <source>message_repair_done</source>
        <translation>Los archivos del juego se han reparado.</translation>
    </message>
    <message>
        <source>message_repair_failed</source>
        <translation>No se pudieron reparar los archivos del juego. Inténtalo de nuevo.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>message_setup_zip_password_error</source>
        <translation>El paquete está protegido con contraseña y no se puede instalar.</translation>
    </message>
    <message>
        <source>message_setup_zip_unsupported_method</source>
        <translation>El paquete usa un método de compresión que el launcher no admite.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_error</source>
        <translation>Los datos del paquete están dañados.</translation>
    </message>
    <message>
        <source>message_setup_zip_crc_failed</source>
        <translation>Un archivo del paquete no superó la comprobación de integridad (CRC).</translation>
    </message>
    <message>
        <source>message_setup_zip_unavailable_data</source>
        <translation>Faltan datos del paquete.</translation>
    </message>
    <message>
        <source>message_setup_zip_unexpected_end</source>
        <translation>El paquete termina de forma inesperada; puede estar incompleto.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_after_end</source>
        <translation>El paquete contiene datos inesperados tras su final.</translation>
    </message>
    <message>
        <source>message_setup_zip_not_archive</source>
        <translation>El archivo no es un paquete que el launcher pueda abrir.</translation>
    </message>
    <message>
        <source>message_setup_zip_headers_error</source>
        <translation>Los encabezados del paquete están dañados.</translation>
    </message>
</context>
<context>
    <name>LauncherSwap</name>
    <message>
        <source>swap_error_write</source>
        <translation>No se pudo escribir %1.</translation>
    </message>
    <message>
        <source>swap_error_unresolved</source>
        <translation>Una actualización anterior del lanzador aún no ha terminado.</translation>
    </message>
    <message>
        <source>swap_error_keep_old</source>
        <translation>No se pudo apartar el antiguo %1.</translation>
    </message>
    <message>
        <source>swap_error_remove</source>
        <translation>No se pudo eliminar %1.</translation>
    </message>
    <message>
        <source>swap_error_make_folder</source>
        <translation>No se pudo crear la carpeta %1.</translation>
    </message>
    <message>
        <source>swap_error_move_in</source>
        <translation>No se pudo colocar el nuevo %1.</translation>
    </message>
    <message>
        <source>swap_error_restore_old</source>
        <translation>No se pudieron restaurar todos los archivos antiguos; %1 los conserva.</translation>
    </message>
    <message>
        <source>swap_error_remove_old</source>
        <translation>No se pudieron eliminar todos los archivos antiguos de %1.</translation>
    </message>
    <message>
        <source>swap_error_link</source>
        <translation>%1 es un enlace.</translation>
    </message>
    <message>
        <source>swap_error_damaged</source>
        <translation>%1 está dañado.</translation>
    </message>
</context>
<context>
    <name>UpdateController</name>
    <message>
        <source>updater_error_in_the_way</source>
        <translation>%1 impide la actualización.</translation>
    </message>
    <message>
        <source>updater_error_make_folder</source>
        <translation>No se pudo crear %1.</translation>
    </message>
    <message>
        <source>updater_error_move_package</source>
        <translation>No se pudo mover el paquete a %1.</translation>
    </message>
</context>
<context>
    <name>UpdaterWindow</name>
    <message>
        <source>updater_close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>updater_title</source>
        <translation>Actualización del lanzador de Tessaril</translation>
    </message>
    <message>
        <source>updater_waiting</source>
        <translation>Esperando a que se cierre el lanzador…</translation>
    </message>
    <message>
        <source>updater_downloading</source>
        <translation>Descargando la actualización…</translation>
    </message>
    <message>
        <source>updater_verifying</source>
        <translation>Comprobando la descarga…</translation>
    </message>
    <message>
        <source>updater_installing</source>
        <translation>Instalando la actualización…</translation>
    </message>
    <message>
        <source>updater_restarting</source>
        <translation>Iniciando el lanzador…</translation>
    </message>
    <message>
        <source>updater_failed_launcher_running</source>
        <translation>El lanzador sigue abierto, así que no se ha cambiado nada. Ciérralo y vuelve a actualizar.</translation>
    </message>
    <message>
        <source>updater_failed_download</source>
        <translation>No se pudo descargar la actualización. El lanzador se queda como estaba.</translation>
    </message>
    <message>
        <source>updater_failed_damaged</source>
        <translation>La actualización descargada está dañada. El lanzador se queda como estaba.</translation>
    </message>
    <message>
        <source>updater_failed_package</source>
        <translation>El paquete de actualización no se puede usar. El lanzador se queda como estaba.</translation>
    </message>
    <message>
        <source>updater_failed_install</source>
        <translation>No se pudo instalar la actualización. El lanzador se queda como estaba.</translation>
    </message>
    <message>
        <source>updater_failed_recovery</source>
        <translation>Una actualización interrumpida no se pudo completar ni deshacer. Vuelve a instalar el lanzador.</translation>
    </message>
    <message>
        <source>updater_failed_restart</source>
        <translation>No se pudo iniciar el lanzador. Inícialo tú mismo.</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>message_error_download_bad_name</source>
        <translation>El archivo de descarga tiene un nombre no válido, por lo que no se descargó nada.</translation>
    </message>
    <message>
        <source>message_error_resource_acquisition_failed</source>
        <translation>No se pudo obtener el paquete del juego</translation>
    </message>
    <message>
        <source>message_error_open_file_failed</source>
        <translation>No se pudo abrir el archivo de descarga.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>No hay suficiente espacio libre en el disco. Libera espacio e inténtalo de nuevo.</translation>
    </message>
    <message>
        <source>message_error_download_write_buffer</source>
        <translation>No se pudieron escribir los datos descargados en el disco.</translation>
    </message>
    <message>
        <source>message_error_download_flush</source>
        <translation>No se pudo guardar la descarga en el disco.</translation>
    </message>
    <message>
        <source>message_error_network_reply</source>
        <translation>Error de conexión de red</translation>
    </message>
    <message>
        <source>message_error_network_statuscode</source>
        <translation>El servidor rechazó la descarga</translation>
    </message>
    <message>
        <source>message_error_download_md5</source>
        <translation>El paquete descargado está dañado y se descargará de nuevo.</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>message_request_time_out</source>
        <translation>La solicitud ha caducado.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>button_open_main_window</source>
        <translation>Abrir ventana principal</translation>
    </message>
    <message>
        <source>button_quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>title_app_name_qv</source>
        <translation>Tessaril</translation>
    </message>
    <message>
        <source>button_continue_download</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>button_get_game</source>
        <translation>Obtener juego</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>button_start_game</source>
        <translation>Jugar</translation>
    </message>
    <message>
        <source>button_change_install_path</source>
        <translation>Cambiar carpeta de instalación</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Descargando...</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Verificando archivos...</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Tiempo restante: --</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Velocidad: --</translation>
    </message>
    <message>
        <source>label_services_unreachable</source>
        <translation>No se puede conectar con el servicio del juego. Comprueba tu conexión.</translation>
    </message>
    <message>
        <source>button_retry</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>button_game_running</source>
        <translation>Juego en curso</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>message_setup_disk_space_error</source>
        <translation>No hay suficiente espacio: el juego necesita %1 y la unidad tiene %2 libres. Libera espacio o elige otra carpeta.</translation>
    </message>
    <message>
        <source>message_setup_delete_old_file_error</source>
        <translation>no se pudo eliminar. Cierra el juego e inténtalo de nuevo.</translation>
    </message>
    <message>
        <source>message_setup_dll_error</source>
        <translation>No se pudo cargar el motor de archivos. Reinstala el lanzador.</translation>
    </message>
    <message>
        <source>message_setup_zip_format_error</source>
        <translation>no es un formato de paquete que el lanzador pueda instalar.</translation>
    </message>
    <message>
        <source>message_setup_zip_class_error</source>
        <translation>El motor de archivos no puede leer este formato de paquete.</translation>
    </message>
    <message>
        <source>message_setup_zip_archive_file_error</source>
        <translation>no se pudo abrir.</translation>
    </message>
    <message>
        <source>message_setup_zip_unzip_error</source>
        <translation>No se pudo extraer el paquete.</translation>
    </message>
    <message>
        <source>message_setup_zip_unable_open_file_error</source>
        <translation>No se puede abrir %1 como archivo comprimido.</translation>
    </message>
</context>
<context>
    <name>UpdateVersionInfo</name>
    <message>
        <source>message_package_md5_invalid</source>
        <translation>La información del paquete del juego recibida del servidor no es válida (suma de comprobación incorrecta). Inténtalo más tarde.</translation>
    </message>
</context>
<context>
    <name>ApplicationInfo</name>
    <message>
        <source>title_tip</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>message_update_request_exception</source>
        <translation>No se pudo comprobar la actualización del lanzador. </translation>
    </message>
    <message>
        <source>button_redo</source>
        <translation>Reintentar</translation>
    </message>
</context>
<context>
    <name>UpdateProgram</name>
    <message>
        <source>title_tip</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>message_is_latest_version</source>
        <translation>El lanzador está actualizado.</translation>
    </message>
    <message>
        <source>message_new_version_please_update</source>
        <translation>Se necesita una nueva versión del lanzador. Actualiza para seguir jugando.</translation>
    </message>
    <message>
        <source>message_new_version_whether_update</source>
        <translation>Hay una nueva versión del lanzador. ¿Actualizar ahora?</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>message_update_failed_not_enough_space</source>
        <translation>No se puede actualizar el lanzador: no hay suficiente espacio libre en el disco.</translation>
    </message>
</context>
</TS>
