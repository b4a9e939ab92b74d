#include "framework/DeviceDlg.h"
#include "DialogDriving.h"
#include "app/KsEvent.h"
#include "controls/CButtonKS.h"
#include "controls/CComboKS.h"
#include "controls/CEditKS.h"
#include "controls/ControlMessages.h"
#include "framework/BusyWnd.h"
#include "framework/DialogPrintout.h"
#include "i18n/DateTime.h"
#include "shell/DialogModes.h"

#include <QFileInfo>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QtTest>

using ks::FieldKind;
using ks::gui::CComboKS;
using ks::gui::CDeviceDlg;
using ks::gui::CEditKS;
namespace tpl = ks::gui::tpl;
namespace dialogmode = ks::dialogmode;

namespace {

constexpr int kSettingsBlock = 0x1100;
constexpr int kDiameter = 1010;
constexpr int kMaterial = 1020;
constexpr int kDisplayLine = 1030;

// Three settings of the main settings block: outer diameter (27.9 mm on the simulated meter),
// pipe material (copper, entry 7) and the first display line.
class CSettingsProbeDlg : public CDeviceDlg {
public:
    CSettingsProbeDlg(int mode, ks::CJBusLink& link) : CDeviceDlg(114, mode, link) {
        fields().add({.id = kDiameter,
                      .label = 102,
                      .unit = 186,
                      .kind = FieldKind::kEdit,
                      .value = "100.0",
                      .minimum = 10,
                      .maximum = 3300,
                      .format = "%0.1f",
                      .type = 0x0300,
                      .offset = 1,
                      .block = kSettingsBlock});
        fields().add({.id = kMaterial,
                      .label = 168,
                      .list = 34,
                      .kind = FieldKind::kList,
                      .value = "0",
                      .type = 0x0100,
                      .offset = 23,
                      .block = kSettingsBlock});
        fields().add({.id = kDisplayLine,
                      .label = 160,
                      .kind = FieldKind::kEdit,
                      .maximum = 16,
                      .format = "%s",
                      .type = 0x0500,
                      .offset = 56,
                      .block = kSettingsBlock});
        setBodyTemplate({tpl::field(kDiameter), tpl::field(kMaterial), tpl::field(kDisplayLine),
                         tpl::button(1606, 293)});
    }

    std::vector<int> clicks;

protected:
    void onButton(int control) override { clicks.push_back(control); }
};

void type(CEditKS* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
    edit->commit();
}

} // namespace

class DeviceDlgTest : public QObject {
    Q_OBJECT

private slots:
    void readsABlockIntoItsWidgetsAndWritesOneBack();
    void fileOnlyModeReadsNothing();
    void unreachablePortShowsTheMessage();
    void busyWindow();
    void tabWrapsAroundTheFields();
    void printsToPdf();
    void printDocumentName();
};

void DeviceDlgTest::readsABlockIntoItsWidgetsAndWritesOneBack() {
    MeterFixture m;
    QVERIFY2(m.start({}), m.sim.error().c_str());
    CSettingsProbeDlg dlg(dialogmode::kDialogue, m.desktop().link());
    dlg.show();
    QCOMPARE(dlg.readBlock(kSettingsBlock), 0);
    QCOMPARE(editOf(dlg, kDiameter)->text(), QStringLiteral("27.9"));
    QCOMPARE(qobject_cast<CComboKS*>(dlg.widgetsOf(kMaterial).value)->listIndex(), 7);
    QCOMPARE(editOf(dlg, kDisplayLine)->text(), QStringLiteral("   KESTRANOL    "));

    type(editOf(dlg, kDiameter), QStringLiteral("31.5"));
    type(editOf(dlg, kDisplayLine), QStringLiteral("SITE NORD"));
    QCOMPARE(dlg.fields().find(kDiameter)->text(), std::string("31.5"));
    QCOMPARE(dlg.writeBlock(kSettingsBlock), 0);

    CSettingsProbeDlg again(dialogmode::kDialogue, m.desktop().link());
    again.initialise();
    QCOMPARE(again.readBlock(kSettingsBlock), 0);
    QCOMPARE(editOf(again, kDiameter)->text(), QStringLiteral("31.5"));
    QCOMPARE(editOf(again, kDisplayLine)->text(), QStringLiteral("SITE NORD       "));
    QVERIFY(m.prompts().messages.empty());
}

void DeviceDlgTest::fileOnlyModeReadsNothing() {
    DesktopFixture f({{"Ports/9", "/nonexistent/ttyKS"}, {"Com/Port", "8"}});
    f.desktop.refreshPortTable();
    CSettingsProbeDlg dlg(dialogmode::kOpen, f.desktop.link());
    dlg.initialise();
    QVERIFY(dlg.isFileOnly());
    QCOMPARE(dlg.readBlock(kSettingsBlock), 0);
    QCOMPARE(editOf(dlg, kDiameter)->text(), QStringLiteral("100.0"));
    QVERIFY(f.prompts.messages.empty());
    QVERIFY(!f.desktop.link().serialLink().isOpen());
}

