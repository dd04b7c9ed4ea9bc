#pragma once

#include <QObject>
#include <QString>

class DialogPresenter;
class HttpRequestAPI;
class UpdateVersionInfo;
class WindowItems;
class downloadmanager;

// What the publisher changes without a launcher release: the background,
// the activity button, the web page and the version banner. Asks the content
// service, retries quietly, then offers a retry; keeps the images in the
// program's cache folder and the banner texts in the configuration.
class LauncherContent : public QObject
{
    Q_OBJECT

public:
    LauncherContent(UpdateVersionInfo &info, WindowItems &items, DialogPresenter &dialogs,
        QObject *parent = nullptr);

    void setLanguage(const QString &language) { m_language = language; }
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }

    void request();
    void resetRetries() { m_retries = 0; }

    QString bgPath() const;
    QString mainBgUrl() const;
    QString versionTitle() const;
    QString versionDesc() const;
    QString versionTitleColor() const;
    QString versionDescColor() const;

    // Stores the manifest's banner texts that are set and announces all four.
    void refreshVersionBanner();
    QString activityUrl() const;
    // Reloads the web view once after the content changed.
    void reloadWebIfPending();

signals:
    void bgPathChanged(const QString &path);
    void mainBgResChanged();
    void versionTitleChanged(const QString &title);
    void versionDescChanged(const QString &desc);
    void versionTitleColorChanged(const QString &color);
    void versionDescColorChanged(const QString &color);

private:
    void onReply(bool ok, const QByteArray &body, int status);
    void offerRetry();
    void applyBackground();
    void onBackgroundDownloaded();
    void onIconDownloaded();
    QString cacheFolder() const;
    QString imagePath(const QString &name) const;
    void fetchImage(downloadmanager *downloader, const QString &url);

    UpdateVersionInfo &m_info;
    WindowItems &m_items;
    DialogPresenter &m_dialogs;
    HttpRequestAPI *m_api = nullptr;
    downloadmanager *m_bgImageDownloader = nullptr;
    downloadmanager *m_iconDownloader = nullptr;
    QString m_language = QStringLiteral("en");
    QString m_programFolder;
    int m_retries = 0;
    bool m_webReloadPending = true;
    // The first reply comes with the page's own first load; only later ones
    // need the page reloaded.
    bool m_firstReply = true;
};
