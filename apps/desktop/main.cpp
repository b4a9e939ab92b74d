// calyptron: the desktop program.
#include "AnsweredFiles.h"
#include "Screenshot.h"
#include "StopSignals.h"
#include "app/DesktopApp.h"
#include "app/KsEvent.h"
#include "app/QtText.h"
#include "app/Version.h"
#include "measurement/CMeasureDlg.h"
#include "shell/DocumentFiles.h"
#include "shell/MainDlg.h"
#include "shell/MenuCommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
    bool demo = false;
    int demoApp = 1; // the demo meter: 1 one chord, 2 two chords, 3 two pipes
    int language = 0;
    std::string config;
    std::vector<std::string> positional;
    std::string screenshot;
    std::string open;
    std::string printTo;
    int menu = 0; // drop-down to show open in the screenshot, from 1
    int afterMs = 500;
    int tab = 0;   // page of the dialog's tabs to show in the screenshot, from 1
    int press = 0; // button to click in the dialog before the screenshot
    std::deque<std::string> answerFiles;
    std::string record; // the measurement dialog records into it
};

void printUsage(std::ostream& o) {
    o << "usage: calyptron [--demo | --demo-app N] [--lang 1..5] [--print-to FILE.pdf]\n"
         "                 [--config PATH | PATH]\n"
         "                 [--screenshot FILE.png [--open COMMAND | --menu N] [--after MS]]\n"
         "       calyptron --help | --version\n"
         "  --demo          talk to a simulated meter started inside the program; the\n"
         "                  measurement dialog opens on it (unless --open or --menu)\n"
         "  --demo-app N    the same with a meter of one chord (1), two chords (2) or\n"
         "                  two pipes (3)\n"
         "  --lang L        language for this run: 1 French, 2 English, 3 Portuguese,\n"
         "                  4 German, 5 Spanish\n"
         "  --config PATH   configuration file to use (also remembered for the next start)\n"
         "  --print-to F    printouts go into the PDF file F instead of a printer (print\n"
         "                  all writes F, then F with -2, -3, ... before the extension)\n"
         "  --screenshot F  open the main window (and with --open the dialog of a menu\n"
         "                  command such as WM_USER_MENU_APROPO), wait MS milliseconds\n"
         "                  (500), write a PNG of the active window to F and exit;\n"
         "                  --menu N shows the N-th drop-down of the menu bar open,\n"
         "                  --tab N the N-th page of the dialog's tabs; --press ID\n"
         "                  clicks the dialog's button ID halfway to the picture, and\n"
         "                  --answer-file F answers the next file dialog with F\n"
         "                  --record F.mes makes the measurement dialog record into F.mes\n"
         "Qt options such as -platform offscreen are accepted too.\n";
}

bool parseNumber(const std::string& text, int low, int high, int& out) {
    if (text.empty() || text.size() > 9)
        return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return false;
    out = value;
    return true;
}

