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
        QTest::newRow("numeric, not textual") << "2.3.4.0"
                                              << "2.3.10.0" << 1;
        QTest::newRow("extra trailing part ignored") << "2.3.4.0"
                                                     << "2.3.4" << 0;
        QTest::newRow("not a number") << "2.3.4.0"
                                      << "2.3.x.0" << -2;
        QTest::newRow("a newer") << "2.4.0.0"
                                 << "2.3.9.9" << -1;
        QTest::newRow("same text") << "abc"
                                   << "abc" << 0;
        QTest::newRow("empty part is not a number") << "2..1"
                                                    << "2.0.1" << -2;
        QTest::newRow("leading zeros count as numbers") << "1.02"
                                                        << "1.2" << 0;
        QTest::newRow("beyond 32 bits") << "1.4294967296"
                                        << "1.4294967297" << 1;
    }

    void compare()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, expected);
        QCOMPARE(compareVersion(a, b), expected);
    }
};

QTEST_APPLESS_MAIN(tst_VersionCompare)
#include "tst_versioncompare.moc"
