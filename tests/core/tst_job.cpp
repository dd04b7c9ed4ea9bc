#include "core/threadjob.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Works until told to stop, or fails or succeeds at once, as asked.
class ScriptedWork : public ThreadJob
{
public:
    enum Outcome { Succeed, Fail, WaitForStop };
    explicit ScriptedWork(Outcome outcome)
        : m_outcome(outcome)
    {
    }
    QSemaphore running;

protected:
    bool work() override
    {
        reportProgress(1, 2);
        running.release();
        if (m_outcome == Fail)
            setError(ErrorDefine::SETUP_ZIP_ERROR, QStringLiteral("broken"));
        while (m_outcome == WaitForStop && !stopRequested())
            QThread::usleep(200);
        return m_outcome == Succeed;
    }

private:
    Outcome m_outcome;
};

// The work's outcome, whether the job is aborted (twice), the state it ends
// in and its error as the player sees it.
using Outcome = std::tuple<ScriptedWork::Outcome, bool, Job::State, QString>;

} // namespace

Q_DECLARE_METATYPE(Outcome)

class tst_Job : public QObject
{
    Q_OBJECT

private slots:
    void endsOnceWithItsOutcome_data()
    {
        QTest::addColumn<Outcome>("row");
        QTest::newRow("success") << Outcome { ScriptedWork::Succeed, false, Job::State::Succeeded,
            "[0]:" };
        QTest::newRow("failure") << Outcome { ScriptedWork::Fail, false, Job::State::Failed,
            "[1009]:broken" };
        QTest::newRow("abort, asked twice")
            << Outcome { ScriptedWork::WaitForStop, true, Job::State::Aborted, "[0]:" };
    }
    void endsOnceWithItsOutcome()
    {
        QFETCH(Outcome, row);
        const auto [outcome, abortTwice, state, error] = row;
        ScriptedWork job { outcome };
        QSignalSpy finished(&job, &Job::finished);
        QSignalSpy progress(&job, &Job::progress);
        job.start();
        job.start();
        QVERIFY(job.running.tryAcquire(1, 5000));
        if (abortTwice) {
            job.abort();
            job.abort();
        }
        QVERIFY(finished.wait(5000));
        QCOMPARE(job.state(), state);
        QCOMPARE(job.errorString(), error);
        job.abort();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(progress.count(), 1);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(job.running.available(), 0); // the second start ran nothing
    }
};

QTEST_GUILESS_MAIN(tst_Job)
#include "tst_job.moc"
