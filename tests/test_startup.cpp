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
        QTest::addColumn<QString>("outputStart");
        QTest::addColumn<QString>("dir");
        QTest::newRow("no option: the game starts") << QStringList{} << -1 << ""
                                                    << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "Bellarune Game 1.05\n"
                                   << "";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << "Usage: bellarune [options]"
                            << "";
        QTest::newRow("--dir") << QStringList{"--dir", "/tmp/x"} << -1 << ""
                               << "/tmp/x";
        QTest::newRow("an unknown option")
            << QStringList{"--play"} << 2 << "bellarune: Unknown option 'play'."
            << "";
        QTest::newRow("an argument") << QStringList{"zel.dat"} << 2
                                     << "bellarune: Unexpected argument 'zel.dat'."
                                     << "";
    }
    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, outputStart);
        QFETCH(QString, dir);
        const CommandLine c = parseCommandLine(QStringList{"bellarune"} + arguments);
        QCOMPARE(c.exitCode, exitCode);
        QCOMPARE(c.output.left(outputStart.size()), outputStart);
        QCOMPARE(c.dir, dir);
    }

    // The player's directory gets what is missing; the player's own files stay as they are.
    void missingShippedFilesComeBack()
    {
        ProgramDir shipped;
        shipped.write("zel.dat", "shipped"), shipped.write("zelord.txt", "catalog"),
            shipped.write("a.jpg", "a");
        QTemporaryDir home;
        const QString dir = home.filePath("share/bellarune");
        QDir().mkpath(dir);
        QFile::link("nowhere", dir + "/a.jpg");
        QFile edited(dir + "/zel.dat");
        QVERIFY(edited.open(QIODevice::WriteOnly) && edited.write("edited") == 6);
        edited.close();
        ProgramDirectory programDir;
        QString error;
        QVERIFY2(programDir.open(dir, shipped.path(), error), qPrintable(error));
        QCOMPARE(readAll(dir + "/zel.dat"), std::string("edited"));
        QCOMPARE(readAll(dir + "/zelord.txt"), std::string("catalog"));
        QCOMPARE(QFileInfo(dir + "/a.jpg").symLinkTarget(), QDir(dir).absoluteFilePath("nowhere"));
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 (QStringList{"a.jpg", "bellarune.lock", "zel.dat", "zelord.txt"}));
    }

    void oneGamePerDirectory()
    {
        QTemporaryDir dir;
        QString error;
        auto first = std::make_unique<ProgramDirectory>();
        QVERIFY(first->open(dir.path(), "", error));
        ProgramDirectory second;
        QVERIFY(!second.open(dir.path(), "", error));
        QCOMPARE(error.section('\n', 0, 0),
                 "Bellarune Game is already running from the folder " + dir.path() + ".");
        first.reset();
        QVERIFY2(second.open(dir.path(), "", error), qPrintable(error));
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
