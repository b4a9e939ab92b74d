#include "settings/CEscDlg.h"

#include "app/QtText.h"
#include "controls/GridFill.h"
#include "settings/EchoTable.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QTableWidget>

namespace ks::gui {

namespace {

namespace eid = ks::echo::id;

std::vector<TemplateEntry> escTemplate() {
    using namespace tpl;
    std::vector<TemplateEntry> t = {
        group(eid::kGroupChord1), field(eid::kPolarity1), field(eid::kMargin1), end(), column(),
        group(eid::kGroupChord2), field(eid::kPolarity2), field(eid::kMargin2), end(),
    };
    // The tables are only read from the meter: print, compare and save, no transfer.
    for (const TemplateEntry& b : CParameterDlg::buttonRow())
        if (b.id != CParameterDlg::kTransferButton)
            t.push_back(b);
    return t;
}

} // namespace

CEscDlg::CEscDlg(int mode, ks::CJBusLink& link, QWidget* parent, std::string filePath)
    : CServiceDlg(ks::ParameterKind::Echo, kTemplate, mode, link, parent, std::move(filePath)) {
    setBodyTemplate(escTemplate());
}

CEscDlg::~CEscDlg() = default;

void CEscDlg::onInitDialog() {
    CServiceDlg::onInitDialog();
    // Chord 1 above chord 2; in each, "Normal" on the left and "Inverse" on the right.
    auto* grids = new QGridLayout;
    for (std::size_t g = 0; g < m_tables.size(); ++g) {
        auto* table = new QTableWidget(1, 4, this);
        table->setObjectName(QString("escGrid%1").arg(g));
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        // Room for the title row and ten rows, every column in view.
        table->setMinimumSize(400, 340);
        table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        m_tables[g] = table;
        m_grids[g] = std::make_unique<ks::CMSFlexGrid>(table);
        grids->addWidget(table, static_cast<int>(g / 2), static_cast<int>(g % 2));
    }
    contentLayout()->addLayout(grids);
    fillGrids();
}

void CEscDlg::valuesArrived() {
    CServiceDlg::valuesArrived();
    fillGrids();
}

void CEscDlg::fillGrids() {
    m_filled = ks::fillEchoGrids(blocks(), blocks().encodeBlock(ks::echo::kBlock));
    for (std::size_t g = 0; g < m_filled.size(); ++g) {
        if (!m_grids[g])
            continue;
        std::vector<QString> headings;
        std::vector<std::vector<QString>> rows;
        if (m_filled[g].filled) {
            for (const std::string& t : m_filled[g].titles)
                headings.push_back(qtext(t));
            for (const auto& row : m_filled[g].rows)
                rows.push_back({qtext(row[0]), qtext(row[1]), qtext(row[2]), qtext(row[3])});
        } else {
            headings.assign(4, QString());
        }
        ks::fillGrid(*m_grids[g], headings, rows);
    }
}

std::vector<ks::PrintLine> CEscDlg::printLines() const {
    // The grids as they are shown, after the chords' values.
    std::vector<ks::PrintLine> lines = CServiceDlg::printLines();
    const std::vector<ks::PrintLine> rows = ks::echoGridPrintLines(m_filled, language());
    lines.insert(lines.end(), rows.begin(), rows.end());
    return lines;
}

std::unique_ptr<CServiceDlg> CEscDlg::makeReference() {
    return std::make_unique<CEscDlg>(kComparisonMode, link(), this);
}

} // namespace ks::gui
