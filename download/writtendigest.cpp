#include "download/writtendigest.h"

#include <QDir>
#include <QFileInfo>

#include <chrono>

namespace {

// About 4 ms of hashing: what finish() normally waits for.
constexpr qint64 kBacklogBytes = 2 << 20;
constexpr auto kLongestWait = std::chrono::milliseconds(2);
// A hasher this far behind is not catching up (the machine is busy with
// something else): the file is read again instead, rather than holding the
// window while it catches up.
constexpr qint64 kGiveUpBytes = 8 << 20;
constexpr auto kLongestFinish = std::chrono::milliseconds(25);

} // namespace

WrittenDigest::WrittenDigest()
    : m_thread([this] { run(); })
{
}

WrittenDigest::~WrittenDigest()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_changed.notify_all();
    m_thread.join();
}

void WrittenDigest::begin()
{
    drop();
    {
        // A new pass number makes the hasher start over at its first block.
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_pass;
    }
    m_state = State::Hashing;
    m_next = 0;
}

void WrittenDigest::drop()
{
    if (m_state == State::Hashing) {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_pass;
        m_queue.clear();
        m_backlog = 0;
    }
    m_state = State::Idle;
    m_digest.clear();
}

void WrittenDigest::add(qint64 position, const QByteArray &block, qint64 size)
{
    if (m_state != State::Hashing)
        return;
    if (position != m_next) {
        drop();
        return;
    }
    m_next += size;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_queue.push_back({ m_pass, size == block.size() ? block : block.left(int(size)) });
    m_backlog += size;
    m_changed.notify_all();
    if (m_backlog > kBacklogBytes)
        m_changed.wait_for(lock, kLongestWait, [this] { return m_backlog <= kBacklogBytes; });
    if (m_backlog > kGiveUpBytes) {
        lock.unlock();
        drop();
    }
}

void WrittenDigest::finish(const QString &path, qint64 size)
{
    if (m_state != State::Hashing || m_next != size) {
        drop();
        return;
    }
    QByteArray result;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const bool drained = m_changed.wait_for(
            lock, kLongestFinish, [this] { return m_queue.empty() && !m_hashing; });
        if (drained && m_hashedPass == m_pass && m_hashed == size)
            result = m_hash.result().toHex();
    }
    m_stamp = stampOf(path);
    if (result.isEmpty() || m_stamp.size != size) {
        drop();
        return;
    }
    m_digest = QString::fromLatin1(result);
    m_state = State::Done;
}

QString WrittenDigest::digestFor(const QString &path) const
{
    if (m_state != State::Done || !(stampOf(path) == m_stamp))
        return QString();
    return m_digest;
}

void WrittenDigest::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_stopping; });
        if (m_stopping)
            return;
        const Block block = std::move(m_queue.front());
        m_queue.pop_front();
        if (block.pass != m_hashedPass) {
            m_hash.reset();
            m_hashedPass = block.pass;
            m_hashed = 0;
        }
        m_hashing = true;
        lock.unlock();
        m_hash.addData(block.bytes);
        lock.lock();
        m_hashing = false;
        m_hashed += block.bytes.size();
        if (block.pass == m_pass)
            m_backlog -= block.bytes.size();
        m_changed.notify_all();
    }
}

bool WrittenDigest::Stamp::operator==(const Stamp &other) const
{
    return path == other.path && size == other.size && modified == other.modified
        && changed == other.changed;
}

// The change time moves with any write, rename or change of mode, and no
// program can set it back.
WrittenDigest::Stamp WrittenDigest::stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return Stamp();
    return Stamp { QDir::cleanPath(info.absoluteFilePath()), info.size(), info.lastModified(),
        info.metadataChangeTime() };
}
