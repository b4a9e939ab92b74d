#include "NotificationRecorder.h"
#include "controls/CEditKS.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using namespace ks::gui;

class EditBoxTest : public QObject {
    Q_OBJECT

private:
    NotificationRecorder* m_dialog = nullptr;
    CEditKS* m_edit = nullptr;
    QLineEdit* m_other = nullptr;

private slots:
    void init() {
        m_dialog = new NotificationRecorder;
        auto* layout = new QVBoxLayout(m_dialog);
        m_edit = new CEditKS(m_dialog);
        m_edit->owner().setOwnerId(1010);
        m_edit->setRules({"%0.1f", 10, 3300, false});
        m_other = new QLineEdit(m_dialog);
        layout->addWidget(m_edit);
        layout->addWidget(m_other);
        m_dialog->show();
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog));
    }
    void cleanup() { delete m_dialog; }

    void typedNumberAboveTheMaximumShowsTheMaximum() {
        QSignalSpy edited(m_edit, &CEditKS::edited);
        m_edit->setFocus();
        QTest::keyClicks(m_edit, "5000");
        QCOMPARE(m_dialog->count(kEditChange), 0); // nothing checked while typing
        QTest::keyClick(m_edit, Qt::Key_Return);
        QCOMPARE(m_edit->text(), QString("3300.0"));
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.first().first().toString(), QString("3300.0"));
        QCOMPARE(m_dialog->names(), QStringList{kEditChange});
        QCOMPARE(m_dialog->last(kEditChange).wParam, 1010);
    }

    void leavingTheBoxReformatsThenReports() {
        m_edit->setFocus();
        QTest::keyClicks(m_edit, "27.94");
        m_other->setFocus();
        QCOMPARE(m_edit->text(), QString("27.9"));
        QCOMPARE(m_dialog->names(), (QStringList{kEditChange, kEditLostFocus}));
        QCOMPARE(m_dialog->last(kEditLostFocus).wParam, 1010);
    }

    void untouchedBoxReportsOnlyTheFocus() {
        m_edit->setValueText("12.0");
        m_edit->setFocus();
        m_other->setFocus();
        QCOMPARE(m_edit->text(), QString("12.0"));
        QCOMPARE(m_dialog->names(), QStringList{kEditLostFocus});
    }

    void valueFromTheProgramIsNotCheckedNorReported() {
        m_edit->setValueText("5000");
        QTest::keyClick(m_edit, Qt::Key_Return);
        QCOMPARE(m_edit->text(), QString("5000"));
        QCOMPARE(m_dialog->count(kEditChange), 0);
    }

    void textIsCutToItsLengthWhileTyping() {
        m_edit->setRules({"%s", 0, 5, false});
        m_edit->setFocus();
        QTest::keyClicks(m_edit, "abcdefg");
        QCOMPARE(m_edit->text(), QString("abcde"));
        QTest::keyClick(m_edit, Qt::Key_Home);
        QTest::keyClicks(m_edit, "X");
        QCOMPARE(m_edit->text(), QString("Xabcd"));
        QCOMPARE(m_edit->cursorPosition(), 1);
    }

    void focusSelectsTheWholeText() {
        m_edit->setValueText("27.9");
        m_edit->setFocus();
        QTRY_COMPARE(m_edit->selectedText(), QString("27.9"));
    }

    void readOnlyBoxGivesTheFocusBack() {
        m_edit->setReadOnly(true);
        m_other->setFocus();
        QTRY_VERIFY(m_other->hasFocus());
        m_edit->setFocus();
        QTRY_VERIFY(m_other->hasFocus());
    }
};

QTEST_MAIN(EditBoxTest)
#include "EditBoxTest.moc"
