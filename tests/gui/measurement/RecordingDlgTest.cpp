// Recording, export and stored samples in the measurement dialog, offscreen.
#include "MeterFixture.h"
#include "app/DialogCatalogue.h"
#include "controls/CButtonKS.h"
#include "framework/BusyWnd.h"
#include "framework/Exchange.h"
#include "framework/RecordPager.h"
#include "i18n/DateTime.h"
#include "measurement/CMacroChoiceDlg.h"
#include "measurement/CMeasureDlg.h"
#include "measurement/MeasureIds.h"
#include "measurement/MeasureRecording.h"
#include "shell/DialogModes.h"
#include "shell/MainDlg.h"
#include "shell/MenuCommands.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>

using ks::gui::CMeasureDlg;
namespace id = ks::measure::id;

namespace {

QString valueText(const CMeasureDlg& dlg, int fieldId) {
    if (auto* label = qobject_cast<QLabel*>(dlg.widgetsOf(fieldId).value))
        return label->text();
    return {};
}

QString statusLine(const CMeasureDlg& dlg) {
    return valueText(dlg, id::kRecordingStatus);
}

ks::gui::CButtonKS* button(const CMeasureDlg& dlg, int control) {
    return dlg.body()->button(control);
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        out.push_back(text.substr(start, nl - start));
    return out;
}

// The samples of a recording as the core reader sees them: -1 when it does not open.
int samplesIn(const std::string& path, ks::CRecordFile& file) {
    if (file.open(path) != ks::RecordFileStatus::Ok)
        return -1;
    return file.recordCount() / ks::kBlocksPerSample;
}

// A recording made without a meter: one sample per sound speed.
void writeRecording(const std::string& path, const std::vector<double>& soundSpeeds) {
    ks::CMeasureSampleModel model(1, ks::RegionalSettings::fallback(), 0);
    ks::CMeasureRecorder recorder;
    QCOMPARE(recorder.create(path, "test\n", ks::CDateTime::now().fields()),
             ks::RecordFileStatus::Ok);
    for (double c : soundSpeeds) {
        model.fields().find(id::kMeanSoundSpeed)->setNumber(c);
        QCOMPARE(recorder.writeSample(model.blocks(), {}), 0);
    }
}

// An executable that writes its arguments, one a line, into `out`.
std::string argumentRecorder(const std::string& path, const std::string& out) {
    std::ofstream(path) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" << out
                        << ".tmp'\nmv '" << out << ".tmp' '" << out << "'\n";
    ::chmod(path.c_str(), 0755);
    return path;
}

// Runs `action` while `handle` answers the modal dialogs it opens.
void whileModal(const std::function<void()>& action, const std::function<void(QWidget*)>& handle) {
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget())
            handle(modal);
    });
    watcher.start();
    action();
}

// Lets a file grow to `bytes` at most; writes past it fail with EFBIG (not a signal).
struct FileSizeLimit {
    rlimit saved{};
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

} // namespace

class RecordingDlgTest : public QObject {
    Q_OBJECT

private slots:
    void recordingOnTheMeterClockThenExport();
    void simplifiedSettingsResetTotalisersAndAWriteErrorKeepsTheSamples();
    void openedRecordingPagesThroughItsSamples();
    void openOfTheMainWindowShowsARecording();
    void macroSpreadsheetGetsTheTransferFile();
    void exportShowsProgressAndCancels();
};

