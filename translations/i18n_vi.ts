<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="vi">
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>title_app_info</source>
        <translation>Thông tin ứng dụng</translation>
    </message>
    <message>
        <source>label_game_info</source>
        <translation>Phiên bản trò chơi</translation>
    </message>
    <message>
        <source>label_app_info</source>
        <translation>Mã trình khởi chạy</translation>
    </message>
    <message>
        <source>label_launcher_version</source>
        <translation>Phiên bản trình khởi chạy</translation>
    </message>
    <message>
        <source>button_ok</source>
        <translation>Đồng ý</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>label_close_select_tip</source>
        <translation>Khi đóng cửa sổ:</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Thu nhỏ xuống khay hệ thống</translation>
    </message>
    <message>
        <source>button_close_quit</source>
        <translation>Thoát trình khởi chạy</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>Đồng ý</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>button_cancle</source>
        <translation>Hủy</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>Đồng ý</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Thông báo</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>title_app_install_qv</source>
        <translation>Cài đặt trò chơi</translation>
    </message>
    <message>
        <source>label_install_dir</source>
        <translation>Thư mục cài đặt</translation>
    </message>
    <message>
        <source>button_change</source>
        <translation>Thay đổi</translation>
    </message>
    <message>
        <source>label_need_space</source>
        <translation>Dung lượng cần:</translation>
    </message>
    <message>
        <source>label_available_space</source>
        <translation>Dung lượng trống:</translation>
    </message>
    <message>
        <source>label_default_language</source>
        <translation>Ngôn ngữ trò chơi</translation>
    </message>
    <message>
        <source>button_start_setup</source>
        <translation>Bắt đầu cài đặt</translation>
    </message>
    <message>
        <source>messsage_path_invalid</source>
        <translation>Không thể dùng thư mục này</translation>
    </message>
    <message>
        <source>message_floder_not_enough_space</source>
        <translation>Ổ đĩa không đủ dung lượng trống</translation>
    </message>
    <message>
        <source>label_select_install_path</source>
        <translation>Chọn thư mục cài đặt</translation>
    </message>
    <message>
        <source>button_continue</source>
        <translation>Tiếp tục</translation>
    </message>
    <message>
        <source>button_select_again</source>
        <translation>Chọn lại</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Thông báo</translation>
    </message>
    <message>
        <source>message_suggest_select_empty_folder</source>
        <translation>Thư mục này không trống. Nên cài trò chơi vào thư mục trống. Vẫn cài vào đây?</translation>
    </message>
</context>
<context>
    <name>DlgSetting</name>
    <message>
        <source>title_set</source>
        <translation>Cài đặt</translation>
    </message>
    <message>
        <source>button_auto_start</source>
        <translation>Khởi động cùng hệ thống</translation>
    </message>
    <message>
        <source>button_download_speed_limit</source>
        <translation>Giới hạn tốc độ tải xuống ở mức</translation>
    </message>
    <message>
        <source>label_megabytes_per_second</source>
        <translation> MB/giây</translation>
    </message>
    <message>
        <source>button_auto_update</source>
        <translation>Tự động cập nhật trình khởi chạy</translation>
    </message>
    <message>
        <source>label_next_open_auto_update</source>
        <translation>Khi có phiên bản trình khởi chạy mới, bản cập nhật sẽ được cài tự động vào lần mở tiếp theo.</translation>
    </message>
    <message>
        <source>button_minimize_systemtrayicon</source>
        <translation>Thu nhỏ xuống khay hệ thống</translation>
    </message>
    <message>
        <source>button_quit_launcher</source>
        <translation>Thoát trình khởi chạy</translation>
    </message>
    <message>
        <source>button_check_update</source>
        <translation>Kiểm tra cập nhật</translation>
    </message>
    <message>
        <source>label_current_launcher_version</source>
        <translation>Phiên bản trình khởi chạy hiện tại:</translation>
    </message>
    <message>
        <source>button_cancle</source>
        <translation>Hủy</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>Đồng ý</translation>
    </message>
    <message>
        <source>label_launch_set</source>
        <translation>Khởi động</translation>
    </message>
    <message>
        <source>label_close_set</source>
        <translation>Khi đóng</translation>
    </message>
    <message>
        <source>label_version_set</source>
        <translation>Phiên bản</translation>
    </message>
    <message>
        <source>button_verify_repair</source>
        <translation>Kiểm tra và sửa chữa</translation>
    </message>
