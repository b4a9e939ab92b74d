#pragma once

#include "app/KsEvent.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>

// A stand-in dialog for control tests: records every registered notification it receives,
// and can look at the world while one is being handled.
struct Notification {
    QString name;
    long long wParam = 0;
    long long lParam = 0;
};

class NotificationRecorder : public QWidget {
public:
    using QWidget::QWidget;

    QList<Notification> received;
    std::function<void(const Notification&)> onNotification;

    QStringList names() const {
        QStringList list;
        for (const Notification& n : received)
            list.append(n.name);
        return list;
    }
    int count(const char* name) const { return static_cast<int>(names().count(name)); }
    Notification last(const char* name) const {
        for (auto it = received.crbegin(); it != received.crend(); ++it)
            if (it->name == QLatin1String(name))
                return *it;
        return {};
    }

protected:
    bool event(QEvent* e) override {
        const QString name = ks::gui::CKsEvent::nameOf(e->type());
        if (name.isEmpty())
            return QWidget::event(e);
        const auto* ks = static_cast<ks::gui::CKsEvent*>(e);
        const Notification n{name, ks->wParam(), ks->lParam()};
        received.append(n);
        if (onNotification)
            onNotification(n);
        return true;
    }
};
