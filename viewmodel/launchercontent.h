#pragma once

#include <QObject>
#include <QString>

class DialogPresenter;
class ServiceRequest;
class UpdateVersionInfo;
class downloadmanager;

// What the publisher changes without a launcher release: the background,
// the activity button, the web page and the version banner. Asks the content
// service, retries quietly, then offers a retry; keeps the images in the
// program's cache folder and the banner texts in the configuration.
class LauncherContent : public QObject
{
    Q_OBJECT

public:
    LauncherContent(UpdateVersionInfo &info, DialogPresenter &dialogs, QObject *parent = nullptr);

    void setLanguage(const QString &language) { m_language = language; }
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }

    void request();
    void resetRetries();

    QString bgPath() const;
    QString mainBgUrl() const;
    QString versionTitle() const;
    QString versionDesc() const;
    QString versionTitleColor() const;
    QString versionDescColor() const;

    // Stores the manifest's banner texts that are set and announces all four.
    void refreshVersionBanner();
    QString activityUrl() const;
    // The activity button shows only with its icon on disk and a link to go to.
    bool activityVisible() const { return m_activityVisible; }
    QString activityImage() const { return m_activityImage; }
    // Asks for the web view's reload once after the content changed.
    void reloadWebIfPending();

signals:
    void bgPathChanged(const QString &path);
    void mainBgResChanged();
    void versionTitleChanged(const QString &title);
    void versionDescChanged(const QString &desc);
    void versionTitleColorChanged(const QString &color);
    void versionDescColorChanged(const QString &color);
    void activityChanged();
    // The content service answered: a page that failed while it was out of
    // reach gets another chance.
    void answered();
    void webReloadWanted();

private:
    void onReply(const QByteArray &body);
    void offerRetry();
    void applyBackground();
    void onBackgroundDownloaded();
    void onIconDownloaded();
    QString cacheFolder() const;
    QString imagePath(const QString &name) const;
    void fetchImage(downloadmanager *downloader, const QString &url);

    UpdateVersionInfo &m_info;
    DialogPresenter &m_dialogs;
    ServiceRequest *m_request = nullptr;
    downloadmanager *m_bgImageDownloader = nullptr;
    downloadmanager *m_iconDownloader = nullptr;
    QString m_language = QStringLiteral("en");
    QString m_programFolder;
    bool m_webReloadPending = true;
    bool m_activityVisible = false;
    QString m_activityImage;
    // The first reply comes with the page's own first load; only later ones
    // need the page reloaded.
    bool m_firstReply = true;
};
