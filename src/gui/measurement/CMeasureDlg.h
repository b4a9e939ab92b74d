#pragma once

#include "framework/CyclicDeviceDlg.h"
#include "i18n/RegionalSettings.h"
#include "measurement/MeasureRecording.h"
#include "measurement/MeasureSession.h"
#include "measurement/RecordingStep.h"

#include <QIcon>
#include <QPointer>

#include <array>
#include <memory>
#include <string>

namespace ks {
class CGraphWnd;
}

namespace ks::gui {

class CEscView;
struct ExportFiles;

// The measurement dialog (template 121): the meter's measurements, live. The polling worker
// reads the flow full scale, the start-up blocks and then the measurement block every 500 ms;
// each reply goes through the measurement session (core), which decides what the fields
// show; the dialog mirrors the fields into its widgets, paints the flow graph and feeds the
// ESC views of the chords.
class CMeasureDlg : public CCyclicDeviceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 121;
    static constexpr int kPeriodMs = 500;

    // recording: the recording file an opened dialog (mode 4) pages through.
    CMeasureDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr,
                std::string recording = {});
    ~CMeasureDlg() override;

    ks::CMeasureSession& session() { return *m_session; }
    CGraphWnd* graph() const { return m_graph; }
    // The ESC view of chord 1 or 2; nullptr until a measurement created it.
    CEscView* escView(int chord) const;

    // The work of one WM_NEW_TRAME without the framework around it (benchmarks): the reply
    // step, graph point, ESC views, display rules and widgets.
    int handleFrame(ks::JBusRequest& request);

    std::vector<ks::PrintLine> printLines() const override;

    // Recording.
    const ks::CRecordingStep& recordingStep() const { return m_step; }
    // Starts a recording into this file without asking for one (demonstrations, pictures).
    void startRecordingTo(const std::string& path);
    // The file being recorded ("" when none is).
    const std::string& recordingPath() const { return m_recordingPath; }
    // The file the export reads: the opened recording, or the last one made in this dialog.
    std::string exportSource() const;
    // The export asks nothing: the output is the recording's path ending in "xls".
    void setDirectExport(bool direct) { m_directExport = direct; }
    // The export command: 0, or -1 when it stopped (cancelled, or after the reason was
    // shown). The dialog closes with OK once the spreadsheet has started.
    int exportRecording();

    QString headerTextHook() const override;
    QString recordTextHook() const override;
    QString transferTextHook() const override;

protected:
    void onInitDialog() override;
    void onShown() override;
    int frameHook() override;
    void refreshHook() override;
    void onButton(int control) override;
    void recordStep() override;
    int decodeBlock(int blockCode, const ks::Bytes& bytes) override;

private:
    void mirror();
    int numberOf(int fieldId) const;
    void updateEscViews();
    void toggleEscViews();
    void printWithEscViews();
    void setButtonShown(int control, bool shown);
    void createButtonPictures();
    // The record button's pictures: a red disc to start, a dark square to stop.
    static QIcon recordIcon(bool stop);
    // The record button: arms the totaliser command in simplified-settings mode, then starts
    // or stops a recording.
    void pressRecord();
    bool createRecording();
    void writeSample();
    void stopRecording();
    void showRecordState();
    void setRecordingStatus(const std::string& text);
    // Opens the recording of an opened dialog and shows its first sample; false after the
    // reason was shown.
    bool openRecording();
    bool startSpreadsheet(const ExportFiles& files);

    CGraphWnd* m_graph;
    std::unique_ptr<ks::CMeasureSession> m_session;
    std::array<QPointer<CEscView>, 2> m_esc;
    ks::RegionalSettings m_regional;
    ks::CMeasureAcquisition::Outcome m_lastOutcome = ks::CMeasureAcquisition::Outcome::Failed;
    ks::CRecordingStep m_step;
    ks::CMeasureRecorder m_recorder;
    std::string m_recordingPath;
    std::string m_presetRecording;
    std::string m_lastRecording;
    // An opened recording and the graph points of the sample shown.
    std::string m_openedPath;
    std::unique_ptr<ks::CRecordFile> m_opened;
    std::unique_ptr<ks::CRecordFileSource> m_openedSource;
    ks::Bytes m_storedHistory;
    bool m_directExport = false;
    // The files of the export under way, for the transfer file's text.
    std::string m_exportTextFile;
    std::string m_exportOutput;
};

} // namespace ks::gui
