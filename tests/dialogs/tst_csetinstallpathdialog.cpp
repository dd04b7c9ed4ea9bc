#include "core/launcherconfig.h"
#include "dialogs/cdlgyesno.h"
#include "dialogs/csetinstallpathdialog.h"
#include "tests/support/guitestenvironment.h"
#include "tests/support/testdata.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QtTest>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

constexpr qint64 kGiB = qint64(1) << 30;

template <typename T> T *child(QWidget *dialog, const char *name)
{
    return dialog->findChild<T *>(QLatin1String(name));
}

// Plays the user's side of choosing a folder: "pick:<folder>" or "cancel"
// for the picker, "continue" or "again" for the question about a folder that
// is not empty. A dialog the steps do not expect is refused and recorded, so
// a wrong flow fails instead of waiting forever.
class Answers : public QObject
{
public:
    explicit Answers(const QStringList &steps)
        : steps(steps)
    {
        connect(&m_poll, &QTimer::timeout, this, &Answers::answer);
        m_poll.start(20);
    }

    QStringList steps, unexpected, pickerStarts;

private:
    void answer()
    {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        auto *picker = qobject_cast<QFileDialog *>(modal);
        if (!modal || !modal->isVisible() || !(picker || qobject_cast<CDlgYesNo *>(modal)))
            return;
        if (picker)
            pickerStarts << picker->directory().absolutePath();
        const QString step = steps.value(0);
        const bool accept = step.startsWith(picker ? "pick:" : "continue");
        if (accept || step == (picker ? "cancel" : "again"))
            steps.removeFirst();
        else
            unexpected << (picker ? "picker" : "question");
        if (picker && accept)
            child<QLineEdit>(modal, "fileNameEdit")->setText(step.mid(5));
        // As the picker's Choose or the question's confirm button does.
        accept ? modal->accept() : modal->reject();
    }

    QTimer m_poll;
};

} // namespace

class tst_CSetInstallPathDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_tmpfs; // a 9.5 GiB tmpfs when this process may mount one
    QString m_readOnly; // a folder nobody here may write to, when one can be made

    QString folder(const QString &name) const
    {
        QDir().mkpath(m_dir.filePath(name));
        return m_dir.filePath(name);
    }

