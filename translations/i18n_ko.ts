<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko">
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>title_app_info</source>
        <translation>앱 정보</translation>
    </message>
    <message>
        <source>label_game_info</source>
        <translation>게임 버전</translation>
    </message>
    <message>
        <source>label_app_info</source>
        <translation>런처 ID</translation>
    </message>
    <message>
        <source>label_launcher_version</source>
        <translation>런처 버전</translation>
    </message>
    <message>
        <source>button_ok</source>
        <translation>확인</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>label_close_select_tip</source>
        <translation>창을 닫을 때:</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>시스템 트레이로 최소화</translation>
    </message>
    <message>
        <source>button_close_quit</source>
        <translation>런처 종료</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>확인</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>button_cancle</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>알림</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>title_app_install_qv</source>
        <translation>게임 설치</translation>
    </message>
    <message>
        <source>label_install_dir</source>
        <translation>설치 폴더</translation>
    </message>
    <message>
        <source>button_change</source>
        <translation>변경</translation>
    </message>
    <message>
        <source>label_need_space</source>
        <translation>필요한 공간:</translation>
    </message>
    <message>
        <source>label_available_space</source>
        <translation>사용 가능한 공간:</translation>
    </message>
    <message>
        <source>label_default_language</source>
        <translation>게임 언어</translation>
    </message>
    <message>
        <source>button_start_setup</source>
        <translation>설치 시작</translation>
    </message>
    <message>
        <source>messsage_path_invalid</source>
        <translation>이 폴더는 사용할 수 없습니다</translation>
    </message>
    <message>
        <source>message_floder_not_enough_space</source>
        <translation>드라이브의 여유 공간이 부족합니다</translation>
    </message>
    <message>
        <source>label_select_install_path</source>
        <translation>설치 폴더 선택</translation>
    </message>
    <message>
        <source>button_continue</source>
        <translation>계속</translation>
    </message>
    <message>
        <source>button_select_again</source>
        <translation>다시 선택</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>message_suggest_select_empty_folder</source>
        <translation>이 폴더는 비어 있지 않습니다. 빈 폴더에 설치하는 것을 권장합니다. 그래도 여기에 설치하시겠습니까?</translation>
    </message>
</context>
<context>
    <name>DlgSetting</name>
    <message>
        <source>title_set</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>button_auto_start</source>
        <translation>시스템 시작 시 실행</translation>
    </message>
    <message>
        <source>button_download_speed_limit</source>
        <translation>다운로드 속도 제한</translation>
    </message>
    <message>
        <source>label_megabytes_per_second</source>
        <translation> MB/초</translation>
    </message>
    <message>
        <source>button_auto_update</source>
        <translation>런처 자동 업데이트</translation>
    </message>
    <message>
        <source>label_next_open_auto_update</source>
        <translation>새 버전의 런처가 있으면 다음에 런처를 실행할 때 자동으로 업데이트됩니다.</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>시스템 트레이로 최소화</translation>
    </message>
    <message>
        <source>button_quit_launcher</source>
        <translation>런처 종료</translation>
    </message>
    <message>
        <source>button_check_update</source>
        <translation>업데이트 확인</translation>
    </message>
    <message>
        <source>label_current_launcher_version</source>
        <translation>현재 런처 버전:</translation>
    </message>
    <message>
        <source>button_cancle</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>label_launch_set</source>
        <translation>시작 설정</translation>
    </message>
    <message>
        <source>label_close_set</source>
        <translation>닫기 설정</translation>
    </message>
    <message>
        <source>label_version_set</source>
        <translation>버전</translation>
    </message>
    <message>
        <source>button_verify_repair</source>
        <translation>검사 및 복구</translation>
    </message>
