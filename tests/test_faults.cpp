// The owner's files under faults: a writer killed at random moments, a full disk. (Missing, empty, cut,
// overlong and garbage data files are in test_data; a read-only program directory, the install test's;
// settings that cannot be saved, test_startup's; a log that cannot be written, test_engine's.)
#include <sys/mount.h>
#include <QtTest>

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

        // A full disk, on a small tmpfs.
        const QString game = dir.file("game");
        QVERIFY(QDir(dir.path()).mkdir("game"));
        if (::mount("tmpfs", qPrintable(game), "tmpfs", 0, "size=64k") != 0)
            QSKIP("cannot mount a tmpfs here");
        auto unmount = qScopeGuard([&] { ::umount2(qPrintable(game), MNT_DETACH); });
        QDir::setCurrent(game);
        TestState ts;
        loadFixture(ts.state);
        QVERIFY(WriteItemFile("zel.dat", ts.state.table, ts.notifier) && SaveSettings(ts.state));
        const std::string before = readAll("zel.dat") + readAll("zel.INI");
        // 400 items of 250 characters do not fit.
        ts.state.table.Items.fill(ItemRecord{.Description = std::string(250, 'n')});
        ts.state.table.ItemCount = 400;
        QVERIFY(!WriteItemFile("zel.dat", ts.state.table, ts.notifier));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList({"zel.dat", "zel.INI"}));  // no temporary left
        QVERIFY(readAll("zel.dat") + readAll("zel.INI") == before);
        QCOMPARE(ts.notifier.messages, std::vector<std::string>{"No space left on device"});
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
