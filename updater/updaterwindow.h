#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// The updater's small window: what it is doing, how far it got, and why it
// stopped. All texts are translation ids of this class's context, read from
// the launcher's translations.
class UpdaterWindow : public QWidget
{
    Q_OBJECT

public:
    enum class Stage { Waiting, Downloading, Verifying, Installing, Restarting };
    enum class Failure {
        LauncherRunning, // nothing was touched, and the launcher still runs
        Download,
        Damaged, // the MD5 did not match
        Package, // cannot be unpacked, or its file list is unsound
        Install, // the swap failed and the old files are back
        Recovery, // an earlier interrupted update could not be resolved
        Restart,
    };

    explicit UpdaterWindow(QWidget *parent = nullptr);

    void showStage(Stage stage);
    void showProgress(qint64 done, qint64 total);
    // Shows why the update stopped and lets the user close the window.
    void showFailure(Failure failure, const QString &detail);
    QString failureText(Failure failure) const;

protected:
    // Closing while files move would leave the launcher closed and the work
    // half done; the window closes once the updater has stopped.
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_stage;
    QProgressBar *m_progress;
    QLabel *m_detail;
    QPushButton *m_close;
    bool m_closable = false;
};
