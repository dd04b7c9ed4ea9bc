#include "core/versioncompare.h"

#include <QtTest>

class tst_VersionCompare : public QObject
{
    Q_OBJECT

private slots:
    void compare_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("expected");
        auto row = [](const char *name, QString a, QString b, int expected) {
            QTest::newRow(name) << a << b << expected;
        };
        row("numeric, not textual", "2.3.4.0", "2.3.10.0", 1);
        row("extra trailing part ignored", "2.3.4.0", "2.3.4", 0);
        row("not a number", "2.3.4.0", "2.3.x.0", -2);
        row("a newer", "2.4.0.0", "2.3.9.9", -1);
    }

    void compare()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QTEST(compareVersion(a, b), "expected");
    }
};

QTEST_APPLESS_MAIN(tst_VersionCompare)
#include "tst_versioncompare.moc"
