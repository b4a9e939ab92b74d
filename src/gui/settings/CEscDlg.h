#pragma once

#include "controls/CMSFlexGrid.h"
#include "settings/EchoTable.h"
#include "settings/ServiceDlg.h"

#include <array>
#include <memory>

class QTableWidget;

namespace ks::gui {

// The echo table dialog (template 113, "&Info ESC", "esc" files): per chord its polarity and
// margin and its "Normal" and "Inverse" echo tables in two grids, chord 2 only on a
// two-chord meter. It reads, prints, compares and saves like the other parameter dialogs;
// the meter's echo tables are never written.
class CEscDlg : public CServiceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 113;

    CEscDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr, std::string filePath = {});
    ~CEscDlg() override;

    // Grid 0 chord 1 "Normal", 1 chord 1 "Inverse", 2 chord 2 "Normal", 3 chord 2 "Inverse".
    ks::CMSFlexGrid& grid(int index) { return *m_grids[static_cast<std::size_t>(index)]; }

protected:
    void onInitDialog() override;
    void valuesArrived() override;
    std::vector<ks::PrintLine> printLines() const override;
    std::unique_ptr<CServiceDlg> makeReference() override;

private:
    // Fills the grids from the echo block the fields hold (what a read or a file gave).
    void fillGrids();

    std::array<QTableWidget*, 4> m_tables{};
    std::array<std::unique_ptr<ks::CMSFlexGrid>, 4> m_grids;
    std::array<ks::EchoGrid, 4> m_filled; // what the grids show
};

} // namespace ks::gui