void RecordingDlgTest::recordingOnTheMeterClockThenExport() {
    MeterFixture m;
    // A lap of 3 s of meter time.
    QVERIFY2(m.start({"--app", "1"}, 5, 1, {{"File Save/Record Lap Time", "0.05"}}),
             m.sim.error().c_str());
    QTemporaryDir dir;
    const std::string recording = dir.filePath("essai.mes").toStdString();
    CMeasureDlg dlg(ks::dialogmode::kDialogue, m.desktop().link());
    dlg.show();
    QVERIFY(!button(dlg, id::kRecordButton)->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(button(dlg, id::kRecordButton)->isVisible(), 15000);
    QVERIFY(!button(dlg, id::kExportButton)->isVisible());
    QVERIFY(!button(dlg, ks::kNextPageControl)->isVisible());

    m.prompts().files.push_back(recording);
    button(dlg, id::kRecordButton)->click();
    QCOMPARE(dlg.recordingStep().state(), ks::CRecordingStep::State::StartRequested);
    // Not in simplified-settings mode: the totalisers are left alone.
    QCOMPARE(dlg.fields().find(id::kTotaliserCommand)->number(), 0.0);
    // A second press before the file exists changes nothing.
    button(dlg, id::kRecordButton)->click();
    QCOMPARE(dlg.recordingStep().state(), ks::CRecordingStep::State::StartRequested);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.recordingStep().isRecording(), 5000);
    QCOMPARE(m.prompts().fileRequests.back().filter, std::string("Fichier Mesure (*.mes)"));
    QCOMPARE(m.prompts().fileRequests.back().defaultSuffix, std::string("mes"));
    QCOMPARE(dlg.recordingPath(), recording);
    QTRY_VERIFY_WITH_TIMEOUT(statusLine(dlg).startsWith("Enregistrement 1 (Temps restant "), 5000);
    QVERIFY2(statusLine(dlg).contains(QRegularExpression(R"(\(Temps restant (0mn [0-3]s)\)$)")),
             qPrintable(statusLine(dlg)));

    // The lap ends the recording by itself.
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.recordingStep().isRecording(), 10000);
    QCOMPARE(statusLine(dlg), QString());
    QVERIFY(dlg.recordingPath().empty());
    const int written = dlg.recordingStep().samplesWritten();
    QVERIFY2(written >= 3 && written <= 5, qPrintable(QString::number(written)));
    ks::CRecordFile file;
    QCOMPARE(samplesIn(recording, file), written);
    QCOMPARE(file.recordCount() % ks::kBlocksPerSample, 0);
    ks::CMeasureSampleModel model(1, ks::RegionalSettings::fromProcessLocale(), 0);
    QCOMPARE(model.load(file, written - 1), 0);
    QCOMPARE(model.fields().find(id::kSerialNumber)->text(), std::string("07/03/00001"));
    file.close();

    // Export to text: no spreadsheet is set up (the start-up placeholder), so the dialog says
    // where the file is and stays open.
    QTRY_VERIFY(button(dlg, id::kExportButton)->isVisible());
    // Start-up may have found a spreadsheet on this machine: none for this part.
    dlg.writeString("Spreadsheet", "Path Spreadsheet", "tartempionexcel.exe");
    const std::string prn = dir.filePath("sortie.prn").toStdString();
    m.prompts().files.push_back(prn);
    m.prompts().messages.clear();
    QCOMPARE(dlg.exportRecording(), -1);
    const CScriptedPrompts::FileRequest& asked = m.prompts().fileRequests.back();
    QVERIFY(asked.save);
    QCOMPARE(asked.filter, std::string("Fichier PRN (*.prn);;Classeur (*.xlsx)"));
    QCOMPARE(asked.defaultSuffix, std::string("prn"));
    QVERIFY2(asked.folder.ends_with("/essai"), asked.folder.c_str());
    QCOMPARE(m.prompts().messages.size(), std::size_t(1));
    QVERIFY2(m.prompts().messages[0].text.starts_with("Fichier enregistré : " + prn + "\n"),
             m.prompts().messages[0].text.c_str());
    const std::vector<std::string> rows = lines(fileText(prn));
    QCOMPARE(rows.size(), std::size_t(written + 1));
    QVERIFY(rows[0].starts_with("N°\tDate\tHeure\tDateTime\tDébit\t"));
    QVERIFY(rows[1].starts_with("1\t"));
    QVERIFY(rows.back().starts_with(std::to_string(written) + "\t"));
    QVERIFY(rows.back().ends_with("\t07/03/00001\t"));
    QVERIFY(dlg.isVisible());
    QCOMPARE(m.desktop().flowApp().workingFolder(), dir.path().toStdString() + "/");

    // The workbook kind.
    const std::string xlsx = dir.filePath("sortie.xlsx").toStdString();
    m.prompts().files.push_back(xlsx);
    QCOMPARE(dlg.exportRecording(), -1);
    QCOMPARE(fileText(xlsx).substr(0, 2), std::string("PK"));

    // A cancelled file choice writes nothing.
    const std::size_t messages = m.prompts().messages.size();
    QCOMPARE(dlg.exportRecording(), -1);
    QCOMPARE(m.prompts().messages.size(), messages);

    // With a spreadsheet program the file goes to it, without a shell, and the dialog closes.
    const std::string args = dir.filePath("args.txt").toStdString();
    dlg.writeString("Spreadsheet", "Path Spreadsheet",
                    argumentRecorder(dir.filePath("tableur").toStdString(), args));
    const std::string quoted = dir.filePath("it's \"here\".prn").toStdString();
    m.prompts().files.push_back(quoted);
    QCOMPARE(dlg.exportRecording(), 0);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(fileText(args), quoted + "\n", 5000);
}

