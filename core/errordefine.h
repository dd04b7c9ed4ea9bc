#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

// The error vocabulary shared by downloads, installation and service
// requests. The names are looked up at run time, so they are part of the
// interface, spelling included.
class ErrorDefine
{
    Q_GADGET

public:
    enum ErrorCode : qint32 {
        DEFAULTT = 0,
        DOWNLOAD_OPEN_FILE_ERROR = 1000,
        DOWNLOAD_EXIST_SIZE_ERROR,
        DOWNLOAD_WRITE_BUFFER_ERROR,
        DOWNLOAD_FLUSH_ERROR,
        DOWNLOAD_MD5_ERROR,
        DOWNLOAD_NETWORK_GETHEADER_ERROR,
        DOWNLOAD_NETWORK_ERROR,
        DOWNLOAD_NETWORK_REPLY_ERROR,
        SETUP_DLL_ERROR,
        SETUP_ZIP_ERROR,
        SETUP_ZIP_FORMAT_ERROR,
        SETUP_ZIP_CLASS_ERROR,
        SETUP_ZIP_ARCHIVE_FILE_ERROR,
        SETUP_ZIP_UNABLE_OPEN_FILE_ERROR,
        SETUP_ZIP_UNZIP_ERROR,
        SETUP_ZIP_UNABLE_DELETE_ERROR,
        SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR,
        SETUP_ZIP_PASSWORD_ERROR,
        SETUP_DELETE_OLD_GAME_ERROR,
        SETUP_DELETE_TEMP_FOLDER_ERROR,
        SETUP_RENAME_FOLDER_ERROR,
        SETUP_DELETE_OLD_FILE_ERROR,
        SETUP_CREATE_FOLDER_ERROR,
        SETUP_COPY_FILE_ERROR,
        HTTP_REQUEST_TIMEOUT,
        HTTP_REQUEST_FILA,
        CATCH_EXCEPTION_INIT_UPDATEINFO,
        SETUP_DISK_SPACE_ERROR,
    };
    Q_ENUM(ErrorCode)

    // Registers the code under "ErrorDefine::ErrorCode" and under "ErrorCode",
    // the spelling of the error signals, so it can cross threads. Repeating
    // the call is harmless.
    static void registerMetaTypes();
};

// The enumerator's own name; a null string for a value that is none.
QString errorCodeText(ErrorDefine::ErrorCode code);

// How every error reaches the player: "[code]:text".
QString formatError(ErrorDefine::ErrorCode code, const QString &text);
