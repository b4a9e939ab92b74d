#include "app/QtUserPrompts.h"

#include "app/QtText.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace ks::gui {

namespace {

QWidget* owner() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QMessageBox::Icon qtIcon(CUserPrompts::Icon icon) {
    switch (icon) {
    case CUserPrompts::Icon::Error:
        return QMessageBox::Critical;
    case CUserPrompts::Icon::Warning:
        return QMessageBox::Warning;
    case CUserPrompts::Icon::Information:
        return QMessageBox::Information;
    case CUserPrompts::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void CQtUserPrompts::message(const std::string& text, const std::string& caption, Icon icon) {
    QMessageBox box(qtIcon(icon), qtext(caption), qtext(text), QMessageBox::Ok, owner());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

CUserPrompts::Answer CQtUserPrompts::question(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, qtext(caption), qtext(text),
                    QMessageBox::Yes | QMessageBox::No, owner());
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString CQtUserPrompts::qtFilter(const std::string& filter) {
    QString f = qtext(filter);
    const qsizetype open = f.lastIndexOf(u'(');
    if (open < 0)
        return f;
    QString patterns = f.mid(open + 1);
    patterns.replace(u';', u' ');
    patterns = patterns.simplified();
    return f.left(open) + u'(' + patterns;
}

std::string CQtUserPrompts::openFile(const std::string& title, const std::string& folder,
                                     const std::string& filter) {
    return utf8(
        QFileDialog::getOpenFileName(owner(), qtext(title), qtext(folder), qtFilter(filter)));
}

std::string CQtUserPrompts::saveFile(const std::string& title, const std::string& folder,
                                     const std::string& filter, const std::string& defaultSuffix) {
    QFileDialog dialog(owner(), qtext(title), qtext(folder), qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(qtext(defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return utf8(dialog.selectedFiles().constFirst());
}

} // namespace ks::gui
