#pragma once

#include "app/ComSettings.h"
#include "app/DialogCatalogue.h"
#include "app/FlowApp.h"
#include "app/QtBaseTranslation.h"
#include "app/QtUserPrompts.h"
#include "link/JBusLink.h"

#include <memory>
#include <optional>
#include <string>

namespace ks::sim {
class CSimServer;
}

namespace ks::gui {

// What every window of the desktop program shares for the whole run: the application
// object (settings, current configuration), the one link to the meter, the prompts, and the
// catalogue of dialogs the menus open. The program makes one in main(); a dialog reaches it
// through current(). Used from the user-interface thread only.
class CDesktopApp {
public:
    // The new object becomes current; the one current before comes back when it ends.
    CDesktopApp();
    ~CDesktopApp();
    CDesktopApp(const CDesktopApp&) = delete;
    CDesktopApp& operator=(const CDesktopApp&) = delete;

    // The current object; one must exist.
    static CDesktopApp& current();
    static CDesktopApp* currentOrNull();

    CFlowApp& flowApp() { return m_app; }
    CJBusLink& link() { return m_link; }
    CUserPrompts& prompts() { return *m_prompts; }
    // Tests put scripted prompts here; nullptr brings back the real boxes.
    void setPrompts(CUserPrompts* prompts);
    CDialogCatalogue& dialogs() { return m_dialogs; }

    // A language for this run (1 French .. 5 Spanish) in place of the configuration's;
    // 0 for none. A value outside 1..5 is refused. It lasts until the user picks a language
    // in the options dialog.
    bool setLanguageOverride(int language);
    int languageOverride() const { return m_languageOverride; }

    // Qt's own dialogs and buttons follow the language a window of the program last took.
    CQtBaseTranslation& qtTranslation() { return m_qtTranslation; }

    // Port, baud index and slave for this run only, in place of those of the configuration
    // (the demo meter uses this so that nothing is written into the user's file).
    void setSessionConnection(std::optional<ComSettings> settings);
    const std::optional<ComSettings>& sessionConnection() const { return m_session; }
    // How a dialog bound to this configuration reaches the meter.
    ComSettings connection(const CProfileFile& configuration) const;
    // Opens the link for a dialog bound to this configuration (port, baud index, "N", 8, 1
    // and the modem switch); does nothing when it is already open so. The link's result code.
    int openLink(const CProfileFile& configuration, bool& connected);

    // The COM numbers of the current configuration's [Ports] section; after start-up and
    // whenever another configuration becomes current.
    void refreshPortTable();

    // Printouts go to this PDF file instead of a printer (--print-to); "" for a printer.
    void setPrintToFile(std::string path) {
        m_printToFile = std::move(path);
        m_printouts = 0;
    }
    const std::string& printToFile() const { return m_printToFile; }
    // The file the next printout of this run writes: the path given for the first, then the
    // same name with "-2", "-3", ... before the extension, so that print-all keeps every
    // dialog's pages. "" when printouts go to a printer.
    std::string nextPrintFile();

    // Starts a simulated meter inside this program and makes it this run's connection;
    // app: 1 one chord, 2 two chords, 3 two pipes.
    bool startDemoMeter(std::string& error, int app = 1);
    // The device path of the demo meter, "" when there is none.
    std::string demoMeterPath() const;

private:
    // Stopped last: the link may still have the simulated line open.
    std::unique_ptr<sim::CSimServer> m_demo;
    CFlowApp m_app;
    CJBusLink m_link;
    CQtUserPrompts m_qtPrompts;
    CUserPrompts* m_prompts = &m_qtPrompts;
    CDialogCatalogue m_dialogs;
    CQtBaseTranslation m_qtTranslation;
    int m_languageOverride = 0;
    std::optional<ComSettings> m_session;
    std::string m_printToFile;
    int m_printouts = 0;
    CDesktopApp* m_previous = nullptr;
};

} // namespace ks::gui
