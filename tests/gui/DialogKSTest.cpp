#include "shell/DialogKS.h"
#include "DesktopFixture.h"

#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest>

using ks::gui::CDialogKS;

class DialogKSTest : public QObject {
    Q_OBJECT

private slots:
    void captionRules_data();
    void captionRules();
    void captionParts();
    void escapeLeavesTheDialogOpen();
    void placement_data();
    void placement();
    void languageAndTexts();
    void profileBoundAtConstruction();
    void messageBoxes();
};

void DialogKSTest::captionRules_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    const QString exactly40 = QStringLiteral("/home/tech/configurations/site-nord.cfgx");
    QCOMPARE(exactly40.size(), 40);
    const QString exactly41 = exactly40 + u'y';
    QTest::newRow("40 characters") << exactly40 << "A propos...   -   " + exactly40;
    QTest::newRow("41 characters") << exactly41 << "A propos...   -   /ho..." + exactly41.right(34);
    QTest::newRow("empty") << QString() << QStringLiteral("A propos...");
}

void DialogKSTest::captionRules() {
    QFETCH(QString, name);
    QFETCH(QString, title);
    DesktopFixture f;
    CDialogKS dlg(1);
    dlg.setCaptionText(282);
    dlg.setConfigurationName(name);
    QCOMPARE(dlg.windowTitle(), title);
    QCOMPARE(dlg.captionText(), title);
}

void DialogKSTest::captionParts() {
    DesktopFixture f;
    CDialogKS dlg(1);
    dlg.setCaption(QStringLiteral("Explicit"));
    dlg.setConfigurationNameUnshortened(
        QStringLiteral("/a/rather/long/path/to/some/configuration"));
    dlg.setCaptionTail(QStringLiteral(" (1)"));
    QCOMPARE(dlg.windowTitle(),
             QStringLiteral("Explicit   -   /a/rather/long/path/to/some/configuration (1)"));
    // Without a caption text number the caption text is empty.
    QCOMPARE(dlg.captionText(), QString());
    // A caption text number wins over the explicit caption and follows the language.
    dlg.setCaptionText(119);
    dlg.setCaptionText(CDialogKS::kNoCaptionText); // -1 keeps the number
    QCOMPARE(dlg.windowTitle(),
             QStringLiteral("Erreur   -   /a/rather/long/path/to/some/configuration (1)"));
    QVERIFY(dlg.setLanguage(4));
    QVERIFY(dlg.windowTitle().startsWith(QStringLiteral("Fehler   -   ")));
    QVERIFY(!dlg.setLanguage(6));
    QCOMPARE(dlg.language(), 4);
}

void DialogKSTest::escapeLeavesTheDialogOpen() {
    DesktopFixture f;
    CDialogKS dlg(1);
    auto* edit = new QLineEdit(&dlg);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(edit);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCoreApplication::processEvents();
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.result(), 0);

    // The same keys close a plain dialog: the test would see a dialog that lets Escape by.
    QDialog plain;
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    QTest::keyClick(&plain, Qt::Key_Escape);
    QVERIFY(!plain.isVisible());
}

// Where the window's frame must end up, once its frame size is known.
enum class Expect { Unchanged, BottomOnWorkArea, Top, RightOnWorkArea };

void DialogKSTest::placement_data() {
    QTest::addColumn<QPoint>("asked"); // the frame's top-left corner
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("expect");
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::newRow("inside") << area.topLeft() + QPoint(40, 30) << QSize(200, 150)
                            << int(Expect::Unchanged);
    QTest::newRow("partly below the work area") << QPoint(area.left() + 40, area.bottom() - 100)
                                                << QSize(200, 150) << int(Expect::BottomOnWorkArea);
    QTest::newRow("taller than the work area")
        << area.topLeft() + QPoint(40, 50) << QSize(200, area.height() + 80) << int(Expect::Top);
    QTest::newRow("past the right edge") << QPoint(area.right() - 50, area.top() + 30)
                                         << QSize(200, 150) << int(Expect::RightOnWorkArea);
}

