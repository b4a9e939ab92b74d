// The export command of the measurement dialog: the recording to a text file or a workbook,
// then to the spreadsheet program.
#include "measurement/CMeasureDlg.h"

#include "app/DesktopApp.h"
#include "app/FileAccess.h"
#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "framework/BusyWnd.h"
#include "measurement/CMacroChoiceDlg.h"
#include "measurement/ExportCommand.h"
#include "measurement/ExportTexts.h"
#include "measurement/MeasureExport.h"
#include "measurement/RecordTexts.h"
#include "shell/ConfigurationFiles.h"

#include <QApplication>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace ks::gui {

namespace {
constexpr int kCannotOpenFile = 123; // "Impossible d'ouvrir le fichier : "
constexpr int kDataExport = 126;     // "Export de données"
constexpr int kSameFile = 115;       // "Fichier source identique au fichier destination !"
} // namespace

// What one export writes and hands over.
struct ExportFiles {
    ks::ExportPlan plan;
    std::string macro;         // the report macro, "" for none
    std::string output;        // the file the user chose
    std::string textFile;      // the file the export writes
    std::string workingFolder; // the chosen output's folder
    std::string decimalSeparator;
};

int CMeasureDlg::exportRecording() {
    const std::string recording = exportSource();
    if (recording.empty())
        return -1;
    ExportFiles files;
    files.plan = ks::planExport(profile(), ks::kMeasureMacroName);
    bool& spreadsheetMode = files.plan.spreadsheetMode;
    if (spreadsheetMode) {
        files.macro = files.plan.macroPath;
        if (!m_directExport) {
            CMacroChoiceDlg choice(qtext(files.macro), this);
            if (choice.exec() == QDialog::Accepted) {
                files.macro = utf8(choice.macroPath());
                writeString("Spreadsheet", files.plan.macroKey, files.macro);
            } else {
                files.macro.clear();
                spreadsheetMode = false;
            }
        }
    }

    ks::CFlowApp& flow = app().flowApp();
    if (m_directExport) {
        files.output = ks::directExportOutput(recording);
    } else {
        std::string start = flow.workingFolder();
        if (!start.empty() && start.back() != '/')
            start += '/';
        files.output = app().prompts().saveFile(utf8(text(kDataExport)),
                                                start + ks::proposedExportName(recording),
                                                ks::exportFileFilter(language(), spreadsheetMode),
                                                ks::exportDefaultSuffix(spreadsheetMode));
    }
    if (files.output.empty())
        return -1;
    // Nothing is ever written over the recording being exported.
    if (ks::isSameFile(files.output, recording)) {
        errorBox(kSameFile);
        return -1;
    }
    flow.setWorkingFolderFromFile(files.output);
    files.workingFolder = flow.workingFolder();
    files.textFile = ks::exportTextFile(files.output, spreadsheetMode, files.workingFolder);
    files.decimalSeparator = ks::decimalSeparatorOfEnvironment();

    auto request = std::make_shared<ks::ExportRequest>();
    request->recording = recording;
    request->output = files.textFile;
    request->kind = spreadsheetMode ? ks::ExportKind::Text : ks::exportKindOfPath(files.textFile);
    request->language = language();
    request->regional = m_regional;
    request->decimalSeparator = files.decimalSeparator;
    request->applicationSetting = m_session->options().application;

    // The export runs on a worker; the busy window shows how far it went, every 25 samples.
    showBusy(false);
    setBusyText(qtext(ks::exportText(ks::ExportText::Progress, language())));
    // Nothing is transferred to the meter here: only Cancel is offered.
    if (CButtonKS* transfer = busyWindow()->button(CBusyWnd::kTransferControl))
        transfer->hide();
    auto result = std::make_shared<ks::ExportResult>();
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    QPointer<CBusyWnd> busy = busyWindow();
    const QString progressText = qtext(ks::exportText(ks::ExportText::Progress, language()));
    const auto progress = [busy, cancelled, progressText](int done, int total) {
        // On the worker: the window is only touched on its own thread, if it is still there.
        QMetaObject::invokeMethod(
            qApp,
            [busy, done, total, progressText] {
                if (!busy)
                    return;
                QProgressBar* bar = busy->progressBar();
                if (!bar->isVisible() || bar->maximum() != total)
                    busy->setRange(total);
                bar->setValue(done);
                busy->setText(progressText + QStringLiteral("%1 / %2").arg(done).arg(total));
            },
            Qt::QueuedConnection);
        return !cancelled->load();
    };
    QPointer<CMeasureDlg> self(this);
    const int code = exchange().run(
        [request, result, progress] {
            *result = ks::exportRecording(*request, progress);
            return result->status;
        },
        [cancelled] { cancelled->store(true); }, {busy.data(), true});
    if (!self)
        return -1; // the dialog went meanwhile
    hideBusy();
    if (code == CExchange::kCancelled || result->cancelled)
        return -1;
    if (result->status != 0) {
        app().prompts().message(result->message, utf8(text(kErrorCaption)),
                                ks::CUserPrompts::Icon::Error);
        return -1;
    }
    return startSpreadsheet(files) ? 0 : -1;
}

bool CMeasureDlg::startSpreadsheet(const ExportFiles& files) {
    const ks::SpreadsheetProgram& spreadsheet = files.plan.spreadsheet;
    const auto savedAt = [&] {
        std::string text = ks::exportText(ks::ExportText::SavedAt, language()) + files.textFile;
        if (!spreadsheet.runnable)
            text += "\n" + ks::exportText(ks::ExportText::NoSpreadsheet, language());
        app().prompts().message(text, utf8(captionText()), ks::CUserPrompts::Icon::Information);
    };
    // No program to start (nothing set, or the start-up placeholder): say where the file is.
    if (!spreadsheet.runnable) {
        savedAt();
        return false;
    }
    if (files.plan.spreadsheetMode) {
        // The macro writes its workbook anew: no older one of that name may remain (unless
        // the user named the text file itself as the workbook).
        const int err =
            ks::isSameFile(files.output, files.textFile) ? 0 : ks::clearOldOutput(files.output);
        if (err != 0) {
            errorBoxWithDetail(kCannotOpenFile, qtext(std::strerror(err)));
            return false;
        }
        if (!files.macro.empty()) {
            m_exportTextFile = files.textFile;
            m_exportOutput = files.output;
            const std::string transfer = ks::transferFilePath(files.workingFolder);
            if (ks::replaceFileContents(transfer, utf8(transferTextHook())) != 0) {
                errorBoxWithDetail(kCannotOpenFile, qtext(std::strerror(errno)));
                return false;
            }
        }
    }
    const ks::LaunchCommand command = ks::spreadsheetCommand(
        spreadsheet, files.textFile, files.workingFolder, files.macro, files.decimalSeparator);
    QStringList arguments;
    for (const std::string& a : command.arguments)
        arguments << qtext(a);
    // Started without a shell and without waiting for it.
    if (!QProcess::startDetached(qtext(command.program), arguments)) {
        savedAt();
        return false;
    }
    done(Accepted);
    return true;
}

} // namespace ks::gui
