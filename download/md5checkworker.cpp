#include "download/md5checkworker.h"

#include <QCryptographicHash>
#include <QFile>

md5checkworker::md5checkworker(const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_filePath(filePath)
{
}

void md5checkworker::md5()
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        emit md5Checkfinished(QString());
        return;
    }
    QCryptographicHash hash(QCryptographicHash::Md5);
    // A read error half-way must not pass off a partial digest as the file's.
    const bool complete = hash.addData(&file) && file.error() == QFileDevice::NoError;
    file.close();
    emit md5Checkfinished(complete ? QString::fromLatin1(hash.result().toHex()) : QString());
}
