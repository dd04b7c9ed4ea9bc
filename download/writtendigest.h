#pragma once

#include <QDateTime>
#include <QString>

// The MD5 of a download taken while it was written, so the finished file
// need not be read a second time. It holds only while the file is as the
// download left it: the same path, size and modification and change times.
class WrittenDigest
{
public:
    // The file at path, closed, is the one the digest was taken of.
    void set(const QString &path, const QString &md5);
    void drop();
    // The 32 lower-case hex digits, when path is that file and it is still
    // as it was left; else empty.
    QString digestFor(const QString &path) const;

private:
    struct Stamp
    {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const Stamp &other) const;
    };
    static Stamp stampOf(const QString &path);

    QString m_md5;
    Stamp m_stamp;
};
