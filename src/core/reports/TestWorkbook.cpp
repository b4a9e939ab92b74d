#include "reports/TestWorkbook.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>
#include <xlsxwriter.h>

namespace ks {

namespace {

// Writes rows of one sheet; remembers the first failure.
struct Sheet {
    lxw_worksheet* ws = nullptr;
    lxw_format* bold = nullptr;
    lxw_row_t row = 0;
    bool failed = false;

    void check(lxw_error e) { failed = failed || e != LXW_NO_ERROR; }
    void text(lxw_col_t col, const std::string& s, bool strong = false) {
        check(worksheet_write_string(ws, row, col, s.c_str(), strong ? bold : nullptr));
    }
    void number(lxw_col_t col, double v) {
        check(worksheet_write_number(ws, row, col, v, nullptr));
    }
    void serial(lxw_col_t col, const std::array<double, 3>& s) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%02.0f/%02.0f/%05.0f", s[0], s[1], s[2]);
        text(col, buf);
    }
};

void channel(Sheet& s, const TestChannel& c, const char* title) {
    s.text(0, title, true);
    ++s.row;
    s.text(0, "Polarite");
    s.text(1, c.polarity);
    ++s.row;
    s.text(0, "Marge");
    s.number(1, c.margin);
    ++s.row;
    s.text(0, "ModeRxTx");
    s.text(1, c.mode);
    ++s.row;
    static const char* const kHeads[7] = {"N°",       "Nombre N",   "Gain Min N", "Val N",
                                          "Nombre I", "Gain Min I", "Val I"};
    for (lxw_col_t k = 0; k < 7; ++k)
        s.text(k, kHeads[k], true);
    ++s.row;
    for (std::size_t r = 0; r < c.normal.size(); ++r) {
        s.number(0, static_cast<double>(r + 1));
        s.number(1, c.normal[r].count);
        s.number(2, c.normal[r].minimumGain);
        s.number(3, c.normal[r].value);
        s.number(4, c.inverse[r].count);
        s.number(5, c.inverse[r].minimumGain);
        s.number(6, c.inverse[r].value);
        ++s.row;
    }
    ++s.row;
}

} // namespace

std::string testWorkbookNameOf(const std::string& reportName) {
    const std::size_t slash = reportName.rfind('/');
    const std::size_t dot = reportName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return reportName + ".xlsx";
    return reportName.substr(0, dot) + ".xlsx";
}

FileOutcome writeTestWorkbook(const std::string& path, const TestReportData& d) {
    FileOutcome o;
    o.path = path;
    // The temporary name keeps the extension: the writer does not care, a reader might.
    const std::string temporary = path + ".part-" + std::to_string(::getpid()) + ".xlsx";
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    lxw_workbook* book = workbook_new_opt(temporary.c_str(), &options);
    if (!book) {
        o.status = -1;
        o.error = errno != 0 ? errno : EIO;
        return o;
    }
    Sheet s;
    s.ws = workbook_add_worksheet(book, "Test");
    s.bold = workbook_add_format(book);
    if (!s.ws || !s.bold) {
        workbook_close(book);
        std::remove(temporary.c_str());
        o.status = -1;
        o.error = ENOMEM;
        return o;
    }
    format_set_bold(s.bold);
    worksheet_set_column(s.ws, 0, 0, 20, nullptr);
    worksheet_set_column(s.ws, 1, 6, 12, nullptr);
    s.text(0, "N° série Appareil", true);
    s.serial(1, d.serial);
    s.text(3, "Type carte", true);
    s.text(4, d.boardType);
    ++s.row;
    s.text(0, "N° série carte", true);
    s.serial(1, d.boardSerial);
    ++s.row;
    s.text(0, "Ref Soft", true);
    s.text(1, d.softwareReference);
    ++s.row;
    static const char* const kPoints[4] = {"Pts 4mA(1)", "Pts 20mA(1)", "Pts 4mA(2)",
                                           "Pts 20mA(2)"};
    for (std::size_t k = 0; k < 4; ++k) {
        s.text(0, kPoints[k], true);
        s.number(1, d.outputPoints[k]);
        ++s.row;
    }
    ++s.row;
    channel(s, d.channels[0], "Corde 1");
    channel(s, d.channels[1], "Corde 2");
    errno = 0;
    const lxw_error closed = workbook_close(book);
    if (s.failed || closed != LXW_NO_ERROR) {
        const int error = errno != 0 ? errno : EIO;
        std::remove(temporary.c_str());
        o.status = -1;
        o.error = error;
        return o;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        o.status = -1;
        o.error = errno;
        std::remove(temporary.c_str());
    }
    return o;
}

} // namespace ks
