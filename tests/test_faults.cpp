// The owner's files under faults: a writer killed at random moments, a full disk, a read-only program
// directory. (Missing, empty, cut, overlong and garbage data files are in test_data.)
#include <sys/mount.h>
#include <QtTest>

#include "app/mainmenu.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void theOwnersFilesSurvive()
    {
        ProgramDir dir;
        QProcess writer;
        for (int round = 0; round < 30; ++round) {
            // Once the files are there, a kill at any moment must leave each of them whole.
            writer.start(QCoreApplication::applicationDirPath() + "/fault_writer",
                         {dir.file("zel.dat"), dir.file("zel.INI")});
            QTRY_VERIFY(writer.state() == QProcess::Running && dir.exists("zel.dat") &&
                        dir.exists("zel.INI"));
            QTest::qWait(5 + round % 7 * 7);
            writer.kill();
            writer.waitForFinished();
            TestState ts;
            QVERIFY(ReadItemFile("zel.dat", ts.state.table, ts.notifier) && ts.state.table.ItemCount == 400 &&
                    LoadSettings("zel.INI", ts.state.settings));
        }

        // A full disk and a read-only directory, on a small tmpfs.
        const QString game = dir.file("game");
        QVERIFY(QDir(dir.path()).mkdir("game"));
        if (::mount("tmpfs", qPrintable(game), "tmpfs", 0, "size=64k") != 0)
            QSKIP("cannot mount a tmpfs here");
        auto unmount = qScopeGuard([&] { ::umount2(qPrintable(game), MNT_DETACH); });
        QDir::setCurrent(game);
        TestState ts;
        loadFixture(ts.state);
        ts.state.settings.QuestionsPerGame = 2;
        ts.state.settings.CategoryEnabled = {0, 0, 0, -1};
        QVERIFY(WriteItemFile("zel.dat", ts.state.table, ts.notifier) && SaveSettings(ts.state));
        const std::string before = readAll("zel.dat") + readAll("zel.INI");
        // 400 items of 250 characters do not fit.
        ts.state.table.Items.fill(ItemRecord{.Description = std::string(250, 'n')});
        ts.state.table.ItemCount = 400;
        QVERIFY(!WriteItemFile("zel.dat", ts.state.table, ts.notifier));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList({"zel.dat", "zel.INI"}));  // no temporary left
        QVERIFY(readAll("zel.dat") + readAll("zel.INI") == before);
        QCOMPARE(ts.notifier.messages, std::vector<std::string>{"No space left on device"});

        // Read-only: the game starts and plays; the log fails quietly, the settings are told once.
        QCOMPARE(::mount("tmpfs", qPrintable(game), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
        ts.notifier.messages.clear();
        MainMenu menu(ts.state, game);
        QCOMPARE(playGame(ts, {}).screens, (std::vector<std::string>{"mchoice", "mchoice"}));
        menu.close();
        QCOMPARE(ts.notifier.messages.size(), std::size_t(2));
        QVERIFY(ts.notifier.messages[0].starts_with("Your settings could not be saved in " +
                                                    game.toStdString() + "/zel.INI: "));
        QCOMPARE(ts.notifier.messages[1], std::string("You scored 0 out of 0 (0%)"));
        QVERIFY(readAll("zel.dat") + readAll("zel.INI") == before && !QFile::exists("zelquiz.log"));
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
