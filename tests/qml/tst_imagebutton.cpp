#include "tests/support/guitestenvironment.h"

#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickView>
#include <QQuickWindow>
#include <QtTest>

// Drives the compiled ImageButton with the mouse.
class tst_ImageButton : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QQuickView> m_view;
    QQuickItem *m_button = nullptr;

    QQuickItem *child(int index) const { return m_button->childItems().at(index); }
    QString image() const
    {
        return m_button->property("buttonImage")
            .value<QQuickItem *>()
            ->property("source")
            .toString();
    }

private slots:
    // As the launcher draws: without OpenGL, which offscreen runs do not have.
    void initTestCase() { QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software); }

    void init()
    {
        m_view = std::make_unique<QQuickView>();
        m_view->setResizeMode(QQuickView::SizeRootObjectToView);
        QQmlComponent component(m_view->engine());
        component.setData(
            "import QtQuick 2.0\n"
            "Rectangle { width: 300; height: 200; color: \"#202020\"\n"
            "  ImageButton { objectName: \"button\"; x: 50; y: 50; width: 200; height: 60\n"
            "    text: \"label\"\n"
            "    nomal_Image: \"pic/main_btn_n.png\"; hover_Image: \"pic/main_btn_o.png\"\n"
            "    press_Image: \"pic/main_btn_d.png\" } }",
            QUrl(QStringLiteral("qrc:/button-test.qml")));
        QVERIFY2(component.isReady(), qPrintable(component.errorString()));
        m_view->setContent(component.url(), &component, component.create());
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_button = m_view->rootObject()->findChild<QQuickItem *>(QStringLiteral("button"));
        QVERIFY(m_button);
    }

    void disabledLook()
    {
        QSignalSpy clicked(m_button, SIGNAL(clicked()));
        m_button->setProperty("interactable", false);
        QCOMPARE(m_button->state(), QStringLiteral("disable"));
        QVERIFY(child(0)->isVisible()); // the grey overlay
        QVERIFY(image().isEmpty());
        QTest::mouseClick(m_view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 80));
        QCOMPARE(clicked.count(), 0);

        m_button->setProperty("interactable", true);
        QCOMPARE(m_button->state(), QStringLiteral("nomal"));
        QVERIFY(!child(0)->isVisible());
    }
};

TESSARIL_GUI_TEST_MAIN(tst_ImageButton)
#include "tst_imagebutton.moc"