private slots:
    void initTestCase()
    {
        // Qt's own picker, which the test can find and answer; the program
        // keeps the system's.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        for (const char *name :
            { "full/Tessaril Game/save.dat", "hidden/Tessaril Game/.keep", "file.txt" })
            QVERIFY(writeFile(m_dir.filePath(QLatin1String(name)), {}));

        // In a mount namespace of its own the tmpfs goes away with the test,
        // however the test ends.
        const auto mountTmpfs = [](const QString &at, unsigned long flags, const char *size) {
            return mount("tmpfs", QFile::encodeName(at), "tmpfs", flags, size) == 0;
        };
        const QString mountPoint = folder("tmpfs");
        if (unshare(CLONE_NEWNS) == 0
            && mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
            && mountTmpfs(mountPoint, 0, "size=9728m"))
            m_tmpfs = mountPoint;
        // Root writes through permission bits, not into a read-only mount.
        const QString locked = folder("locked");
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        if (geteuid() != 0 || (!m_tmpfs.isEmpty() && mountTmpfs(locked, MS_RDONLY, "size=1m")))
            m_readOnly = locked;
    }

    void cleanupTestCase()
    {
        if (!m_tmpfs.isEmpty())
            umount(QFile::encodeName(m_tmpfs));
        if (geteuid() == 0 && !m_readOnly.isEmpty())
            umount(QFile::encodeName(m_readOnly));
        QFile::setPermissions(
            folder("locked"), QFile::WriteOwner | QFile::ReadOwner | QFile::ExeOwner);
    }

    // "<steps> = <folder chosen>", steps as Answers takes them with the
    // picked folders below the test folder; none chosen keeps the test folder.
    void chooseFolder_data()
    {
        QTest::addColumn<QString>("run");
        QTest::newRow("parent") << "pick:Games = Games/Tessaril Game";
        QTest::newRow("own, any case") << "pick:own/tessaril GAME = own/tessaril GAME";
        QTest::newRow("ends alike") << "pick:My Tessaril Game = My Tessaril Game/Tessaril Game";
        QTest::newRow("volume root") << "pick:/ = /Tessaril Game";
        QTest::newRow("not empty, continue") << "pick:full|continue = full/Tessaril Game";
        QTest::newRow("not empty, again, then an empty one")
            << "pick:full|again|pick:empty = empty/Tessaril Game";
        QTest::newRow("only a hidden file") << "pick:hidden|continue = hidden/Tessaril Game";
        QTest::newRow("cancel") << "cancel = ";
    }

    void chooseFolder()
    {
        QFETCH(QString, run);
        QStringList steps = run.section(" = ", 0, 0).split('|');
        for (QString &step : steps) {
            if (step.startsWith("pick:") && step != "pick:/")
                step = "pick:" + folder(step.mid(5));
        }
        const QString expected = run.section(" = ", 1);
        CSetInstallPathDialog dialog;
        dialog.setInstallPath(m_dir.path());
        Answers answers(steps);
        child<QPushButton>(&dialog, "btn_chgPath")->click();
        // Steps left over or dialogs nobody expected.
        QCOMPARE(answers.steps + answers.unexpected, QStringList());
        QCOMPARE(child<QLineEdit>(&dialog, "edt_path")->text(),
            expected.isEmpty() ? m_dir.path() : QDir(m_dir.path()).filePath(expected));
        QCOMPARE(answers.pickerStarts.value(0), m_dir.path());
    }

    // Refused folders and too little space show the banner and disable
    // confirming; a good folder afterwards clears everything the refusal set.
    void checksTheFolder_data()
    {
        QTest::addColumn<QString>("path"); // "<tmpfs>": a 9.5 GiB volume of its own
        QTest::addColumn<QString>("banner"); // empty when the folder passes
        QTest::addColumn<qint64>("required"); // on a live volume: beyond what it has free
        QTest::addColumn<QString>("labels");
        const QString space = "message_floder_not_enough_space", invalid = "messsage_path_invalid";
        const QString tmpfs = "<tmpfs>/Games/Tessaril Game", game = m_dir.filePath("Games/x");
        QTest::newRow("10 GiB on 9.5 GiB") << tmpfs << space << 10 * kGiB << "10.0 GB 9.5 GB";
        QTest::newRow("one byte short") << game << space << qint64(1) << "";
        QTest::newRow("equal bytes") << game << "" << qint64(0) << "";
        QTest::newRow("relative") << "Games/Tessaril Game" << invalid << qint64(0) << "";
        for (const char *path : { "file.txt/x", "locked" })
            QTest::newRow(path) << m_dir.filePath(path) << invalid << qint64(0) << "";
    }

    void checksTheFolder()
    {
        QFETCH(QString, path);
        QFETCH(qint64, required);
        QFETCH(QString, banner);
        QFETCH(QString, labels);
        if (path.startsWith("<tmpfs>") && m_tmpfs.isEmpty())
            QSKIP("no tmpfs: mounting one needs root");
        if (path.contains("locked") && m_readOnly.isEmpty())
            QSKIP("no read-only folder: root needs a mount for one");
        path.replace("<tmpfs>", m_tmpfs);
        CSetInstallPathDialog dialog;
        auto *ok = child<QPushButton>(&dialog, "btn_ok");
        auto *tip = child<QLabel>(&dialog, "lbl_tip");
        auto *selectTip = child<QLabel>(&dialog, "lbl_selDirTip");
        // Others write to a live volume; retry until its free space held
        // still for the whole check.
        const bool live = path.startsWith(m_dir.filePath("Games"));
        bool settled = false;
        for (int attempt = 0; !settled && attempt < 50; ++attempt) {
            const qint64 before = live ? QStorageInfo(m_dir.path()).bytesAvailable() : 0;
            dialog.setRequiredSpace(before + required);
            dialog.setInstallPath(path);
            settled = !live || QStorageInfo(m_dir.path()).bytesAvailable() == before;
        }
        QVERIFY(settled);
        QCOMPARE(qMakePair(ok->isEnabled(), selectTip->isHidden()),
            qMakePair(banner.isEmpty(), !banner.isEmpty()));
        QCOMPARE(tip->isHidden() ? QString() : tip->text(), banner);
        if (!labels.isEmpty())
            QCOMPARE(child<QLabel>(&dialog, "lbl_needSpace")->text() + ' '
                    + child<QLabel>(&dialog, "lbl_freeSpace")->text(),
                labels);
        dialog.setRequiredSpace(0);
        dialog.setInstallPath(m_dir.path());
        QVERIFY(ok->isEnabled() && tip->isHidden() && !selectTip->isHidden());
        // The owner sets the same path again on every run; what the volume
        // has or the game needs may have changed since.
        dialog.setRequiredSpace(qint64(1) << 60);
        dialog.setInstallPath(m_dir.path());
        QVERIFY(!ok->isEnabled());
    }

    void confirmOrClose_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("confirm") << "btn_ok" << int(QDialog::Accepted);
        QTest::newRow("close") << "btn_close" << int(QDialog::Rejected);
    }

    void confirmOrClose()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        LauncherConfig::instance()->setGameInstallPath("before");
        CSetInstallPathDialog dialog;
        const QString path = m_dir.filePath("Games/Tessaril Game");
        dialog.setInstallPath(path + "  ");
        QStringList emitted;
        connect(&dialog, &CSetInstallPathDialog::updateInstallPath,
            [&](const QString &p) { emitted << p; });
        connect(&dialog, &CSetInstallPathDialog::startInstallClicked, [&] { emitted << "start"; });
        answerNextDialog<CSetInstallPathDialog>([&](CSetInstallPathDialog *shown) {
            child<QPushButton>(shown, qPrintable(button))->click();
        });
        QCOMPARE(dialog.exec(), result);
        const bool confirmed = result == QDialog::Accepted;
        QCOMPARE(emitted, confirmed ? QStringList({ path, "start" }) : QStringList());
        QCOMPARE(LauncherConfig::instance()->gameInstallPath(), confirmed ? path : "before");
    }
};

TESSARIL_GUI_TEST_MAIN(tst_CSetInstallPathDialog)
#include "tst_csetinstallpathdialog.moc"
