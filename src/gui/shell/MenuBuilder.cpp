#include "shell/MenuBuilder.h"

#include "app/KsEvent.h"
#include "app/QtText.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace ks::gui {

namespace {

QAction* findIn(const QList<QAction*>& actions, const QString& command) {
    for (QAction* a : actions) {
        if (CMenuBuilder::commandOf(a) == command)
            return a;
        if (a->menu() != nullptr)
            if (QAction* found = findIn(a->menu()->actions(), command))
                return found;
    }
    return nullptr;
}

} // namespace

void CMenuBuilder::apply(const MenuBarModel& model, QMenuBar& bar, QObject* target) {
    // Drop-downs from the last build go; deleteLater because one of them may still be
    // unwinding from the click that led here.
    const QList<QAction*> old = bar.actions();
    bar.clear();
    for (QAction* a : old)
        if (QMenu* m = a->menu()) {
            m->setParent(nullptr);
            m->deleteLater();
        }
    for (const MenuDropDown& d : model.dropDowns) {
        QMenu* menu = bar.addMenu(qtext(d.title));
        fill(*menu, d.entries, target);
    }
}

void CMenuBuilder::fill(QMenu& menu, const std::vector<MenuEntry>& entries, QObject* target) {
    for (const MenuEntry& e : entries) {
        switch (e.kind) {
        case MenuEntry::Kind::Separator:
            menu.addSeparator();
            break;
        case MenuEntry::Kind::SubMenu:
            fill(*menu.addMenu(qtext(e.text)), e.entries, target);
            break;
        case MenuEntry::Kind::Command: {
            QAction* action = menu.addAction(qtext(e.text));
            const QString command = qtext(e.command);
            action->setData(command);
            action->setEnabled(e.enabled);
            QPointer<QObject> to(target);
            QObject::connect(action, &QAction::triggered, action, [to, command] {
                if (to)
                    QCoreApplication::postEvent(to, new CKsEvent(command.toUtf8().constData()));
            });
            break;
        }
        }
    }
}

QString CMenuBuilder::commandOf(const QAction* action) {
    return action != nullptr ? action->data().toString() : QString();
}

QAction* CMenuBuilder::findAction(const QMenuBar& bar, const QString& command) {
    return findIn(bar.actions(), command);
}

} // namespace ks::gui