</context>
<context>
    <name>MainViewModel</name>
    <message>
        <source>message_run_update_exe_failed</source>
        <translation>Không thể khởi chạy trình cập nhật. Vui lòng thử lại hoặc cài đặt lại trình khởi chạy.</translation>
    </message>
    <message>
        <source>title_tip</source>
        <translation>Thông báo</translation>
    </message>
    <message>
        <source>message_checking_update</source>
        <translation>Đang kiểm tra phiên bản trò chơi mới nhất. Vui lòng thử lại sau giây lát.</translation>
    </message>
    <message>
        <source>message_create_floder_failed</source>
        <translation>Không thể tạo thư mục cài đặt. Vui lòng chọn thư mục khác.</translation>
    </message>
    <message>
        <source>message_not_enough_space_select_path</source>
        <translation>Ổ đĩa này không đủ dung lượng trống. Vui lòng chọn thư mục cài đặt khác.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Không đủ dung lượng đĩa trống để cập nhật.</translation>
    </message>
    <message>
        <source>title_warning</source>
        <translation>Cảnh báo</translation>
    </message>
    <message>
        <source>message_game_is_running_please_close</source>
        <translation>Trò chơi đang chạy. Đóng ngay để tiếp tục cài đặt?</translation>
    </message>
    <message>
        <source>message_game_start_failed</source>
        <translation>Không thể khởi động trò chơi. Vui lòng cài đặt lại.</translation>
    </message>
    <message>
        <source>message_download_error</source>
        <translation>Tải xuống thất bại</translation>
    </message>
    <message>
        <source>message_setup_error</source>
        <translation>Cài đặt thất bại</translation>
    </message>
    <message>
        <source>title_error</source>
        <translation>Lỗi</translation>
    </message>
    <message>
        <source>message_resource_check_failed</source>
        <translation>Không thể kiểm tra phiên bản trò chơi. Thử lại?</translation>
    </message>
    <message>
        <source>message_launcher_check_failed</source>
        <translation>Không thể tải nội dung trình khởi chạy. Thử lại?</translation>
    </message>
    <message>
        <source>message_need_update_launcher</source>
        <translation>Cần trình khởi chạy mới. Trang tải xuống sẽ được mở.</translation>
    </message>
    <message>
        <source>message_launcher_version_old</source>
        <translation>Phiên bản trình khởi chạy đã quá cũ. Vui lòng cài bản mới nhất.</translation>
    </message>
    <message>
        <source>button_confirm</source>
        <translation>Đồng ý</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Đang tải</translation>
    </message>
    <message>
        <source>label_installing_progress</source>
        <translation>Đang cài đặt</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Đang kiểm tra tệp</translation>
    </message>
    <message>
        <source>label_unit_gb</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Tốc độ: </translation>
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
        <translation>Còn lại: </translation>
    </message>
    <message>
        <source>label_repair_verifying</source>
        <translation>Đang kiểm tra tệp trò chơi</translation>
    </message>
    <message>
        <source>label_repair_downloading</source>
        <translation>Đang tải gói trò chơi để sửa chữa</translation>
    </message>
    <message>
        <source>label_repair_extracting</source>
        <translation>Đang sửa chữa tệp trò chơi</translation>
    </message>
    <message>
        <source>message_repair_update_first</source>
        <translation>Đã có phiên bản trò chơi mới hơn. Cập nhật sẽ thay thế các tệp; cập nhật ngay thay vì sửa chữa?</translation>
    </message>
    <message>
        <source>message_repair_not_ready</source>
        <translation>Có thể kiểm tra tệp trò chơi khi trò chơi đã được cài đặt và không có lượt tải hay cài đặt nào đang chạy.</translation>
    </message>
    <message>
        <source>message_repair_no_record</source>
        <translation>Bản cài đặt này chưa có danh sách tệp nên không thể kiểm tra từng tệp. Sửa chữa bằng cách cài lại toàn bộ gói trò chơi? Các tệp riêng của bạn trong thư mục trò chơi vẫn được giữ.</translation>
    </message>
    <message>
        <source>message_repair_intact</source>
        <translation>Tất cả tệp trò chơi đều nguyên vẹn.</translation>
    </message>
    <message>
        <source>message_repair_damaged</source>
        <translation>%1 tệp trò chơi (%2) bị thiếu hoặc hỏng. Sửa chữa ngay?</translation>
    </message>
    <message>
        <source>message_repair_done</source>
        <translation>Các tệp trò chơi đã được sửa chữa.</translation>
    </message>
    <message>
        <source>message_repair_failed</source>
        <translation>Không thể sửa chữa các tệp trò chơi. Vui lòng thử lại.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>message_setup_zip_password_error</source>
        <translation>Gói được bảo vệ bằng mật khẩu nên không thể cài đặt.</translation>
    </message>
    <message>
        <source>message_setup_zip_unsupported_method</source>
        <translation>Gói sử dụng phương thức nén mà trình khởi chạy không hỗ trợ.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_error</source>
        <translation>Dữ liệu của gói bị hỏng.</translation>
    </message>
    <message>
        <source>message_setup_zip_crc_failed</source>
        <translation>Một tệp trong gói không vượt qua kiểm tra toàn vẹn (CRC).</translation>
    </message>
    <message>
        <source>message_setup_zip_unavailable_data</source>
        <translation>Thiếu một phần dữ liệu của gói.</translation>
    </message>
    <message>
        <source>message_setup_zip_unexpected_end</source>
        <translation>Gói kết thúc bất ngờ; có thể chưa đầy đủ.</translation>
    </message>
    <message>
        <source>message_setup_zip_data_after_end</source>
        <translation>Có dữ liệu không mong muốn sau phần cuối của gói.</translation>
    </message>
    <message>
        <source>message_setup_zip_not_archive</source>
        <translation>Tệp này không phải là gói mà trình khởi chạy có thể mở.</translation>
    </message>
    <message>
        <source>message_setup_zip_headers_error</source>
        <translation>Phần đầu của gói bị hỏng.</translation>
    </message>
