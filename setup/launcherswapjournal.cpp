#include "setup/launcherswapjournal.h"

#include "setup/launcherswapplan.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

// A launcher has a few hundred files; anything near this is not a journal.
constexpr qint64 kMaxJournalBytes = 64 << 20;

const QString kStep = QStringLiteral("step");
const QString kAside = QStringLiteral("aside");
const QString kIncoming = QStringLiteral("incoming");
const QString kMadeFolders = QStringLiteral("made_folders");

QJsonArray toArray(const QStringList &paths)
{
    QJsonArray array;
    for (const QString &path : paths)
        array.append(path);
    return array;
}

// Every entry passes the same checks as a file list line, so a damaged or
// forged journal can never make recovery move anything outside the
// program files' places.
bool fromArray(const QJsonValue &value, QStringList &paths)
{
    if (!value.isArray())
        return false;
    paths.clear();
    const QJsonArray array = value.toArray();
    for (const QJsonValue &entry : array) {
        const QString path = LauncherSwapPlan::programPath(entry.toString());
        if (!entry.isString() || path.isNull() || path != entry.toString()
            || LauncherSwapPlan::isUserPath(path))
            return false;
        paths.append(path);
    }
    return true;
}

} // namespace

LauncherSwapJournal::Read LauncherSwapJournal::read(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return Read::Absent;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxJournalBytes)
        return Read::Damaged;
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    const int stepValue = object.value(kStep).toInt(-1);
    if (stepValue < int(Step::KeepingOld) || stepValue > int(Step::Committed))
        return Read::Damaged;
    if (!fromArray(object.value(kAside), aside) || !fromArray(object.value(kIncoming), incoming)
        || !fromArray(object.value(kMadeFolders), madeFolders))
        return Read::Damaged;
    step = Step(stepValue);
    return Read::Read;
}

bool LauncherSwapJournal::write(const QString &path) const
{
    QJsonObject object;
    object.insert(kStep, int(step));
    object.insert(kAside, toArray(aside));
    object.insert(kIncoming, toArray(incoming));
    object.insert(kMadeFolders, toArray(madeFolders));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return file.write(data) == data.size() && file.commit();
}