void DialogKSTest::placement() {
    QFETCH(QPoint, asked);
    QFETCH(QSize, size);
    QFETCH(int, expect);
    DesktopFixture f;
    CDialogKS dlg(1);
    dlg.resize(size);
    dlg.move(asked);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QRect area = dlg.screen()->availableGeometry();
    const QRect frame = dlg.frameGeometry();
    QCOMPARE(dlg.size(), size);
    switch (static_cast<Expect>(expect)) {
    case Expect::Unchanged:
        QCOMPARE(frame.topLeft(), asked);
        break;
    case Expect::BottomOnWorkArea:
        QCOMPARE(frame.left(), asked.x());
        QCOMPARE(frame.bottom(), area.bottom());
        break;
    case Expect::Top:
        QCOMPARE(frame.topLeft(), QPoint(asked.x(), area.top()));
        break;
    case Expect::RightOnWorkArea:
        QCOMPARE(frame.top(), asked.y());
        QCOMPARE(frame.right(), area.right());
        break;
    }
}

void DialogKSTest::languageAndTexts() {
    DesktopFixture f({{"Language/Language", "3.000000"}});
    CDialogKS german(1);
    QCOMPARE(german.language(), 4);
    QCOMPARE(german.text(119), QStringLiteral("Fehler"));
    QCOMPARE(german.text(0), QString());
    QCOMPARE(german.text(344), QString());

    // A list text and its entries; an index past the end gives "".
    const QStringList list = german.textList(22);
    QVERIFY(list.size() >= 2);
    QCOMPARE(german.listItem(22, 1), list[1]);
    QCOMPARE(german.listItem(22, static_cast<int>(list.size())), QString());
    QCOMPARE(german.listItem(22, -1), QString());

    // This run's language comes before the configuration's.
    QVERIFY(f.desktop.setLanguageOverride(5));
    CDialogKS spanish(1);
    QCOMPARE(spanish.language(), 5);
    QCOMPARE(spanish.text(119), QStringLiteral("Error"));
    QVERIFY(!f.desktop.setLanguageOverride(6));
}

void DialogKSTest::profileBoundAtConstruction() {
    DesktopFixture f;
    const std::string first = f.desktop.flowApp().currentConfiguration();
    CDialogKS before(1);
    const std::string second = f.path("second.CalyptronKS");
    ks::CProfileFile(second).writeString("Language", "Language", "1.000000");
    f.desktop.flowApp().loadConfiguration(second);
    CDialogKS after(1);

    QCOMPARE(before.configurationPath(), first);
    QCOMPARE(after.configurationPath(), second);
    QCOMPARE(before.language(), 1);
    QCOMPARE(after.language(), 2);
    QCOMPARE(before.writeNumber("Com", "JBus", 7), 0);
    QCOMPARE(ks::CProfileFile(first).readInteger("Com", "JBus", 1), 7);
    QCOMPARE(after.readNumber("Com", "JBus", 1), 1.0);
    QCOMPARE(after.readString("Com", "Path Test", "none"), std::string("none"));
}

void DialogKSTest::messageBoxes() {
    DesktopFixture f({{"Language/Language", "1.000000"}});
    CDialogKS dlg(1);
    dlg.errorBox(115);
    dlg.errorBoxWithDetail(112, QStringLiteral(" /x/y"), 119);
    f.prompts.answers = {ks::CUserPrompts::Answer::Yes};
    const auto answer = dlg.question(115, QStringLiteral("?"), 119);

    QCOMPARE(f.prompts.messages.size(), std::size_t{2});
    QCOMPARE(f.prompts.messages[0].text, std::string("Same Source file as select file !"));
    QCOMPARE(f.prompts.messages[0].caption, std::string("Error"));
    QVERIFY(f.prompts.messages[0].icon == ks::CUserPrompts::Icon::Error);
    QCOMPARE(f.prompts.messages[1].text, std::string("Can not open destination file ! /x/y"));
    QVERIFY(answer == ks::CUserPrompts::Answer::Yes);
    QCOMPARE(f.prompts.questions.at(0).text, std::string("Same Source file as select file !?"));
    QVERIFY(dlg.question(115, {}, 119) == ks::CUserPrompts::Answer::No);
}

QTEST_MAIN(DialogKSTest)
#include "DialogKSTest.moc"