</context>
<context>
    <name>LauncherSwap</name>
    <message>
        <source>swap_error_write</source>
        <translation>Không thể ghi %1.</translation>
    </message>
    <message>
        <source>swap_error_unresolved</source>
        <translation>Bản cập nhật trình khởi chạy trước đó vẫn chưa hoàn tất.</translation>
    </message>
    <message>
        <source>swap_error_keep_old</source>
        <translation>Không thể tạm cất %1 cũ.</translation>
    </message>
    <message>
        <source>swap_error_remove</source>
        <translation>Không thể xóa %1.</translation>
    </message>
    <message>
        <source>swap_error_make_folder</source>
        <translation>Không thể tạo thư mục %1.</translation>
    </message>
    <message>
        <source>swap_error_move_in</source>
        <translation>Không thể đặt %1 mới vào chỗ.</translation>
    </message>
    <message>
        <source>swap_error_restore_old</source>
        <translation>Không thể khôi phục tất cả tệp cũ; chúng được giữ trong %1.</translation>
    </message>
    <message>
        <source>swap_error_remove_old</source>
        <translation>Không thể xóa tất cả tệp cũ khỏi %1.</translation>
    </message>
    <message>
        <source>swap_error_link</source>
        <translation>%1 là một liên kết.</translation>
    </message>
    <message>
        <source>swap_error_damaged</source>
        <translation>%1 bị hỏng.</translation>
    </message>
</context>
<context>
    <name>UpdateController</name>
    <message>
        <source>updater_error_in_the_way</source>
        <translation>%1 đang cản trở việc cập nhật.</translation>
    </message>
    <message>
        <source>updater_error_make_folder</source>
        <translation>Không thể tạo %1.</translation>
    </message>
    <message>
        <source>updater_error_move_package</source>
        <translation>Không thể chuyển gói vào %1.</translation>
    </message>
