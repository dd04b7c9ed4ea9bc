<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt">
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>title_app_info</source>
        <translation>Informações do aplicativo</translation>
    </message>
    <message>
        <source>label_game_info</source>
        <translation>Versão do jogo</translation>
    </message>
    <message>
        <source>label_app_info</source>
        <translation>ID do inicializador</translation>
    </message>
    <message>
        <source>label_launcher_version</source>
        <translation>Versão do inicializador</translation>
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
        <translation>Ao fechar a janela:</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Minimizar para a bandeja do sistema</translation>
    </message>
    <message>
        <source>button_close_quit</source>
        <translation>Sair do inicializador</translation>
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
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
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
        <translation>Instalar o jogo</translation>
    </message>
    <message>
        <source>label_install_dir</source>
        <translation>Pasta de instalação</translation>
    </message>
    <message>
        <source>button_change</source>
        <translation>Alterar</translation>
    </message>
    <message>
        <source>label_need_space</source>
        <translation>Espaço necessário:</translation>
    </message>
    <message>
        <source>label_available_space</source>
        <translation>Espaço disponível:</translation>
    </message>
    <message>
        <source>label_default_language</source>
        <translation>Idioma do jogo</translation>
    </message>
    <message>
        <source>button_start_setup</source>
        <translation>Iniciar instalação</translation>
    </message>
    <message>
        <source>messsage_path_invalid</source>
        <translation>Esta pasta não pode ser usada</translation>
    </message>
    <message>
        <source>message_floder_not_enough_space</source>
        <translation>Espaço livre insuficiente</translation>
    </message>
    <message>
        <source>label_select_install_path</source>
        <translation>Escolha a pasta de instalação</translation>
    </message>
    <message>
        <source>button_continue</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>button_select_again</source>
        <translation>Escolher outra</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>message_suggest_select_empty_folder</source>
        <translation>Esta pasta não está vazia. Recomenda-se uma pasta vazia para o jogo. Instalar aqui mesmo assim?</translation>
    </message>
</context>
<context>
    <name>DlgSetting</name>
    <message>
        <source>title_set</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>button_auto_start</source>
        <translation>Iniciar com o sistema</translation>
    </message>
    <message>
        <source>button_download_speed_limit</source>
        <translation>Limitar a velocidade de download a</translation>
    </message>
    <message>
        <source>label_megabytes_per_second</source>
        <translation> MB/s</translation>
    </message>
    <message>
        <source>button_auto_update</source>
        <translation>Atualizar o inicializador automaticamente</translation>
    </message>
    <message>
        <source>label_next_open_auto_update</source>
        <translation>Quando houver uma nova versão do inicializador, ela será instalada automaticamente na próxima vez que ele for aberto.</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Minimizar para a bandeja do sistema</translation>
    </message>
    <message>
        <source>button_quit_launcher</source>
        <translation>Sair do inicializador</translation>
    </message>
    <message>
        <source>button_check_update</source>
        <translation>Verificar atualizações</translation>
    </message>
    <message>
        <source>label_current_launcher_version</source>
        <translation>Versão atual do inicializador:</translation>
    </message>
    <message>
        <source>button_cancle</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>label_launch_set</source>
        <translation>Inicialização</translation>
    </message>
    <message>
        <source>label_close_set</source>
        <translation>Ao fechar</translation>
    </message>
    <message>
        <source>label_version_set</source>
        <translation>Versão</translation>
    </message>
    <message>
        <source>button_verify_repair</source>
        <translation>Verificar e reparar</translation>
    </message>
