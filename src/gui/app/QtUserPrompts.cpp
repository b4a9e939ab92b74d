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

namespace {
QString oneQtFilter(const QString& f) {
    const qsizetype open = f.lastIndexOf(u'(');
    if (open < 0)
        return f;
    QString patterns = f.mid(open + 1);
    patterns.replace(u';', u' ');
    patterns = patterns.simplified();
    return f.left(open) + u'(' + patterns;
}

// The extension of a filter's first pattern: "prn" of "Fichier PRN (*.prn)".
QString suffixOfFilter(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("(*."));
    if (star < 0)
        return {};
    qsizetype end = star + 3;
    while (end < filter.size() && filter[end] != u')' && filter[end] != u' ')
        ++end;
    const QString suffix = filter.mid(star + 3, end - star - 3);
    return suffix.contains(u'*') ? QString() : suffix;
}
} // namespace

QString CQtUserPrompts::qtFilter(const std::string& filter) {
    QStringList kinds = qtext(filter).split(QStringLiteral(";;"));
    for (QString& kind : kinds)
        kind = oneQtFilter(kind);
    return kinds.join(QStringLiteral(";;"));
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
    // A name typed without extension takes that of the kind chosen in the list.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, defaultSuffix](const QString& selected) {
                         const QString suffix = suffixOfFilter(selected);
                         dialog.setDefaultSuffix(suffix.isEmpty() ? qtext(defaultSuffix) : suffix);
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return utf8(dialog.selectedFiles().constFirst());
}

std::string CQtUserPrompts::chooseFolder(const std::string& title, const std::string& folder) {
    return utf8(QFileDialog::getExistingDirectory(owner(), qtext(title), qtext(folder)));
}

} // namespace ks::gui