</context>
<context>
    <name>UpdaterWindow</name>
    <message>
        <source>updater_close</source>
        <translation>Đóng</translation>
    </message>
    <message>
        <source>updater_title</source>
        <translation>Cập nhật trình khởi chạy Tessaril</translation>
    </message>
    <message>
        <source>updater_waiting</source>
        <translation>Đang chờ trình khởi chạy đóng…</translation>
    </message>
    <message>
        <source>updater_downloading</source>
        <translation>Đang tải bản cập nhật…</translation>
    </message>
    <message>
        <source>updater_verifying</source>
        <translation>Đang kiểm tra tệp đã tải…</translation>
    </message>
    <message>
        <source>updater_installing</source>
        <translation>Đang cài đặt bản cập nhật…</translation>
    </message>
    <message>
        <source>updater_restarting</source>
        <translation>Đang khởi động trình khởi chạy…</translation>
    </message>
    <message>
        <source>updater_failed_launcher_running</source>
        <translation>Trình khởi chạy vẫn đang chạy nên chưa có gì thay đổi. Hãy đóng trình khởi chạy rồi cập nhật lại.</translation>
    </message>
    <message>
        <source>updater_failed_download</source>
        <translation>Không thể tải bản cập nhật. Trình khởi chạy vẫn giữ nguyên.</translation>
    </message>
    <message>
        <source>updater_failed_damaged</source>
        <translation>Bản cập nhật đã tải bị hỏng. Trình khởi chạy vẫn giữ nguyên.</translation>
    </message>
    <message>
        <source>updater_failed_package</source>
        <translation>Không thể dùng gói cập nhật. Trình khởi chạy vẫn giữ nguyên.</translation>
    </message>
    <message>
        <source>updater_failed_install</source>
        <translation>Không thể cài đặt bản cập nhật. Trình khởi chạy vẫn giữ nguyên.</translation>
    </message>
    <message>
        <source>updater_failed_recovery</source>
        <translation>Bản cập nhật bị gián đoạn không thể hoàn tất hay hoàn tác. Vui lòng cài đặt lại trình khởi chạy.</translation>
    </message>
    <message>
        <source>updater_failed_restart</source>
        <translation>Không thể khởi động trình khởi chạy. Vui lòng tự khởi động.</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>message_error_download_bad_name</source>
        <translation>Tên tệp tải xuống không hợp lệ nên không có gì được tải xuống.</translation>
    </message>
    <message>
        <source>message_error_resource_acquisition_failed</source>
        <translation>Không thể lấy gói trò chơi</translation>
    </message>
    <message>
        <source>message_error_open_file_failed</source>
        <translation>Không thể mở tệp tải xuống.</translation>
    </message>
    <message>
        <source>message_disk_not_enough_space</source>
        <translation>Không đủ dung lượng ổ đĩa. Hãy giải phóng dung lượng rồi thử lại.</translation>
    </message>
    <message>
        <source>message_error_download_write_buffer</source>
        <translation>Không thể ghi dữ liệu tải xuống vào ổ đĩa.</translation>
    </message>
    <message>
        <source>message_error_download_flush</source>
        <translation>Không thể lưu dữ liệu tải xuống vào ổ đĩa.</translation>
    </message>
    <message>
        <source>message_error_network_reply</source>
        <translation>Kết nối mạng thất bại</translation>
    </message>
    <message>
        <source>message_error_network_statuscode</source>
        <translation>Máy chủ từ chối tải xuống</translation>
    </message>
    <message>
        <source>message_error_download_md5</source>
        <translation>Gói đã tải bị hỏng và sẽ được tải lại.</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>message_request_time_out</source>
        <translation>Yêu cầu đã hết thời gian chờ.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>button_open_main_window</source>
        <translation>Mở cửa sổ chính</translation>
    </message>
    <message>
        <source>button_quit</source>
        <translation>Thoát</translation>
    </message>
    <message>
        <source>title_app_name_qv</source>
        <translation>Tessaril</translation>
    </message>
    <message>
        <source>button_continue_download</source>
        <translation>Tiếp tục tải</translation>
    </message>
    <message>
        <source>button_get_game</source>
        <translation>Tải trò chơi</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Cập nhật</translation>
    </message>
    <message>
        <source>button_start_game</source>
        <translation>Vào game</translation>
    </message>
    <message>
        <source>button_change_install_path</source>
        <translation>Đổi thư mục cài đặt</translation>
    </message>
    <message>
        <source>label_downloading_percent</source>
        <translation>Đang tải…</translation>
    </message>
    <message>
        <source>label_checking_md5</source>
        <translation>Đang kiểm tra tệp…</translation>
    </message>
    <message>
        <source>label_task_need_time</source>
        <translation>Còn lại: --</translation>
    </message>
    <message>
        <source>label_download_speed</source>
        <translation>Tốc độ: --</translation>
    </message>
    <message>
        <source>label_services_unreachable</source>
        <translation>Không thể kết nối dịch vụ trò chơi. Hãy kiểm tra kết nối mạng.</translation>
    </message>
    <message>
        <source>button_retry</source>
        <translation>Thử lại</translation>
    </message>
    <message>
        <source>button_game_running</source>
        <translation>Trò chơi đang chạy</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>message_setup_disk_space_error</source>
        <translation>Không đủ dung lượng trống: trò chơi cần %1 nhưng ổ đĩa chỉ còn %2. Hãy giải phóng dung lượng hoặc chọn thư mục khác.</translation>
    </message>
    <message>
        <source>message_setup_delete_old_file_error</source>
        <translation>không thể xóa. Hãy đóng trò chơi rồi thử lại.</translation>
    </message>
    <message>
        <source>message_setup_dll_error</source>
        <translation>Không thể tải bộ giải nén. Vui lòng cài lại trình khởi chạy.</translation>
    </message>
    <message>
        <source>message_setup_zip_format_error</source>
        <translation>không phải định dạng gói mà trình khởi chạy cài được.</translation>
    </message>
    <message>
        <source>message_setup_zip_class_error</source>
        <translation>Bộ giải nén không đọc được định dạng gói này.</translation>
    </message>
    <message>
        <source>message_setup_zip_archive_file_error</source>
        <translation>không thể mở.</translation>
    </message>
    <message>
        <source>message_setup_zip_unzip_error</source>
        <translation>Không thể giải nén gói.</translation>
    </message>
    <message>
        <source>message_setup_zip_unable_open_file_error</source>
        <translation>Không thể mở tệp %1 dưới dạng tệp nén.</translation>
    </message>
