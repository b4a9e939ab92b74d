#include "NotificationRecorder.h"
#include "controls/CComboKS.h"
#include "controls/CEditKS.h"
#include "controls/CFieldBinder.h"
#include "controls/CListDisplay.h"
#include "framework/FieldList.h"

#include <QVBoxLayout>
#include <QtTest>

using namespace ks::gui;
using ks::FieldKind;

namespace {

enum : int {
    kDiameter = 1010,
    kMaterial = 1020,
    kApplication = 1030,
    kFirmware = 1040,
    kFlowUnit = 1050,
    kPipeGroup = 1060,
    kProbeIndex = 1070,
};

void registerRows(ks::CFieldList& fields) {
    fields.add({.id = kPipeGroup, .label = 77, .kind = FieldKind::kGroup}); // "Conduite 1"
    fields.add({.id = kDiameter,
                .label = 102,
                .unit = 186,
                .kind = FieldKind::kEdit,
                .value = "27.9",
                .minimum = 10,
                .maximum = 3300,
                .format = "%0.1f",
                .type = 0x0300,
                .offset = 1,
                .block = 0x1100});
    fields.add({.id = kMaterial,
                .label = 168,
                .list = 34,
                .kind = FieldKind::kList | FieldKind::kSorted,
                .value = "7",
                .type = 0x0100,
                .offset = 23,
                .block = 0x1100});
    fields.add({.id = kApplication,
                .label = 265,
                .list = 47,
                .kind = FieldKind::kList,
                .value = "1",
                .minimum = 1});
    fields.add({.id = kFirmware, .label = 140, .kind = FieldKind::kDisplay, .value = "V3.12"});
    fields.add(
        {.id = kFlowUnit, .list = 60, .kind = FieldKind::kDisplay, .value = "4", .format = "%0.l"});
    fields.add({.id = kProbeIndex,
                .flags = ks::FieldFlag::kValueOnly,
                .kind = FieldKind::kEdit,
                .value = "3",
                .format = "%0.f"});
}

} // namespace

class FieldBinderTest : public QObject {
    Q_OBJECT

private:
    ks::CFieldList m_fields;
    NotificationRecorder* m_dialog = nullptr;
    CFieldBinder* m_binder = nullptr;

