#include "settings/DifferenceDlg.h"

#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "controls/CMSFlexGrid.h"
#include "controls/GridFill.h"
#include "framework/PrintJob.h"
#include "i18n/DateTime.h"
#include "settings/DifferencePrintout.h"
#include "settings/ParameterButtons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ks::gui {

namespace {

constexpr int kPrintedAt = 149; // "Imprimé le "
constexpr int kColumns = 4;

} // namespace

CDifferenceDlg::CDifferenceDlg(ks::DifferenceReport report, QWidget* parent)
    : CDialogKS(kTemplate, parent), m_report(std::move(report)), m_table(new QTableWidget(this)) {
    setCaption(qtext(m_report.caption));
    auto* layout = new QVBoxLayout(this);
    for (const std::string& line : {m_report.referenceLine, m_report.currentLine}) {
        auto* label = new QLabel(qtext(line), this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }
    m_table->setObjectName(QStringLiteral("differences"));
    m_table->setColumnCount(kColumns);
    m_grid = std::make_unique<ks::CMSFlexGrid>(m_table);
    std::vector<QString> headings;
    for (const std::string& c : m_report.columns)
        headings.push_back(qtext(c));
    std::vector<std::vector<QString>> rows;
    for (const ks::DifferenceRow& r : m_report.rows)
        rows.push_back({qtext(r.label), qtext(r.reference), qtext(r.current), qtext(r.unit)});
    ks::fillGrid(*m_grid, headings, rows);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setMinimumSize(560, 240);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_table, 1);
    for (const std::string& line : {m_report.unitNumberLine, m_report.signatureLine})
        layout->addWidget(new QLabel(qtext(line), this));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new CButtonKS(parameterButtonIcon(ParameterButton::Ok), QString(), this);
    ok->setObjectName(QStringLiteral("button_%1").arg(kOkButton));
    ok->setToolTip(parameterButtonTip(ParameterButton::Ok, language()));
    ok->setDefault(true);
    auto* print = new CButtonKS(parameterButtonIcon(ParameterButton::Print), QString(), this);
    print->setObjectName(QStringLiteral("button_%1").arg(kPrintButton));
    print->setToolTip(parameterButtonTip(ParameterButton::Print, language()));
    for (CButtonKS* b : {ok, print}) {
        b->setIconSize(QSize(24, 24));
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(print, &QPushButton::clicked, this, [this] { this->print(); });
}

CDifferenceDlg::~CDifferenceDlg() = default;

int CDifferenceDlg::print() {
    const ks::CDateTime now = ks::CDateTime::now();
    const QString dateLine =
        text(kPrintedAt) + qtext(now.dateText()) + u' ' + qtext(now.timeText());
    return printDocument(this, windowTitle(), false, text(kErrorCaption),
                         [this, &dateLine](QPainter& painter, QPagedPaintDevice& device) {
                             return paintDifferencePrintout(painter, device, m_report, dateLine);
                         });
}

} // namespace ks::gui
