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
    void textOfKnownAndUnknownValues()
    {
        QCOMPARE(errorCodeText(ErrorDefine::HTTP_REQUEST_TIMEOUT),
            QStringLiteral("HTTP_REQUEST_TIMEOUT"));
        // In the gap below the first range, past the last value, and negative.
        const QMetaEnum codes = QMetaEnum::fromType<ErrorCode>();
        for (int unknown : { 999, codes.value(codes.keyCount() - 1) + 1, -1 })
            QVERIFY(errorCodeText(ErrorCode(unknown)).isNull());
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
