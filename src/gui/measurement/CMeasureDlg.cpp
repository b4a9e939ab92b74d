#include "measurement/CMeasureDlg.h"

#include "controls/CButtonKS.h"
#include "controls/PrinterIcon.h"
#include "link/JBusLink.h"
#include "measurement/CEscView.h"
#include "measurement/EscFeed.h"
#include "measurement/MeasureDerived.h"
#include "measurement/MeasureDisplay.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureIds.h"
#include "measurement/MeasurePrint.h"
#include "measurement/ProbeNameTable.h"
#include "measurement/graph/CGraphWnd.h"

#include <QPainter>

#include <QPixmap>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace ks::gui {

namespace {

namespace id = ks::measure::id;

constexpr int kEscText = 290;       // "Info ESC"
constexpr int kRecordingText = 108; // "Enregistrement"
constexpr int kExportText = 126;    // "Export de données"

// Where the lines sit: three columns of groups, the buttons below.
std::vector<TemplateEntry> measureTemplate() {
    using namespace tpl;
    return {
        column(),
        field(id::kCommunicationStatus),
        field(id::kMeterClock),
        field(id::kFaultLine),
        field(id::kRecordingStatus),
        field(id::kFlow),
        field(id::kFlowQT),
        field(id::kFlowQ1),
        field(id::kFlowQ2),
        field(id::kMeanVelocity),
        field(id::kMeanSoundSpeed),
        end(),
        group(id::kKhGroup),
        field(id::kKh1),
        field(id::kKh2),
        end(),
        group(id::kTotaliserGroup),
        field(id::kTotaliser1),
        field(id::kTotaliser2),
        end(),
        column(),
        group(id::kChord1Group),
        field(id::kTransit1),
        field(id::kDeltaT1),
        field(id::kVelocity1),
        field(id::kSoundSpeed1),
        field(id::kGain1),
        field(id::kMargin1),
        field(id::kQuality1),
        end(),
        group(id::kChord2Group),
        field(id::kTransit2),
        field(id::kDeltaT2),
        field(id::kVelocity2),
        field(id::kSoundSpeed2),
        field(id::kGain2),
        field(id::kMargin2),
        field(id::kQuality2),
        end(),
        column(),
        group(id::kProbeGroup),
        field(id::kProbeName),
        field(id::kProbeDiameter1),
        field(id::kProbeDiameter2),
        end(),
        group(id::kVersionGroup),
        field(id::kFamilyName),
        field(id::kFirmware),
        field(id::kBoard),
        field(id::kSerialNumber),
        end(),
        button(ks::kFirstPageControl, 0),
        button(ks::kPreviousPageControl, 0),
        button(ks::kNextPageControl, 0),
        button(ks::kLastPageControl, 0),
        button(id::kRecordButton, 0),
        button(id::kExportButton, kExportText),
        button(id::kPrintButton, 0),
        button(id::kEscButton, kEscText),
    };
}

} // namespace

CMeasureDlg::CMeasureDlg(int mode, ks::CJBusLink& link, QWidget* parent, std::string recording)
    : CCyclicDeviceDlg(kTemplate, mode, link, parent),
      m_graph(new CGraphWnd(ks::CMeasureSession::flowGraphSettings(), this)),
      m_regional(ks::RegionalSettings::fromProcessLocale()), m_openedPath(std::move(recording)) {
    ks::registerMeasureFields(fields());
    ks::registerBorrowedFields(fields());
    setCommunicationStatusField(id::kCommunicationStatus);
    setFileKind(131); // "Fichier Mesure|mes"
    setBodyTemplate(measureTemplate());
    m_graph->setMinimumSize(420, 170);

    m_session = std::make_unique<ks::CMeasureSession>(fields(), blocks(), m_graph->field(),
                                                      ks::MeasureOptions::read(profile()),
                                                      &ks::CProbeNameTable::program());
    ks::CMeasureAcquisition& acquisition = m_session->acquisition();
    acquisition.setTimeouts(connection().readTimeoutMs, connection().writeTimeoutMs);
    acquisition.setFirstByteTimeoutSetter([this](int ms) { this->link().setFirstByteTimeout(ms); });
    ks::CMeasureDisplay& display = m_session->display();
    display.setFileOnly(isFileOnly());
    // Stored samples bring their own graph points.
    display.setReplay(
        [this] { m_session->replayGraph(m_opened ? m_storedHistory : m_session->graphHistory()); });
    const ks::MeasureOptions& options = m_session->options();
    m_step.setOptions(options.sampleRecordTime, options.recordLapTime);
    m_session->setHooks(
        {[this] { m_graph->update(); }, [this] { updateEscViews(); }, [this] { mirror(); }});
}

CMeasureDlg::~CMeasureDlg() {
    // The worker must stop before the session it feeds goes.
    stopCyclicReading();
}

CEscView* CMeasureDlg::escView(int chord) const {
    return chord == 1 || chord == 2 ? m_esc[static_cast<std::size_t>(chord - 1)].data() : nullptr;
}

