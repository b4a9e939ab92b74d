#include "app/QtUserPrompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using ks::CUserPrompts;
using ks::gui::CQtUserPrompts;

class QtUserPromptsTest : public QObject {
    Q_OBJECT

private slots:
    void filtersAsQtReadsThem();
    void questionReturnsTheButtonClicked_data();
    void questionReturnsTheButtonClicked();
    void messageShowsTextCaptionAndIcon();
};

void QtUserPromptsTest::filtersAsQtReadsThem() {
    QCOMPARE(CQtUserPrompts::qtFilter("Fichier (*.eta; *.mes; *.usi)"),
             QStringLiteral("Fichier (*.eta *.mes *.usi)"));
    QCOMPARE(CQtUserPrompts::qtFilter("File (*.eta;*.usi;*.sa)"),
             QStringLiteral("File (*.eta *.usi *.sa)"));
    QCOMPARE(CQtUserPrompts::qtFilter("Config File (*.CalyptronKS)"),
             QStringLiteral("Config File (*.CalyptronKS)"));
    QCOMPARE(CQtUserPrompts::qtFilter("Everything"), QStringLiteral("Everything"));
    // Several kinds: each one read as above.
    QCOMPARE(CQtUserPrompts::qtFilter("Fichier PRN (*.prn;*.txt);;Classeur (*.xlsx)"),
             QStringLiteral("Fichier PRN (*.prn *.txt);;Classeur (*.xlsx)"));
}

void QtUserPromptsTest::questionReturnsTheButtonClicked_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
}

void QtUserPromptsTest::questionReturnsTheButtonClicked() {
    QFETCH(int, button);
    QFETCH(bool, yes);
    CQtUserPrompts prompts;
    QString shownText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shownText = box->text();
        QCOMPARE(box->icon(), QMessageBox::Question);
        box->button(static_cast<QMessageBox::StandardButton>(button))->click();
    });
    const CUserPrompts::Answer a = prompts.question("Voulez-vous continuer ?", "Attention");
    QCOMPARE(shownText, QStringLiteral("Voulez-vous continuer ?"));
    QCOMPARE(a == CUserPrompts::Answer::Yes, yes);
}

void QtUserPromptsTest::messageShowsTextCaptionAndIcon() {
    CQtUserPrompts prompts;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        caption = box->windowTitle();
        icon = box->icon();
        modality = box->windowModality();
        box->button(QMessageBox::Ok)->click();
    });
    prompts.message("Fichier source identique au fichier destination !", "Erreur",
                    CUserPrompts::Icon::Error);
    QCOMPARE(caption, QStringLiteral("Erreur"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(modality, Qt::ApplicationModal);
}

QTEST_MAIN(QtUserPromptsTest)
#include "QtUserPromptsTest.moc"
