#include "core/launcherconfig.h"
#include "net/applicationinfo.h"
#include "net/updateprogram.h"
#include "net/updateprompt.h"
#include "tests/support/servicestub.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

namespace {

// Answers the update's questions as the test says and remembers them.
struct ScriptedPrompt : UpdatePrompt
{
    bool answer = true;
    QStringList asked;
    QStringList told;
    bool ask(const QString &, const QString &text, const QString &) override
    {
        asked << text;
        return answer;
    }
    void tell(const QString &, const QString &text) override { told << text; }
};

struct Release
{
    QString version = QStringLiteral("2.3.5.0");
    QString url = QStringLiteral("https://cdn.example/launcher.7z");
    QString md5 = QStringLiteral("0123456789ABCDEF0123456789abcdef");
    qint64 size = 1024;
};

QJsonDocument release(const QString &hasUpdate, const QString &userDefined, int type = 1,
    const Release &offer = Release())
{
    return QJsonDocument(QJsonObject { { "data",
        QJsonObject { { "has_update", hasUpdate }, { "user_defined", userDefined },
            { "update_type", type }, { "package_version", offer.version },
            { "package_url", offer.url }, { "package_md5", offer.md5 },
            { "package_size", QString::number(offer.size) } } } });
}

QString setting(const QString &key)
{
    return LauncherConfig::instance()->getString(key, QString());
}

// Rows of the tables below; the columns are told where the rows are made.
using Applies = std::tuple<QString, QString, bool>;
using Offer = std::tuple<bool, bool, int, bool, int, bool, bool>;
using Unusable = std::tuple<QString, QString, QString>;
using Failure = std::tuple<int, bool, int>;

} // namespace

Q_DECLARE_METATYPE(Applies)
Q_DECLARE_METATYPE(Offer)
Q_DECLARE_METATYPE(Unusable)
Q_DECLARE_METATYPE(Failure)

class tst_LauncherRelease : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    ServiceStub m_service;

    void configure(bool automatic)
    {
        LauncherConfig::instance()->setBool(QStringLiteral("is_auto_update"), automatic, QString());
    }

