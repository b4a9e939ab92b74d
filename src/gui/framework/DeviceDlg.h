#pragma once

#include "controls/CDialogTemplate.h"
#include "framework/BusyWnd.h"
#include "framework/DeviceSession.h"
#include "framework/Exchange.h"
#include "framework/FieldList.h"
#include "framework/FieldListBlocks.h"
#include "framework/PrintLines.h"
#include "shell/DialogKS.h"

#include <QPointer>

#include <memory>
#include <vector>

class QVBoxLayout;

namespace ks {
class CJBusLink;
}

namespace ks::gui {

// The base of every dialog that talks to the meter. It holds the connection settings (from
// [Com] of the dialog's configuration), the field list with the identification block
// registered first, and the block services: read a block into the fields and their widgets,
// write one from them, check the firmware, print the values, and a busy window to show while
// the meter is being asked.
//
// A derived dialog registers its fields and declares its body in its constructor:
//
//   CFactoryDlg::CFactoryDlg(int mode, CJBusLink& link, QWidget* parent)
//       : CDeviceDlg(kTemplate, mode, link, parent) {
//       fields().add({.id = 1010, ... .offset = 1, .block = 0x2200});
//       setBodyTemplate({tpl::group(1565), tpl::field(1010), tpl::end(), ...});
//   }
//   void CFactoryDlg::onInitDialog() { setCaptionText(204); }
//   void CFactoryDlg::onShown() { showBusy(); readBlock(0x2200); hideBusy(); }
//   void CFactoryDlg::onButton(int control) { if (control == 1606) writeBlock(0x2200); }
//
// The body is built and every field bound to its widgets when the dialog is first shown (or
// when initialise() is called), before anything is read; onShown() runs once the window is on
// the screen.
class CDeviceDlg : public CDialogKS {
    Q_OBJECT

public:
    static constexpr int kReadTimeoutMs = 1000;
    static constexpr int kWriteTimeoutMs = 2500;
    // The mode of a dialog printing all parameters unattended.
    static constexpr int kPrintAllMode = 129;

    CDeviceDlg(int templateNumber, int mode, ks::CJBusLink& link, QWidget* parent = nullptr);
    ~CDeviceDlg() override;

    // Mode flags (shell/DialogModes.h).
    int mode() const { return m_mode; }
    // Opened from a file (4), or for a settings page also new with defaults (2): nothing is
    // read from the meter.
    bool isFileOnly() const { return m_session.fileOnly(); }
    // A settings page counts a new dialog (2) as file values only too.
    void setSettingsPage(bool settingsPage);
    bool isPrintAll() const { return m_mode == kPrintAllMode; }

    ks::CJBusLink& link() { return m_link; }
    const ks::ConnectionSettings& connection() const { return m_session.connection(); }
    void setConnection(const ks::ConnectionSettings& connection);
    void setCheckFirmware(bool check) { m_session.setCheckFirmware(check); }

    ks::CFieldList& fields() { return m_fields; }
    const ks::CFieldList& fields() const { return m_fields; }
    ks::CFieldListBlocks& blocks() { return m_blocks; }
    ks::CDeviceSession& session() { return m_session; }

    // The file kind of the dialog's settings files, from a text "description|extension":
    // the filter "description (*.ext)" and the extension alone.
    void setFileKind(int textNumber);
    QString fileFilter() const;
    QString fileExtension() const;

    // The body: declared before the dialog is initialised, built by initialise().
    void setBodyTemplate(std::vector<TemplateEntry> table);
    // More of the body (a derived dialog's own page), after what was declared so far.
    void appendBodyTemplate(const std::vector<TemplateEntry>& entries);
    CDialogTemplate* body() const { return m_body; }
    // The widgets of a bound field.
    FieldWidgets widgetsOf(int id) const;
    // The layout the body sits in: a derived dialog may put more widgets under it.
    QVBoxLayout* contentLayout() const { return m_content; }
    // Builds the body, binds the fields and runs onInitDialog(); once.
    void initialise();
    bool isInitialised() const { return m_initialised; }

    // Shows every field in its widgets again (after rules or a read changed them).
    void refreshFields();
    // Texts of the dialog in another language: fields, body, messages.
    virtual void applyLanguage(int language);

