#include "controls/CEditKS.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimer>

namespace ks::gui {

namespace {

// Positions in a QString count UTF-16 units; the rules count characters.
int characterPosition(const QString& text, int utf16Position) {
    return static_cast<int>(text.left(utf16Position).toUcs4().size());
}

int utf16Position(const QString& text, int characters) {
    int pos = 0;
    while (pos < text.size() && characters > 0) {
        pos += (text.at(pos).isHighSurrogate() && pos + 1 < text.size()) ? 2 : 1;
        --characters;
    }
    return pos;
}

} // namespace

CEditKS::CEditKS(QWidget* parent) : QLineEdit(parent), m_owner(this) {
    connect(this, &QLineEdit::textEdited, this, &CEditKS::onTextEdited);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, &CEditKS::giveFocusBack);
}

CEditKS::~CEditKS() {
    // QWidget's destructor moves the focus away, and the application announces it before
    // QObject's destructor cuts the connection: by then this is no longer an edit box.
    disconnect(m_focusWatch);
}

void CEditKS::setRules(const ks::EditBoxRules& rules) {
    m_rules = rules;
}

void CEditKS::setFormat(const QString& format) {
    m_rules.format = format.toStdString();
}

void CEditKS::setRange(double minimum, double maximum) {
    m_rules.minimum = minimum;
    m_rules.maximum = maximum;
}

void CEditKS::setValueText(const QString& value) {
    if (value == text())
        return;
    const QSignalBlocker quiet(this);
    setText(value);
    m_dirty = false;
}

bool CEditKS::isTextFormat() const {
    const char last = m_rules.format.empty() ? '\0' : m_rules.format.back();
    return last == 's' || last == 'S';
}

void CEditKS::onTextEdited(const QString& typed) {
    m_dirty = true;
    if (!isTextFormat())
        return;
    const auto result = ks::applyEditBoxRules(typed.toStdString(),
                                              characterPosition(typed, cursorPosition()), m_rules);
    const QString cut = QString::fromStdString(result.text);
    if (cut == typed)
        return;
    setText(cut);
    setCursorPosition(utf16Position(cut, result.caret));
}

void CEditKS::commit() {
    if (!m_dirty)
        return;
    m_dirty = false;
    ks::EditBoxRules rules = m_rules;
    rules.readOnly = isReadOnly();
    const QString typed = text();
    const auto result = ks::applyEditBoxRules(typed.toStdString(),
                                              characterPosition(typed, cursorPosition()), rules);
    const QString shown = QString::fromStdString(result.text);
    if (shown != typed)
        setText(shown);
    setCursorPosition(utf16Position(shown, result.caret));
    if (result.beep)
        QApplication::beep();
    emit edited(shown);
    m_owner.send(kEditChange);
}

void CEditKS::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        commit();
    QLineEdit::keyPressEvent(event);
}

void CEditKS::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After the mouse press that brought the focus, or it would undo the selection.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            selectAll(); // leaves the caret at the end, in view
    });
}

void CEditKS::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    commit();
    m_owner.send(kEditLostFocus);
}

void CEditKS::giveFocusBack(QWidget* previous, QWidget* now) {
    // A read-only box is looked at, not typed into: the focus goes back where it came from.
    if (now == this && isReadOnly() && previous != nullptr && previous != this)
        previous->setFocus(Qt::OtherFocusReason);
}

} // namespace ks::gui
