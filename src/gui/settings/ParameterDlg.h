#pragma once

#include "framework/DeviceDlg.h"
#include "settings/BlockExchange.h"

#include <memory>
#include <string>
#include <vector>

namespace ks::gui {

// The base of every dialog that edits a list of meter settings and keeps them in settings
// files: the settings sheet, and the calibration, factory, output, special and OEM dialogs.
// It holds what they all do the same way:
//
// - the opening by mode: read the blocks of the read order from the meter (dialogue, also
//   save all and print all, which then save or print unattended and close with OK), start
//   from the defaults (new), or load the file the dialog was opened on (open); a dialog
//   that cannot get its values closes;
// - the icon buttons print, compare, save and transfer (put kButtons in the body template);
// - save: asks for a file in the last folder used, writes the blocks of the file order
//   through a temporary file, then shows the file's values (file mode, its name in the
//   caption);
// - compare: a second instance of the same dialog in comparison mode loads a reference file
//   the user picks, and the difference dialog lists the fields whose shown texts differ;
// - transfer: asks "Voulez vous transférer ...", writes the blocks of the write order and,
//   when one fails, names the blocks the meter took before it;
// - meter(): block reads and writes for core code (transfer rules), off the window's
//   thread, that reach the meter even when the dialog shows file values.
//
// A derived dialog registers its fields, declares its orders and body, and fills in:
//   valuesArrived()   the values changed as a whole (read, load, defaults): run the rules;
//   comparisonInstance()  the same dialog in comparison mode, unshown;
//   transfer()        only when its transfer is more than question and write order.
class CParameterDlg : public CDeviceDlg {
    Q_OBJECT

public:
    // Control ids of the icon buttons.
    static constexpr int kPrintButton = 1650;
    static constexpr int kCompareButton = 1651;
    static constexpr int kSaveButton = 1652;
    static constexpr int kTransferButton = 1653;
    // How a parameter dialog is opened for a comparison: from a file, never shown.
    static constexpr int kComparisonMode = 36;

    // filePath: the file of open mode, or the file save all writes.
    CParameterDlg(int templateNumber, int mode, ks::CJBusLink& link, QWidget* parent,
                  std::string filePath);
    ~CParameterDlg() override;

    // The body template entries of the four buttons, in their order.
    static std::vector<TemplateEntry> buttonRow();

    void setReadOrder(std::vector<int> order) { m_readOrder = std::move(order); }
    void setFileOrder(std::vector<int> order) { m_fileOrder = std::move(order); }
    void setWriteOrder(std::vector<int> order) { m_writeOrder = std::move(order); }
    // The dialog's own firmware display, filled from a loaded file's header; 0 for none.
    void setFirmwareField(int id) { m_firmwareField = id; }
    const std::vector<int>& fileOrder() const { return m_fileOrder; }

    // The file the values came from (or were last saved to); "" while they come from the
    // meter or the defaults.
    const std::string& sourceFile() const { return m_sourceFile; }
    bool showsFileValues() const { return !m_sourceFile.empty(); }

    // Reads the blocks of the read order: 0, or -1 after the reason was shown.
    int readMeter();
    // Loads a settings file into the fields; false after the reason was shown (fields kept).
    bool loadFile(const std::string& path);
    // Writes the blocks of the file order to a settings file; false after the reason was
    // shown (an older file of that name is kept whole).
    bool saveFile(const std::string& path);

    // The commands of the buttons.
    void saveCommand();
    void compareCommand();
    virtual void transfer();

    // Writes the blocks in order until one fails, which is then reported with the blocks
    // written before it. True when all were written.
    bool writeBlocks(const std::vector<int>& order);
    // Reports a write that stopped at failedBlock after the blocks written.
    void reportWriteFailure(int failedBlock, const std::vector<int>& written);

    // Block reads and writes that reach the meter whatever the mode (a transfer from a file
    // reads the meter's identification first).
    ks::CBlockExchange& meter() { return m_meter; }

    void applyLanguage(int language) override;

    // The difference dialog of the last comparison, while it is open (tests).
    QDialog* differenceDialog() const { return m_differences; }

protected:
    // The values changed as a whole: run the dialog's rules and show the fields.
    virtual void valuesArrived() { refreshFields(); }
    // Values are about to arrive (read, load or defaults): lists that narrowed what they
    // offer must take any stored value again.
    virtual void valuesComing() {}
    // The same dialog in comparison mode, not shown, with this one as parent.
    virtual std::unique_ptr<CParameterDlg> comparisonInstance() = 0;
    // The caption a settings file names as the dialog that wrote it.
    virtual QString fileCaption() const;
    // The opening of an unusual mode (installation): true when handled.
    virtual bool openSpecialMode() { return false; }
    // Runs once the values are in, before an unattended save or print.
    virtual void afterOpening() {}
    // The meter took a block (through meter() or writeBlocks).
    virtual void blockWritten(int blockCode) { (void)blockCode; }
    // Before the blocks go into a file: edits kept outside them go in.
    virtual void beforeSave() {}

    void onShown() override;
    void onButton(int control) override;

private:
    class MeterExchange : public ks::CBlockExchange {
    public:
        explicit MeterExchange(CParameterDlg& dialog) : m_dialog(dialog) {}
        int readBlock(int blockCode) override;
        int writeBlock(int blockCode) override;

    private:
        CParameterDlg& m_dialog;
    };

    void open();
    void showFileValues(const std::string& path);
    void setButtonIcons();

    std::string m_filePath;
    std::string m_sourceFile;
    std::vector<int> m_readOrder;
    std::vector<int> m_fileOrder;
    std::vector<int> m_writeOrder;
    int m_firmwareField = 0;
    MeterExchange m_meter;
    QPointer<QDialog> m_differences;
};

} // namespace ks::gui
