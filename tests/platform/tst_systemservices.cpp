#include "platform/volume.h"
#include "platform/window.h"
#include "tests/support/guitestenvironment.h"

#include <QWindow>
#include <QtTest>

class tst_SystemServices : public QObject
{
    Q_OBJECT

private slots:
    void installPathValidity_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("valid");
        // The full-width question mark is refused, the ASCII one and the backslash are not.
        for (const QChar c : QString::fromUtf8("\xEF\xBC\x9F*:\"|<>?\\"))
            QTest::addRow("%s", qPrintable(QString(c)))
                << QStringLiteral("/tmp/a%1b").arg(c) << QStringLiteral("?\\").contains(c);
    }

    void installPathValidity()
    {
        QFETCH(QString, path);
        QFETCH(bool, valid);
        QCOMPARE(platform::isValidInstallPath(path), valid);
    }

    void bringToFrontActivatesTheWindow()
    {
        QWindow other;
        other.resize(100, 100);
        other.show();
        QWindow window;
        window.resize(100, 100);
        window.show();
        other.requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), &other);
        platform::bringToFront(&window);
        QTRY_COMPARE(QGuiApplication::focusWindow(), &window);
    }
};

TESSARIL_GUI_TEST_MAIN(tst_SystemServices)
#include "tst_systemservices.moc"
