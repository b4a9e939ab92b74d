#include "settings/CEscDlg.h"

#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "controls/GridFill.h"
#include "controls/PrinterIcon.h"
#include "framework/Identification.h"
#include "framework/IdentificationFields.h"
#include "settings/EchoTable.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ks::gui {

namespace {

namespace eid = ks::echo::id;
constexpr int kPrintButton = 5740;
constexpr int kFileKind = 128; // "Fichier ESC|esc"
constexpr int kMeasurementBlock = 0x0010;

std::vector<TemplateEntry> escTemplate() {
    using namespace tpl;
    return {
        group(eid::kGroupChord1),
        field(eid::kPolarity1),
        field(eid::kMargin1),
        end(),
        column(),
        group(eid::kGroupChord2),
        field(eid::kPolarity2),
        field(eid::kMargin2),
        end(),
        button(kPrintButton, 0),
    };
}

} // namespace

CEscDlg::CEscDlg(int mode, ks::CJBusLink& link, QWidget* parent)
    : CDeviceDlg(kTemplate, mode, link, parent), m_kept(blocks(), {ks::echo::kBlock}) {
    ks::registerEchoTableFields(fields());
    setFileKind(kFileKind);
    setBodyTemplate(escTemplate());
}

CEscDlg::~CEscDlg() = default;

void CEscDlg::onInitDialog() {
    setCaptionText(ks::echo::text::kCaption);
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
    if (CButtonKS* print = body()->button(kPrintButton))
        print->setIcon(printerIcon());
    fillGrids({});
}

void CEscDlg::onShown() {
    if (isFileOnly())
        return;
    showBusy();
    int status = readBlock(ks::Identification::kBlockCode);
    if (status == 0) {
        const ks::Identification id = ks::identificationOf(fields());
        status = checkFirmware(id.firmware, id.description);
    }
    if (status == 0)
        status = readBlock(kMeasurementBlock);
    if (status == 0)
        status = readBlock(ks::echo::kBlock);
    hideBusy();
    if (status != 0)
        reject();
}

void CEscDlg::onButton(int control) {
    if (control == kPrintButton)
        print();
}

int CEscDlg::decodeBlock(int blockCode, const ks::Bytes& bytes) {
    if (m_kept.decodeBlock(blockCode, bytes) != 0)
        return -1;
    refreshFields();
    if (blockCode == ks::echo::kBlock)
        fillGrids(bytes);
    return 0;
}

void CEscDlg::fillGrids(const ks::Bytes& block) {
    const auto filled = ks::fillEchoGrids(blocks(), block);
    for (std::size_t g = 0; g < filled.size(); ++g) {
        if (!m_grids[g])
            continue;
        std::vector<QString> headings;
        std::vector<std::vector<QString>> rows;
        if (filled[g].filled) {
            for (const std::string& t : filled[g].titles)
                headings.push_back(qtext(t));
            for (const auto& row : filled[g].rows)
                rows.push_back({qtext(row[0]), qtext(row[1]), qtext(row[2]), qtext(row[3])});
        } else {
            headings.assign(4, QString());
        }
        ks::fillGrid(*m_grids[g], headings, rows);
    }
}

} // namespace ks::gui
