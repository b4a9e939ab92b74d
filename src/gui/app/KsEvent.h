#pragma once

#include <QEvent>
#include <QString>

namespace ks::gui {

// A registered message delivered as a Qt event: the message's name picks the event type
// (one Qt type per name, the same for the whole run), wParam and lParam travel with it.
class CKsEvent : public QEvent {
public:
    CKsEvent(const char* name, long long wParam = 0, long long lParam = 0);
    CKsEvent(QEvent::Type type, long long wParam = 0, long long lParam = 0)
        : QEvent(type), m_wParam(wParam), m_lParam(lParam) {}

    long long wParam() const { return m_wParam; }
    long long lParam() const { return m_lParam; }

    // The Qt event type of a message name (registers it on first use).
    static QEvent::Type typeOf(const char* name);
    // The message name of an event type, empty when it is not one of ours.
    static QString nameOf(QEvent::Type type);

private:
    long long m_wParam;
    long long m_lParam;
};

} // namespace ks::gui
