#include "NotificationRecorder.h"
#include "controls/CButtonKS.h"
#include "controls/CSpinKS.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace ks::gui;

class ButtonAndSpinTest : public QObject {
    Q_OBJECT

private:
    NotificationRecorder* m_dialog = nullptr;
    CButtonKS* m_button = nullptr;
    CSpinKS* m_spin = nullptr;
    QLineEdit* m_other = nullptr;

private slots:
    void init() {
        m_dialog = new NotificationRecorder;
        auto* layout = new QVBoxLayout(m_dialog);
        m_button = new CButtonKS(QIcon(), "Transfert", m_dialog);
        m_button->owner().setOwnerId(1606);
        m_spin = new CSpinKS(m_dialog);
        m_spin->owner().setOwnerId(1700);
        m_other = new QLineEdit(m_dialog);
        layout->addWidget(m_button);
        layout->addWidget(m_spin);
        layout->addWidget(m_other);
        m_dialog->show();
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog));
    }
    void cleanup() { delete m_dialog; }

    void clickIsReportedWithTheOwnerId() {
        QTest::mouseClick(m_button, Qt::LeftButton);
        QCOMPARE(m_dialog->names(), QStringList{kButtonClick});
        QCOMPARE(m_dialog->last(kButtonClick).wParam, 1606);
    }

    void doubleClickIsReported() {
        QTest::mouseDClick(m_button, Qt::LeftButton);
        QCOMPARE(m_dialog->count(kButtonDoubleClick), 1);
        QCOMPARE(m_dialog->last(kButtonDoubleClick).wParam, 1606);
    }

    void losingTheFocusNamesTheNewFocus() {
        m_button->setFocus();
        QTRY_VERIFY(m_button->hasFocus());
        m_other->setFocus();
        QCOMPARE(m_dialog->count(kButtonKillFocus), 1);
        const Notification n = m_dialog->last(kButtonKillFocus);
        QCOMPARE(n.wParam, 1606);
        QCOMPARE(CButtonKS::widgetOf(n.lParam), static_cast<QWidget*>(m_other));
    }

    void notificationsGoToTheChosenTarget() {
        NotificationRecorder elsewhere;
        m_button->owner().setNotifyTarget(&elsewhere);
        QTest::mouseClick(m_button, Qt::LeftButton);
        QCOMPARE(elsewhere.count(kButtonClick), 1);
        QCOMPARE(m_dialog->count(kButtonClick), 0);
    }

    void spinStepsCarryPositionAndDelta() {
        m_spin->setRange(0, 2);
        m_spin->setPosition(1);
        QTest::mouseClick(m_spin->upButton(), Qt::LeftButton);
        QCOMPARE(m_dialog->count(kSpinNewDelta), 1);
        QCOMPARE(m_dialog->last(kSpinNewDelta).wParam, 1); // position before the step
        QCOMPARE(m_dialog->last(kSpinNewDelta).lParam, 1);
        QCOMPARE(m_spin->position(), 2);

        // At the end of the range the step is still reported; the position stays.
        QTest::mouseClick(m_spin->upButton(), Qt::LeftButton);
        QCOMPARE(m_dialog->count(kSpinNewDelta), 2);
        QCOMPARE(m_dialog->last(kSpinNewDelta).wParam, 2);
        QCOMPARE(m_spin->position(), 2);

        QTest::mouseClick(m_spin->downButton(), Qt::LeftButton);
        QCOMPARE(m_dialog->last(kSpinNewDelta).lParam, -1);
        QCOMPARE(m_spin->position(), 1);

        QTest::keyClick(m_spin, Qt::Key_Down);
        QCOMPARE(m_dialog->last(kSpinNewDelta).wParam, 1);
        QCOMPARE(m_dialog->last(kSpinNewDelta).lParam, -1);
        QCOMPARE(m_spin->position(), 0);
    }
};

QTEST_MAIN(ButtonAndSpinTest)
#include "ButtonAndSpinTest.moc"
