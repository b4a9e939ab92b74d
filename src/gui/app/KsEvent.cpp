#include "app/KsEvent.h"

#include "app/MessageRegistry.h"

#include <QHash>
#include <QMutex>

namespace ks::gui {

namespace {

struct EventTypes {
    QMutex mutex;
    QHash<int, QEvent::Type> byMessage;
    QHash<int, int> messageOfType;
};

EventTypes& types() {
    static EventTypes t;
    return t;
}

} // namespace

CKsEvent::CKsEvent(const char* name, long long wParam, long long lParam)
    : QEvent(typeOf(name)), m_wParam(wParam), m_lParam(lParam) {}

QEvent::Type CKsEvent::typeOf(const char* name) {
    const int message = ks::registerMessage(name);
    EventTypes& t = types();
    QMutexLocker lock(&t.mutex);
    auto it = t.byMessage.find(message);
    if (it != t.byMessage.end())
        return it.value();
    const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    t.byMessage.insert(message, type);
    t.messageOfType.insert(static_cast<int>(type), message);
    return type;
}

QString CKsEvent::nameOf(QEvent::Type type) {
    EventTypes& t = types();
    QMutexLocker lock(&t.mutex);
    auto it = t.messageOfType.find(static_cast<int>(type));
    if (it == t.messageOfType.end())
        return {};
    return QString::fromStdString(ks::registeredMessageName(it.value()));
}

} // namespace ks::gui
