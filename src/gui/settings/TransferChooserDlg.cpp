#include "settings/TransferChooserDlg.h"

#include "app/DesktopApp.h"
#include "app/ProfileKeys.h"
#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "framework/DeviceSession.h"
#include "i18n/DateTime.h"
#include "settings/ParameterButtons.h"
#include "settings/TransferMessages.h"
#include "shell/ShellDlg.h"

namespace ks::gui {

namespace {

constexpr int kCaption = 293;      // "Initialisation"
constexpr int kErrorCaption = 119; // "Erreur"
constexpr int kItems = 3;

// One item's block reads and writes: a session of its own over the program's link, at the
// slave number the setting holds when the item starts, with the chooser's busy window.
class ItemExchange : public ks::CBlockExchange {
public:
    ItemExchange(CDeviceDlg& owner, ks::CFieldListBlocks& blocks, ks::CUserPrompts& prompts,
                 ks::ConnectionSettings connection, ks::CFlowApp& flow)
        : m_session(owner.link(), blocks, prompts) {
        m_session.setConnection(connection);
        m_session.setApplication(&flow);
        m_session.setLanguage(owner.language());
        m_session.setBeforeMessage([&owner] { owner.hideBusy(); });
        m_session.setExchangeRunner(
            [&owner](const std::function<int()>& work) { return owner.runExchange(work); });
    }
    int readBlock(int blockCode) override { return m_session.readBlock(blockCode); }
    int writeBlock(int blockCode) override { return m_session.writeBlock(blockCode); }

private:
    ks::CDeviceSession m_session;
};

std::vector<TemplateEntry> chooserTemplate(const ks::CFieldList& items) {
    std::vector<TemplateEntry> t = {tpl::column()};
    for (const ks::CField& f : items)
        t.push_back(tpl::field(f.id()));
    t.push_back(tpl::button(CTransferChooserDlg::kTransferButton, 0));
    return t;
}

} // namespace

CTransferChooserDlg::CTransferChooserDlg(ks::CJBusLink& link, QWidget* parent)
    : CDeviceDlg(kTemplate, 0, link, parent) {
    ks::ParameterContext context;
    context.velocity = profile().readInteger(ks::profile::kApplication) == 1;
    context.selectionType = profile().readInteger(ks::profile::kSelectionType);
    context.language = language();
    ks::CInstallationHost& host = *this;
    m_chooser = std::make_unique<ks::CTransferChooser>(host, app().prompts(), context);
    // The dialog shows the chooser's three lists as its own fields.
    for (const ks::CField& f : m_chooser->fields())
        fields().add(f);
    setBodyTemplate(chooserTemplate(m_chooser->fields()));
}

CTransferChooserDlg::~CTransferChooserDlg() = default;

void CTransferChooserDlg::onInitDialog() {
    setCaptionText(kCaption);
    applyLanguage(language());
}

void CTransferChooserDlg::applyLanguage(int language) {
    CDeviceDlg::applyLanguage(language);
    if (body() == nullptr)
        return;
    if (CButtonKS* b = body()->button(kTransferButton)) {
        b->setIcon(parameterButtonIcon(ParameterButton::Transfer));
        b->setIconSize(QSize(24, 24));
        b->setToolTip(parameterButtonTip(ParameterButton::Transfer, language));
        b->setAccessibleName(b->toolTip());
        b->setDefault(true);
    }
}

void CTransferChooserDlg::choose(ks::CTransferChooser::Item item, bool yes) {
    const ks::CField& f = m_chooser->fields()[static_cast<std::size_t>(item)];
    if (ks::CField* shown = fields().find(f.id()))
        shown->setListIndex(yes ? 0 : 1);
    refreshFields();
}

void CTransferChooserDlg::onButton(int control) {
    if (control != kTransferButton) {
        CDeviceDlg::onButton(control);
        return;
    }
    if (runTransfer().ok)
        accept();
}

ks::CTransferChooser::Outcome CTransferChooserDlg::runTransfer() {
    // The user's choices into the chooser.
    for (int k = 0; k < kItems; ++k) {
        const auto item = static_cast<ks::CTransferChooser::Item>(k);
        const ks::CField* shown =
            fields().find(m_chooser->fields()[static_cast<std::size_t>(k)].id());
        m_chooser->choose(item, shown != nullptr && shown->listIndex() == 0);
    }
    m_steps = 0;
    const ks::CTransferChooser::Outcome out = m_chooser->run(ks::CDateTime::now().fields());
    if (auto* shell = qobject_cast<CShellDlg*>(parentWidget()))
        shell->showProgress(0, 0);
    reportFailures(out);
    return out;
}

void CTransferChooserDlg::reportFailures(const ks::CTransferChooser::Outcome& outcome) {
    // A read that failed was named by its session; a write that failed says which blocks
    // the meter took before it.
    for (const auto& item : outcome.items)
        if (item.chosen && item.transfer.status == ks::TransferOutcome::Status::WriteFailed &&
            item.transfer.failedBlock >= 0)
            app().prompts().message(ks::writeFailureMessage(item.transfer.failedBlock,
                                                            item.transfer.written, language()),
                                    utf8(text(kErrorCaption)), ks::CUserPrompts::Icon::Error);
}

int CTransferChooserDlg::slaveNumber() const {
    return profile().readInteger(ks::profile::kComJBus);
}

void CTransferChooserDlg::setSlaveNumber(int slave) {
    profile().writeNumber(ks::profile::kComJBus, slave);
}

std::unique_ptr<ks::CBlockExchange> CTransferChooserDlg::exchangeFor(ks::CParameterSet& dialog) {
    ks::ConnectionSettings c = ks::ConnectionSettings::fromCom(app().connection(profile()));
    c.readTimeoutMs = kReadTimeoutMs;
    c.writeTimeoutMs = kWriteTimeoutMs;
    return std::make_unique<ItemExchange>(*this, dialog.blocks(), app().prompts(), c,
                                          app().flowApp());
}

void CTransferChooserDlg::advanceProgress() {
    ++m_steps;
    if (auto* shell = qobject_cast<CShellDlg*>(parentWidget()))
        shell->showProgress(m_steps, kItems);
}

} // namespace ks::gui