// 0 to go on, else the exit status.
int parseArguments(const QStringList& arguments, Options& o) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const std::string a = arguments[i].toStdString();
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                std::cerr << a << " needs a value\n";
                return false;
            }
            out = arguments[++i].toStdString();
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            printUsage(std::cout);
            return -1;

        } else if (a == "--demo") {
            o.demo = true;
        } else if (a == "--demo-app") {
            if (!value(v) || !parseNumber(v, 1, 3, o.demoApp)) {
                std::cerr << "--demo-app takes 1 (one chord), 2 (two chords) or 3 (two pipes)\n";
                return 2;
            }
            o.demo = true;
        } else if (a == "--lang") {
            if (!value(v) || !parseNumber(v, 1, 5, o.language)) {
                std::cerr << "--lang takes a language from 1 (French) to 5 (Spanish)\n";
                return 2;
            }
        } else if (a == "--config") {
            if (!value(o.config) || o.config.empty()) {
                std::cerr << "--config takes the path of a configuration file\n";
                return 2;
            }
        } else if (a == "--print-to") {
            if (!value(o.printTo) || o.printTo.empty()) {
                std::cerr << "--print-to takes the path of the PDF file to write\n";
                return 2;
            }
        } else if (a == "--screenshot") {
            if (!value(o.screenshot) || o.screenshot.empty()) {
                std::cerr << "--screenshot takes the path of the PNG to write\n";
                return 2;
            }
        } else if (a == "--open") {
            if (!value(o.open) || !ks::menu::isCommandName(o.open)) {
                std::cerr << "--open takes a menu command name such as WM_USER_MENU_APROPO\n";
                return 2;
            }
        } else if (a == "--menu") {
            if (!value(v) || !parseNumber(v, 1, 9, o.menu)) {
                std::cerr << "--menu takes the number of a drop-down, from 1\n";
                return 2;
            }
        } else if (a == "--tab") {
            if (!value(v) || !parseNumber(v, 1, 9, o.tab)) {
                std::cerr << "--tab takes the number of a page, from 1\n";
                return 2;
            }
        } else if (a == "--press") {
            if (!value(v) || !parseNumber(v, 1, 65535, o.press)) {
                std::cerr << "--press takes the control id of a button\n";
                return 2;
            }
        } else if (a == "--answer-file") {
            if (!value(v) || v.empty()) {
                std::cerr << "--answer-file takes the path a file dialog answers\n";
                return 2;
            }
            o.answerFiles.push_back(v);
        } else if (a == "--record") {
            if (!value(o.record) || o.record.empty()) {
                std::cerr << "--record takes the path of the recording file\n";
                return 2;
            }
        } else if (a == "--after") {
            if (!value(v) || !parseNumber(v, 0, 600000, o.afterMs)) {
                std::cerr << "--after takes milliseconds (0 to 600000)\n";
                return 2;
            }
        } else if (a.size() > 1 && a[0] == '-' && o.positional.empty()) {
            std::cerr << "calyptron: unknown option: " << a << "\n"
                      << "Try 'calyptron --help' for more information.\n";
            return 2;
        } else {
            // As the program was always started: the rest of the line is the configuration.
            o.positional.push_back(a);
        }
    }
    if ((!o.open.empty() || o.menu != 0 || o.tab != 0 || !o.record.empty() || o.press != 0 ||
         !o.answerFiles.empty() || arguments.contains(QStringLiteral("--after"))) &&
        o.screenshot.empty()) {
        std::cerr << "--open, --menu, --tab, --record, --press, --answer-file and --after go with "
                     "--screenshot\n";
        return 2;
    }
    if (!o.open.empty() && o.menu != 0) {
        std::cerr << "--open and --menu do not go together\n";
        return 2;
    }
    return 0;
}

