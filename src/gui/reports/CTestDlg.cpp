#include "reports/CTestDlg.h"

#include "app/DesktopApp.h"
#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "controls/PrinterIcon.h"
#include "framework/Identification.h"
#include "framework/IdentificationFields.h"
#include "link/JBusLink.h"
#include "measurement/RecordTexts.h"
#include "reports/TestFields.h"
#include "settings/EchoTable.h"
#include "settings/LinkBlockExchange.h"
#include "settings/SettingsIds.h"

#include <QLabel>
#include <QMetaObject>
#include <QProcess>
#include <QVBoxLayout>

#include <chrono>
#include <thread>

namespace ks::gui {

namespace {

namespace tid = ks::test::id;
namespace F = ks::settings::factory;

constexpr int kNoAnswer = 118;       // "Connexion impossible ! L'appareil ne répond pas !"
constexpr int kCannotOpenFile = 123; // "Impossible d'ouvrir le fichier : "

std::vector<TemplateEntry> testTemplate() {
    using namespace tpl;
    return {
        group(tid::kGroupIdentity),
        field(tid::kSerialText),
        field(tid::kBoard),
        field(tid::kBoardSerialText),
        field(tid::kSoftware),
        end(),
        group(tid::kGroupOutput1),
        field(tid::kOutput1At4mA),
        field(tid::kOutput1At20mA),
        end(),
        group(tid::kGroupOutput2),
        field(tid::kOutput2At4mA),
        field(tid::kOutput2At20mA),
        end(),
        column(),
        group(tid::kGroupChannel1),
        field(F::kTxRxMode1),
        field(ks::echo::id::kPolarity1),
        field(ks::echo::id::kMargin1),
        field(tid::kGain1),
        field(tid::kQuality1),
        end(),
        group(tid::kGroupChannel2),
        field(F::kTxRxMode2),
        field(ks::echo::id::kPolarity2),
        field(ks::echo::id::kMargin2),
        field(tid::kGain2),
        field(tid::kQuality2),
        end(),
        stretch(),
        button(tid::kPrintButton, 0),
        button(tid::kTestButton, ks::test::text::kCaption),
    };
}

} // namespace

CTestDlg::CTestDlg(int mode, ks::CJBusLink& link, QWidget* parent)
    : CDeviceDlg(kTemplate, mode, link, parent), m_kept(blocks(), {ks::test::block::kEcho}) {
    ks::registerTestDialogFields(fields());
    // The echo grids are the echo table dialog's; here only the channel values show.
    for (int grid : {ks::echo::id::kGrid1Normal, ks::echo::id::kGrid1Inverse,
                     ks::echo::id::kGrid2Normal, ks::echo::id::kGrid2Inverse})
        if (ks::CField* f = fields().find(grid))
            f->show(false);
    setBodyTemplate(testTemplate());
    m_request =
        ks::TestReportRequest::fromConfiguration(profile(), app().flowApp().workingFolder());
    m_request.decimalSeparator = ks::decimalSeparatorOfEnvironment();
}

void CTestDlg::onInitDialog() {
    setCaption(text(ks::test::text::kCaption).remove('&'));
    m_status = new QLabel(this);
    m_status->setObjectName("testStatus");
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    contentLayout()->addWidget(m_status);
    if (CButtonKS* print = body()->button(tid::kPrintButton))
        print->setIcon(printerIcon());
    showChannels();
}

void CTestDlg::onShown() {
    if (isFileOnly())
        return;
    showBusy();
    int status = readBlock(ks::Identification::kBlockCode);
    if (status == 0) {
        const ks::Identification id = ks::identificationOf(fields());
        status = checkFirmware(id.firmware, id.description);
    }
    for (int block : ks::testReadOrder())
        if (status == 0)
            status = readBlock(block);
    // The channels' polarity and margin as the meter holds them now.
    if (status == 0)
        status = readBlock(ks::test::block::kEcho);
    hideBusy();
    showChannels();
    if (status != 0)
        reject();
}

int CTestDlg::decodeBlock(int blockCode, const ks::Bytes& bytes) {
    if (m_kept.decodeBlock(blockCode, bytes) != 0)
        return -1;
    ks::refreshTestSerialTexts(fields());
    refreshFields();
    return 0;
}

void CTestDlg::showChannels() {
    const ks::CField* chords = fields().find(ks::echo::id::kChordCount);
    const bool two = chords && chords->number() > 1;
    for (int id : {tid::kGroupChannel2, F::kTxRxMode2, ks::echo::id::kPolarity2,
                   ks::echo::id::kMargin2, tid::kGain2, tid::kQuality2})
        if (ks::CField* f = fields().find(id))
            f->show(two);
    refreshFields();
}

void CTestDlg::onButton(int control) {
    if (control == tid::kTestButton)
        runTest();
    else if (control == tid::kPrintButton)
        print();
}

ks::CTestLoop::Result CTestDlg::runTest() {
    m_report = {};
    ks::CTestLoop::Result result;
    // One read through the framework first: it opens the link and says why when the meter
    // is not there.
    if (readBlock(ks::test::block::kMeasurement) != 0)
        return result;
    const ks::ConnectionSettings& c = connection();
    ks::CLinkBlockExchange meter(link(), m_kept, c.slave);
    meter.setTimeouts(c.readTimeoutMs, c.writeTimeoutMs);
    ks::CTestLoop loop(meter, fields());
    ks::CJBusLink& l = link();
    loop.setCancel([&l] { return l.cancelRequested(); });
    const int period = m_periodMs;
    loop.setPause([&l, period] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(period);
        while (!l.cancelRequested() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    });
    QPointer<CTestDlg> self(this);
    int shown = 0;
    loop.setProgress([self, &shown](int seconds) {
        const int step = seconds - shown;
        shown = seconds;
        QMetaObject::invokeMethod(
            self.data(),
            [self, step] {
                if (self)
                    self->stepBusy(step);
            },
            Qt::QueuedConnection);
    });
    showBusy();
    setBusyRange(static_cast<int>(ks::CTestLoop::kQualityLimitMs / 1000));
    const int code = runExchange([&] {
        result = loop.run();
        return result.outcome == ks::CTestLoop::Outcome::Cancelled ? CExchange::kCancelled : 0;
    });
    hideBusy();
    refreshFields();
    if (code == CExchange::kCancelled)
        return result;
    switch (result.outcome) {
    case ks::CTestLoop::Outcome::TransferFailed:
        errorBox(kNoAnswer);
        reject();
        return result;
    case ks::CTestLoop::Outcome::TooManyFailures:
        errorBox(kNoAnswer);
        return result;
    case ks::CTestLoop::Outcome::Cancelled:
        return result;
    case ks::CTestLoop::Outcome::Done:
        break;
    }
    m_request.language = language();
    m_request.written = ks::CDateTime::now().fields();
    m_report = ks::writeTestReportFiles(
        m_request, ks::testReportDataOf(blocks(), m_kept.image(ks::test::block::kEcho)));
    if (m_report.status != 0) {
        const std::string reason = m_report.message.substr(m_report.message.find('\n') + 1);
        errorBoxWithDetail(kCannotOpenFile, qtext(m_report.path + "\n" + reason));
        if (m_status)
            m_status->clear();
        return result;
    }
    if (m_status)
        m_status->setText(qtext(m_report.path));
    handOff();
    return result;
}

void CTestDlg::handOff() {
    if (!m_report.launch)
        return;
    QStringList arguments;
    for (const std::string& a : m_report.launch->arguments)
        arguments << qtext(a);
    QProcess::startDetached(qtext(m_report.launch->program), arguments);
}

} // namespace ks::gui
