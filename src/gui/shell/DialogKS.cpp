#include "shell/DialogKS.h"

#include "app/DesktopApp.h"
#include "app/QtText.h"
#include "shell/Caption.h"
#include "shell/DialogLanguage.h"
#include "shell/Placement.h"

#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

namespace ks::gui {

CDialogKS::CDialogKS(int templateNumber, QWidget* parent)
    : QDialog(parent), m_app(&CDesktopApp::current()), m_templateNumber(templateNumber),
      m_profile(m_app->flowApp().configuration()) {
    reloadLanguage();
}

bool CDialogKS::setLanguage(int language) {
    if (language < 1 || language > languageCount())
        return false;
    m_language = language;
    m_app->qtTranslation().use(language);
    composeCaption();
    return true;
}

void CDialogKS::reloadLanguage() {
    const int forced = m_app->languageOverride();
    setLanguage(forced != 0 ? forced : dialogLanguage(m_profile));
}

void CDialogKS::bindProfile(const std::string& path) {
    m_profile.setPath(path);
}

QString CDialogKS::text(int number) const {
    return qtext(m_texts.text(number, m_language));
}

QStringList CDialogKS::textList(int number) const {
    QStringList out;
    for (const std::string& s : m_texts.lookup(number, m_language))
        out << qtext(s);
    return out;
}

QString CDialogKS::listItem(int number, int index) const {
    const auto& list = m_texts.lookup(number, m_language);
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return {};
    return qtext(list[static_cast<std::size_t>(index)]);
}

void CDialogKS::setCaptionText(int number) {
    if (number != kNoCaptionText)
        m_captionTextNumber = number;
    composeCaption();
}

void CDialogKS::setCaption(const QString& caption) {
    m_caption = caption;
    composeCaption();
}

void CDialogKS::setConfigurationName(const QString& name) {
    setConfigurationNameUnshortened(qtext(caption::shortenedName(utf8(name))));
}

void CDialogKS::setConfigurationNameUnshortened(const QString& name) {
    m_configurationName = name;
    composeCaption();
}

void CDialogKS::setCaptionTail(const QString& tail) {
    m_captionTail = tail;
    composeCaption();
}

QString CDialogKS::captionText() const {
    return m_captionTextNumber != kNoCaptionText ? windowTitle() : QString();
}

void CDialogKS::composeCaption() {
    const QString base =
        m_captionTextNumber != kNoCaptionText ? text(m_captionTextNumber) : m_caption;
    setWindowTitle(
        qtext(caption::compose(utf8(base), utf8(m_configurationName), utf8(m_captionTail))));
}

void CDialogKS::errorBox(int textNumber, int captionNumber) {
    m_app->prompts().message(utf8(text(textNumber)), utf8(text(captionNumber)),
                             CUserPrompts::Icon::Error);
}

void CDialogKS::errorBoxWithDetail(int textNumber, const QString& detail, int captionNumber) {
    m_app->prompts().message(utf8(text(textNumber) + detail), utf8(text(captionNumber)),
                             CUserPrompts::Icon::Error);
}

CUserPrompts::Answer CDialogKS::question(int textNumber, const QString& detail, int captionNumber) {
    return m_app->prompts().question(utf8(text(textNumber) + detail), utf8(text(captionNumber)));
}

double CDialogKS::readNumber(std::string_view section, std::string_view key, double def) const {
    return m_profile.readNumber(section, key, def);
}

std::string CDialogKS::readString(std::string_view section, std::string_view key,
                                  std::string_view def) const {
    return m_profile.readString(section, key, def);
}

int CDialogKS::writeNumber(std::string_view section, std::string_view key, double value) const {
    return m_profile.writeNumber(section, key, value);
}

int CDialogKS::writeString(std::string_view section, std::string_view key,
                           std::string_view value) const {
    return m_profile.writeString(section, key, value);
}

void CDialogKS::createModeless() {
    setModal(false);
    show();
}

void CDialogKS::keyPressEvent(QKeyEvent* event) {
    // Escape would reject the dialog and drop what the user typed; only the dialog's own
    // buttons close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDialogKS::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        keepOnWorkArea();
}

void CDialogKS::keepOnWorkArea() {
    if (!isWindow())
        return;
    const QScreen* s = screen();
    if (s == nullptr)
        return;
    // While the window is being shown QWidget's own idea of its frame may lag behind; the
    // platform window knows where it really is.
    const QRect frame =
        windowHandle() != nullptr ? windowHandle()->frameGeometry() : frameGeometry();
    const QRect area = s->availableGeometry();
    const ScreenPoint p = placeOnWorkArea(
        {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()},
        {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()},
        isMaximized());
    if (p.x != frame.left() || p.y != frame.top())
        move(p.x, p.y);
}

} // namespace ks::gui