// Shows the page of the first tab widget of the window.
void showTab(QWidget& window, int number) {
    if (auto* tabs = window.findChild<QTabWidget*>()) {
        tabs->setCurrentIndex(number - 1);
        // The page lays itself out (and the dialog may grow) on events still to come; the
        // picture must show that.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    } else
        std::cerr << "calyptron: the window has no pages\n";
}

// Clicks a button of the dialog on top, after the event that runs this has returned.
void pressButton(QWidget* fallback, int control) {
    QWidget* window = ks::desktop::windowToShoot(fallback);
    auto* button = window->findChild<QAbstractButton*>(QStringLiteral("button_%1").arg(control));
    if (button == nullptr) {
        std::cerr << "calyptron: no button " << control << " in "
                  << window->windowTitle().toStdString() << "\n";
        return;
    }
    QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

// Shortly after the dialog of the picture opened: a recording under way for --record.
void startRecording(const Options& o) {
    QWidget* dialog = QApplication::activeModalWidget();
    if (auto* measure = qobject_cast<ks::gui::CMeasureDlg*>(dialog))
        measure->startRecordingTo(o.record);
    else
        std::cerr << "calyptron: --record needs the measurement dialog\n";
}

void openDropDown(ks::gui::CMainDlg& window, int number) {
    const QList<QAction*> dropDowns = window.menuBar()->actions();
    if (number > dropDowns.size()) {
        std::cerr << "calyptron: the menu bar has " << dropDowns.size() << " drop-downs\n";
        return;
    }
    window.menuBar()->setActiveAction(dropDowns[number - 1]);
}

} // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so that they work without a display.
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            std::cout << "calyptron " << ks::version::programVersion() << "\n";
            return 0;
        }
        if (a == "--help" || a == "-h") {
            printUsage(std::cout);
            return 0;
        }
    }
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calyptron KS"));

    Options options;
    if (const int status = parseArguments(QApplication::arguments(), options); status != 0)
        return status < 0 ? 0 : status;

    using namespace ks::gui;
    CDesktopApp desktop;
    ks::StartupInputs inputs;
    // "calyptron site.eta" (a double-click in the file manager) opens the file's dialog.
    std::string document;
    if (options.positional.size() == 1 && ks::shell::isDocumentPath(options.positional[0])) {
        document = options.positional[0];
        options.positional.clear();
    }
    if (!options.config.empty())
        inputs.args = {options.config};
    else
        inputs.args = options.positional;
    if (desktop.flowApp().startUp(inputs) != 0)
        std::cerr << "calyptron: no program folder could be set up; settings will not be kept\n";
    if (!desktop.flowApp().refusedConfiguration().empty())
        std::cerr << "calyptron: " << desktop.flowApp().refusalText() << "\n";
    desktop.setLanguageOverride(options.language);
    desktop.setPrintToFile(options.printTo);
    std::unique_ptr<ks::desktop::CAnsweredFiles> answered;
    if (!options.answerFiles.empty()) {
        answered = std::make_unique<ks::desktop::CAnsweredFiles>(options.answerFiles);
        desktop.setPrompts(answered.get());
    }
    desktop.refreshPortTable();
    if (options.demo) {
        std::string error;
        if (!desktop.startDemoMeter(error, options.demoApp)) {
            std::cerr << "calyptron: the simulated meter cannot be started: " << error << "\n";
            return 1;
        }
        std::cerr << "calyptron: simulated meter on " << desktop.demoMeterPath() << "\n";
    }
    installProgramDialogs(desktop.dialogs());
    ks::menu::registerCommands();

    CMainDlg mainWindow;
    ks::desktop::closeWindowsOnStopSignals();
    int status = 0;
    // A new user sees the meter at work at once.
    if (options.demo && options.open.empty() && options.menu == 0)
        options.open = std::string(ks::menu::kDialMesure);
    if (!options.screenshot.empty()) {
        QTimer::singleShot(0, &mainWindow, [&] {
            QTimer::singleShot(options.afterMs, &mainWindow, [&] {
                QWidget* target = ks::desktop::windowToShoot(&mainWindow);
                if (options.tab != 0)
                    showTab(*target, options.tab);
                if (!ks::desktop::writeScreenshot(*target, QApplication::activePopupWidget(),
                                                  qtext(options.screenshot))) {
                    std::cerr << "calyptron: cannot write " << options.screenshot << "\n";
                    status = 1;
                }
                // Ends the dialog opened by --open and the main window alike.
                QCoreApplication::exit(status);
            });
            if (!options.open.empty())
                mainWindow.postCommand(options.open);
            if (options.press != 0)
                QTimer::singleShot(options.afterMs / 2, &mainWindow,
                                   [&] { pressButton(&mainWindow, options.press); });
            if (options.menu != 0)
                openDropDown(mainWindow, options.menu);
            if (!options.record.empty())
                QTimer::singleShot(std::min(300, options.afterMs / 2), &mainWindow,
                                   [&] { startRecording(options); });
            if (!document.empty())
                QTimer::singleShot(0, &mainWindow, [&] { mainWindow.openPath(document); });
        });
    } else if (!document.empty()) {
        QTimer::singleShot(0, &mainWindow, [&] {
            if (!mainWindow.openPath(document))
                std::cerr << "calyptron: no dialog of this version opens " << document << "\n";
        });
    } else if (!options.open.empty()) {
        QTimer::singleShot(0, &mainWindow, [&] { mainWindow.postCommand(options.open); });
    }
    mainWindow.exec();
    desktop.flowApp().shutDown();
    return status;
}
