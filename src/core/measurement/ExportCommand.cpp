#include "measurement/ExportCommand.h"

#include "app/ProfileFile.h"
#include "i18n/TextTable.h"
#include "measurement/ExportTexts.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace ks {

namespace {
constexpr int kExcelFile = 138; // "Fichier Excel"
constexpr int kPrnFile = 133;   // "Fichier PRN"

std::size_t nameStart(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// The position of the file name's extension dot; npos when the name has none.
std::size_t extensionDot(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    return dot == std::string::npos || dot < nameStart(path) ? std::string::npos : dot;
}
} // namespace

std::string macroKeyOf(std::string_view macroName) {
    return "Path Macro " + std::string(macroName);
}

ExportPlan planExport(const CProfileFile& configuration, std::string_view macroName) {
    ExportPlan plan;
    plan.spreadsheet = spreadsheetOf(configuration);
    plan.spreadsheetMode = !macroName.empty() && plan.spreadsheet.macroCapable;
    if (plan.spreadsheetMode) {
        plan.macroKey = macroKeyOf(macroName);
        plan.macroPath = configuration.readPath("Spreadsheet", plan.macroKey, kMacroPathDefault);
    }
    return plan;
}

std::string exportFileFilter(int language, bool spreadsheetMode) {
    CTextTable texts;
    if (spreadsheetMode)
        return texts.text(kExcelFile, language) + " (*.xls)";
    return texts.text(kPrnFile, language) + " (*.prn);;" +
           exportText(ExportText::WorkbookKind, language) + " (*.xlsx)";
}

std::string exportDefaultSuffix(bool spreadsheetMode) {
    return spreadsheetMode ? "xls" : "prn";
}

std::string proposedExportName(const std::string& recording) {
    const std::size_t start = nameStart(recording);
    const std::size_t dot = extensionDot(recording);
    return recording.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
}

std::string directExportOutput(const std::string& recording) {
    const std::size_t dot = extensionDot(recording);
    return (dot == std::string::npos ? recording + "." : recording.substr(0, dot + 1)) + "xls";
}

std::string folderOfFile(const std::string& path) {
    return path.substr(0, nameStart(path));
}

std::string exportTextFile(const std::string& output, bool spreadsheetMode,
                           const std::string& workingFolder) {
    if (!spreadsheetMode)
        return output;
    std::string folder = workingFolder;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder + std::string(kSpreadsheetTextFileName);
}

std::string transferFilePath(const std::string& workingFolder) {
    std::string folder = workingFolder;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder + std::string(kTransferFileName);
}

int clearOldOutput(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    ::close(fd);
    if (::unlink(path.c_str()) != 0)
        return errno;
    return 0;
}

} // namespace ks
