#include "measurement/WorkbookWriter.h"

#include "i18n/TextTable.h"
#include "measurement/ExportTexts.h"

#include <charconv>
#include <xlsxwriter.h>

namespace ks {

namespace {
constexpr int kMeanFlowText = 92, kCvText = 84, kVolumeText = 341;
// Columns of the data sheet: A number, B date, C time, D date-time, E flow, AA serial.
constexpr int kDateColumn = 1, kTimeColumn = 2, kDateTimeColumn = 3, kFlowColumn = 4,
              kSerialColumn = 26;
} // namespace

bool numberOfText(const std::string& text, double& out) {
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos)
        return false;
    std::size_t e = text.find_last_not_of(' ') + 1;
    if (text[b] == '+')
        ++b;
    const auto r = std::from_chars(text.data() + b, text.data() + e, out);
    return r.ec == std::errc() && r.ptr == text.data() + e;
}

struct CWorkbookWriter::Impl {
    lxw_workbook* book = nullptr;
    lxw_worksheet* data = nullptr;
    lxw_worksheet* summary = nullptr;
    lxw_format* bold = nullptr;
    lxw_format* dateTime = nullptr;
    std::string dataName;
    std::string tempFolder;
    int language = 1;
    int rows = 0;
    bool failed = false;
};

CWorkbookWriter::CWorkbookWriter() : m(std::make_unique<Impl>()) {}

CWorkbookWriter::~CWorkbookWriter() {
    abandon();
}

void CWorkbookWriter::abandon() {
    if (m->book) {
        // Closing is the only way to free the workbook; the caller removes the file it wrote.
        workbook_close(m->book);
        m->book = nullptr;
    }
}

int CWorkbookWriter::open(const std::string& path, const std::string& tempFolder, int language) {
    abandon();
    *m = Impl{};
    m->language = language;
    m->tempFolder = tempFolder;
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m->tempFolder.empty() ? nullptr : m->tempFolder.data();
    options.use_zip64 = LXW_TRUE;
    m->book = workbook_new_opt(path.c_str(), &options);
    if (!m->book)
        return -1;
    m->dataName = exportText(ExportText::DataSheet, language);
    m->data = workbook_add_worksheet(m->book, m->dataName.c_str());
    m->summary =
        workbook_add_worksheet(m->book, exportText(ExportText::SummarySheet, language).c_str());
    m->bold = workbook_add_format(m->book);
    format_set_bold(m->bold);
    m->dateTime = workbook_add_format(m->book);
    format_set_num_format(m->dateTime, "dd/mm/yyyy hh:mm:ss");
    if (!m->data || !m->summary || !m->bold || !m->dateTime)
        return -1;
    worksheet_set_column(m->data, kDateTimeColumn, kDateTimeColumn, 20, nullptr);
    return 0;
}

int CWorkbookWriter::writeHeader(const std::vector<std::string>& titles) {
    if (!m->data)
        return -1;
    for (std::size_t c = 0; c < titles.size(); ++c)
        if (worksheet_write_string(m->data, 0, static_cast<lxw_col_t>(c), titles[c].c_str(),
                                   m->bold) != LXW_NO_ERROR)
            m->failed = true;
    return m->failed ? -1 : 0;
}

int CWorkbookWriter::writeSample(int number, const std::vector<std::string>& columns) {
    if (!m->data)
        return -1;
    const auto row = static_cast<lxw_row_t>(++m->rows);
    lxw_error e = worksheet_write_number(m->data, row, 0, number, nullptr);
    for (std::size_t i = 0; i < columns.size() && e == LXW_NO_ERROR; ++i) {
        const auto col = static_cast<lxw_col_t>(i + 1);
        double v = 0;
        const bool textColumn = col == kDateColumn || col == kTimeColumn || col == kSerialColumn;
        if (!textColumn && numberOfText(columns[i], v))
            e = worksheet_write_number(m->data, row, col, v,
                                       col == kDateTimeColumn ? m->dateTime : nullptr);
        else if (!columns[i].empty())
            e = worksheet_write_string(m->data, row, col, columns[i].c_str(), nullptr);
    }
    if (e != LXW_NO_ERROR)
        m->failed = true;
    return m->failed ? -1 : 0;
}

int CWorkbookWriter::finish(const RecordingSummary& s, const std::string& flowTitle) {
    if (!m->book)
        return -1;
    CTextTable t;
    lxw_worksheet* ws = m->summary;
    auto label = [&](int row, const std::string& text) {
        worksheet_write_string(ws, static_cast<lxw_row_t>(row), 0, text.c_str(), m->bold);
    };
    worksheet_set_column(ws, 0, 0, 28, nullptr);
    label(0, exportText(ExportText::Samples, m->language));
    worksheet_write_number(ws, 0, 1, s.samples, nullptr);
    label(1, exportText(ExportText::Duration, m->language));
    worksheet_write_number(ws, 1, 1, static_cast<double>(s.durationSeconds), nullptr);
    worksheet_write_string(ws, 1, 2, "s", nullptr);
    label(2, t.text(kMeanFlowText, m->language));
    worksheet_write_number(ws, 2, 1, s.meanFlow, nullptr);
    worksheet_write_string(ws, 2, 2, s.flowUnit.c_str(), nullptr);
    label(3, t.text(kCvText, m->language));
    if (s.cvPercent)
        worksheet_write_number(ws, 3, 1, *s.cvPercent, nullptr);
    worksheet_write_string(ws, 3, 2, "%", nullptr);
    label(4, t.text(kVolumeText, m->language));
    if (!s.volumeUnit.empty()) {
        worksheet_write_number(ws, 4, 1, s.volume, nullptr);
        worksheet_write_string(ws, 4, 2, s.volumeUnit.c_str(), nullptr);
    }

    if (m->rows > 0) {
        lxw_chart* chart = workbook_add_chart(m->book, LXW_CHART_LINE);
        if (chart) {
            lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
            const auto last = static_cast<lxw_row_t>(m->rows);
            chart_series_set_categories(series, m->dataName.c_str(), 1, kTimeColumn, last,
                                        kTimeColumn);
            chart_series_set_values(series, m->dataName.c_str(), 1, kFlowColumn, last, kFlowColumn);
            const std::string title = flowTitle + " (" + s.flowUnit + ")";
            chart_series_set_name(series, title.c_str());
            chart_title_set_name(chart, title.c_str());
            chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
            worksheet_insert_chart(ws, 6, 0, chart);
        }
    }
    const lxw_error e = workbook_close(m->book);
    m->book = nullptr;
    return e == LXW_NO_ERROR && !m->failed ? 0 : -1;
}

} // namespace ks
