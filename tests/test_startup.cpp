// Start-up before the menu: the options, the player's program directory filled from the
// installed files, one game per directory, and settings that cannot be saved.
#include <QtTest>

#include "app/startup.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("dir");
        QTest::newRow("--dir: the game plays there") << QStringList{"--dir", "/x"} << -1 << QString() << "/x";
        QTest::newRow("an argument") << QStringList{"zel.dat"} << 2
                                     << "bellarune: Unexpected argument 'zel.dat'." << QString();
    }
    void options()
    {
        QFETCH(QStringList, arguments);
        const CommandLine c = parseCommandLine(QStringList{"bellarune"} + arguments);
        QTEST(c.exitCode, "exitCode");
        QTEST(c.output.section('\n', 0, 0), "firstLine");
        QTEST(c.dir, "dir");
    }

    // The player's directory gets what is missing; the player's own files stay as they are. While a
    // game plays from it, a second one is turned away.
    void programDirectory()
    {
        ProgramDir shipped;
        shipped.write("zel.dat", "shipped");
        shipped.write("zelord.txt", "catalog");
        shipped.write("a.jpg", "a");
        ProgramDir home;
        QFile::link("nowhere", home.file("a.jpg"));
        home.write("zel.dat", "edited");
        auto first = std::make_unique<ProgramDirectory>();
        QString error;
        QVERIFY2(first->open(home.path(), shipped.path(), error), qPrintable(error));
        QCOMPARE(home.read("zel.dat"), std::string("edited"));
        QCOMPARE(home.read("zelord.txt"), std::string("catalog"));
        QCOMPARE(QFileInfo(home.file("a.jpg")).symLinkTarget(), home.file("nowhere"));
        QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 (QStringList{"a.jpg", "bellarune.lock", "zel.dat", "zelord.txt"}));
        ProgramDirectory second;
        QVERIFY(!second.open(home.path(), "", error));
        QCOMPARE(error.section('\n', 0, 0),
                 "Bellarune Game is already running from the folder " + home.path() + ".");
        first.reset();
        QVERIFY2(second.open(home.path(), "", error), qPrintable(error));
    }

    void settingsNotSavedAreToldOnce()
    {
        ProgramDir dir;
        TestState ts;
        ts.state.SettingsFileName = "gone/zel.INI";
        QVERIFY(!SaveSettings(ts.state));
        QVERIFY(!SaveSettings(ts.state));
        QCOMPARE(ts.notifier.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(ts.notifier.messages[0]).section("\r\n", 0, 0),
                 "Your settings could not be saved in " + dir.file("gone/zel.INI") +
                     ": No such file or directory.");
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
