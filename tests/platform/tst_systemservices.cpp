#include "platform/volume.h"
#include "platform/window.h"
#include "tests/support/guitestenvironment.h"

#include <QWindow>
#include <QtTest>

class tst_SystemServices : public QObject
{
    Q_OBJECT

private slots:
    void installPathValidity()
    {
        // The full-width question mark is refused, the ASCII one and the backslash are not.
        QString refused;
        for (const QChar c : QString::fromUtf8("\xEF\xBC\x9F*:\"|<>?\\")) {
            if (!platform::isValidInstallPath(QStringLiteral("/tmp/a%1b").arg(c)))
                refused += c;
        }
        QCOMPARE(refused, QString::fromUtf8("\xEF\xBC\x9F*:\"|<>"));
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
