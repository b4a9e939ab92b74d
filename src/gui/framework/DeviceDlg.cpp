#include "framework/DeviceDlg.h"

#include "app/DesktopApp.h"
#include "app/KsEvent.h"
#include "app/QtText.h"
#include "app/Version.h"
#include "controls/ControlMessages.h"
#include "framework/BusyWnd.h"
#include "framework/DeviceTexts.h"
#include "framework/DialogPrintout.h"
#include "framework/IdentificationFields.h"
#include "framework/PrintJob.h"
#include "i18n/DateTime.h"
#include "shell/DialogModes.h"

#include <QApplication>
#include <QPainter>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace ks::gui {

namespace {

constexpr int kBusyText = 342;  // "Veuillez Patienter !\r\n Connexion à l'appareil en cours !"
constexpr int kPrintedAt = 149; // "Imprimé le "

// The prompts of the program as they are when a message is shown (tests swap them).
class ApplicationPrompts : public ks::CUserPrompts {
public:
    explicit ApplicationPrompts(CDesktopApp& app) : m_app(app) {}
    void message(const std::string& text, const std::string& caption, Icon icon) override {
        m_app.prompts().message(text, caption, icon);
    }
    Answer question(const std::string& text, const std::string& caption) override {
        return m_app.prompts().question(text, caption);
    }
    std::string openFile(const std::string& title, const std::string& folder,
                         const std::string& filter) override {
        return m_app.prompts().openFile(title, folder, filter);
    }
    std::string saveFile(const std::string& title, const std::string& folder,
                         const std::string& filter, const std::string& defaultSuffix) override {
        return m_app.prompts().saveFile(title, folder, filter, defaultSuffix);
    }
    std::string chooseFolder(const std::string& title, const std::string& folder) override {
        return m_app.prompts().chooseFolder(title, folder);
    }

private:
    CDesktopApp& m_app;
};

} // namespace

CDeviceDlg::CDeviceDlg(int templateNumber, int mode, ks::CJBusLink& link, QWidget* parent)
    : CDialogKS(templateNumber, parent), m_mode(mode), m_link(link),
      m_blocks(m_fields, ks::RegionalSettings::fromProcessLocale()), m_sessionBlocks(*this),
      m_prompts(std::make_unique<ApplicationPrompts>(app())),
      m_session(link, m_sessionBlocks, *m_prompts), m_exchange(this, language()) {
    m_fields.setLanguage(language());
    ks::ConnectionSettings c = ks::ConnectionSettings::fromCom(app().connection(profile()));
    c.readTimeoutMs = kReadTimeoutMs;
    c.writeTimeoutMs = kWriteTimeoutMs;
    m_session.setConnection(c);
    m_session.setApplication(&app().flowApp());
    m_session.setLanguage(language());
    m_session.setFileOnly(ks::CDeviceSession::isFileOnlyMode(mode, false));
    // The busy window would stand above the message.
    m_session.setBeforeMessage([this] { hideBusy(); });
    m_session.setExchangeRunner(
        [this](const std::function<int()>& work) { return runExchange(work); });
    ks::registerIdentificationFields(m_fields);

    m_content = new QVBoxLayout(this);
}

CDeviceDlg::~CDeviceDlg() {
    m_exchange.abandon();
    hideBusy();
}

int CDeviceDlg::runExchange(const std::function<int()>& work) {
    const bool ownBusy = !m_busy;
    if (ownBusy)
        showBusy(false);
    const int code = m_exchange.runOnLink(m_link, work, m_busy);
    if (ownBusy)
        hideBusy();
    return code;
}

void CDeviceDlg::done(int result) {
    m_exchange.abandon();
    hideBusy();
    CDialogKS::done(result);
}

void CDeviceDlg::setSettingsPage(bool settingsPage) {
    m_session.setFileOnly(ks::CDeviceSession::isFileOnlyMode(m_mode, settingsPage));
}

void CDeviceDlg::setConnection(const ks::ConnectionSettings& connection) {
    m_session.setConnection(connection);
}

void CDeviceDlg::setFileKind(int textNumber) {
    const QString kind = text(textNumber);
    const qsizetype bar = kind.lastIndexOf(u'|');
    const QString description = bar < 0 ? kind : kind.left(bar);
    m_fileExtension = bar < 0 ? QString() : kind.mid(bar + 1);
    m_fileFilter = QStringLiteral("%1 (*.%2)").arg(description, m_fileExtension);
}

QString CDeviceDlg::fileFilter() const {
    return m_fileFilter;
}

QString CDeviceDlg::fileExtension() const {
    return m_fileExtension;
}

void CDeviceDlg::setBodyTemplate(std::vector<TemplateEntry> table) {
    m_table = std::move(table);
}

void CDeviceDlg::appendBodyTemplate(const std::vector<TemplateEntry>& entries) {
    m_table.insert(m_table.end(), entries.begin(), entries.end());
}