</context>
<context>
    <name>MainViewModel</name>
    <message>
        <source>message_run_update_exe_failed</source>
        <translation>업데이트 프로그램을 시작할 수 없습니다. 다시 시도하거나 런처를 다시 설치해 주세요.</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>message_checking_update</source>
        <translation>최신 게임 버전을 확인하는 중입니다. 잠시 후 다시 시도해 주세요.</translation>
    </message>
    <message>
        <source>message_create_floder_failed</source>
        <translation>설치 폴더를 만들 수 없습니다. 다른 폴더를 선택해 주세요.</translation>
    </message>
    <message>
        <source>message_not_enough_space_select_path</source>
        <translation>이 드라이브의 여유 공간이 부족합니다. 다른 설치 폴더를 선택해 주세요.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>업데이트에 필요한 디스크 여유 공간이 부족합니다.</translation>
    </message>
    <message>
        <source>title_warning</source>
        <translation>경고</translation>
    </message>
    <message>
        <source>message_game_is_running_please_close</source>
        <translation>게임이 실행 중입니다. 설치를 계속하려면 지금 종료할까요?</translation>
    </message>
    <message>
        <source>message_game_start_failed</source>
        <translation>게임을 시작할 수 없습니다. 다시 설치해 주세요.</translation>
    </message>
    <message>
        <source>message_download_error</source>
        <translation>다운로드 실패</translation>
    </message>
    <message>
        <source>message_setup_error</source>
        <translation>설치 실패</translation>
    </message>
    <message>
        <source>title_error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>message_resource_check_failed</source>
        <translation>게임 버전을 확인하지 못했습니다. 다시 시도할까요?</translation>
    </message>
    <message>
        <source>message_launcher_check_failed</source>
        <translation>런처 콘텐츠를 불러오지 못했습니다. 다시 시도할까요?</translation>
    </message>
    <message>
        <source>message_need_update_launcher</source>
        <translation>새 런처가 필요합니다. 다운로드 페이지를 엽니다.</translation>
    </message>
    <message>
        <source>message_launcher_version_old</source>
        <translation>런처 버전이 너무 오래되었습니다. 최신 런처를 설치하세요.</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>다운로드 중</translation>
    </message>
    <message>
        <source>label_installing_progress</source>
        <translation>설치 중</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>파일 확인 중</translation>
    </message>
    <message>
        <source>label_unit_gb</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>속도: </translation>
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
        <translation>남은 시간: </translation>
    </message>
    <message>
        <source>label_repair_verifying</source>
        <translation>게임 파일 검사 중</translation>
    </message>
    <message>
        <source>label_repair_downloading</source>
        <translation>복구용 게임 패키지 다운로드 중</translation>
    </message>
    <message>
        <source>label_repair_extracting</source>
        <translation>게임 파일 복구 중</translation>
    </message>
    <message>
        <source>message_repair_update_first</source>
        <translation>새 게임 버전이 있습니다. 업데이트하면 파일이 교체됩니다. 복구 대신 지금 업데이트하시겠습니까?</translation>
    </message>
    <message>
        <source>message_repair_not_ready</source>
        <translation>게임이 설치되어 있고 다운로드나 설치가 진행 중이 아닐 때 파일을 검사할 수 있습니다.</translation>
    </message>
    <message>
        <source>message_repair_no_record</source>
        <translation>이 설치에는 아직 파일 목록이 없어 파일별로 검사할 수 없습니다. 전체 게임 패키지를 다시 설치하여 복구하시겠습니까? 게임 폴더에 있는 사용자 파일은 유지됩니다.</translation>
    </message>
    <message>
        <source>message_repair_intact</source>
        <translation>모든 게임 파일이 정상입니다.</translation>
    </message>
    <message>
        <source>message_repair_damaged</source>
        <translation>게임 파일 %1개(%2)가 없거나 손상되었습니다. 지금 복구하시겠습니까?</translation>
    </message>
    <message>
        <source>message_repair_done</source>
        <translation>게임 파일을 복구했습니다.</translation>
    </message>
    <message>
        <source>message_repair_failed</source>
        <translation>게임 파일을 복구하지 못했습니다. 다시 시도해 주세요.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>message_setup_zip_password_error</source>
        <translation>패키지가 비밀번호로 보호되어 있어 설치할 수 없습니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_unsupported_method</source>
        <translation>패키지가 런처에서 지원하지 않는 압축 방식을 사용합니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_error</source>
        <translation>패키지 데이터가 손상되었습니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_crc_failed</source>
        <translation>패키지의 파일이 무결성 검사(CRC)를 통과하지 못했습니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_unavailable_data</source>
        <translation>패키지 데이터의 일부가 없습니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_unexpected_end</source>
        <translation>패키지가 예기치 않게 끝났습니다. 불완전할 수 있습니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_after_end</source>
        <translation>패키지 끝에 예기치 않은 데이터가 있습니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_not_archive</source>
        <translation>이 파일은 런처가 열 수 있는 패키지가 아닙니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_headers_error</source>
        <translation>패키지 헤더가 손상되었습니다.</translation>
    </message>
