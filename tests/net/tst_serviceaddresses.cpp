#include "net/serviceaddresses.h"

#include <QtTest>

class tst_ServiceAddresses : public QObject
{
    Q_OBJECT

private slots:
    void acceptableOrigins_data()
    {
        QTest::addColumn<QString>("origin");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("https") << "https://content.vantor.example" << true;
        QTest::newRow("http loopback") << "http://127.0.0.1:8080" << true;
        QTest::newRow("http elsewhere") << "http://content.vantor.example" << false;
        QTest::newRow("http loopback-looking name") << "http://127.0.0.1.evil.example" << false;
        QTest::newRow("ftp") << "ftp://127.0.0.1" << false;
        QTest::newRow("with a path") << "https://x.example/api" << false;
        QTest::newRow("with credentials") << "https://u:p@x.example" << false;
        QTest::newRow("garbage") << "not a url" << false;
    }

    void acceptableOrigins()
    {
        QFETCH(QString, origin);
        QTEST(ServiceAddresses::isAcceptableOrigin(origin), "accepted");
    }

    void environmentOverrides()
    {
        qunsetenv("TESSARIL_CONTENT_ORIGIN");
        const QString builtIn = ServiceAddresses::contentServiceBase();
        QVERIFY(builtIn.startsWith(QLatin1String("https://"))
            && builtIn.endsWith(QLatin1String("/qx7a_global")));
        qputenv("TESSARIL_CONTENT_ORIGIN", "http://content.elsewhere.example");
        QCOMPARE(ServiceAddresses::contentServiceBase(), builtIn);
    }
};

QTEST_APPLESS_MAIN(tst_ServiceAddresses)
#include "tst_serviceaddresses.moc"
