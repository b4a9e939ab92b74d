#pragma once

#include "controls/CMSFlexGrid.h"
#include "framework/DeviceDlg.h"
#include "settings/KeptBlockImages.h"

#include <array>
#include <memory>

class QTableWidget;

namespace ks::gui {

// The echo table dialog (template 113, "&Info ESC"): per chord its polarity and margin and
// its "Normal" and "Inverse" echo tables in two grids, chord 2 only on a two-chord meter.
class CEscDlg : public CDeviceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 113;

    CEscDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr);
    ~CEscDlg() override;

    // Grid 0 chord 1 "Normal", 1 chord 1 "Inverse", 2 chord 2 "Normal", 3 chord 2 "Inverse".
    ks::CMSFlexGrid& grid(int index) { return *m_grids[static_cast<std::size_t>(index)]; }
    // Fills the grids from an echo block image (what a read or a file gives).
    void fillGrids(const ks::Bytes& block);

protected:
    void onInitDialog() override;
    void onShown() override;
    void onButton(int control) override;
    int decodeBlock(int blockCode, const ks::Bytes& bytes) override;

private:
    ks::CKeptBlockImages m_kept;
    std::array<QTableWidget*, 4> m_tables{};
    std::array<std::unique_ptr<ks::CMSFlexGrid>, 4> m_grids;
};

} // namespace ks::gui