void CMeasureDlg::onInitDialog() {
    setCaptionText(ks::measure::text::kCaption);
    contentLayout()->insertWidget(0, m_graph, 1);
    createButtonPictures();
    setButtonShown(id::kPrintButton, false);
    setButtonShown(id::kEscButton, false);
    setButtonShown(id::kRecordButton, false);
    setButtonShown(id::kExportButton, false);
    // The page buttons serve an opened recording only.
    for (int control : {ks::kFirstPageControl, ks::kPreviousPageControl, ks::kNextPageControl,
                        ks::kLastPageControl})
        setButtonShown(control, m_opened != nullptr || !m_openedPath.empty());
    const ks::CField* status = fields().find(id::kCommunicationStatus);
    m_session->display().refresh(status ? static_cast<int>(status->number()) : 0);
    m_session->display().hideAll();
    mirror();
}

void CMeasureDlg::createButtonPictures() {
    QStyle* style = this->style();
    const struct {
        int control;
        QIcon icon;
    } pictures[] = {
        {id::kPrintButton, printerIcon()},
        {id::kRecordButton, recordIcon(false)},
        {ks::kFirstPageControl, style->standardIcon(QStyle::SP_MediaSkipBackward)},
        {ks::kPreviousPageControl, style->standardIcon(QStyle::SP_MediaSeekBackward)},
        {ks::kNextPageControl, style->standardIcon(QStyle::SP_MediaSeekForward)},
        {ks::kLastPageControl, style->standardIcon(QStyle::SP_MediaSkipForward)},
    };
    for (const auto& p : pictures)
        if (CButtonKS* b = body()->button(p.control))
            b->setIcon(p.icon);
}

void CMeasureDlg::onShown() {
    if (isFileOnly()) {
        if (!m_openedPath.empty() && !openRecording())
            reject();
        return;
    }
    const int slave = connection().slave;
    const ks::JBusRequest first = m_session->acquisition().firstRequest(slave);
    if (startCyclicReading(slave, first.function, first.address, first.count, kPeriodMs,
                           first.itemSize) != 0)
        reject();
}

int CMeasureDlg::handleFrame(ks::JBusRequest& request) {
    const ks::CMeasureAcquisition::Result r = m_session->onFrame(request);
    m_lastOutcome = r.outcome;
    if (r.replaced)
        setPolledRequest(request);
    return r.code;
}

int CMeasureDlg::frameHook() {
    ks::JBusRequest request = polledRequest();
    return handleFrame(request);
}

std::vector<ks::PrintLine> CMeasureDlg::printLines() const {
    return ks::measurePrintLines(fields());
}

void CMeasureDlg::refreshHook() {
    m_session->display().refresh(0);
    mirror();
}

void CMeasureDlg::mirror() {
    refreshFields();
    const ks::CField* graphField = fields().find(id::kGraph);
    m_graph->setVisible(graphField == nullptr || graphField->isShown());
}

void CMeasureDlg::setButtonShown(int control, bool shown) {
    if (body() != nullptr)
        if (CButtonKS* b = body()->button(control))
            b->setVisible(shown);
}

int CMeasureDlg::numberOf(int fieldId) const {
    const ks::CField* f = fields().find(fieldId);
    return f != nullptr ? static_cast<int>(std::lround(f->number())) : 0;
}

void CMeasureDlg::updateEscViews() {
    setButtonShown(id::kEscButton, true);
    // The views come before the display refresh that decides the application type on the
    // first measurement: take it from the flags just decoded.
    const int type = ks::applicationType(numberOf(id::kSecondChord), numberOf(id::kTwoPipes));
    const bool secondChord = numberOf(id::kChordCount) > 1;
    for (int chord : {1, 2}) {
        QPointer<CEscView>& view = m_esc[static_cast<std::size_t>(chord - 1)];
        if (view.isNull() && (chord == 1 || secondChord)) {
            view = new CEscView(link(), this);
            view->setCaptionText(ks::escCaptionText(chord, type));
            view->initialise();
            // Creating a window must not take the focus from the measurements.
            activateWindow();
        }
        if (!view.isNull())
            view->feed(ks::escInputs(fields(), chord));
    }
}

void CMeasureDlg::toggleEscViews() {
    CEscView* first = escView(1);
    for (int chord : {1, 2}) {
        CEscView* view = escView(chord);
        if (view == nullptr)
            continue;
        if (view->isVisible()) {
            view->hide();
            continue;
        }
        view->show();
        if (chord == 1) {
            move(view->frameGeometry().right() + 1, 0);
            keepOnWorkArea();
        } else if (first != nullptr) {
            view->move(0, first->frameGeometry().bottom() + 1);
            view->keepOnWorkArea();
        }
    }
}

void CMeasureDlg::printWithEscViews() {
    if (print() != 0)
        return;
    for (int chord : {1, 2})
        if (CEscView* view = escView(chord); view != nullptr && view->isVisible())
            view->print();
}

void CMeasureDlg::onButton(int control) {
    switch (control) {
    case id::kEscButton:
        toggleEscViews();
        return;
    case id::kPrintButton:
        printWithEscViews();
        return;
    case id::kRecordButton:
        pressRecord();
        return;
    case id::kExportButton:
        exportRecording();
        return;
    default:
        CCyclicDeviceDlg::onButton(control);
    }
}

} // namespace ks::gui
