#include "download/sizequery.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

bool followable(const QUrl &target)
{
    const QString scheme = target.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

} // namespace

sizequery::sizequery(QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
}

void sizequery::ask(const QUrl &url)
{
    cancel();
    m_source = url;
    m_redirects = 0;
    send();
}

void sizequery::send()
{
    qDebug() << "Getting the file size...";
    m_reply = m_network->head(QNetworkRequest(m_source));
    connect(m_reply, &QNetworkReply::finished, this, &sizequery::onFinished);
}

// Deleted later: this may run inside the reply's own finished signal.
void sizequery::cancel()
{
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
}

void sizequery::conclude(qint64 size, int status)
{
    cancel();
    m_size = size;
    m_status = status;
    emit finished();
}

void sizequery::onFinished()
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_reply->error() != QNetworkReply::NoError) {
        conclude(0, status);
        return;
    }
    if (status == 200 || status == 206) {
        // Without a usable length there is nothing to preallocate or to
        // know completion by, so it counts as a failed question.
        bool ok = false;
        const qint64 size = m_reply->rawHeader("Content-Length").trimmed().toLongLong(&ok);
        if (ok && size > 0)
            qDebug() << "The file size is: " << size;
        conclude(ok && size > 0 ? size : 0, status);
        return;
    }
    static const QList<int> kRedirects = { 301, 302, 303, 305, 307, 308 };
    if (kRedirects.contains(status)) {
        const QUrl target = m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
        qDebug() << "redirectionTarget:" << target;
        const QUrl next = m_source.resolved(target);
        if (target.isValid() && !target.isEmpty() && followable(next)
            && (!m_redirectFilter || m_redirectFilter(next)) && m_redirects < kMaxRedirects) {
            ++m_redirects;
            cancel();
            m_source = next;
            send();
            return;
        }
    }
    conclude(0, status);
}