FieldWidgets CDeviceDlg::widgetsOf(int id) const {
    return m_body != nullptr ? m_body->binder().widgets(id) : FieldWidgets{};
}

void CDeviceDlg::initialise() {
    if (m_initialised)
        return;
    m_initialised = true;
    m_fields.setLanguage(language());
    m_body = new CDialogTemplate(m_table, m_fields, this);
    m_body->setNotifyTarget(this);
    m_content->insertWidget(0, m_body);
    connect(&m_body->binder(), &CFieldBinder::fieldEdited, this,
            [this](int id) { onFieldEdited(id); });
    onInitDialog();
}

void CDeviceDlg::refreshFields() {
    if (m_body != nullptr)
        m_body->binder().refresh();
}

void CDeviceDlg::applyLanguage(int language) {
    if (!setLanguage(language))
        return;
    m_session.setLanguage(language);
    m_exchange.setLanguage(language);
    if (m_body != nullptr)
        m_body->setLanguage(language);
    else
        m_fields.setLanguage(language);
}

int CDeviceDlg::readBlock(int blockCode) {
    return m_session.readBlock(blockCode);
}

int CDeviceDlg::writeBlock(int blockCode) {
    return m_session.writeBlock(blockCode);
}

int CDeviceDlg::checkFirmware(const std::string& version, const std::string& description) {
    return m_session.checkFirmware(version, description);
}

int CDeviceDlg::decodeBlock(int blockCode, const ks::Bytes& bytes) {
    if (m_blocks.decodeBlock(blockCode, bytes) != 0)
        return -1;
    refreshFields();
    return 0;
}

std::vector<ks::PrintLine> CDeviceDlg::printLines() const {
    return ks::fieldPrintLines(m_fields);
}

int CDeviceDlg::print() {
    const ks::CDateTime now = ks::CDateTime::now();
    DialogPrintout printout;
    printout.title = windowTitle();
    printout.dateLine = text(kPrintedAt) + qtext(now.dateText()) + u' ' + qtext(now.timeText());
    printout.programName = qtext(ks::version::kInternalName);
    printout.lines = printLines();
    return printDocument(this, printout.title, isPrintAll(), text(devicetext::kError),
                         [&printout](QPainter& painter, QPagedPaintDevice& device) {
                             return paintDialogPrintout(painter, device, printout);
                         });
}

void CDeviceDlg::showBusy(bool waitCursor) {
    if (!m_busy) {
        m_busy = new CBusyWnd(this);
        m_busy->setText(text(kBusyText));
    }
    m_busy->show();
    m_busy->raise();
    if (waitCursor && !m_waitCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_waitCursor = true;
    }
    // The exchanges that follow block this thread: the window must be painted now.
    m_busy->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CDeviceDlg::setBusyRange(int n) {
    if (m_busy)
        m_busy->setRange(n);
}

void CDeviceDlg::stepBusy(int k) {
    if (m_busy)
        m_busy->step(k);
}

void CDeviceDlg::setBusyText(const QString& text) {
    if (!m_busy)
        return;
    m_busy->setText(text);
    m_busy->repaint();
}

void CDeviceDlg::hideBusy() {
    if (m_waitCursor) {
        QApplication::restoreOverrideCursor();
        m_waitCursor = false;
    }
    if (!m_busy)
        return;
    delete m_busy.data();
    if (isVisible()) {
        activateWindow();
        setFocus(Qt::OtherFocusReason);
    }
}

bool CDeviceDlg::event(QEvent* e) {
    if (e->type() == CKsEvent::typeOf(kButtonClick)) {
        onButton(static_cast<int>(static_cast<CKsEvent*>(e)->wParam()));
        return true;
    }
    return CDialogKS::event(e);
}

void CDeviceDlg::showEvent(QShowEvent* e) {
    initialise();
    CDialogKS::showEvent(e);
    if (!m_shown && !e->spontaneous()) {
        m_shown = true;
        // After the window is painted: reading the meter blocks this thread.
        QTimer::singleShot(0, this, [this] { onShown(); });
    }
}

std::vector<QWidget*> CDeviceDlg::focusChain() const {
    std::vector<QWidget*> chain;
    if (m_body == nullptr)
        return chain;
    for (const ks::CField& f : m_fields) {
        QWidget* w = m_body->binder().widgets(f.id()).value;
        if (w != nullptr && w->isVisibleTo(this) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) != 0)
            chain.push_back(w);
    }
    return chain;
}

bool CDeviceDlg::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> chain = focusChain();
    QWidget* current = focusWidget();
    if (!chain.empty() && current != nullptr) {
        if (next && current == chain.back()) {
            chain.front()->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (!next && current == chain.front()) {
            chain.back()->setFocus(Qt::BacktabFocusReason);
            return true;
        }
    }
    return CDialogKS::focusNextPrevChild(next);
}

} // namespace ks::gui