    // Block services.
    int blockSize(int blockCode) const { return m_blocks.blockSize(blockCode); }
    int registerCount(int blockCode) const { return m_blocks.registerCount(blockCode); }
    int firstWord(int blockCode) const { return m_blocks.firstWord(blockCode); }
    int firstAddress(int blockCode) const { return m_blocks.firstAddress(blockCode); }
    ks::Bytes encodeBlock(int blockCode) const { return m_blocks.encodeBlock(blockCode); }
    // Reads the block from the meter into the fields and their widgets: 0 (also in file-only
    // mode, where nothing is read), or -1 after the reason was shown.
    virtual int readBlock(int blockCode);
    // Writes the block built from the fields: 0, -1, or 500 when the port cannot be opened.
    int writeBlock(int blockCode);
    // 0 when the meter's firmware fits this program; otherwise shows why: -1.
    int checkFirmware(const std::string& version, const std::string& description);

    // Prints the dialog's values: through the print dialog, on the default printer in
    // print-all mode, or into the file of --print-to. 0, or -1 when nothing was printed.
    int print();
    // The lines printed after the heading (the field list's by default).
    virtual std::vector<ks::PrintLine> printLines() const;

    // The busy window.
    void showBusy(bool waitCursor = true);
    void setBusyRange(int n);
    void stepBusy(int k);
    void setBusyText(const QString& text);
    void hideBusy();
    CBusyWnd* busyWindow() const { return m_busy; }

    // Runs one exchange on the link off the window's thread (framework/Exchange.h): the
    // busy window shows, with Cancel, unless it is shown already, and the rest of the
    // program is greyed. The block services and the identification read go through here.
    // CExchange::kCancelled when the user cancelled or the dialog closed meanwhile.
    int runExchange(const std::function<int()>& work);
    CExchange& exchange() { return m_exchange; }

public slots:
    // Ends the dialog; a running exchange is cancelled and no later one starts.
    void done(int result) override;

protected:
    // Hooks a derived dialog fills in.
    virtual int query() { return 0; }
    // Spreads a block over the fields and shows them: 0, or -1 when it is too short.
    virtual int decodeBlock(int blockCode, const ks::Bytes& bytes);
    // A click on one of the dialog's buttons (or the busy window's, other than Transfert).
    virtual void onButton(int control) { (void)control; }
    virtual void spareHook() {}
    virtual int queryAgain() { return query(); }
    // After the body was built and bound.
    virtual void onInitDialog() {}
    // Once, when the dialog is on the screen: the time to read the meter.
    virtual void onShown() {}
    // The user changed field id (the field holds the new value).
    virtual void onFieldEdited(int id) { (void)id; }

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

    // The blocks as the dialog decodes them: through its decodeBlock hook.
    ks::CBlockFields& dialogBlocks() { return m_sessionBlocks; }

private:
    // The field list as the session sees it: decoding goes through the dialog's hook.
    class SessionBlocks : public ks::CBlockFields {
    public:
        explicit SessionBlocks(CDeviceDlg& dialog) : m_dialog(dialog) {}
        int blockSize(int blockCode) const override { return m_dialog.blockSize(blockCode); }
        int decodeBlock(int blockCode, const ks::Bytes& bytes) override {
            return m_dialog.decodeBlock(blockCode, bytes);
        }
        ks::Bytes encodeBlock(int blockCode) const override {
            return m_dialog.encodeBlock(blockCode);
        }

    private:
        CDeviceDlg& m_dialog;
    };

    // The value widgets of the shown fields, in registration order, that take the focus.
    std::vector<QWidget*> focusChain() const;

    int m_mode;
    ks::CJBusLink& m_link;
    ks::CFieldList m_fields;
    ks::CFieldListBlocks m_blocks;
    SessionBlocks m_sessionBlocks;
    std::unique_ptr<ks::CUserPrompts> m_prompts;
    ks::CDeviceSession m_session;
    std::vector<TemplateEntry> m_table;
    QVBoxLayout* m_content = nullptr;
    CDialogTemplate* m_body = nullptr;
    QPointer<CBusyWnd> m_busy;
    CExchange m_exchange;
    bool m_waitCursor = false;
    bool m_initialised = false;
    bool m_shown = false;
    QString m_fileFilter;
    QString m_fileExtension;
};

} // namespace ks::gui
