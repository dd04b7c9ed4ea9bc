#include "platform/namedmutex.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

class tst_NamedMutex : public QObject
{
    Q_OBJECT

private slots:
    void liveHolderSeenUntilKilled()
    {
        const QString name = QStringLiteral("tessaril.test_Tessaril_update");
        QVERIFY(!platform::isNamedMutexHeld(name));
        QProcess holder;
        QCOMPARE(
            startHelper(holder, { QStringLiteral("hold-mutex"), name }), QStringLiteral("owner"));
        QVERIFY(platform::isNamedMutexHeld(name));
        QVERIFY(platform::isNamedMutexHeld(name)); // probing does not disturb it
        QVERIFY(!platform::NamedMutexHolder(name).isOwner());

        holder.kill(); // SIGKILL: no chance to clean up
        QVERIFY(holder.waitForFinished(5000));
        QVERIFY(!platform::isNamedMutexHeld(name));
        {
            // The file left behind is taken over at once, and let go with its holder.
            platform::NamedMutexHolder next(name);
            QVERIFY(next.isOwner());
            QVERIFY(platform::isNamedMutexHeld(name));
        }
        QVERIFY(!platform::isNamedMutexHeld(name));
    }
};

TESSARIL_TEST_MAIN(tst_NamedMutex)
#include "tst_namedmutex.moc"