void RecordingDlgTest::simplifiedSettingsResetTotalisersAndAWriteErrorKeepsTheSamples() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}, 5, 1, {}, {{"Custumisation/ParamSimplifie", "Y"}}),
             m.sim.error().c_str());
    QVERIFY(m.desktop().flowApp().simplifiedSettings());
    QTemporaryDir dir;
    const std::string recording = dir.filePath("plein.mes").toStdString();
    CMeasureDlg dlg(ks::dialogmode::kDialogue, m.desktop().link());
    dlg.show();
    QTRY_VERIFY_WITH_TIMEOUT(button(dlg, id::kRecordButton)->isVisible(), 15000);
    m.prompts().files.push_back(recording);
    button(dlg, id::kRecordButton)->click();
    QCOMPARE(dlg.fields().find(id::kTotaliserCommand)->number(), 65537.0);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.recordingStep().samplesWritten() >= 1, 5000);

    // The disk fills up after the first sample.
    struct stat st {};
    QCOMPARE(::stat(recording.c_str(), &st), 0);
    {
        FileSizeLimit full(static_cast<rlim_t>(st.st_size) + 100);
        QTRY_VERIFY_WITH_TIMEOUT(!dlg.recordingStep().isRecording(), 5000);
    }
    QCOMPARE(m.prompts().messages.size(), std::size_t(1));
    QCOMPARE(m.prompts().messages[0].text,
             std::string("Impossible d'ouvrir le fichier : ") + std::strerror(EFBIG));
    QCOMPARE(m.prompts().messages[0].caption, std::string("Erreur"));
    QCOMPARE(statusLine(dlg), QString());
    QVERIFY(dlg.isVisible());
    ks::CRecordFile file;
    QCOMPARE(samplesIn(recording, file), dlg.recordingStep().samplesWritten() - 1);
    QCOMPARE(file.tornBytes(), std::int64_t(0));
    dlg.done(QDialog::Accepted);
}

