#include "NotificationRecorder.h"
#include "controls/CButtonKS.h"
#include "controls/CDialogTemplate.h"
#include "controls/CTabHost.h"
#include "framework/FieldList.h"

#include <QGridLayout>
#include <QVBoxLayout>
#include <QtTest>

using namespace ks::gui;
using ks::FieldKind;

namespace {

enum : int {
    kSlave = 1100,
    kLine1 = 1110,
    kProbeGroup = 1120,
    kChords = 1130,
    kMargin = 1140,
    kTransfer = 1606,
};

void registerRows(ks::CFieldList& fields) {
    fields.add({.id = kSlave,
                .label = 152,
                .kind = FieldKind::kEdit,
                .value = "1",
                .maximum = 255,
                .format = "%0.f"});
    fields.add({.id = kLine1,
                .label = 160,
                .kind = FieldKind::kEdit,
                .value = "   KESTRANOL",
                .maximum = 16,
                .format = "%s",
                .type = 0x0500});
    fields.add({.id = kProbeGroup, .label = 268, .kind = FieldKind::kGroup});
    fields.add({.id = kChords,
                .label = 211,
                .kind = FieldKind::kEdit,
                .value = "1",
                .minimum = 1,
                .maximum = 2,
                .format = "%0.f"});
    fields.add({.id = kMargin,
                .label = 167,
                .unit = 89,
                .kind = FieldKind::kEdit,
                .value = "12",
                .maximum = 89,
                .format = "%0.f"});
}

const std::vector<TemplateEntry> kSheet = {
    tpl::page(146), // "Général"
    tpl::titledGroup(75),
    tpl::field(kSlave),
    tpl::end(), // "Com"
    tpl::column(),
    tpl::field(kLine1),
    tpl::field(4242), // not registered: left out
    tpl::page(269),   // "Sonde/Echo"
    tpl::group(kProbeGroup),
    tpl::field(kChords),
    tpl::field(kMargin),
    tpl::end(),
    tpl::button(kTransfer, 293), // "Initialisation"
};

} // namespace

class DialogTemplateTest : public QObject {
    Q_OBJECT

private:
    ks::CFieldList m_fields;
    NotificationRecorder* m_dialog = nullptr;
    CDialogTemplate* m_body = nullptr;

private slots:
    void init() {
        m_fields = ks::CFieldList();
        registerRows(m_fields);
        m_dialog = new NotificationRecorder;
        m_body = new CDialogTemplate(kSheet, m_fields, m_dialog);
        (new QVBoxLayout(m_dialog))->addWidget(m_body);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
    }
    void cleanup() { delete m_dialog; }

    void pagesAreTitledAndOnlyTheCurrentOneShows() {
        CTabHost* tabs = m_body->tabHost();
        QVERIFY(tabs != nullptr);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QString("G\u00e9n\u00e9ral"));
        QCOMPARE(tabs->tabText(1), QString("Sonde/Echo"));
        QVERIFY(m_body->page(0)->isVisible());
        QVERIFY(!m_body->page(1)->isVisible());
        QVERIFY(m_body->binder().widgets(kSlave).value->isVisible());
        QVERIFY(!m_body->binder().widgets(kMargin).value->isVisible());
        tabs->setCurrentIndex(1);
        QVERIFY(!m_body->page(0)->isVisible());
        QVERIFY(m_body->page(1)->isVisible());
        QVERIFY(m_body->binder().widgets(kMargin).value->isVisible());
    }

    void rowsAreLabelValueUnitInTheirGroup() {
        const FieldWidgets margin = m_body->binder().widgets(kMargin);
        QGroupBox* group = m_body->binder().widgets(kProbeGroup).group;
        QCOMPARE(group->title(), QString("Sonde"));
        QVERIFY(group->isAncestorOf(margin.value));
        auto* grid = qobject_cast<QGridLayout*>(group->layout());
        QVERIFY(grid != nullptr);
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->indexOf(margin.label), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(row, 1);
        QCOMPARE(column, 0);
        grid->getItemPosition(grid->indexOf(margin.value), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(column, 1);
        grid->getItemPosition(grid->indexOf(margin.unit), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(column, 2);
        QCOMPARE(margin.unit->text(), QString("dB"));
        QCOMPARE(m_body->binder().widgets(kLine1).value->parentWidget(), m_body->page(0));
    }

    void controlsReportToTheDialog() {
        CButtonKS* transfer = m_body->button(kTransfer);
        QVERIFY(transfer != nullptr);
        QCOMPARE(transfer->text(), QString("Initialisation"));
        QTest::mouseClick(transfer, Qt::LeftButton);
        QCOMPARE(m_dialog->names(), QStringList{kButtonClick});
        QCOMPARE(m_dialog->last(kButtonClick).wParam, kTransfer);

        auto* slave = m_body->binder().widgets(kSlave).value;
        QTest::keyClicks(slave, "9");
        QTest::keyClick(slave, Qt::Key_Return);
        QCOMPARE(m_dialog->last(kEditChange).wParam, kSlave);
        QCOMPARE(m_fields.find(kSlave)->text(), std::string("19"));
    }

    void languageReachesEveryText() {
        m_body->setLanguage(2);
        QCOMPARE(m_body->tabHost()->tabText(0), QString("General"));
        QCOMPARE(m_body->tabHost()->tabText(1), QString("Probe/Echo"));
        QCOMPARE(m_body->binder().widgets(kProbeGroup).group->title(), QString("Probe"));
        QCOMPARE(m_body->binder().widgets(kChords).label->text(), QString("Number of chords"));
        QCOMPARE(m_body->button(kTransfer)->text(), QString("Initialization"));
        const auto groups = m_body->page(0)->findChildren<QGroupBox*>();
        QCOMPARE(groups.size(), 1);
        QCOMPARE(groups.first()->title(), QString("Com"));
    }

    void templateWithoutPagesHasNoTabs() {
        ks::CFieldList fields;
        registerRows(fields);
        NotificationRecorder dialog;
        CDialogTemplate body({tpl::field(kSlave), tpl::field(kMargin)}, fields, &dialog);
        QVERIFY(body.tabHost() == nullptr);
        QVERIFY(body.binder().widgets(kMargin).value != nullptr);
        QVERIFY(body.isAncestorOf(body.binder().widgets(kSlave).value));
    }
};

QTEST_MAIN(DialogTemplateTest)
#include "DialogTemplateTest.moc"
