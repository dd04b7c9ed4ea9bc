#pragma once

#include <QObject>
#include <QString>

// Hashes one file on whatever thread it lives in.
class md5checkworker : public QObject
{
    Q_OBJECT

public:
    explicit md5checkworker(const QString &filePath, QObject *parent = nullptr);

signals:
    // 32 lower-case hex digits; empty when the file cannot be read.
    void md5Checkfinished(const QString &md5);

public slots:
    void md5();

private:
    QString m_filePath;
};
