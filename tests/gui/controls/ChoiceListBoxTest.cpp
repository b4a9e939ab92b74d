#include "NotificationRecorder.h"
#include "controls/CComboKS.h"
#include "framework/Field.h"

#include <QVBoxLayout>
#include <QtTest>

using namespace ks::gui;

namespace {

constexpr int kMaterialList = 34;

QStringList shownTexts(const QComboBox& box) {
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts.append(box.itemText(i));
    return texts;
}

} // namespace

class ChoiceListBoxTest : public QObject {
    Q_OBJECT

private:
    NotificationRecorder* m_dialog = nullptr;
    CComboKS* m_box = nullptr;

private slots:
    void init() {
        m_dialog = new NotificationRecorder;
        m_box = new CComboKS(m_dialog);
        m_box->owner().setOwnerId(1400);
        (new QVBoxLayout(m_dialog))->addWidget(m_box);
        m_dialog->show();
    }
    void cleanup() { delete m_dialog; }

    void sortedListStoresTheFullListIndex() {
        const ks::CField materials(
            {.list = kMaterialList, .kind = ks::FieldKind::kList | ks::FieldKind::kSorted});
        m_box->setChoices(materials.choices());
        QCOMPARE(m_box->count(), 14);
        QCOMPARE(shownTexts(*m_box).mid(0, 4),
                 (QStringList{"Acier", "Aluminium", "Autre", "Cuivre"}));
        QVERIFY(m_box->setListIndex(7));
        QCOMPARE(m_box->currentText(), QString("Cuivre"));
        QCOMPARE(m_box->currentIndex(), 3);

        QSignalSpy chosen(m_box, &CComboKS::listIndexChosen);
        QTest::keyClick(m_box, Qt::Key_Down); // the user moves to "Fibrociment"
        QCOMPARE(m_box->currentText(), QString("Fibrociment"));
        QCOMPARE(m_box->listIndex(), 13);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().first().toInt(), 13);
        QCOMPARE(m_dialog->names(), (QStringList{kComboSelChange, kComboSelEndOk}));
        QCOMPARE(m_dialog->last(kComboSelChange).wParam, 1400);
    }

    void listMinimumDropsLeadingEntries() {
        ks::CField field({.kind = ks::FieldKind::kList, .minimum = 1});
        field.setList({"first", "second", "third"});
        m_box->setChoices(field.choices());
        QCOMPARE(shownTexts(*m_box), (QStringList{"second", "third"}));
        QVERIFY(!m_box->setListIndex(0));
        QCOMPARE(m_box->listIndex(), -1);
        QTest::keyClick(m_box, Qt::Key_Home);
        QCOMPARE(m_box->listIndex(), 1);
        QTest::keyClick(m_box, Qt::Key_End);
        QCOMPARE(m_box->listIndex(), 2);
    }

    void newEntriesKeepTheSelectedIndex() {
        ks::CField field(
            {.list = kMaterialList, .kind = ks::FieldKind::kList | ks::FieldKind::kSorted});
        m_box->setChoices(field.choices());
        m_box->setListIndex(7);
        field.setLanguage(2);
        m_box->setChoices(field.choices());
        QCOMPARE(m_box->listIndex(), 7);
        QCOMPARE(m_box->currentText(), QString("Copper"));
        QCOMPARE(m_dialog->received.size(), 0); // the program's changes are not reported
    }

    void programSelectionIsNotReportedAsAChange() {
        ks::CField field({.kind = ks::FieldKind::kList});
        field.setList({"a", "b", "c"});
        m_box->setChoices(field.choices());
        m_box->setListIndex(1);
        // The user confirms the entry that is already selected: confirmed, not changed.
        emit m_box->activated(1);
        QCOMPARE(m_dialog->names(), QStringList{kComboSelEndOk});
    }

    void focusIsReported() {
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog));
        m_box->setFocus();
        QTRY_COMPARE(m_dialog->count(kComboSetFocus), 1);
        QCOMPARE(m_dialog->last(kComboSetFocus).wParam, 1400);
    }
};

QTEST_MAIN(ChoiceListBoxTest)
#include "ChoiceListBoxTest.moc"