void RecordingDlgTest::openedRecordingPagesThroughItsSamples() {
    DesktopFixture f;
    QTemporaryDir dir;
    const std::string recording = dir.filePath("trois.mes").toStdString();
    writeRecording(recording, {1480, 1490, 1500});
    CMeasureDlg dlg(ks::dialogmode::kOpen, f.desktop.link(), nullptr, recording);
    dlg.show();
    QTRY_COMPARE(statusLine(dlg), QString("Enregistrement 1 / 3"));
    QCOMPARE(valueText(dlg, id::kMeanSoundSpeed), QString("1480"));
    QVERIFY(dlg.widgetsOf(id::kMeanSoundSpeed).value->isVisible());
    QVERIFY(!dlg.isPolling());
    // No meter, so no communication state to show.
    QVERIFY(!dlg.widgetsOf(id::kCommunicationStatus).value->isVisible());
    QVERIFY(button(dlg, id::kExportButton)->isVisible());
    QVERIFY(!button(dlg, id::kRecordButton)->isVisible());

    using ks::kFirstPageControl, ks::kPreviousPageControl, ks::kNextPageControl,
        ks::kLastPageControl;
    const struct {
        int press;
        const char* status;
        const char* value;
        bool firstAndPrevious, nextAndLast;
    } steps[] = {
        {kNextPageControl, "Enregistrement 2 / 3", "1490", true, true},
        {kLastPageControl, "Enregistrement 3 / 3", "1500", true, false},
        {kPreviousPageControl, "Enregistrement 2 / 3", "1490", true, true},
        {kFirstPageControl, "Enregistrement 1 / 3", "1480", false, true},
    };
    QVERIFY(!button(dlg, kFirstPageControl)->isEnabled());
    for (const auto& s : steps) {
        button(dlg, s.press)->click();
        QCOMPARE(statusLine(dlg), QString(s.status));
        QCOMPARE(valueText(dlg, id::kMeanSoundSpeed), QString(s.value));
        QCOMPARE(button(dlg, kFirstPageControl)->isEnabled(), s.firstAndPrevious);
        QCOMPARE(button(dlg, kPreviousPageControl)->isEnabled(), s.firstAndPrevious);
        QCOMPARE(button(dlg, kNextPageControl)->isEnabled(), s.nextAndLast);
        QCOMPARE(button(dlg, kLastPageControl)->isEnabled(), s.nextAndLast);
    }
    // An export chosen over the recording itself is refused before anything is written.
    f.prompts.files = {recording};
    QCOMPARE(dlg.exportRecording(), -1);
    QVERIFY(!f.prompts.messages.empty());
    QCOMPARE(f.prompts.messages.back().text,
             std::string("Fichier source identique au fichier destination !"));
    ks::CRecordFile file;
    QCOMPARE(samplesIn(recording, file), 3);
    dlg.done(QDialog::Accepted);

    // What is not a recording is said so, and the dialog does not stay.
    const std::string junk = dir.filePath("junk.mes").toStdString();
    std::ofstream(junk) << std::string(300, 'x');
    CMeasureDlg bad(ks::dialogmode::kOpen, f.desktop.link(), nullptr, junk);
    bad.show();
    QTRY_VERIFY(!bad.isVisible());
    QCOMPARE(bad.result(), int(QDialog::Rejected));
    QVERIFY(!f.prompts.messages.empty());
    QCOMPARE(f.prompts.messages.back().text, std::string("Fichier incorrect"));
}

void RecordingDlgTest::openOfTheMainWindowShowsARecording() {
    DesktopFixture f;
    ks::gui::installProgramDialogs(f.desktop.dialogs());
    QTemporaryDir dir;
    const std::string recording = dir.filePath("deux.mes").toStdString();
    writeRecording(recording, {1480, 1490});
    ks::gui::CMainDlg main;
    f.prompts.files = {recording};
    // The dialog runs modally inside the command: looked at from a timer.
    QString status;
    int mode = -1;
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dlg = qobject_cast<CMeasureDlg*>(QApplication::activeModalWidget());
        if (dlg == nullptr || statusLine(*dlg).isEmpty())
            return;
        status = statusLine(*dlg);
        mode = dlg->mode();
        dlg->done(QDialog::Accepted);
    });
    watcher.start();
    main.postCommand(ks::menu::kOuvrir);
    QTRY_VERIFY_WITH_TIMEOUT(mode != -1, 5000);
    QCOMPARE(status, QString("Enregistrement 1 / 2"));
    QCOMPARE(mode, ks::dialogmode::kOpen);
    QVERIFY(f.prompts.fileRequests.front().filter.find("*.mes") != std::string::npos);
}