</context>
<context>
    <name>MainViewModel</name>
    <message>
        <source>message_run_update_exe_failed</source>
        <translation>Não foi possível iniciar o atualizador. Tente novamente ou reinstale o iniciador.</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>message_checking_update</source>
        <translation>Verificando a versão mais recente do jogo. Tente novamente em instantes.</translation>
    </message>
    <message>
        <source>message_create_floder_failed</source>
        <translation>Não foi possível criar a pasta de instalação. Escolha outra pasta.</translation>
    </message>
    <message>
        <source>message_not_enough_space_select_path</source>
        <translation>Não há espaço livre suficiente nesta unidade. Escolha outra pasta de instalação.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Não há espaço livre suficiente no disco para a atualização.</translation>
    </message>
    <message>
        <source>title_warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>message_game_is_running_please_close</source>
        <translation>O jogo está em execução. Fechá-lo agora para continuar a instalação?</translation>
    </message>
    <message>
        <source>message_game_start_failed</source>
        <translation>Não foi possível iniciar o jogo. Instale-o novamente.</translation>
    </message>
    <message>
        <source>message_download_error</source>
        <translation>Falha no download</translation>
    </message>
    <message>
        <source>message_setup_error</source>
        <translation>Falha na instalação</translation>
    </message>
    <message>
        <source>title_error</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>message_resource_check_failed</source>
        <translation>Não foi possível verificar a versão do jogo. Tentar novamente?</translation>
    </message>
    <message>
        <source>message_launcher_check_failed</source>
        <translation>Não foi possível carregar o conteúdo do inicializador. Tentar novamente?</translation>
    </message>
    <message>
        <source>message_need_update_launcher</source>
        <translation>É necessário um novo inicializador. A página de download será aberta agora.</translation>
    </message>
    <message>
        <source>message_launcher_version_old</source>
        <translation>Este inicializador está desatualizado. Instale a versão mais recente.</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Baixando</translation>
    </message>
    <message>
        <source>label_installing_progress</source>
        <translation>Instalando</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Verificando arquivos</translation>
    </message>
    <message>
        <source>label_unit_gb</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Velocidade: </translation>
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
        <translation>Tempo restante: </translation>
    </message>
    <message>
        <source>label_repair_verifying</source>
        <translation>Verificando os arquivos do jogo</translation>
    </message>
    <message>
        <source>label_repair_downloading</source>
        <translation>Baixando o pacote do jogo para o reparo</translation>
    </message>
    <message>
        <source>label_repair_extracting</source>
        <translation>Reparando os arquivos do jogo</translation>
    </message>
    <message>
        <source>message_repair_update_first</source>
        <translation>Há uma versão mais recente do jogo. A atualização substitui os arquivos; atualizar agora em vez de reparar?</translation>
    </message>
    <message>
        <source>message_repair_not_ready</source>
        <translation>Os arquivos do jogo podem ser verificados quando o jogo estiver instalado e nenhum download ou instalação estiver em andamento.</translation>
    </message>
    <message>
        <source>message_repair_no_record</source>
        <translation>Esta instalação ainda não tem uma lista de seus arquivos, então não pode ser verificada arquivo por arquivo. Repará-la instalando novamente o pacote completo do jogo? Seus próprios arquivos na pasta do jogo são mantidos.</translation>
    </message>
    <message>
        <source>message_repair_intact</source>
        <translation>Todos os arquivos do jogo estão íntegros.</translation>
    </message>
    <message>
        <source>message_repair_damaged</source>
        <translation>%1 arquivos do jogo (%2) estão ausentes ou danificados. Repará-los agora?</translation>
    </message>
    <message>
        <source>message_repair_done</source>
        <translation>Os arquivos do jogo foram reparados.</translation>
    </message>
    <message>
        <source>message_repair_failed</source>
        <translation>Não foi possível reparar os arquivos do jogo. Tente novamente.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>message_setup_zip_password_error</source>
        <translation>O pacote está protegido por senha e não pode ser instalado.</translation>
    </message>
    <message>
        <source>message_setup_zip_unsupported_method</source>
        <translation>O pacote usa um método de compressão que o launcher não suporta.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_error</source>
        <translation>Os dados do pacote estão danificados.</translation>
    </message>
    <message>
        <source>message_setup_zip_crc_failed</source>
        <translation>Um arquivo do pacote falhou na verificação de integridade (CRC).</translation>
    </message>
    <message>
        <source>message_setup_zip_unavailable_data</source>
        <translation>Faltam dados do pacote.</translation>
    </message>
    <message>
        <source>message_setup_zip_unexpected_end</source>
        <translation>O pacote termina inesperadamente; pode estar incompleto.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_after_end</source>
        <translation>O pacote contém dados inesperados após o seu fim.</translation>
    </message>
    <message>
        <source>message_setup_zip_not_archive</source>
        <translation>O arquivo não é um pacote que o launcher consiga abrir.</translation>
    </message>
    <message>
        <source>message_setup_zip_headers_error</source>
        <translation>Os cabeçalhos do pacote estão danificados.</translation>
    </message>
