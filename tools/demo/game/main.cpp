// A stand-in for the game: a window that says which version of it runs, so
// the demo shows at a glance what an install or an update changed.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll()).trimmed();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QDir folder(QCoreApplication::applicationDirPath());
    // The version travels with the game's data, as a real game's build
    // number would, so an incremental package changes it like any file.
    QString version = readText(folder.filePath(QStringLiteral("Quorvela_Data/version.txt")));
    if (version.isEmpty())
        version = QStringLiteral("unknown");
    const QString news
        = readText(folder.filePath(QStringLiteral("Quorvela_Data/StreamingAssets/embers.txt")));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Quorvela %1").arg(version));
    window.setStyleSheet(QStringLiteral("background: #17120d; color: #f3e6c8;"));
    auto *layout = new QVBoxLayout(&window);
    auto *title = new QLabel(QStringLiteral("Quorvela"));
    title->setStyleSheet(QStringLiteral("font-size: 44px; color: #ffd846; letter-spacing: 6px;"));
    auto *running = new QLabel(QStringLiteral("version %1 is running").arg(version));
    running->setObjectName(QStringLiteral("version"));
    running->setStyleSheet(QStringLiteral("font-size: 26px;"));
    auto *detail
        = new QLabel(news.isEmpty() ? QStringLiteral("The northern gate is closed.") : news);
    detail->setStyleSheet(QStringLiteral("font-size: 15px; color: #bba98a;"));
    auto *where = new QLabel(QDir::toNativeSeparators(folder.path()));
    where->setStyleSheet(QStringLiteral("font-size: 11px; color: #7d7160;"));
    for (QLabel *label : { title, running, detail, where }) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    window.resize(560, 300);
    window.show();
    return QApplication::exec();
}
