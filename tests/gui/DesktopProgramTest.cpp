#include "app/ProfileFile.h"
#include "app/ProfileKeys.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The desktop program as a user starts it, on the offscreen platform.
class DesktopProgramTest : public QObject {
    Q_OBJECT

private slots:
    void screenshotOfTheMainWindow();
    void screenshotOfADialog();
    void demoKeepsTheUsersConfiguration();
    void configurationOnTheCommandLine();
    void badArguments_data();
    void badArguments();

private:
    struct Run {
        int status = -1;
        QString err;
    };
    Run run(const QTemporaryDir& home, const QStringList& arguments);
};

DesktopProgramTest::Run DesktopProgramTest::run(const QTemporaryDir& home,
                                                const QStringList& arguments) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("CALYPTRON_HOME", home.path());
    p.setProcessEnvironment(env);
    p.start(KS_DESKTOP_PATH, arguments);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

void DesktopProgramTest::screenshotOfTheMainWindow() {
    QTemporaryDir home;
    const QString png = home.filePath("main.png");
    const Run r = run(home, {"--lang", "4", "--screenshot", png, "--after", "100"});
    QCOMPARE(r.status, 0);
    QImage shot(png);
    QVERIFY(!shot.isNull());
    // The picture's width, and its height with the menu bar and the title strip.
    QCOMPARE(shot.width(), 563);
    QVERIFY(shot.height() > 446 + 20);
    // The main window ended as it does when the user quits: the working folder is stored.
    const ks::CProfileFile cfg((home.path() + "/default.CalyptronKS").toStdString());
    QCOMPARE(cfg.readString(ks::profile::kPathFileSave), (home.path() + "/Data/").toStdString());
    // The language was for this run only.
    QCOMPARE(cfg.readInteger(ks::profile::kLanguage), 0);
}

void DesktopProgramTest::screenshotOfADialog() {
    QTemporaryDir home;
    const QString main = home.filePath("main.png");
    const QString about = home.filePath("about.png");
    QCOMPARE(run(home, {"--screenshot", main, "--after", "100"}).status, 0);
    QCOMPARE(run(home, {"--screenshot", about, "--open", "WM_USER_MENU_APROPO", "--after", "300"})
                 .status,
             0);
    const QImage a(about);
    QVERIFY(!a.isNull());
    // The About box, not the main window behind it.
    QVERIFY(a.size() != QImage(main).size());
    QVERIFY(a.width() < 563 || a.height() < 446);

    // An open drop-down hangs over the window below the menu bar.
    const QString menu = home.filePath("menu.png");
    QCOMPARE(run(home, {"--screenshot", menu, "--menu", "2", "--after", "100"}).status, 0);
    const QImage withMenu(menu);
    const QImage plain(main);
    QVERIFY(withMenu.height() >= plain.height());
    QVERIFY(withMenu.copy(0, 80, 300, 200) != plain.copy(0, 80, 300, 200));
}

void DesktopProgramTest::demoKeepsTheUsersConfiguration() {
    QTemporaryDir home;
    const Run r = run(home, {"--demo", "--screenshot", home.filePath("demo.png"), "--after", "50"});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.contains("simulated meter on /dev/pts/"), qPrintable(r.err));
    const ks::CProfileFile cfg((home.path() + "/default.CalyptronKS").toStdString());
    QCOMPARE(cfg.readString("Com", "Port", "absent"), std::string("absent"));
    QCOMPARE(cfg.readString("Com", "JBus", "absent"), std::string("absent"));
}

void DesktopProgramTest::configurationOnTheCommandLine() {
    QTemporaryDir home;
    const QString cfg = home.filePath("site.CalyptronKS");
    QCOMPARE(
        run(home, {"--config", cfg, "--screenshot", home.filePath("a.png"), "--after", "0"}).status,
        0);
    const ks::CProfileFile last((home.path() + "/last.cfg").toStdString());
    QCOMPARE(last.readString(ks::profile::kLastConfig), cfg.toStdString());
    QCOMPARE(ks::CProfileFile(cfg.toStdString()).readString(ks::profile::kTest), std::string("Ok"));
}

void DesktopProgramTest::badArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("language 6") << QStringList{"--lang", "6"};
    QTest::newRow("language missing") << QStringList{"--lang"};
    QTest::newRow("unknown command") << QStringList{"--screenshot", "x.png", "--open", "WM_NOPE"};
    QTest::newRow("open without screenshot") << QStringList{"--open", "WM_USER_MENU_APROPO"};
    QTest::newRow("unknown option") << QStringList{"--frobnicate"};
    QTest::newRow("dialog and drop-down")
        << QStringList{"--screenshot", "x.png", "--open", "WM_USER_MENU_APROPO", "--menu", "1"};
}

void DesktopProgramTest::badArguments() {
    QFETCH(QStringList, arguments);
    QTemporaryDir home;
    const Run r = run(home, arguments);
    QCOMPARE(r.status, 2);
    QVERIFY(!r.err.isEmpty());
}

QTEST_MAIN(DesktopProgramTest)
#include "DesktopProgramTest.moc"