</context>
<context>
    <name>LauncherSwap</name>
    <message>
        <source>swap_error_write</source>
        <translation>%1을(를) 쓸 수 없습니다.</translation>
    </message>
    <message>
        <source>swap_error_unresolved</source>
        <translation>이전 런처 업데이트가 아직 끝나지 않았습니다.</translation>
    </message>
    <message>
        <source>swap_error_keep_old</source>
        <translation>이전 %1을(를) 따로 보관할 수 없습니다.</translation>
    </message>
    <message>
        <source>swap_error_remove</source>
        <translation>%1을(를) 삭제할 수 없습니다.</translation>
    </message>
    <message>
        <source>swap_error_make_folder</source>
        <translation>%1 폴더를 만들 수 없습니다.</translation>
    </message>
    <message>
        <source>swap_error_move_in</source>
        <translation>새 %1을(를) 배치할 수 없습니다.</translation>
    </message>
    <message>
        <source>swap_error_restore_old</source>
        <translation>이전 파일을 모두 되돌리지 못했습니다. %1에 보관되어 있습니다.</translation>
    </message>
    <message>
        <source>swap_error_remove_old</source>
        <translation>%1에서 이전 파일을 모두 삭제하지 못했습니다.</translation>
    </message>
    <message>
        <source>swap_error_link</source>
        <translation>%1은(는) 링크입니다.</translation>
    </message>
    <message>
        <source>swap_error_damaged</source>
        <translation>%1이(가) 손상되었습니다.</translation>
    </message>
