#pragma once

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>

class QNetworkAccessManager;
class QNetworkReply;

struct DiffInfo
{
    QString name;
    QString md5;
    QString path;
    QString version;
    QString size; // decimal text
};

// The launcher's view of the game resource manifest and the launcher content
// reply. Absent keys read as empty text, 0 or an empty list; a body that is
// not JSON changes nothing.
class UpdateVersionInfo : public QObject
{
    Q_OBJECT

public:
    explicit UpdateVersionInfo(QObject *parent = nullptr);

    void parseGameInfo(const QByteArray &body);
    void parseContent(const QByteArray &body);

    // The incremental package for fromVersion when the manifest lists one,
    // else the full package.
    QString getUrl(const QString &fromVersion) const;
    QString getMd5(const QString &fromVersion) const;
    qint64 getSize(const QString &fromVersion) const;

    // Why the package for fromVersion cannot be used (an md5 that is not 32
    // hexadecimal digits would only fail after the whole download), or empty.
    // An empty md5 is usable: the archive's own checksums still guard it.
    QString packageProblem(const QString &fromVersion) const;

    static QString fileName(const QString &url);
    static QString fileBaseName(const QString &url);

    QString latestVersion() const { return m_latestVersion; }
    QString latestPath() const { return m_latestPath; }
    QString latestEntry() const { return m_latestEntry; }
    QString latestName() const { return m_latestName; }
    QString latestMd5() const { return m_latestMd5; }
    qint64 latestSize() const { return m_latestSize; }
    const QMap<QString, DiffInfo> &diffs() const { return m_diffs; }
    QVariantList plugins() const { return m_plugins; }
    QString webUrl() const { return m_webUrl; }
    QString minVersion() const { return m_minVersion; }
    QString forceUpdateUrl() const { return m_forceUpdateUrl; }
    QString background() const;
    QString bannerUrl() const { return m_bannerUrl; }
    QString bannerIcon() const { return m_bannerIcon; }
    QString websiteLink() const { return m_websiteLink; }
    QString forumLink() const { return m_forumLink; }
    QString versionTitle() const { return m_versionTitle; }
    QString versionDesc() const { return m_versionDesc; }
    QString versionTitleColor() const { return m_versionTitleColor; }
    QString versionDescColor() const { return m_versionDescColor; }

signals:
    // The size query answered and latestSize() now holds the package size.
    void latestSizeKnown(qint64 size);

private slots:
    void OnHeaderResponseFinished();

private:
    void querySize();

    QString m_latestVersion;
    QString m_latestPath;
    QString m_latestEntry;
    QString m_latestName;
    QString m_latestMd5;
    qint64 m_latestSize = 0;
    QMap<QString, DiffInfo> m_diffs;
    QVariantList m_plugins;
    QString m_webUrl;
    QString m_minVersion;
    QString m_forceUpdateUrl;
    QString m_background;
    QString m_bannerUrl;
    QString m_bannerIcon;
    QString m_websiteLink;
    QString m_forumLink;
    QString m_versionTitle;
    QString m_versionDesc;
    QString m_versionTitleColor;
    QString m_versionDescColor;

    QNetworkAccessManager *m_manager = nullptr;
    QPointer<QNetworkReply> m_sizeReply;
};
