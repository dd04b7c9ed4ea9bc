#pragma once

#include "tests/support/httptestserver.h"

#include <QJsonArray>
#include <QJsonObject>

// A resource reply: {"data":{"game":{"latest":latest,"diffs":diffs}}}, with
// data's members beside "game" ("plugin", "force_update", "web_url"). No
// "diffs" when there are none.
QByteArray manifest(
    const QJsonObject &latest, const QJsonArray &diffs = {}, const QJsonObject &data = {});

// A content reply: {"data":{"adv":adv}}.
QByteArray contentReply(const QJsonObject &adv = {});

// The launcher's services on one test server: every origin the launcher
// reads from the environment points at it for the life of the process, the
// report service and the content query answer with nothing in particular,
// and the resource query is the test's to route.
class ServiceStub : public HttpTestServer
{
    Q_OBJECT

public:
    explicit ServiceStub(QObject *parent = nullptr);

    static const QString kResource; // the manifest
    static const QString kContent; // background, banner, activity link
    static const QString kRelease; // the launcher's latest release
    static const QString kReport; // status reports
};
