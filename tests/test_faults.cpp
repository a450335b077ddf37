// The owner's files under faults: a process killed while writing, a full disk, a
// read-only program directory.
#include <QProcess>
#include <QtTest>
#include <csignal>
#include <random>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include "app/mainmenu.h"
#include "data/itemtable.h"
#include "data/settings.h"
#include "engine/gamedriver.h"
#include "engine/quizlog.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

ItemTable bigTable()
{
    ItemTable t;
    t.ItemCount = 400;
    for (int i = 1; i <= 400; ++i) {
        t.Items[i].Name = "New item " + std::to_string(i);
        t.Items[i].Description = std::string(250, 'n');
    }
    return t;
}

// A small tmpfs mounted over a fresh directory, when the test may mount (root); unmounted on exit.
class SmallDisk {
public:
    explicit SmallDisk(const QString& dir, const char* options) : dir_(dir)
    {
        mounted_ = ::mount("tmpfs", dir.toLocal8Bit().constData(), "tmpfs", 0, options) == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(dir_.toLocal8Bit().constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    bool remountReadOnly()
    {
        return ::mount("tmpfs", dir_.toLocal8Bit().constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QString dir_;
    bool mounted_ = false;
};

}  // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void aKilledWriterLeavesAWholeFile()
    {
        ProgramDir dir;
        const QString writer = QCoreApplication::applicationDirPath() + "/fault_writer";
        QVERIFY(QFile::exists(writer));
        std::mt19937 random(7);
        int seenA = 0, seenB = 0;
        for (int round = 0; round < 25; ++round) {
            QProcess p;
            p.start(writer, {dir.file("zel.dat"), dir.file("zel.INI")});
            QVERIFY(p.waitForStarted());
            QTest::qWait(20 + int(random() % 60));
            ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
            p.waitForFinished();
            TestState ts;
            ItemTable t;
            if (!dir.exists("zel.dat"))
                continue;  // killed before the first write finished
            QVERIFY2(ReadItemFile("zel.dat", t, ts.notifier), "a torn data file");
            QCOMPARE(int(t.ItemCount), 400);
            const bool a = t.Items[400].Name == "Version A item 400";
            QVERIFY(a || t.Items[400].Name == "Version B item 400");
            QCOMPARE(t.Items[1].Description.size(), std::size_t(a ? 200 : 300));
            a ? ++seenA : ++seenB;
            if (dir.exists("zel.INI")) {
                Settings s;
                QVERIFY2(LoadSettings("zel.INI", s), "a torn settings file");
                QVERIFY(s.QuestionsPerGame == 3 || s.QuestionsPerGame == 9);
                QCOMPARE(s.BackgroundPicture.size(), std::size_t(s.QuestionsPerGame == 3 ? 11 : 5000));
            }
        }
        QVERIFY(seenA + seenB > 10);
    }

    void aFullDiskKeepsTheOldFileAndTellsThePlayer()
    {
        ProgramDir dir;
        QVERIFY(QDir(dir.path()).mkdir("disk"));
        const QString disk = dir.file("disk");
        SmallDisk tmpfs(disk, "size=64k");
        const std::string path = (disk + "/zel.dat").toStdString();
        TestState ts;
        ItemTable old;
        old.ItemCount = 1;
        old.Items[1].Name = "The owner's only item";
        QVERIFY(WriteItemFile(path, old, ts.notifier));
        const std::string before = readAll(QString::fromStdString(path));

        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (!tmpfs.mounted()) {
            // Without a mount, a file size limit stands in for the full disk.
            rlimit small = saved;
            small.rlim_cur = 32 * 1024;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        const bool written = WriteItemFile(path, bigTable(), ts.notifier);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!written);
        QCOMPARE(ts.notifier.messages.size(), std::size_t(1));
        const QString msg = QString::fromStdString(ts.notifier.messages[0]);
        QVERIFY2(msg.contains("No space left") || msg.contains("too large"), qPrintable(msg));
        QCOMPARE(readAll(QString::fromStdString(path)), before);
        QVERIFY(!QFile::exists(QString::fromStdString(path) + ".new"));
    }

    void aReadOnlyProgramDirectoryStillPlays()
    {
        ProgramDir dir;
        QVERIFY(QDir(dir.path()).mkdir("game"));
        const QString game = dir.file("game");
        SmallDisk tmpfs(game, "size=1m");
        auto put = [&](const QString& name, const std::string& text) {
            QFile f(game + "/" + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text.data(), qint64(text.size()));
        };
        put("zel.dat", "\"Lee\",\"Marse Robert\",\"lee.jpg\",0,1\r\n2,1807,1870,\"\",\"General\"\r\n"
                       "\"Led an army.\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n");
        Settings s;
        s.QuestionsPerGame = 2;
        put("zel.INI", FormatSettings(s));
        const std::string iniBefore = readAll(game + "/zel.INI");
        bool readOnly = false;
        if (tmpfs.mounted())
            readOnly = tmpfs.remountReadOnly();
        else
            readOnly = QFile::setPermissions(game, QFile::ReadOwner | QFile::ExeOwner) && geteuid() != 0;
        if (!readOnly)
            QSKIP("cannot make a read-only directory here");

        TestState ts;
        {
            MainMenu menu(ts.state, game);
            QCOMPARE(int(ts.state.table.ItemCount), 1);
            int asked = 0;
            GameCallbacks ui;
            ui.showScreen = [&](int) {
                ++asked;
                LogWrite(ts.state, "Multiple Choice", 1, 0);
                AddScore(ts.state, 5, 5, 0);
            };
            PlayGame(ts.state, ui);
            QCOMPARE(asked, 2);
            menu.close();
        }
        QCOMPARE(ts.notifier.messages, (std::vector<std::string>{"You scored 10 out of 10 (100%)"}));
        QVERIFY(!QFile::exists(game + "/zelquiz.log"));
        QCOMPARE(readAll(game + "/zel.INI"), iniBefore);
        QFile::setPermissions(game, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
