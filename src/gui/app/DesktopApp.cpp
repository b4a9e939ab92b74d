#include "app/DesktopApp.h"

#include "app/PortSettings.h"
#include "i18n/TextLimits.h"
#include "sim/SimServer.h"

#include <QApplication>
#include <QThread>

#include <cassert>
#include <filesystem>

namespace ks::gui {

namespace {
CDesktopApp* g_current = nullptr;
}

CDesktopApp::CDesktopApp() : m_previous(g_current) {
    g_current = this;
    // An open of the link through the modem dials with the modem dialog first.
    m_link.setModemConnector([this](CFrameReceiver&) {
        bool accepted = false;
        auto dial = [this, &accepted] {
            DialogRequest request;
            request.link = &m_link;
            request.parent = QApplication::activeWindow();
            if (std::unique_ptr<QDialog> dialog = m_dialogs.create(DialogKind::ModemDial, request))
                accepted = dialog->exec() == QDialog::Accepted;
        };
        if (QThread::currentThread() == qApp->thread())
            dial();
        else // an exchange on a worker: the dialog belongs to the window's thread
            QMetaObject::invokeMethod(qApp, dial, Qt::BlockingQueuedConnection);
        return accepted ? 0 : -1;
    });
}

CDesktopApp::~CDesktopApp() {
    if (g_current == this)
        g_current = m_previous;
    m_link.stopPolling();
    m_link.close();
}

CDesktopApp& CDesktopApp::current() {
    assert(g_current != nullptr);
    return *g_current;
}

CDesktopApp* CDesktopApp::currentOrNull() {
    return g_current;
}

void CDesktopApp::setPrompts(CUserPrompts* prompts) {
    m_prompts = prompts != nullptr ? prompts : &m_qtPrompts;
}

bool CDesktopApp::setLanguageOverride(int language) {
    if (language < 0 || language > kTextLanguageCount)
        return false;
    m_languageOverride = language;
    return true;
}

void CDesktopApp::setSessionConnection(std::optional<ComSettings> settings) {
    m_session = settings;
}

ComSettings CDesktopApp::connection(const CProfileFile& configuration) const {
    return m_session ? *m_session : readComSettings(configuration);
}

int CDesktopApp::openLink(const CProfileFile& configuration, bool& connected) {
    const ComSettings c = connection(configuration);
    return m_link.open(c.portIndex + 1, c.baudIndex, 'N', 8, 1, m_app.modemEnabled(), connected);
}

void CDesktopApp::refreshPortTable() {
    m_link.serialLink().portTable().setConfigured(readPortAssignments(m_app.configuration()));
}

std::string CDesktopApp::nextPrintFile() {
    if (m_printToFile.empty())
        return {};
    const int n = ++m_printouts;
    if (n == 1)
        return m_printToFile;
    const std::filesystem::path p(m_printToFile);
    std::filesystem::path numbered = p.parent_path() / p.stem();
    numbered += "-" + std::to_string(n);
    numbered += p.extension();
    return numbered.string();
}

bool CDesktopApp::startDemoMeter(std::string& error, int app) {
    sim::SimOptions options;
    options.app = app;
    auto server = std::make_unique<sim::CSimServer>(options);
    if (!server->start(&error))
        return false;
    const int number = m_link.serialLink().portTable().numberFor(server->slavePath());
    if (number == 0) {
        error = "no free COM number for the simulated meter";
        return false;
    }
    constexpr int kBaud9600 = 5;
    constexpr int kDemoSlave = 1;
    m_demo = std::move(server);
    setSessionConnection(ComSettings{number - 1, kBaud9600, kDemoSlave});
    return true;
}

std::string CDesktopApp::demoMeterPath() const {
    return m_demo ? m_demo->slavePath() : std::string();
}

} // namespace ks::gui
