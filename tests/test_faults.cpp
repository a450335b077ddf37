// The owner's files under faults: a writer killed at random moments, a full disk, a read-only program
// directory. (Missing, empty, cut, overlong and garbage data files are in test_data.)
#include <sys/mount.h>
#include <sys/resource.h>
#include <QProcess>
#include <QtTest>
#include <csignal>

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
        writer.setProgram(QCoreApplication::applicationDirPath() + "/fault_writer");
        writer.setArguments({dir.file("zel.dat"), dir.file("zel.INI")});
        for (int round = 0; round < 30; ++round) {
            // Once the files are there, a kill at any moment must leave each of them whole.
            writer.start();
            QTRY_VERIFY(writer.state() == QProcess::Running && dir.exists("zel.dat") &&
                        dir.exists("zel.INI"));
            QTest::qWait(5 + round % 7 * 7);
            writer.kill();
            writer.waitForFinished();
            TestState ts;
            QVERIFY(ReadItemFile("zel.dat", ts.state.table, ts.notifier) && ts.state.table.ItemCount == 400 &&
                    LoadSettings("zel.INI", ts.state.settings));
        }

        // A full disk and a read-only directory: on a small tmpfs when the test may mount one (root), else
        // with a file size limit and the mode bits.
        const QString game = dir.file("game");
        QVERIFY(QDir(dir.path()).mkdir("game"));
        const bool mounted = ::mount("tmpfs", qPrintable(game), "tmpfs", 0, "size=64k") == 0;
        auto unmount = qScopeGuard([&] {
            if (mounted)
                ::umount2(qPrintable(game), MNT_DETACH);
        });
        QDir::setCurrent(game);
        TestState ts;
        loadFixture(ts.state);
        ts.state.settings.QuestionsPerGame = 2;
        ts.state.settings.CategoryEnabled = {0, 0, 0, -1};
        QVERIFY(WriteItemFile("zel.dat", ts.state.table, ts.notifier) && SaveSettings(ts.state));
        const std::string before = readAll("zel.dat") + readAll("zel.INI");
        // 400 items of 250 characters do not fit.
        for (int i = 1; i <= 400; ++i)
            ts.state.table.Items[i].Description = std::string(250, 'n');
        ts.state.table.ItemCount = 400;
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{mounted ? saved.rlim_cur : 32 * 1024, saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the test
        setrlimit(RLIMIT_FSIZE, &small);
        const bool written = WriteItemFile("zel.dat", ts.state.table, ts.notifier);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!written && !QFile::exists("zel.dat.new") &&
                readAll("zel.dat") + readAll("zel.INI") == before);
        QCOMPARE(ts.notifier.messages,
                 std::vector<std::string>{mounted ? "No space left on device" : "File too large"});

        // Read-only: the game starts and plays; the log fails quietly, the settings are told once.
        if (mounted ? ::mount("tmpfs", qPrintable(game), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) != 0
                    : geteuid() == 0 || !QFile::setPermissions(game, QFile::ReadOwner | QFile::ExeOwner))
            QSKIP("cannot make a read-only directory here");
        ts.notifier.messages.clear();
        MainMenu menu(ts.state, game);
        QCOMPARE(playGame(ts, {}).screens, (std::vector<std::string>{"mchoice", "mchoice"}));
        menu.close();
        QFile::setPermissions(game, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(ts.notifier.messages.size(), std::size_t(2));
        QVERIFY(ts.notifier.messages[0].starts_with("Your settings could not be saved in " +
                                                    game.toStdString() + "/zel.INI: "));
        QCOMPARE(ts.notifier.messages[1], std::string("You scored 0 out of 0 (0%)"));
        QVERIFY(readAll("zel.dat") + readAll("zel.INI") == before && !QFile::exists("zelquiz.log"));
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
