#pragma once

#include "app/DialogCatalogue.h"
#include "shell/DialogKS.h"
#include "shell/MenuModel.h"

#include <QImage>

#include <functional>
#include <map>
#include <string>

class QMenuBar;
class QProgressBar;

namespace ks::gui {

class CLogoView;

// The program's main window without its device dialogs: caption with the program's version
// and the configuration's name, icon, picture, the menu bar rebuilt in the current language
// each time the window is activated, the command table, and the configuration, modem, About
// and Quit commands.
class CShellDlg : public CDialogKS {
    Q_OBJECT

public:
    using Handler = std::function<void()>;

    explicit CShellDlg(int templateNumber, QWidget* parent = nullptr);
    ~CShellDlg() override;

    // The command table: a registered command name and what it does. A later entry for the
    // same name replaces the earlier one.
    void setCommand(std::string_view name, Handler handler);
    bool hasCommand(std::string_view name) const;
    // Runs a command now; false when the table does not know the name.
    bool runCommand(std::string_view name);
    // Queues a command as a click in the menu does (the registered message is posted).
    void postCommand(std::string_view name);

    QMenuBar* menuBar() const { return m_menuBar; }
    const MenuBarModel& menuModel() const { return m_menuModel; }
    // Builds the bar again from the language and the modem flags of this moment.
    void rebuildMenuBar();

    CLogoView* logoView() const { return m_logo; }
    // The progress indicator under the picture: step of steps; hidden when steps is 0.
    void showProgress(int step, int steps);
    QProgressBar* progressBar() const { return m_progress; }

    // The commands of this class (also reached through the command table).
    void saveConfigurationAs();
    void loadConfiguration();
    void connectModem();
    void disconnectModem();
    void quit();
    void openOptions();

protected:
    // What a derived window puts in these slots.
    virtual void buildMenuBar(CMenuBarBuilder& builder);
    virtual DialogKind optionsDialogKind() const { return DialogKind::Options; }
    virtual void showAboutBox();
    virtual void saveAll() {}
    virtual void printAll() {}

    // The dialog of a kind, modal over this window; false when it was not accepted or the
    // kind is not in the program.
    bool runDialog(DialogKind kind, int mode = 0, const std::string& filePath = {});

    bool event(QEvent* event) override;

private:
    void updateConfigurationName();
    void showLogo();
    // The modem hang-up without touching the menus; false when no call was up.
    bool hangUp();

    std::map<std::string, Handler, std::less<>> m_commands;
    QMenuBar* m_menuBar;
    CLogoView* m_logo;
    QProgressBar* m_progress;
    MenuBarModel m_menuModel;
};

} // namespace ks::gui
