// Recording in the measurement dialog, and the recordings it opens.
#include "measurement/CMeasureDlg.h"

#include "app/DesktopApp.h"
#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "i18n/DateTime.h"
#include "measurement/MeasureBlocks.h"
#include "measurement/MeasureIds.h"
#include "measurement/RecordTexts.h"

#include <QPainter>
#include <QPixmap>

#include <cerrno>
#include <cstring>

namespace ks::gui {

namespace {
namespace id = ks::measure::id;
constexpr int kRecordingText = 108;  // "Enregistrement"
constexpr int kCannotOpenFile = 123; // "Impossible d'ouvrir le fichier : "
constexpr int kIncorrectFile = 113;  // "Fichier incorrect"
} // namespace

// The record button's pictures: a red disc to start, a dark square to stop.
QIcon CMeasureDlg::recordIcon(bool stop) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    if (stop) {
        p.setBrush(QColor(60, 60, 60));
        p.drawRect(4, 4, 12, 12);
    } else {
        p.setBrush(QColor(210, 30, 30));
        p.drawEllipse(3, 3, 14, 14);
    }
    p.end();
    return QIcon(pixmap);
}

int CMeasureDlg::decodeBlock(int blockCode, const ks::Bytes& bytes) {
    // The graph's points are no meter block: the replay of a stored sample draws them.
    if (blockCode == ks::measure::block::kGraphHistory) {
        m_storedHistory = bytes;
        return 0;
    }
    return CCyclicDeviceDlg::decodeBlock(blockCode, bytes);
}

bool CMeasureDlg::openRecording() {
    auto file = std::make_unique<ks::CRecordFile>();
    switch (file->open(m_openedPath)) {
    case ks::RecordFileStatus::Ok:
        break;
    case ks::RecordFileStatus::CannotOpen:
        errorBoxWithDetail(kCannotOpenFile, qtext(std::strerror(file->errorNumber())));
        return false;
    case ks::RecordFileStatus::Incorrect:
        errorBox(kIncorrectFile);
        return false;
    }
    m_opened = std::move(file);
    m_openedSource = std::make_unique<ks::CRecordFileSource>(*m_opened);
    setRecordSource(m_openedSource.get(),
                    std::vector<int>(ks::kMeasureBlockList.begin(), ks::kMeasureBlockList.end()));
    // Nothing was read from a meter: the first sample lays the dialog out, and there is no
    // communication to report on.
    m_session->display().requestLayout();
    if (ks::CField* status = fields().find(id::kCommunicationStatus)) {
        status->setNumber(0);
        status->show(false);
    }
    if (showPage(ks::PageButton::First) == 0)
        setButtonShown(id::kExportButton, true);
    return true;
}

std::string CMeasureDlg::exportSource() const {
    return m_opened ? m_openedPath : m_lastRecording;
}

void CMeasureDlg::pressRecord() {
    // Recordings made with the simplified settings start from reset totalisers.
    if (m_step.state() == ks::CRecordingStep::State::Idle && app().flowApp().simplifiedSettings())
        m_session->armTotaliserReset();
    if (m_step.pressRecord())
        stopRecording();
}

void CMeasureDlg::recordStep() {
    if (m_lastOutcome != ks::CMeasureAcquisition::Outcome::Measurement)
        return;
    const std::int64_t now = ks::meterTimeOf(fields(), m_regional).secondsSince1980();
    switch (m_step.onMeasurement(now)) {
    case ks::CRecordingStep::Action::CreateFile:
        m_step.started(createRecording());
        showRecordState();
        return;
    case ks::CRecordingStep::Action::WriteSample:
        writeSample();
        break;
    case ks::CRecordingStep::Action::None:
        break;
    }
    if (m_step.lapOver() && m_step.isRecording())
        pressRecord();
}

void CMeasureDlg::startRecordingTo(const std::string& path) {
    if (m_step.state() != ks::CRecordingStep::State::Idle)
        return;
    m_presetRecording = path;
    pressRecord();
}

bool CMeasureDlg::createRecording() {
    ks::CFlowApp& flow = app().flowApp();
    std::string path;
    path.swap(m_presetRecording);
    if (path.empty())
        path = app().prompts().saveFile(utf8(text(kRecordingText)), flow.workingFolder(),
                                        utf8(fileFilter()), utf8(fileExtension()));
    if (path.empty())
        return false;
    flow.setWorkingFolderFromFile(path);
    const ks::RecordFileStatus s = m_recorder.create(
        path, ks::CMeasureRecorder::headerText(fields()), ks::CDateTime::now(m_regional).fields());
    if (s != ks::RecordFileStatus::Ok) {
        const int err = m_recorder.file().errorNumber();
        errorBoxWithDetail(kCannotOpenFile, qtext(std::strerror(err != 0 ? err : EINVAL)));
        return false;
    }
    m_recordingPath = path;
    return true;
}

void CMeasureDlg::writeSample() {
    setRecordingStatus(m_step.statusText(language()));
    if (m_recorder.writeSample(blocks(), m_session->graphHistory()) == 0)
        return;
    // A full disk or a failing medium ends the recording; the samples before stay whole.
    const int err = m_recorder.file().errorNumber();
    m_step.stop();
    stopRecording();
    errorBoxWithDetail(kCannotOpenFile, qtext(std::strerror(err)));
}

void CMeasureDlg::stopRecording() {
    m_recorder.close();
    if (!m_recordingPath.empty())
        m_lastRecording = m_recordingPath;
    m_recordingPath.clear();
    showRecordState();
    setButtonShown(id::kExportButton, !m_lastRecording.empty());
}

void CMeasureDlg::showRecordState() {
    const bool recording = m_step.isRecording();
    if (body() != nullptr)
        if (CButtonKS* b = body()->button(id::kRecordButton))
            b->setIcon(recordIcon(recording));
    if (m_step.state() == ks::CRecordingStep::State::Idle)
        setRecordingStatus({});
}

void CMeasureDlg::setRecordingStatus(const std::string& text) {
    if (ks::CField* status = fields().find(id::kRecordingStatus)) {
        status->setText(text);
        if (body() != nullptr)
            body()->binder().refresh(id::kRecordingStatus);
    }
}

QString CMeasureDlg::headerTextHook() const {
    return qtext(ks::recordHeaderLine(language(), m_session->display().applicationType() == 3));
}

QString CMeasureDlg::recordTextHook() const {
    const ks::CDateTime when = ks::meterTimeOf(fields(), m_regional);
    return qtext(ks::recordLine(fields(), when, m_session->display().applicationType() == 3,
                                ks::decimalSeparatorOfEnvironment()));
}

QString CMeasureDlg::transferTextHook() const {
    return qtext(ks::transferFileContent(language(), m_exportTextFile, m_exportOutput));
}

} // namespace ks::gui
