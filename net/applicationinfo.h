#pragma once

#include <QJsonDocument>
#include <QObject>

class HttpRequestAPI;
class UpdatePrompt;

// Asks the launcher release service for the newest launcher. A failed query
// is tried three times in all (once for status 603) before it gives up;
// when the player asked for the check, giving up offers to try again.
class ApplicationInfo : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTries = 3;
    static constexpr int kGiveUpStatus = 603;

    ApplicationInfo(UpdatePrompt &prompt, QObject *parent = nullptr);
    ~ApplicationInfo() override;

    // userAsked: the player asked for this check, so its outcome is shown to
    // them; it holds for the retries of the same check.
    void requestLatestRelease(bool userAsked = false);
    // The client the queries go through, created by the first query.
    HttpRequestAPI *client() const { return m_api; }

signals:
    void programVerInfoReply(const QJsonDocument &jsonDoc, bool userAsked);

private:
    void onReply(bool ok, const QByteArray &body, int status);

    UpdatePrompt &m_prompt;
    HttpRequestAPI *m_api = nullptr;
    // Failed queries since the last give-up; a success does not reset it.
    int m_failures = 0;
    bool m_userAsked = false;
};