</context>
<context>
    <name>LauncherSwap</name>
    <message>
        <source>swap_error_write</source>
        <translation>Não foi possível escrever %1.</translation>
    </message>
    <message>
        <source>swap_error_unresolved</source>
        <translation>Uma atualização anterior do inicializador ainda não terminou.</translation>
    </message>
    <message>
        <source>swap_error_keep_old</source>
        <translation>Não foi possível pôr de parte o antigo %1.</translation>
    </message>
    <message>
        <source>swap_error_remove</source>
        <translation>Não foi possível remover %1.</translation>
    </message>
    <message>
        <source>swap_error_make_folder</source>
        <translation>Não foi possível criar a pasta %1.</translation>
    </message>
    <message>
        <source>swap_error_move_in</source>
        <translation>Não foi possível colocar o novo %1 no lugar.</translation>
    </message>
    <message>
        <source>swap_error_restore_old</source>
        <translation>Não foi possível repor todos os ficheiros antigos; %1 guarda-os.</translation>
    </message>
    <message>
        <source>swap_error_remove_old</source>
        <translation>Não foi possível remover todos os ficheiros antigos de %1.</translation>
    </message>
    <message>
        <source>swap_error_link</source>
        <translation>%1 é uma ligação.</translation>
    </message>
    <message>
        <source>swap_error_damaged</source>
        <translation>%1 está danificado.</translation>
    </message>
</context>
<context>
    <name>UpdateController</name>
    <message>
        <source>updater_error_in_the_way</source>
        <translation>%1 impede a atualização.</translation>
    </message>
    <message>
        <source>updater_error_make_folder</source>
        <translation>Não foi possível criar %1.</translation>
    </message>
    <message>
        <source>updater_error_move_package</source>
        <translation>Não foi possível mover o pacote para %1.</translation>
    </message>
