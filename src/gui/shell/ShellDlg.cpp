#include "shell/ShellDlg.h"

#include "app/DesktopApp.h"
#include "app/KsEvent.h"
#include "app/QtText.h"
#include "app/Version.h"
#include "shell/AboutDlg.h"
#include "shell/Caption.h"
#include "shell/ConfigurationFiles.h"
#include "shell/DialogLanguage.h"
#include "shell/LogoView.h"
#include "shell/MainMenu.h"
#include "shell/MenuBuilder.h"
#include "shell/MenuCommands.h"
#include "shell/ProgramPictures.h"

#include <QApplication>
#include <QMenuBar>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace ks::gui {

namespace {

// A menu text as a file dialog's title: no access-key marker, no trailing dots.
std::string dialogTitle(QString menuText) {
    menuText.remove(u'&');
    while (menuText.endsWith(u'.'))
        menuText.chop(1);
    return utf8(menuText.trimmed());
}

std::string folderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

} // namespace

CShellDlg::CShellDlg(int templateNumber, QWidget* parent)
    : CDialogKS(templateNumber, parent), m_menuBar(new QMenuBar(this)), m_logo(new CLogoView(this)),
      m_progress(new QProgressBar(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_logo);
    // Under the picture while a long command runs (the initialisation of a meter).
    m_progress->setTextVisible(false);
    m_progress->hide();
    layout->addWidget(m_progress);
    // The window's size is the picture's.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setWindowIcon(programIcon());
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);

    menu::registerCommands();
    setCommand(menu::kQuitter, [this] { quit(); });
    setCommand(menu::kConfConf, [this] { openOptions(); });
    setCommand(menu::kConfSave, [this] { saveConfigurationAs(); });
    setCommand(menu::kConfLoad, [this] { loadConfiguration(); });
    setCommand(menu::kModemConnect, [this] { connectModem(); });
    setCommand(menu::kModemDeconnect, [this] { disconnectModem(); });
    setCommand(menu::kApropo, [this] { showAboutBox(); });

    setCaption(qtext(caption::programCaption(version::versionValue("InternalName"),
                                             version::versionValue("FileVersion"))));
    updateConfigurationName();
    showLogo();
}

CShellDlg::~CShellDlg() {
    // A call left up when the window goes would keep the line busy (and cost money).
    hangUp();
}

void CShellDlg::setCommand(std::string_view name, Handler handler) {
    m_commands.insert_or_assign(std::string(name), std::move(handler));
}

bool CShellDlg::hasCommand(std::string_view name) const {
    return m_commands.find(name) != m_commands.end();
}

bool CShellDlg::runCommand(std::string_view name) {
    const auto it = m_commands.find(name);
    if (it == m_commands.end())
        return false;
    // A copy: the handler may replace table entries while it runs.
    const Handler handler = it->second;
    if (handler)
        handler();
    return true;
}

void CShellDlg::postCommand(std::string_view name) {
    QCoreApplication::postEvent(this, new CKsEvent(std::string(name).c_str()));
}

bool CShellDlg::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        // Not while one of its drop-downs is open: that would close it under the mouse.
        if (QApplication::activePopupWidget() == nullptr)
            rebuildMenuBar();
    } else if (e->type() >= QEvent::User) {
        const QString name = CKsEvent::nameOf(e->type());
        if (!name.isEmpty() && runCommand(utf8(name)))
            return true;
    }
    return CDialogKS::event(e);
}

void CShellDlg::rebuildMenuBar() {
    CMenuBarBuilder builder(language());
    buildMenuBar(builder);
    m_menuModel = builder.finish();
    CMenuBuilder::apply(m_menuModel, *m_menuBar, this);
}

void CShellDlg::buildMenuBar(CMenuBarBuilder&) {}

void CShellDlg::showProgress(int step, int steps) {
    if (steps <= 0) {
        m_progress->hide();
        return;
    }
    m_progress->setRange(0, steps);
    m_progress->setValue(std::clamp(step, 0, steps));
    m_progress->show();
}

void CShellDlg::updateConfigurationName() {
    setConfigurationName(qtext(caption::withoutExtension(app().flowApp().currentConfiguration())));
}

void CShellDlg::showLogo() {
    const CFlowApp& flow = app().flowApp();
    if (flow.logoFlag())
        m_logo->showCustom(loadCustomLogo(flow.logoPath()));
    else
        m_logo->showBuiltIn();
}

bool CShellDlg::runDialog(DialogKind kind, int mode, const std::string& filePath) {
    DialogRequest request;
    request.mode = mode;
    request.link = &app().link();
    request.parent = this;
    request.filePath = filePath;
    std::unique_ptr<QDialog> dialog = app().dialogs().create(kind, request);
    if (!dialog)
        return false;
    return dialog->exec() == QDialog::Accepted;
}

void CShellDlg::showAboutBox() {
    CAboutDlg about(this);
    about.exec();
}

void CShellDlg::openOptions() {
    if (!app().dialogs().has(optionsDialogKind()))
        return;
    const int storedLanguage = dialogLanguage(profile());
    runDialog(optionsDialogKind());
    // A language the user has just chosen replaces the one given for this run.
    if (dialogLanguage(profile()) != storedLanguage)
        app().setLanguageOverride(0);
    reloadLanguage();
    app().flowApp().refreshModemFlag();
    rebuildMenuBar();
}

void CShellDlg::saveConfigurationAs() {
    CFlowApp& flow = app().flowApp();
    const std::string chosen = app().prompts().saveFile(
        dialogTitle(text(menutext::kSaveConfigurationAs)), folderOf(flow.currentConfiguration()),
        configurationFileFilter(flow.shortName()), flow.shortName());
    if (chosen.empty())
        return;
    const ShellMessage m = ks::saveConfigurationAs(flow, chosen);
    if (m.any())
        errorBox(m.text, m.caption);
    updateConfigurationName();
}

void CShellDlg::loadConfiguration() {
    CFlowApp& flow = app().flowApp();
    const std::string chosen = app().prompts().openFile(
        dialogTitle(text(menutext::kLoadConfiguration)), folderOf(flow.currentConfiguration()),
        configurationFileFilter(flow.shortName()));
    if (chosen.empty())
        return;
    flow.loadConfiguration(chosen);
    bindProfile(flow.currentConfiguration());
    updateConfigurationName();
    app().refreshPortTable();
    showLogo();
    reloadLanguage();
    rebuildMenuBar();
}

void CShellDlg::connectModem() {
    CFlowApp& flow = app().flowApp();
    if (!flow.modemEnabled() || flow.modemConnected())
        return;
    flow.setModemConnected(runDialog(DialogKind::ModemDial));
    rebuildMenuBar();
}

void CShellDlg::disconnectModem() {
    if (hangUp())
        rebuildMenuBar();
}

bool CShellDlg::hangUp() {
    CFlowApp& flow = app().flowApp();
    if (!flow.modemEnabled() || !flow.modemConnected())
        return false;
    runDialog(DialogKind::ModemHangUp);
    // Whatever the hang-up said, the line is given up.
    flow.setModemConnected(false);
    app().link().close();
    return true;
}

void CShellDlg::quit() {
    accept();
}

} // namespace ks::gui