void RecordingDlgTest::macroSpreadsheetGetsTheTransferFile() {
    DesktopFixture f;
    QTemporaryDir dir;
    const std::string recording = dir.filePath("mesure.mes").toStdString();
    writeRecording(recording, {1480, 1490});
    // The macro-capable spreadsheet is the one whose path holds "excel.exe".
    const std::string args = dir.filePath("args.txt").toStdString();
    const std::string excel = argumentRecorder(dir.filePath("excel.exe").toStdString(), args);
    const std::string output = dir.filePath("rapport.xls").toStdString();
    std::ofstream(output) << "an older report";

    CMeasureDlg dlg(ks::dialogmode::kOpen, f.desktop.link(), nullptr, recording);
    dlg.show();
    QTRY_COMPARE(statusLine(dlg), QString("Enregistrement 1 / 2"));
    dlg.writeString("Spreadsheet", "Path Spreadsheet", excel);
    dlg.writeString("Spreadsheet", "Path Macro Mesure", "/macros/old.xls");
    f.prompts.files.push_back(output);
    QString shownPath;
    int result = -1;
    whileModal([&] { result = dlg.exportRecording(); },
               [&](QWidget* modal) {
                   auto* choice = qobject_cast<ks::gui::CMacroChoiceDlg*>(modal);
                   if (choice == nullptr)
                       return;
                   shownPath = choice->macroPath();
                   choice->findChild<QLineEdit*>()->setText("/macros/rapport.xls");
                   choice->button(ks::gui::CMacroChoiceDlg::kValidate)->click();
               });
    QCOMPARE(result, 0);
    QCOMPARE(shownPath, QString("/macros/old.xls"));
    QCOMPARE(dlg.readString("Spreadsheet", "Path Macro Mesure", ""),
             std::string("/macros/rapport.xls"));
    QCOMPARE(f.prompts.fileRequests.back().filter, std::string("Fichier Excel (*.xls)"));
    QCOMPARE(dlg.result(), int(QDialog::Accepted));

    const std::string folder = dir.path().toStdString() + "/";
    QTRY_COMPARE_WITH_TIMEOUT(fileText(args), "/p\n" + folder + "\n/macros/rapport.xls\n", 5000);
    // The macro finds everything through the transfer file; no older report is left.
    const std::string transfer = fileText(folder + "KSNTransfert.$dat");
    QVERIFY2(transfer.starts_with("TYPE\tMES\nF_IN\t" + folder + "KSNPrnTemp.prn\nF_OUT\t" +
                                  output + "\nT_DebitMoy\tDébit moyen\n"),
             transfer.c_str());
    QVERIFY(transfer.ends_with("C_Num_Serie\tAA\n"));
    QCOMPARE(lines(fileText(folder + "KSNPrnTemp.prn")).size(), std::size_t(3));
    QVERIFY(!QFileInfo::exists(QString::fromStdString(output)));
}

// The export runs on a worker: the window's thread keeps turning, the progress bar moves in
// steps of 25 samples, and Cancel leaves no file.
void RecordingDlgTest::exportShowsProgressAndCancels() {
    DesktopFixture f;
    QTemporaryDir dir;
    const std::string recording = dir.filePath("long.mes").toStdString();
    constexpr int kSamples = 20000;
    writeRecording(recording, std::vector<double>(kSamples, 1480));
    CMeasureDlg dlg(ks::dialogmode::kOpen, f.desktop.link(), nullptr, recording);
    dlg.show();
    QTRY_COMPARE(statusLine(dlg), QString("Enregistrement 1 / 20000"));
    dlg.writeString("Spreadsheet", "Path Spreadsheet", "");

    for (bool cancel : {false, true}) {
        const std::string output =
            dir.filePath(cancel ? "cancelled.prn" : "long.prn").toStdString();
        std::vector<int> positions;
        int maximum = 0;
        bool transferShown = false;
        QTimer watcher;
        watcher.setInterval(2);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            ks::gui::CBusyWnd* busy = dlg.busyWindow();
            if (busy == nullptr || !busy->progressBar()->isVisible())
                return;
            const int at = busy->progressBar()->value();
            if (positions.empty() || positions.back() != at)
                positions.push_back(at);
            maximum = busy->progressBar()->maximum();
            transferShown =
                transferShown || busy->button(ks::gui::CBusyWnd::kTransferControl)->isVisible();
            if (cancel && at > 0)
                busy->button(ks::gui::CBusyWnd::kExitControl)->click();
        });
        watcher.start();
        f.prompts.files = {output};
        f.prompts.messages.clear();
        const int result = dlg.exportRecording();
        watcher.stop();
        QVERIFY2(!positions.empty(), "the progress bar never showed");
        QCOMPARE(maximum, kSamples);
        QVERIFY(!transferShown);
        for (int at : positions)
            QVERIFY2(at % 25 == 0, qPrintable(QString::number(at)));
        if (cancel) {
            QCOMPARE(result, -1);
            QVERIFY(f.prompts.messages.empty());
            QVERIFY(!QFileInfo::exists(QString::fromStdString(output)));
        } else {
            QCOMPARE(lines(fileText(output)).size(), std::size_t(kSamples + 1));
        }
    }
    QCOMPARE(ks::gui::CExchange::workersAlive(), 0);
}

QTEST_MAIN(RecordingDlgTest)
#include "RecordingDlgTest.moc"
