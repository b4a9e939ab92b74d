#pragma once

#include "ScriptedPrompts.h"
#include "app/DesktopApp.h"
#include "app/ProfileFile.h"

#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// A desktop program started in a program folder of its own, with scripted prompts.
struct DesktopFixture {
    QTemporaryDir home;
    CScriptedPrompts prompts;
    ks::gui::CDesktopApp desktop;

    using Settings = std::vector<std::pair<std::string, std::string>>;

    // Settings written into the default configuration (and into last.cfg) before start-up,
    // as "Section/Key" and value pairs.
    DesktopFixture(std::initializer_list<std::pair<std::string, std::string>> settings = {})
        : DesktopFixture(Settings(settings), Settings{}) {}
    DesktopFixture(const Settings& settings, const Settings& lastSettings) {
        const auto write = [](const ks::CProfileFile& file, const Settings& values) {
            for (const auto& [where, value] : values) {
                const auto slash = where.find('/');
                file.writeString(where.substr(0, slash), where.substr(slash + 1), value);
            }
        };
        write(ks::CProfileFile(path("default.CalyptronKS")), settings);
        write(ks::CProfileFile(path("last.cfg")), lastSettings);
        ks::StartupInputs in;
        in.home = home.path().toStdString();
        desktop.flowApp().startUp(in);
        desktop.setPrompts(&prompts);
    }

    std::string path(const std::string& name) const {
        return (home.path() + "/").toStdString() + name;
    }
};

// A stand-in for a device dialog: remembers how it was asked to open and ends at once with
// the result it was given.
struct DialogCall {
    int kind;
    int mode;
    std::string filePath;
    bool hadLink;
    QWidget* parent;
};

class CFakeDialog : public QDialog {
public:
    CFakeDialog(QWidget* parent, int result) : QDialog(parent) {
        QTimer::singleShot(0, this, [this, result] { done(result); });
    }
};

inline void addFakeDialog(ks::gui::CDialogCatalogue& catalogue, ks::gui::DialogKind kind,
                          std::vector<DialogCall>& calls, int result = QDialog::Accepted,
                          std::string extension = {}) {
    catalogue.add(
        kind,
        [kind, &calls, result](const ks::gui::DialogRequest& r) {
            calls.push_back(
                {static_cast<int>(kind), r.mode, r.filePath, r.link != nullptr, r.parent});
            return std::make_unique<CFakeDialog>(r.parent, result);
        },
        std::move(extension));
}
