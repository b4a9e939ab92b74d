#pragma once

#include "framework/DeviceDlg.h"
#include "settings/TransferChooser.h"

#include <memory>

namespace ks::gui {

// The transfer chooser of "I&nitialisation" (template 120): three lists "Oui"/"Non" for the
// settings, the factory settings and the analogue output adjustment, and the transfer button.
// The transfer is the core chooser's (settings/TransferChooser.h): the program's JBus slave
// number is 1 for its duration and put back whatever happens; each chosen item reads the
// meter and writes it back without asking; the main window's progress bar advances one step
// before each item. The chooser closes with OK when every chosen item ended with OK.
class CTransferChooserDlg : public CDeviceDlg, private ks::CInstallationHost {
    Q_OBJECT

public:
    static constexpr int kTemplate = 120;
    static constexpr int kTransferButton = 1653;

    explicit CTransferChooserDlg(ks::CJBusLink& link, QWidget* parent = nullptr);
    ~CTransferChooserDlg() override;

    // The list of an item as the user sets it ("Oui" when yes).
    void choose(ks::CTransferChooser::Item item, bool yes);
    // The transfer command; the failures have been shown.
    ks::CTransferChooser::Outcome runTransfer();
    // How far the progress went in the last transfer (steps taken).
    int progressSteps() const { return m_steps; }

protected:
    void onInitDialog() override;
    void onButton(int control) override;
    void applyLanguage(int language) override;

private:
    int slaveNumber() const override;
    void setSlaveNumber(int slave) override;
    std::unique_ptr<ks::CBlockExchange> exchangeFor(ks::CParameterSet& dialog) override;
    void advanceProgress() override;
    void reportFailures(const ks::CTransferChooser::Outcome& outcome);

    std::unique_ptr<ks::CTransferChooser> m_chooser;
    int m_steps = 0;
};

} // namespace ks::gui
