#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// The MD5 of a download taken from its bytes as they are written, so the
// finished file need not be read a second time. It holds only for a file
// written in one pass, every block right after the one before from the first
// byte to the last, and only while that file is as the pass left it: the
// same path, size and modification time.
//
// The hashing runs on a thread of its own, as fast as the link on loopback:
// on the writing thread it would halve the speed of a fast download. A
// writer that gets far ahead waits for it a little at a time, so the blocks
// held for it stay few.
class WrittenDigest
{
public:
    WrittenDigest();
    ~WrittenDigest();

    // A pass starts at the first byte of the file.
    void begin();
    // The pass broke off; what it saw says nothing about the file.
    void drop();
    // The first size bytes of block were written at position; anywhere but
    // right after the last block ends the pass.
    void add(qint64 position, const QByteArray &block, qint64 size);
    // The last byte is written and the file now lies at path, closed.
    void finish(const QString &path, qint64 size);
    // The 32 lower-case hex digits, when path is the file the pass wrote
    // and it is still as the pass left it; else empty.
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
    struct Block
    {
        quint64 pass;
        QByteArray bytes;
    };
    static Stamp stampOf(const QString &path);
    void run();

    enum class State { Idle, Hashing, Done };
    // Used by the writing thread only.
    State m_state = State::Idle;
    qint64 m_next = 0;
    QString m_digest;
    Stamp m_stamp;

    // Shared with the hashing thread.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Block> m_queue;
    qint64 m_backlog = 0;
    quint64 m_pass = 0; // the pass now written
    quint64 m_hashedPass = 0; // the pass m_hash holds
    qint64 m_hashed = 0; // bytes of it
    bool m_hashing = false;
    bool m_stopping = false;
    QCryptographicHash m_hash { QCryptographicHash::Md5 };
    std::thread m_thread;
};