</context>
<context>
    <name>UpdateVersionInfo</name>
    <message>
        <source>message_package_md5_invalid</source>
        <translation>Thông tin gói trò chơi từ máy chủ không hợp lệ (mã kiểm tra sai định dạng). Vui lòng thử lại sau.</translation>
    </message>
</context>
<context>
    <name>ApplicationInfo</name>
    <message>
        <source>title_tip</source>
        <translation>Thông báo</translation>
    </message>
    <message>
        <source>message_update_request_exception</source>
        <translation>Không thể kiểm tra bản cập nhật trình khởi chạy. </translation>
    </message>
    <message>
        <source>button_redo</source>
        <translation>Thử lại</translation>
    </message>
</context>
<context>
    <name>UpdateProgram</name>
    <message>
        <source>title_tip</source>
        <translation>Thông báo</translation>
    </message>
    <message>
        <source>message_is_latest_version</source>
        <translation>Trình khởi chạy đã là phiên bản mới nhất.</translation>
    </message>
    <message>
        <source>message_new_version_please_update</source>
        <translation>Cần phiên bản trình khởi chạy mới. Vui lòng cập nhật để tiếp tục chơi.</translation>
    </message>
    <message>
        <source>message_new_version_whether_update</source>
        <translation>Đã có phiên bản trình khởi chạy mới. Cập nhật ngay?</translation>
    </message>
    <message>
        <source>button_update</source>
        <translation>Cập nhật</translation>
    </message>
    <message>
        <source>message_update_failed_not_enough_space</source>
        <translation>Không thể cập nhật trình khởi chạy: không đủ dung lượng đĩa trống.</translation>
    </message>
</context>
</TS>
