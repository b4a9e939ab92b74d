#pragma once

#include "shell/MenuModel.h"

#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace ks::gui {

// Mirrors a menu bar model in a QMenuBar. Each command's action carries its command name
// (QAction::data) and, when triggered, posts that command's registered message to the
// window, whose command table runs it.
class CMenuBuilder {
public:
    // Empties the bar (its old drop-downs are deleted) and fills it from the model.
    static void apply(const MenuBarModel& model, QMenuBar& bar, QObject* commandTarget);

    // The command name an action carries, "" for none.
    static QString commandOf(const QAction* action);
    // The first action of the bar (drop-downs and sub-menus included) carrying this command.
    static QAction* findAction(const QMenuBar& bar, const QString& command);

private:
    static void fill(QMenu& menu, const std::vector<MenuEntry>& entries, QObject* target);
};

} // namespace ks::gui
