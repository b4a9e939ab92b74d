#pragma once

// Driving a device dialog as the user would, for the tests of the parameter dialogs: pick a
// list entry, type into an edit box, read a field, open a dialog on the meter, check the
// modal dialog a command opens, read back a printed PDF.
#include "MeterFixture.h"
#include "controls/CComboKS.h"
#include "controls/CEditKS.h"
#include "framework/DeviceDlg.h"
#include "shell/DialogModes.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>

inline ks::gui::CComboKS* comboOf(ks::gui::CDeviceDlg& dlg, int fieldId) {
    return qobject_cast<ks::gui::CComboKS*>(dlg.widgetsOf(fieldId).value);
}

inline ks::gui::CEditKS* editOf(ks::gui::CDeviceDlg& dlg, int fieldId) {
    return qobject_cast<ks::gui::CEditKS*>(dlg.widgetsOf(fieldId).value);
}

// As the user picks an entry: the position of that list index, then the activation.
inline void choose(ks::gui::CDeviceDlg& dlg, int fieldId, int listIndex) {
    ks::gui::CComboKS* combo = comboOf(dlg, fieldId);
    QVERIFY(combo != nullptr);
    QVERIFY(combo->setListIndex(listIndex));
    emit combo->activated(combo->currentIndex());
}

inline void type(ks::gui::CDeviceDlg& dlg, int fieldId, const QString& text) {
    ks::gui::CEditKS* edit = editOf(dlg, fieldId);
    QVERIFY(edit != nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    edit->commit();
}

inline std::string textOf(ks::gui::CDeviceDlg& dlg, int fieldId) {
    const ks::CField* f = dlg.fields().find(fieldId);
    return f != nullptr ? f->text() : std::string("(no field)");
}

// A parameter dialog read from the meter, as the main window opens it in dialogue mode.
template <class D> std::unique_ptr<D> readDialog(MeterFixture& m) {
    auto dlg = std::make_unique<D>(ks::dialogmode::kDialogue, m.desktop().link());
    dlg->initialise();
    if (dlg->readMeter() != 0)
        return nullptr;
    return dlg;
}

// Runs `check` on the modal dialog that `open` starts, then closes that dialog.
inline void whileModal(const std::function<void()>& open,
                       const std::function<void(QWidget*)>& check) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() != nullptr, 10000);
        QWidget* modal = QApplication::activeModalWidget();
        check(modal);
        ran = true;
        if (auto* d = qobject_cast<QDialog*>(modal))
            d->reject();
    });
    open();
    QVERIFY(ran);
}

inline QString pdfText(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return QStringLiteral("pdftotext failed (poppler-utils installed?): ") +
               QString::fromLocal8Bit(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString pdfText(const std::string& file) {
    return pdfText(QString::fromStdString(file));
}
