#include "core/errordefine.h"

#include <QThread>
#include <QtTest>

using ErrorCode = ErrorDefine::ErrorCode;

namespace {

class Emitter : public QObject
{
    Q_OBJECT
signals:
    void failed(ErrorCode code, const QString &message);
};

class Receiver : public QObject
{
    Q_OBJECT
public:
    ErrorDefine::ErrorCode received = ErrorDefine::DEFAULTT;
    QThread *receivedOn = nullptr;
public slots:
    void onFailed(ErrorCode code, const QString &)
    {
        received = code;
        receivedOn = QThread::currentThread();
    }
};

} // namespace

class tst_ErrorDefine : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << "DEFAULTT";
        QTest::newRow("1000") << 1000 << "DOWNLOAD_OPEN_FILE_ERROR";
        QTest::newRow("1005") << 1005 << "DOWNLOAD_NETWORK_GETHEADER_ERROR";
        QTest::newRow("1007") << 1007 << "DOWNLOAD_NETWORK_REPLY_ERROR";
        QTest::newRow("1017") << 1017 << "SETUP_ZIP_PASSWORD_ERROR";
        QTest::newRow("1021") << 1021 << "SETUP_DELETE_OLD_FILE_ERROR";
        QTest::newRow("1024") << 1024 << "HTTP_REQUEST_TIMEOUT";
        QTest::newRow("1025") << 1025 << "HTTP_REQUEST_FILA";
        QTest::newRow("1026") << 1026 << "CATCH_EXCEPTION_INIT_UPDATEINFO";
        QTest::newRow("999") << 999 << QString();
        QTest::newRow("1027") << 1027 << QString();
        QTest::newRow("-1") << -1 << QString();
    }

    void names()
    {
        QFETCH(int, value);
        QFETCH(QString, name);
        const QString text = errorCodeText(ErrorDefine::ErrorCode(value));
        QCOMPARE(text, name);
        QCOMPARE(text.isNull(), name.isNull());
    }

    void bothTypeNamesRegistered()
    {
        ErrorDefine::registerMetaTypes();
        ErrorDefine::registerMetaTypes();
        const int id = QMetaType::type("ErrorDefine::ErrorCode");
        QVERIFY(id != QMetaType::UnknownType);
        QCOMPARE(QMetaType::type("ErrorCode"), id);
        QVERIFY(QMetaType::typeFlags(id) & QMetaType::IsEnumeration);
    }

    void queuedAcrossThreads()
    {
        ErrorDefine::registerMetaTypes();
        QThread worker;
        auto *emitter = new Emitter;
        emitter->moveToThread(&worker);
        connect(&worker, &QThread::finished, emitter, &QObject::deleteLater);
        Receiver receiver;
        // The string-based form resolves the alias the way the error signals spell it.
        QVERIFY(connect(emitter, SIGNAL(failed(ErrorCode, QString)), &receiver,
            SLOT(onFailed(ErrorCode, QString)), Qt::QueuedConnection));
        worker.start();
        QMetaObject::invokeMethod(emitter, [emitter] {
            emit emitter->failed(ErrorDefine::SETUP_ZIP_PASSWORD_ERROR, QStringLiteral("x"));
        });
        QTRY_COMPARE(receiver.received, ErrorDefine::SETUP_ZIP_PASSWORD_ERROR);
        QCOMPARE(receiver.receivedOn, QThread::currentThread());
        worker.quit();
        worker.wait();
    }
};

QTEST_MAIN(tst_ErrorDefine)
#include "tst_errordefine.moc"
