#include "download/resumestore.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

namespace {

// What the file on disk says. A QSettings of this program on the store's own
// path would show what the store holds in memory, written or not, so the
// file is read through a copy.
QVariant onDisk(const QString &path, const QString &key)
{
    static int copies = 0;
    const QString copy = path + QStringLiteral(".copy%1").arg(++copies);
    if (!QFile::copy(path, copy))
        return QVariant();
    return QSettings(copy, QSettings::IniFormat).value(key);
}

} // namespace

// Records reach the disk off the caller's thread, so a launcher killed in
// the middle of a download continues where the file is; other records in the
// same file stay as they are.
class tst_ResumeStore : public QObject
{
    Q_OBJECT

private slots:
    void recordsReachTheDiskOnTheirOwn()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("resume.ini"));
        QSettings(path, QSettings::IniFormat).setValue(QStringLiteral("other.zip/0"), 1234);
        ResumeStore store;
        store.setFile(path);
        QCOMPARE(store.segments(QStringLiteral("other.zip"), 9999).value(0).done, 1234);

        store.record(QStringLiteral("pkg.zip"), { { 0, 9999, 5000 } });
        QCOMPARE(store.segments(QStringLiteral("pkg.zip"), 9999).value(0).done, 5000);
        QTRY_VERIFY(onDisk(path, QStringLiteral("pkg.zip/0")).toLongLong() == 5000);
        store.record(QStringLiteral("pkg.zip"), { { 0, 9999, 9000 } });
        QTRY_VERIFY(onDisk(path, QStringLiteral("pkg.zip/0")).toLongLong() == 9000);

        store.forget(QStringLiteral("pkg.zip"));
        QVERIFY(store.segments(QStringLiteral("pkg.zip"), 9999).isEmpty());
        QTRY_VERIFY(!onDisk(path, QStringLiteral("pkg.zip/0")).isValid());
        QCOMPARE(onDisk(path, QStringLiteral("other.zip/0")).toInt(), 1234);
    }
};

TESSARIL_TEST_MAIN(tst_ResumeStore)
#include "tst_resumestore.moc"
