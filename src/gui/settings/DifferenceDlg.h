#pragma once

#include "settings/SettingsCompare.h"
#include "shell/DialogKS.h"

class QLabel;
class QTableWidget;

namespace ks {
class CMSFlexGrid;
}

namespace ks::gui {

class CButtonKS;

// The differences between the values on screen and a reference file (template 130,
// "Différences"): the two source lines, a grid of the differing fields (parameter,
// reference, current, unit) under a title row, the unit-number and signature lines of the
// printed copy, and the buttons OK and print.
class CDifferenceDlg : public CDialogKS {
    Q_OBJECT
public:
    static constexpr int kTemplate = 130;
    static constexpr int kOkButton = 1;
    static constexpr int kPrintButton = 1650;

    CDifferenceDlg(ks::DifferenceReport report, QWidget* parent = nullptr);
    ~CDifferenceDlg() override;

    const ks::DifferenceReport& report() const { return m_report; }
    ks::CMSFlexGrid& grid() { return *m_grid; }
    QTableWidget* table() const { return m_table; }
    // The difference list on paper (or into the file of --print-to): 0, or -1.
    int print();

private:
    ks::DifferenceReport m_report;
    QTableWidget* m_table;
    std::unique_ptr<ks::CMSFlexGrid> m_grid;
};

} // namespace ks::gui