</context>
<context>
    <name>UpdaterWindow</name>
    <message>
        <source>updater_close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>updater_title</source>
        <translation>Atualização do inicializador Tessaril</translation>
    </message>
    <message>
        <source>updater_waiting</source>
        <translation>Aguardando o inicializador fechar…</translation>
    </message>
    <message>
        <source>updater_downloading</source>
        <translation>Baixando a atualização…</translation>
    </message>
    <message>
        <source>updater_verifying</source>
        <translation>Verificando o download…</translation>
    </message>
    <message>
        <source>updater_installing</source>
        <translation>Instalando a atualização…</translation>
    </message>
    <message>
        <source>updater_restarting</source>
        <translation>Iniciando o inicializador…</translation>
    </message>
    <message>
        <source>updater_failed_launcher_running</source>
        <translation>O inicializador ainda está em execução, por isso nada foi alterado. Feche-o e atualize novamente.</translation>
    </message>
    <message>
        <source>updater_failed_download</source>
        <translation>Não foi possível baixar a atualização. O inicializador continua como estava.</translation>
    </message>
    <message>
        <source>updater_failed_damaged</source>
        <translation>A atualização baixada está danificada. O inicializador continua como estava.</translation>
    </message>
    <message>
        <source>updater_failed_package</source>
        <translation>O pacote de atualização não pode ser usado. O inicializador continua como estava.</translation>
    </message>
    <message>
        <source>updater_failed_install</source>
        <translation>Não foi possível instalar a atualização. O inicializador continua como estava.</translation>
    </message>
    <message>
        <source>updater_failed_recovery</source>
        <translation>Uma atualização interrompida não pôde ser concluída nem desfeita. Reinstale o inicializador.</translation>
    </message>
    <message>
        <source>updater_failed_restart</source>
        <translation>Não foi possível iniciar o inicializador. Inicie-o manualmente.</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>message_error_download_bad_name</source>
        <translation>O arquivo de download tem um nome inválido, por isso nada foi baixado.</translation>
    </message>
    <message>
        <source>message_error_resource_acquisition_failed</source>
        <translation>Não foi possível obter o pacote do jogo</translation>
    </message>
    <message>
        <source>message_error_open_file_failed</source>
        <translation>Não foi possível abrir o arquivo de download.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Não há espaço livre suficiente no disco. Libere espaço e tente novamente.</translation>
    </message>
    <message>
        <source>message_error_download_write_buffer</source>
        <translation>Não foi possível gravar os dados baixados no disco.</translation>
    </message>
    <message>
        <source>message_error_download_flush</source>
        <translation>Não foi possível salvar o download no disco.</translation>
    </message>
    <message>
        <source>message_error_network_reply</source>
        <translation>Falha na conexão de rede</translation>
    </message>
    <message>
        <source>message_error_network_statuscode</source>
        <translation>O servidor recusou o download</translation>
    </message>
    <message>
        <source>message_error_download_md5</source>
        <translation>O pacote baixado está danificado e será baixado novamente.</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>message_request_time_out</source>
        <translation>A solicitação expirou.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>button_open_main_window</source>
        <translation>Abrir janela principal</translation>
    </message>
    <message>
        <source>button_quit</source>
        <translation>Sair</translation>
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
        <translation>Obter jogo</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Atualizar</translation>
    </message>
    <message>
        <source>button_start_game</source>
        <translation>Jogar</translation>
    </message>
    <message>
        <source>button_change_install_path</source>
        <translation>Alterar pasta de instalação</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Baixando...</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Verificando arquivos...</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Tempo restante: --</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Velocidade: --</translation>
    </message>
    <message>
        <source>label_services_unreachable</source>
        <translation>Não é possível acessar o serviço do jogo. Verifique sua conexão.</translation>
    </message>
    <message>
        <source>button_retry</source>
        <translation>Tentar de novo</translation>
    </message>
    <message>
        <source>button_game_running</source>
        <translation>Jogo em execução</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>message_setup_disk_space_error</source>
        <translation>Espaço livre insuficiente: o jogo precisa de %1 e a unidade tem %2 livres. Libere espaço ou escolha outra pasta.</translation>
    </message>
    <message>
        <source>message_setup_delete_old_file_error</source>
        <translation>não pôde ser excluído. Feche o jogo e tente novamente.</translation>
    </message>
    <message>
        <source>message_setup_dll_error</source>
        <translation>Não foi possível carregar o mecanismo de arquivos. Reinstale o inicializador.</translation>
    </message>
    <message>
        <source>message_setup_zip_format_error</source>
        <translation>não é um formato de pacote que o inicializador possa instalar.</translation>
    </message>
    <message>
        <source>message_setup_zip_class_error</source>
        <translation>O mecanismo de arquivos não consegue ler este formato de pacote.</translation>
    </message>
    <message>
        <source>message_setup_zip_archive_file_error</source>
        <translation>não pôde ser aberto.</translation>
    </message>
    <message>
        <source>message_setup_zip_unzip_error</source>
        <translation>Não foi possível extrair o pacote.</translation>
    </message>
    <message>
        <source>message_setup_zip_unable_open_file_error</source>
        <translation>Não é possível abrir %1 como arquivo compactado.</translation>
    </message>
</context>
<context>
    <name>UpdateVersionInfo</name>
    <message>
        <source>message_package_md5_invalid</source>
        <translation>As informações do pacote do jogo enviadas pelo servidor são inválidas (soma de verificação malformada). Tente novamente mais tarde.</translation>
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
        <translation>Não foi possível verificar a atualização do iniciador. </translation>
    </message>
    <message>
        <source>button_redo</source>
        <translation>Tentar novamente</translation>
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
        <translation>O iniciador está atualizado.</translation>
    </message>
    <message>
        <source>message_new_version_please_update</source>
        <translation>É necessária uma nova versão do iniciador. Atualize para continuar jogando.</translation>
    </message>
    <message>
        <source>message_new_version_whether_update</source>
        <translation>Há uma nova versão do iniciador. Atualizar agora?</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Atualizar</translation>
    </message>
    <message>
        <source>message_update_failed_not_enough_space</source>
        <translation>Não é possível atualizar o iniciador: não há espaço livre suficiente no disco.</translation>
    </message>
</context>
</TS>