    CEditKS* diameterBox() { return qobject_cast<CEditKS*>(m_binder->widgets(kDiameter).value); }
    CComboKS* materialBox() { return qobject_cast<CComboKS*>(m_binder->widgets(kMaterial).value); }

private slots:
    void init() {
        m_fields = ks::CFieldList();
        registerRows(m_fields);
        m_dialog = new NotificationRecorder;
        m_binder = new CFieldBinder(m_fields, m_dialog);
        m_binder->setNotifyTarget(m_dialog);
        auto* layout = new QVBoxLayout(m_dialog);
        for (int id :
             {kPipeGroup, kDiameter, kMaterial, kApplication, kFirmware, kFlowUnit, kProbeIndex}) {
            const FieldWidgets w = m_binder->bind(id, m_dialog);
            for (QWidget* widget : {static_cast<QWidget*>(w.group), static_cast<QWidget*>(w.label),
                                    w.value, static_cast<QWidget*>(w.unit)})
                if (widget != nullptr)
                    layout->addWidget(widget);
        }
        m_dialog->show();
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog));
    }
    void cleanup() { delete m_dialog; }

    void widgetsFollowTheKind() {
        const FieldWidgets diameter = m_binder->widgets(kDiameter);
        QCOMPARE(diameter.label->text(), QString("Diam\u00e8tre Ext."));
        QCOMPARE(diameterBox()->text(), QString("27.9"));
        QCOMPARE(diameter.unit->text(), QString("mm"));
        QCOMPARE(materialBox()->currentText(), QString("Cuivre"));
        QCOMPARE(materialBox()->itemText(0), QString("Acier"));
        auto* application = qobject_cast<CComboKS*>(m_binder->widgets(kApplication).value);
        QVERIFY(application != nullptr);
        QCOMPARE(application->count(), 3); // "*" dropped by the minimum
        QCOMPARE(application->currentText(), QString("Monocorde"));
        auto* firmware = qobject_cast<QLabel*>(m_binder->widgets(kFirmware).value);
        QCOMPARE(firmware->text(), QString("V3.12"));
        auto* unit = qobject_cast<CListDisplay*>(m_binder->widgets(kFlowUnit).value);
        QVERIFY(unit != nullptr);
        QCOMPARE(unit->text(), QString("m3/h"));
        QCOMPARE(m_binder->widgets(kPipeGroup).group->title(), QString("Conduite 1"));
        const FieldWidgets valueOnly = m_binder->widgets(kProbeIndex);
        QVERIFY(!valueOnly.label && !valueOnly.value && !valueOnly.unit && !valueOnly.group);
        QVERIFY(!m_binder->bind(kDiameter, m_dialog).value); // bound once only
        QVERIFY(!m_binder->bind(4242, m_dialog).value);
    }

    void flagsAreMirrored() {
        ks::CField& diameter = *m_fields.find(kDiameter);
        const FieldWidgets w = m_binder->widgets(kDiameter);
        diameter.show(false);
        m_binder->refresh();
        QVERIFY(w.label->isHidden() && w.value->isHidden() && w.unit->isHidden());
        diameter.show(true);
        diameter.exclude(true);
        m_binder->refresh(kDiameter);
        QVERIFY(w.label->isHidden() && w.value->isHidden() && w.unit->isHidden());
        diameter.exclude(false);
        diameter.enable(false);
        m_binder->refresh(kDiameter);
        QVERIFY(w.value->isVisible());
        QVERIFY(!w.label->isEnabled() && !w.value->isEnabled() && !w.unit->isEnabled());
        diameter.enable(true);
        diameter.enableValueControl(false);
        m_binder->refresh(kDiameter);
        QVERIFY(w.label->isEnabled() && !w.value->isEnabled() && w.unit->isEnabled());

        m_fields.find(kPipeGroup)->show(false);
        m_binder->refresh();
        QVERIFY(m_binder->widgets(kPipeGroup).group->isHidden());
    }

    void languageChangeFetchesTextsAndKeepsTheEntry() {
        m_binder->setLanguage(2);
        QCOMPARE(m_binder->widgets(kDiameter).label->text(), QString("Outer Diam."));
        QCOMPARE(m_binder->widgets(kPipeGroup).group->title(), QString("Pipe 1"));
        QCOMPARE(materialBox()->currentText(), QString("Copper"));
        QCOMPARE(materialBox()->listIndex(), 7);
        QCOMPARE(materialBox()->itemText(0), QString("Aluminium"));
        QCOMPARE(m_fields.find(kMaterial)->listIndex(), 7);
        auto* unit = qobject_cast<CListDisplay*>(m_binder->widgets(kFlowUnit).value);
        QCOMPARE(unit->text(), QString("m3/h"));
    }

    void editsReachTheFieldBeforeTheDialogHears() {
        QString seen;
        m_dialog->onNotification = [&](const Notification& n) {
            if (n.name == kEditChange)
                seen = QString::fromStdString(m_fields.find(kDiameter)->text());
        };
        QSignalSpy edited(m_binder, &CFieldBinder::fieldEdited);
        diameterBox()->setFocus();
        diameterBox()->selectAll();
        QTest::keyClicks(diameterBox(), "5000");
        QTest::keyClick(diameterBox(), Qt::Key_Return);
        QCOMPARE(diameterBox()->text(), QString("3300.0"));
        QCOMPARE(seen, QString("3300.0"));
        QCOMPARE(m_dialog->last(kEditChange).wParam, kDiameter);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.first().first().toInt(), kDiameter);
    }

    void choicesReachTheFieldAsListIndexes() {
        int seen = -1;
        m_dialog->onNotification = [&](const Notification& n) {
            if (n.name == kComboSelChange)
                seen = m_fields.find(kMaterial)->listIndex();
        };
        QTest::keyClick(materialBox(), Qt::Key_Home); // "Acier", list index 11
        QCOMPARE(seen, 11);
        QCOMPARE(m_fields.find(kMaterial)->shownText(), std::string("Acier"));
        QCOMPARE(m_dialog->last(kComboSelChange).wParam, kMaterial);

        auto* application = qobject_cast<CComboKS*>(m_binder->widgets(kApplication).value);
        QTest::keyClick(application, Qt::Key_End);
        QCOMPARE(m_fields.find(kApplication)->listIndex(), 3);
    }

    void fieldChangesShowAfterRefresh() {
        m_fields.find(kDiameter)->setNumber(1e9);
        m_fields.find(kMaterial)->setListIndex(0);
        m_fields.find(kFlowUnit)->setListIndex(0);
        m_fields.find(kDiameter)->setUnitText("in");
        m_binder->refresh();
        QCOMPARE(diameterBox()->text(), QString("3300.0"));
        QCOMPARE(m_binder->widgets(kDiameter).unit->text(), QString("in"));
        QCOMPARE(materialBox()->currentText(), QString("Autre"));
        QCOMPARE(qobject_cast<CListDisplay*>(m_binder->widgets(kFlowUnit).value)->text(),
                 QString("l/s"));
        QCOMPARE(m_dialog->received.size(), 0);
    }

    // With an entry check the box no longer holds the number to the range: the check sees
    // what was typed and decides; a refusal leaves field and box at the old value.
    void entryCheckDecidesWhatTheFieldTakes() {
        std::vector<std::string> entries;
        m_binder->setEntryCheck([&](ks::CField& field, const std::string& entry) {
            entries.push_back(entry);
            if (entry == "5000.0")
                return false;
            field.setText(entry);
            return true;
        });
        QSignalSpy edited(m_binder, &CFieldBinder::fieldEdited);
        struct Case {
            const char* typed;
            const char* seen;  // by the check, after the box's formatting
            const char* field; // what the field and the box hold afterwards
            int edits;         // fieldEdited so far
        };
        const Case cases[] = {
            {"5000", "5000.0", "27.9", 0},
            {"12.34", "12.3", "12.3", 1},
        };
        for (const Case& c : cases) {
            diameterBox()->setFocus();
            diameterBox()->selectAll();
            QTest::keyClicks(diameterBox(), c.typed);
            QTest::keyClick(diameterBox(), Qt::Key_Return);
            QCOMPARE(entries.back(), std::string(c.seen));
            QCOMPARE(m_fields.find(kDiameter)->text(), std::string(c.field));
            QCOMPARE(diameterBox()->text(), QString(c.field));
            QCOMPARE(edited.count(), c.edits);
        }
        // A text keeps its length in the box even so.
        ks::CFieldList fields;
        fields.add({.id = 6, .kind = FieldKind::kEdit, .maximum = 16, .format = "%s"});
        CFieldBinder binder(fields);
        binder.setEntryCheck([](ks::CField&, const std::string&) { return true; });
        QWidget host;
        auto* box = qobject_cast<CEditKS*>(binder.bind(6, &host).value);
        QCOMPARE(box->rules().maximum, 16.0);
    }

    void numberWithoutClampingGetsNoRange() {
        ks::CFieldList fields;
        fields.add({.id = 5,
                    .kind = FieldKind::kEdit | FieldKind::kNoClamp,
                    .minimum = 0,
                    .maximum = 10,
                    .format = "%0.f"});
        CFieldBinder binder(fields);
        QWidget host;
        auto* box = qobject_cast<CEditKS*>(binder.bind(5, &host).value);
        QVERIFY(box != nullptr);
        QCOMPARE(box->rules().maximum, 0.0);
        QCOMPARE(box->rules().format, std::string("%0.f"));
    }
};

QTEST_MAIN(FieldBinderTest)
#include "FieldBinderTest.moc"