private slots:
    void initTestCase()
    {
        LauncherConfig::useFile(m_folder.filePath(QStringLiteral("config.ini")));
    }

    void whichReleasesApply_data()
    {
        // has_update, user_defined, whether the release applies here
        QTest::addColumn<Applies>("row");
        QTest::newRow("another launcher's release")
            << Applies { "true", "{\"app_id\":\"11\"}", false };
        QTest::newRow("this launcher's release") << Applies { "true", "{\"app_id\":\"10\"}", true };
        QTest::newRow("nothing new") << Applies { "false", "", false };
    }

    void whichReleasesApply()
    {
        QFETCH(Applies, row);
        const auto [hasUpdate, userDefined, applies] = row;
        ScriptedPrompt prompt;
        UpdateProgram program(prompt);
        QSignalSpy news(&program, &UpdateProgram::newProgramVersionUpdate);
        QCOMPARE(program.parseReleaseInfo(release(hasUpdate, userDefined)), applies);
        QCOMPARE(news.count(), 1);
        QCOMPARE(setting(QStringLiteral("new_version")),
            applies ? QStringLiteral("2.3.5.0") : QStringLiteral("2.3.4.0"));
        if (applies)
            QCOMPARE(
                program.offer().packageMd5, QStringLiteral("0123456789abcdef0123456789abcdef"));
    }

    void offerImposeOrStart_data()
    {
        // automatic updates, asked by the player, update type, the answer;
        // then questions asked, whether the update starts, whether it quits
        QTest::addColumn<Offer>("row");
        QTest::newRow("automatic but asked: the question") << Offer { 1, 1, 1, 0, 1, 0, 0 };
        QTest::newRow("optional, declined") << Offer { 0, 0, 1, 0, 1, 0, 0 };
        QTest::newRow("optional, accepted") << Offer { 0, 0, 1, 1, 1, 1, 0 };
        QTest::newRow("mandatory, declined: quits") << Offer { 0, 0, 2, 0, 1, 0, 1 };
    }

    void offerImposeOrStart()
    {
        QFETCH(Offer, row);
        const auto [automatic, userAsked, type, answer, questions, starts, quits] = row;
        configure(automatic);
        ScriptedPrompt prompt;
        prompt.answer = answer;
        UpdateProgram program(prompt);
        program.setLauncherFolder(m_folder.path());
        QSignalSpy started(&program, &UpdateProgram::startUpdate);
        QSignalSpy quit(&program, &UpdateProgram::quitApp);
        program.onCheckProgramUpdate(release(QStringLiteral("true"), QString(), type), userAsked);
        QCOMPARE(prompt.asked.size(), questions);
        QCOMPARE(started.count(), starts ? 1 : 0);
        QCOMPARE(quit.count(), quits ? 1 : 0);
        if (starts)
            QCOMPARE(started.first().first().value<AppVersionInfo>().packageSize, 1024);
    }

    // The updater would refuse these, or find no room for them: the launcher
    // would have quit for nothing, at every start with automatic updates on.
    void unusableReleaseIsNeverHandedOver_data()
    {
        // member of the release, its value, what the player is told (empty:
        // refused without a word)
        QTest::addColumn<Unusable>("row");
        QTest::newRow("http elsewhere") << Unusable { "url", "http://cdn.example/launcher.7z", "" };
        QTest::newRow("file URL") << Unusable { "url", "file:///tmp/launcher.7z", "" };
        QTest::newRow("md5 empty") << Unusable { "md5", "", "" };
        QTest::newRow("older version") << Unusable { "version", "2.3.3.9", "" };
        QTest::newRow("too little space")
            << Unusable { "size", "", "message_update_failed_not_enough_space" };
    }

    void unusableReleaseIsNeverHandedOver()
    {
        QFETCH(Unusable, row);
        const auto [member, value, told] = row;
        Release offer;
        if (member == "size")
            offer.size = QStorageInfo(m_folder.path()).bytesAvailable() + (qint64(1) << 40);
        else
            (member == "url" ? offer.url : member == "md5" ? offer.md5 : offer.version) = value;
        configure(true);
        ScriptedPrompt prompt;
        UpdateProgram program(prompt);
        program.setLauncherFolder(m_folder.path());
        QSignalSpy started(&program, &UpdateProgram::startUpdate);
        QSignalSpy refused(&program, &UpdateProgram::releaseRefused);
        program.onCheckProgramUpdate(release(QStringLiteral("true"), QString(), 2, offer), false);
        QCOMPARE(started.count(), 0);
        QCOMPARE(refused.count(), told.isEmpty() ? 1 : 0);
        QCOMPARE(prompt.told, told.isEmpty() ? QStringList() : QStringList { told });
        QVERIFY(prompt.asked.isEmpty());
        if (told.isEmpty())
            QCOMPARE(setting(QStringLiteral("new_version")), QStringLiteral("2.3.4.0"));
    }

    void failedQueriesGiveUp_data()
    {
        // status of every answer, asked by the player, requests expected
        QTest::addColumn<Failure>("row");
        QTest::newRow("three tries, silent") << Failure { 500, false, 3 };
        QTest::newRow("603 gives up at once") << Failure { 603, false, 1 };
        QTest::newRow("asked: offered again, declined") << Failure { 500, true, 3 };
    }

    void failedQueriesGiveUp()
    {
        QFETCH(Failure, row);
        const auto [status, userAsked, requests] = row;
        configure(false);
        m_service.route(ServiceStub::kRelease, "busy", status);
        m_service.clearRequests();
        ScriptedPrompt prompt;
        prompt.answer = false;
        ApplicationInfo info(prompt);
        QSignalSpy replies(&info, &ApplicationInfo::programVerInfoReply);
        info.requestLatestRelease(userAsked);
        QTRY_COMPARE(m_service.requestsFor(ServiceStub::kRelease).size(), requests);
        // A settle request proves nothing more was on its way.
        m_service.settle();
        QCOMPARE(m_service.requestsFor(ServiceStub::kRelease).size(), requests);
        QCOMPARE(prompt.asked.size(), userAsked ? 1 : 0);
        QCOMPARE(replies.count(), 0);
        const RecordedRequest first = m_service.requestsFor(ServiceStub::kRelease).first();
        QCOMPARE(
            first.query.queryItemValue(QStringLiteral("app_version")), QStringLiteral("2.3.4.0"));
    }
};

TESSARIL_TEST_MAIN(tst_LauncherRelease)
#include "tst_launcherrelease.moc"
