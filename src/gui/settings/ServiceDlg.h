#pragma once

#include "settings/ParameterDlg.h"
#include "settings/ParameterSet.h"

#include <memory>
#include <string>

namespace ks::gui {

// A service dialog: a parameter dialog whose fields, orders, file kind and transfer are
// those of a core parameter set (settings/ParameterSet.h) working on this dialog's own
// field list. The dialog binds the fields to its body and shows what the set decided; the
// set holds every rule (copies between edits and blocks, what a transfer reads and writes).
class CServiceDlg : public CParameterDlg {
    Q_OBJECT

public:
    CServiceDlg(ks::ParameterKind kind, int templateNumber, int mode, ks::CJBusLink& link,
                QWidget* parent, std::string filePath);
    ~CServiceDlg() override;

    ks::CParameterSet& set() { return *m_set; }

    // The set's transfer: "Voulez vous transférer ...", then its blocks; a failed write is
    // reported with the blocks the meter took. What it did.
    ks::TransferOutcome runTransfer();
    void transfer() override;

protected:
    void onInitDialog() override;
    void valuesComing() override { m_set->valuesComing(); }
    void valuesArrived() override;
    void beforeSave() override { m_set->commit(); }
    void onFieldEdited(int id) override;
    // The same dialog class in comparison mode (36).
    virtual std::unique_ptr<CServiceDlg> makeReference() = 0;
    std::unique_ptr<CParameterDlg> comparisonInstance() override;

private:
    std::unique_ptr<ks::CParameterSet> m_set;
};

} // namespace ks::gui