void DeviceDlgTest::unreachablePortShowsTheMessage() {
    DesktopFixture f({{"Ports/9", "/nonexistent/ttyKS"}, {"Com/Port", "8"}});
    f.desktop.refreshPortTable();
    CSettingsProbeDlg dlg(dialogmode::kDialogue, f.desktop.link());
    dlg.initialise();
    QCOMPARE(dlg.connection().portNumber, 9);
    QCOMPARE(dlg.readBlock(kSettingsBlock), -1);
    QCOMPARE(editOf(dlg, kDiameter)->text(), QStringLiteral("100.0"));
    QCOMPARE(dlg.writeBlock(kSettingsBlock), ks::CDeviceSession::kPortUnavailable);
    QVERIFY(f.prompts.messages.size() >= 1);
    QCOMPARE(f.prompts.messages[0].text, std::string("Impossible d'ouvrir le port Com !"));
    QCOMPARE(f.prompts.messages[0].caption, std::string("Erreur"));
}

void DeviceDlgTest::busyWindow() {
    DesktopFixture f;
    CSettingsProbeDlg dlg(dialogmode::kDialogue, f.desktop.link());
    dlg.show();
    dlg.showBusy();
    ks::gui::CBusyWnd* busy = dlg.busyWindow();
    QVERIFY(busy != nullptr);
    QVERIFY(busy->isVisible());
    QVERIFY(busy->isWindow());
    QVERIFY(busy->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(busy->text(),
             QStringLiteral("Veuillez Patienter !\n Connexion à l'appareil en cours !"));
    QVERIFY(!busy->progressBar()->isVisible());
    QVERIFY(!busy->button(ks::gui::CBusyWnd::kExitControl)->isVisible());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    dlg.setBusyRange(10);
    dlg.stepBusy(3);
    QVERIFY(busy->progressBar()->isVisible());
    QCOMPARE(busy->progressBar()->value(), 3);
    dlg.setBusyText(QStringLiteral("Lecture"));
    QCOMPARE(busy->text(), QStringLiteral("Lecture"));

    // Transfert stays with the busy window; the other buttons reach the dialog.
    busy->button(ks::gui::CBusyWnd::kTransferControl)->click();
    busy->button(ks::gui::CBusyWnd::kExitControl)->click();
    QCOMPARE(dlg.clicks, std::vector<int>{ks::gui::CBusyWnd::kExitControl});

    dlg.showBusy(); // once created, the same window
    QCOMPARE(dlg.busyWindow(), busy);
    dlg.hideBusy();
    QVERIFY(dlg.busyWindow() == nullptr);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void DeviceDlgTest::tabWrapsAroundTheFields() {
    DesktopFixture f;
    CSettingsProbeDlg dlg(dialogmode::kDialogue, f.desktop.link());
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QWidget* first = dlg.widgetsOf(kDiameter).value;
    QWidget* middle = dlg.widgetsOf(kMaterial).value;
    QWidget* last = dlg.widgetsOf(kDisplayLine).value;

    last->setFocus();
    QTRY_VERIFY(last->hasFocus());
    QTest::keyClick(last, Qt::Key_Tab);
    QTRY_VERIFY(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(last->hasFocus());
    // Inside the list Tab takes its usual way.
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    QTRY_VERIFY(middle->hasFocus());
}

void DeviceDlgTest::printsToPdf() {
    DesktopFixture f;
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("settings.pdf"));
    f.desktop.setPrintToFile(pdf.toStdString());
    CSettingsProbeDlg dlg(dialogmode::kOpen, f.desktop.link());
    dlg.setCaption(QStringLiteral("Paramétrage du site"));
    dlg.initialise();
    dlg.fields().find(kDiameter)->setText("27.9");
    dlg.fields().find(kMaterial)->setListIndex(7);
    dlg.fields().find(kDisplayLine)->setText("SITE NORD");

    QCOMPARE(dlg.print(), 0);
    QVERIFY(f.prompts.messages.empty());
    QVERIFY(QFileInfo(pdf).size() > 0);
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Paramétrage du site")), qPrintable(text));
    const ks::CDateTime today = ks::CDateTime::now();
    QVERIFY2(
        text.contains(QStringLiteral("Imprimé le ") + QString::fromStdString(today.dateText())),
        qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Calyptron KS")), qPrintable(text));
    const QStringList lines = text.split(u'\n');
    const auto lineWith = [&](const QString& caption) {
        for (const QString& l : lines)
            if (l.contains(caption))
                return l.simplified();
        return QString();
    };
    QCOMPARE(lineWith(QStringLiteral("Diamètre Ext.")), QStringLiteral("Diamètre Ext. 27.9 mm"));
    QCOMPARE(lineWith(QStringLiteral("Matériau")), QStringLiteral("Matériau Cuivre"));
    QVERIFY2(lineWith(QStringLiteral("SITE NORD")).endsWith(QStringLiteral("SITE NORD")),
             qPrintable(text));

    // The next printout of the run keeps the first one.
    QCOMPARE(dlg.print(), 0);
    QVERIFY(QFileInfo(out.filePath(QStringLiteral("settings-2.pdf"))).size() > 0);
}

void DeviceDlgTest::printDocumentName() {
    const QDateTime when(QDate(2026, 3, 5), QTime(7, 8, 9));
    QCOMPARE(ks::gui::printDocumentName(QStringLiteral("Réglage %s %d"), when),
             QStringLiteral("Réglage %s %d 2026-03-05 07-08-09"));
}

QTEST_MAIN(DeviceDlgTest)
#include "DeviceDlgTest.moc"
