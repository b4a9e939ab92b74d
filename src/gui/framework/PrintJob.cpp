#include "framework/PrintJob.h"

#include "app/DesktopApp.h"
#include "app/FileAccess.h"
#include "app/QtText.h"
#include "framework/DialogPrintout.h"

#include <QDateTime>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>

namespace ks::gui {

namespace {

// A printout of one dialog is a few pages; anything longer is not ours.
constexpr std::size_t kMaxPrintFileBytes = 256u << 20;

} // namespace

int printDocument(QWidget* parent, const QString& title, bool unattended,
                  const QString& errorCaption, const PagePainter& paint) {
    CDesktopApp& app = CDesktopApp::current();
    const auto fail = [&](const char* why) {
        // These three messages exist in English only.
        app.prompts().message(why, utf8(errorCaption), ks::CUserPrompts::Icon::Error);
        return -1;
    };
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(printDocumentName(title, QDateTime::currentDateTime()));
    const std::string file = app.nextPrintFile();
    // A printout to a file is drawn into a temporary file beside it and then replaces it, so
    // that a failure leaves an older printout whole.
    const std::string partial = file.empty() ? std::string() : file + ".part";
    if (!file.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(qtext(partial));
    } else if (unattended) {
        const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
        if (standard.isNull())
            return fail("You have no default printer!");
        printer.setPrinterName(standard.printerName());
    } else {
        QPrintDialog chooser(&printer, parent);
        if (chooser.exec() != QDialog::Accepted)
            return -1;
    }

    QPainter painter;
    if (!painter.begin(&printer))
        return fail("Printer wouldn't initalize");
    const int result = paint(painter, printer);
    const bool ended = painter.end();
    if (!partial.empty()) {
        std::string bytes;
        const bool kept =
            ended && result == 0 &&
            ks::readFileHead(partial, kMaxPrintFileBytes, bytes) == ks::ReadResult::Ok &&
            ks::replaceFileContents(file, bytes) == 0;
        std::remove(partial.c_str());
        if (result == 0 && !kept)
            return fail("Printer wouldn't initalize");
    }
    if (result != 0)
        return fail("Could not start page");
    return 0;
}

} // namespace ks::gui