</context>
<context>
    <name>UpdateController</name>
    <message>
        <source>updater_error_in_the_way</source>
        <translation>%1 때문에 업데이트할 수 없습니다.</translation>
    </message>
    <message>
        <source>updater_error_make_folder</source>
        <translation>%1을(를) 만들 수 없습니다.</translation>
    </message>
    <message>
        <source>updater_error_move_package</source>
        <translation>패키지를 %1(으)로 옮길 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>UpdaterWindow</name>
    <message>
        <source>updater_close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>updater_title</source>
        <translation>Tessaril 런처 업데이트</translation>
    </message>
    <message>
        <source>updater_waiting</source>
        <translation>런처가 종료되기를 기다리는 중…</translation>
    </message>
    <message>
        <source>updater_downloading</source>
        <translation>업데이트를 다운로드하는 중…</translation>
    </message>
    <message>
        <source>updater_verifying</source>
        <translation>다운로드를 확인하는 중…</translation>
    </message>
    <message>
        <source>updater_installing</source>
        <translation>업데이트를 설치하는 중…</translation>
    </message>
    <message>
        <source>updater_restarting</source>
        <translation>런처를 시작하는 중…</translation>
    </message>
    <message>
        <source>updater_failed_launcher_running</source>
        <translation>런처가 아직 실행 중이어서 아무것도 변경하지 않았습니다. 런처를 닫고 다시 업데이트해 주세요.</translation>
    </message>
    <message>
        <source>updater_failed_download</source>
        <translation>업데이트를 다운로드하지 못했습니다. 런처는 그대로 유지됩니다.</translation>
    </message>
    <message>
        <source>updater_failed_damaged</source>
        <translation>다운로드한 업데이트가 손상되었습니다. 런처는 그대로 유지됩니다.</translation>
    </message>
    <message>
        <source>updater_failed_package</source>
        <translation>업데이트 패키지를 사용할 수 없습니다. 런처는 그대로 유지됩니다.</translation>
    </message>
    <message>
        <source>updater_failed_install</source>
        <translation>업데이트를 설치하지 못했습니다. 런처는 그대로 유지됩니다.</translation>
    </message>
    <message>
        <source>updater_failed_recovery</source>
        <translation>중단된 업데이트를 완료하거나 되돌리지 못했습니다. 런처를 다시 설치해 주세요.</translation>
    </message>
    <message>
        <source>updater_failed_restart</source>
        <translation>런처를 시작하지 못했습니다. 직접 시작해 주세요.</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>message_error_download_bad_name</source>
        <translation>다운로드 파일 이름을 사용할 수 없어 아무것도 다운로드하지 않았습니다.</translation>
    </message>
    <message>
        <source>message_error_resource_acquisition_failed</source>
        <translation>게임 패키지를 가져오지 못했습니다</translation>
    </message>
    <message>
        <source>message_error_open_file_failed</source>
        <translation>다운로드 파일을 열 수 없습니다.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>디스크 공간이 부족합니다. 공간을 확보한 뒤 다시 시도하세요.</translation>
    </message>
    <message>
        <source>message_error_download_write_buffer</source>
        <translation>다운로드 데이터를 디스크에 쓰지 못했습니다.</translation>
    </message>
    <message>
        <source>message_error_download_flush</source>
        <translation>다운로드한 데이터를 디스크에 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>message_error_network_reply</source>
        <translation>네트워크 연결 실패</translation>
    </message>
    <message>
        <source>message_error_network_statuscode</source>
        <translation>서버가 다운로드를 거부했습니다</translation>
    </message>
    <message>
        <source>message_error_download_md5</source>
        <translation>다운로드한 패키지가 손상되어 다시 다운로드합니다.</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>message_request_time_out</source>
        <translation>요청 시간이 초과되었습니다.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>button_open_main_window</source>
        <translation>메인 창 열기</translation>
    </message>
    <message>
        <source>button_quit</source>
        <translation>종료</translation>
    </message>
    <message>
        <source>title_app_name_qv</source>
        <translation>테사릴</translation>
    </message>
    <message>
        <source>button_continue_download</source>
        <translation>다운로드 계속</translation>
    </message>
    <message>
        <source>button_get_game</source>
        <translation>게임 받기</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>업데이트</translation>
    </message>
    <message>
        <source>button_start_game</source>
        <translation>게임 시작</translation>
    </message>
    <message>
        <source>button_change_install_path</source>
        <translation>설치 폴더 변경</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>다운로드 중…</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>파일 확인 중…</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>남은 시간: --</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>속도: --</translation>
    </message>
    <message>
        <source>label_services_unreachable</source>
        <translation>게임 서비스에 연결할 수 없습니다. 연결을 확인하세요.</translation>
    </message>
    <message>
        <source>button_retry</source>
        <translation>다시 시도</translation>
    </message>
    <message>
        <source>button_game_running</source>
        <translation>게임 실행 중</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>message_setup_disk_space_error</source>
        <translation>여유 공간이 부족합니다. 게임에 %1이(가) 필요하지만 드라이브 여유 공간은 %2입니다. 공간을 확보하거나 다른 폴더를 선택해 주세요.</translation>
    </message>
    <message>
        <source>message_setup_delete_old_file_error</source>
        <translation>을(를) 삭제할 수 없습니다. 게임을 종료한 뒤 다시 시도하세요.</translation>
    </message>
    <message>
        <source>message_setup_dll_error</source>
        <translation>압축 해제 엔진을 불러오지 못했습니다. 런처를 다시 설치하세요.</translation>
    </message>
    <message>
        <source>message_setup_zip_format_error</source>
        <translation>은(는) 런처가 설치할 수 있는 패키지 형식이 아닙니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_class_error</source>
        <translation>압축 해제 엔진이 이 패키지 형식을 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_archive_file_error</source>
        <translation>을(를) 열 수 없습니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_unzip_error</source>
        <translation>패키지 압축을 풀지 못했습니다.</translation>
    </message>
    <message>
        <source>message_setup_zip_unable_open_file_error</source>
        <translation>%1 파일을 압축 파일로 열 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>UpdateVersionInfo</name>
    <message>
        <source>message_package_md5_invalid</source>
        <translation>서버의 게임 패키지 정보가 올바르지 않습니다(체크섬 형식 오류). 나중에 다시 시도해 주세요.</translation>
    </message>
</context>
<context>
    <name>ApplicationInfo</name>
    <message>
        <source>title_tip</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>message_update_request_exception</source>
        <translation>런처 업데이트를 확인할 수 없습니다. </translation>
    </message>
    <message>
        <source>button_redo</source>
        <translation>다시 시도</translation>
    </message>
</context>
<context>
    <name>UpdateProgram</name>
    <message>
        <source>title_tip</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>message_is_latest_version</source>
        <translation>런처가 최신 버전입니다.</translation>
    </message>
    <message>
        <source>message_new_version_please_update</source>
        <translation>새 런처 버전이 필요합니다. 계속 플레이하려면 업데이트해 주세요.</translation>
    </message>
    <message>
        <source>message_new_version_whether_update</source>
        <translation>새 런처 버전이 있습니다. 지금 업데이트할까요?</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>업데이트</translation>
    </message>
    <message>
        <source>message_update_failed_not_enough_space</source>
        <translation>디스크 여유 공간이 부족하여 런처를 업데이트할 수 없습니다.</translation>
    </message>
</context>
</TS>
