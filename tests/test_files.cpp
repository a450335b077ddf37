// The owner's files: durable replaces through links with their mode, group and read-only state kept,
// a second copy writing at the same moment, the 8-bit text of zel.dat, hand-edited values, portraits
// that are missing, unreadable text files and sound files.
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>
#include <QtWidgets>

#include "engine/questionbuilder.h"
#include "maint/zeledit.h"
#include "platform/posixfilecalls.h"
#include "platform/soundplayer.h"
#include "platform/textwindow.h"
#include "platform/windowplacement.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

#if defined(__SANITIZE_ADDRESS__)
// LeakSanitizer's tracer crashes at exit on this process's dynamic TLS with Debian 12's glibc (it reads a
// bogus range, "Tracer caught signal 11"); leaks are still found without following __tls_get_addr.
extern "C" const char* __asan_default_options()
{
    return "intercept_tls_get_addr=0";
}
#endif

namespace {

// The real calls, recording what the disk held at each: the file synced, then its directory.
struct RecordingCalls : PosixFileCalls {
    QStringList seen;
    std::string failWith;
    std::function<void()> meanwhile;  // runs while this write's temporary file is there
    bool syncFile(const std::string& path, std::string& error) override
    {
        if (meanwhile)
            std::exchange(meanwhile, nullptr)();
        seen << "file " + QString::fromStdString(readAll(QString::fromStdString(path)));
        if (!failWith.empty())
            return error = failWith, false;
        return PosixFileCalls::syncFile(path, error);
    }
    bool syncDirectory(const std::string& directory, std::string& error) override
    {
        seen << "directory " + QString::fromStdString(directory) + " " +
                    QString::fromStdString(readAll("zel.dat"));
        return PosixFileCalls::syncDirectory(directory, error);
    }
};

QStringList entries(const ProgramDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
}

const char* const kStored = "Old\xa0Pete \x93quoted\x94 \x96 \x81 \xe9";
const char* const kItem =
    "\"Lee\",\"\",\"lee.jpg\",0,1\r\n2,1807,1870,\"\",\"\"\r\n\"\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n";

}  // namespace

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    void replacingAFile_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<int>("modeAfter");
        const QStringList synced{"file new", "directory . new"};
        QTest::newRow("a file is synced whole, renamed, then its directory synced")
            << "" << 0644 << true << "" << QByteArray("new") << synced << QStringList{"zel.dat"} << 0644;
        QTest::newRow("a private file of the group games keeps its mode and group")
            << "group" << 0640 << true << "" << QByteArray("new") << synced << QStringList{"zel.dat"} << 0640;
        QTest::newRow("a link is written through to its target and stays a link")
            << "link" << 0600 << true << "" << QByteArray("new")
            << QStringList{"file new", "directory data new"} << QStringList{"data", "zel.dat"} << 0600;
        QTest::newRow("a read-only file is not replaced")
            << "" << 0444 << false << "zel.dat is read-only, so it was not replaced." << QByteArray("old")
            << QStringList{} << QStringList{"zel.dat"} << 0444;
        QTest::newRow("a failed sync keeps the old file and leaves no temporary file")
            << "fail" << 0644 << false << "Input/output error" << QByteArray("old") << QStringList{"file new"}
            << QStringList{"zel.dat"} << 0644;
        QTest::newRow("a second copy saving meanwhile has a temporary file of its own")
            << "copy" << 0644 << true << "" << QByteArray("new") << QStringList{"file new", "directory . new"}
            << QStringList{"zel.dat"} << 0644;
    }
    void replacingAFile()
    {
        QFETCH(QString, setup);
        QFETCH(int, mode);
        ProgramDir dir;
        QString target = "zel.dat";
        if (setup == "link") {
            QDir(dir.path()).mkdir("data"), target = "data/real.dat";
            QVERIFY(QFile::link("data/real.dat", dir.file("zel.dat")));
        }
        dir.write(target, "old");
        ::chmod(qPrintable(dir.file(target)), mode_t(mode));
        const gid_t group = 4242;
        if (setup == "group" && (geteuid() != 0 || ::chown(qPrintable(dir.file(target)), 0, group) != 0))
            QSKIP("only root can give the file a group of its own here");
        RecordingCalls calls;
        calls.failWith = setup == "fail" ? "Input/output error" : "";
        std::string otherError;
        if (setup == "copy")  // it writes and renames first; ours then replaces its file whole
            calls.meanwhile = [&] { QVERIFY(writeFileAtomically("zel.dat", "other", otherError)); };
        std::string error;
        QTEST(writeFileAtomically("zel.dat", "new", error, &calls), "written");
        QTEST(QString::fromStdString(error), "error");
        QTEST(QByteArray::fromStdString(dir.read(target)), "contents");
        QTEST(calls.seen, "seen");
        QTEST(entries(dir), "left");
        QCOMPARE(QFileInfo(dir.file("zel.dat")).isSymLink(), setup == "link");
        struct stat st {};
        QVERIFY(::stat(qPrintable(dir.file(target)), &st) == 0);
        QTEST(int(st.st_mode & 07777), "modeAfter");
        if (setup == "group")
            QCOMPARE(st.st_gid, group);
    }

    // zel.dat's integers, its 8-bit text and a byte-order mark on reading.
    void readingTheDataFile_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("year1");
        QTest::addColumn<QByteArray>("written");
        const QByteArray lee(kItem);
        auto year = [&](const char* y) { return QByteArray(lee).replace("1807", y); };
        QTest::newRow("1800.0 in a whole-number field reads as 1800, and is written so")
            << year("1800.0") << true << QStringList{} << 1800 << year("1800");
        QTest::newRow("a half rounds to the even number: 1800.5 to 1800")
            << year("1800.5") << true << QStringList{} << 1800 << year("1800");
        QTest::newRow("1801.5 rounds to 1802")
            << year("1801.5") << true << QStringList{} << 1802 << year("1802");
        QTest::newRow("1800.51 rounds up")
            << year("1800.51") << true << QStringList{} << 1801 << year("1801");
        QTest::newRow("18.0.0 is no number")
            << year("18.0.0") << false << QStringList{"Type mismatch\r\nlast item 0 "} << 0 << QByteArray();
        QTest::newRow("a byte-order mark at the start is dropped, and not written back")
            << "\xEF\xBB\xBF" + lee << true << QStringList{} << 1807 << lee;
    }
    void readingTheDataFile()
    {
        QFETCH(QByteArray, data);
        TestState ts;
        QTEST(ParseItemData(data.toStdString(), ts.state.table, ts.notifier), "loaded");
        QStringList messages;
        for (const std::string& m : ts.notifier.messages)
            messages << QString::fromStdString(m);
        QTEST(messages, "messages");
        QTEST(int(ts.state.table.Items[1].Year1), "year1");
        QTEST(QByteArray::fromStdString(FormatItemFile(ts.state.table)), "written");
    }

    // The editor shows every byte as the same byte back, and what the file cannot hold is made plain.
    void editingText_data()
    {
        QTest::addColumn<QString>("pasted");  // at the end of the nickname and the description
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("text");  // both fields, in memory
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QStringList>("messages");
        const QByteArray stored(kStored);
        QTest::newRow("showing an item changes nothing: no-break space, Windows-1252, an unused byte")
            << "" << 0644 << stored << true << QStringList{};
        QTest::newRow("quotes, dashes and the euro of Windows-1252 are kept as its bytes")
            << "\u2018A\u2019 \u2014 \u20ac" << 0644
            << stored +
                   "\x91"
                   "A\x92 \x97 \x80"
            << true << QStringList{};
        QTest::newRow("others become the nearest plain character, or ?, and the owner is told once")
            << "T\u014dg\u014d\u2010san \u2032 \u263a \U0001d11e" << 0644 << stored + "Togo-san ' ? ?" << true
            << QStringList{
                   "Some characters cannot be stored in zel.dat: each became the nearest plain "
                   "character, or ? where there is none."};
        QTest::newRow("ok on a read-only zel.dat: not saved, held in memory")
            << "x" << 0444 << stored + "x" << false
            << QStringList{
                   "zel.dat is read-only, so it was not replaced.\r\nThe changes were not saved in "
                   "zel.dat. They are still held in memory until the game ends."};
    }
    void editingText()
    {
        QFETCH(QString, pasted);
        QFETCH(int, mode);
        QFETCH(QByteArray, text);
        QFETCH(bool, saved);
        auto file = [](const QByteArray& t) {
            return QByteArray(kItem)
                .replace("\"\",\"lee", "\"" + t + "\",\"lee")
                .replace("\"\",\"\"\r\n0", "\"" + t + "\",\"\"\r\n0");
        };
        ProgramDir dir;
        dir.write("zel.dat", file(kStored).toStdString());
        ::chmod(qPrintable(dir.file("zel.dat")), mode_t(mode));
        TestState ts;
        QVERIFY(ReadItemFile("zel.dat", ts.state.table, ts.notifier));
        ts.state.table.DataFileName = "zel.dat";
        ZelEdit form(ts.state);
        // 0x93, 0x94 and 0x96 show as Windows-1252's quotes and dash; the unused 0x81 stays itself.
        QCOMPARE(form.txtNickname->text(),
                 QString::fromUtf16(u"Old\u00a0Pete \u201cquoted\u201d \u2013 \u0081 \u00e9"));
        form.txtNickname->end(false), form.txtNickname->insert(pasted);  // both lose: told once
        form.txtDesc->moveCursor(QTextCursor::End), form.txtDesc->insertPlainText(pasted);
        QCoreApplication::processEvents();
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        QCOMPARE(QByteArray::fromStdString(ts.state.item(1).Nickname), text);
        QCOMPARE(QByteArray::fromStdString(ts.state.item(1).Description), text);
        QCOMPARE(QByteArray::fromStdString(dir.read("zel.dat")), file(saved ? text : QByteArray(kStored)));
        QStringList messages;
        for (const std::string& m : ts.notifier.messages)
            messages << QString::fromStdString(m);
        QTEST(messages, "messages");
    }

    // Hand-edited zel.INI values are taken into setup's ranges, window sizes into the screen.
    void handEditedSettings_data()
    {
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("logLevel");
        QTest::newRow("32767 questions are 10") << QByteArray("1 3 32767 1") << 10 << 1 << 3 << 1;
        QTest::newRow("0 questions are 1, a log level of 7 is 2")
            << QByteArray("2 3 0 7") << 1 << 2 << 3 << 2;
        QTest::newRow("difficulties 50 to 99 are 9 to 9, a log level of -3 is 0")
            << QByteArray("50 99 4 -3") << 4 << 9 << 9 << 0;
        QTest::newRow("a minimum of 8 above a maximum of 3 is 3")
            << QByteArray("8 3 5 1") << 5 << 3 << 3 << 1;
        QTest::newRow("difficulties -32762 are 1 to 1, and 5.0 questions 5")
            << QByteArray("-32762 -32762 5.0 1") << 5 << 1 << 1 << 1;
    }
    void handEditedSettings()
    {
        QFETCH(QByteArray, firstLine);
        TestState ts;
        ParseSettings((firstLine + "\r\n0 1 8 8\r\nzelback.jpg\r\n0 0 0 0 0\r\n0 0 0 0 0\r\n32767 0 0 0 0\r\n"
                                   "32767 0 0 0 0\r\n")
                          .toStdString(),
                      ts.state.settings);
        const Settings& s = ts.state.settings;
        QTEST(int(s.QuestionsPerGame), "questions");
        QTEST(int(s.MinDifficulty), "minimum");
        QTEST(int(s.MaxDifficulty), "maximum");
        QTEST(int(s.LogLevel), "logLevel");
        // A remembered window of 32767 twips square opens no larger than the screen's free area.
        QWidget form;
        RememberWindow(ts.state, &form, 0, 1);
        QCOMPARE(form.size(), form.screen()->availableGeometry().size());
    }

    // A person whose portrait file is missing is not asked about in the portrait types.
    void portraitsMustExist_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("picked");
        QTest::newRow("Match portraits to names passes over Grant, whose picture is missing")
            << 15 << int(Lee);
        QTest::newRow("Name me passes over Grant as well") << 16 << int(Lee);
        QTest::newRow("Who was? needs no picture") << 3 << int(Grant);
    }
    void portraitsMustExist()
    {
        QFETCH(int, type);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        dir.writePicture("lee.jpg");
        ts.state.CurrentQuestionType = int16_t(type);
        ts.state.rng.queue({pickOf(Grant), pickOf(Lee)});
        QTEST(int(PickItem(ts.state, 0)), "picked");
    }

    // A text file that is there but cannot be read is said so, and never saved over.
    void unreadableTextFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("said");
        QTest::newRow("no read permission") << "mode"
                                            << "zelhelp.txt cannot be read: Permission denied";
        QTest::newRow("a read error inside the file") << "link"
                                                      << "zelhelp.txt cannot be read: Input/output error";
    }
    void unreadableTextFile()
    {
        QFETCH(QString, how);
        ProgramDir dir;
        if (how == "link") {
            QVERIFY(QFile::link("/proc/self/mem", dir.file("zelhelp.txt")));  // opens, but reading fails
        } else {
            if (geteuid() == 0)
                QSKIP("root reads a file whatever its mode");
            dir.write("zelhelp.txt", "help"), ::chmod(qPrintable(dir.file("zelhelp.txt")), 0);
        }
        QString shown;
        onNextModal([&](QWidget* box) { shown = qobject_cast<QMessageBox*>(box)->text(), box->close(); });
        TextWindow* w = TextWindow::open(dir.file("zelhelp.txt"), 1);
        QTEST(shown.section('\n', 0, 0), "said");
        QVERIFY(w->Text1->isReadOnly() && !w->cmdSave->isEnabled());
        shown.clear();
        onNextModal([&](QWidget* box) { shown = qobject_cast<QMessageBox*>(box)->text(), box->close(); });
        QVERIFY(!w->save());
        QTEST(shown.section('\n', 0, 0), "said");
        QCOMPARE(QFileInfo(dir.file("zelhelp.txt")).isSymLink(), how == "link");
        w->close();
    }

    // The text window saves every byte it read as the same byte.
    void textWindowSaves_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("nothing typed: a no-break space and Windows-1252 quotes as they were")
            << ""
            << QByteArray(
                   "a\xa0\x93"
                   "b\x94\r\nc\r\n");
        QTest::newRow("a hyphen the file cannot hold is saved as -") << "\u2010"
                                                                     << QByteArray(
                                                                            "-a\xa0\x93"
                                                                            "b\x94\r\nc\r\n");
    }
    void textWindowSaves()
    {
        QFETCH(QString, typed);
        ProgramDir dir;
        dir.write("zelhelp.txt",
                  "a\xa0\x93"
                  "b\x94\r\nc\r\n");
        TextWindow w(dir.file("zelhelp.txt"));
        w.Text1->insertPlainText(typed);
        QVERIFY(w.save());
        QTEST(QByteArray::fromStdString(dir.read("zelhelp.txt")), "saved");
    }

    // A sound file read with an error: the message names the sound played, and the sound stays on.
    void soundFileReadError()
    {
        ProgramDir dir;
        TestState ts;
        SoundPlayer player(ts.state);
        ts.state.sound = player;
        QVERIFY(QFile::link("/proc/self/mem", dir.file("shared.wav")));
        ts.state.SoundFiles[4] = ts.state.SoundFiles[7] = "shared.wav";
        PlaySound(ts.state, Sound::Tick);
        QCOMPARE(ts.notifier.messages, std::vector<std::string>{"Input/output error\r\nshared.wav 7"});
        QCOMPARE(ts.state.settings.SoundOn, int16_t(1));
    }

    // A zel.INI the owner made read-only is left alone, and said so once in the run.
    void readOnlySettings()
    {
        ProgramDir dir;
        dir.write("zel.INI", "old"), ::chmod(qPrintable(dir.file("zel.INI")), 0444);
        TestState ts;
        QVERIFY(!SaveSettings(ts.state));
        QVERIFY(!SaveSettings(ts.state));
        QCOMPARE(ts.notifier.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(ts.notifier.messages[0]).section("\r\n", 0, 0),
                 "Your settings could not be saved in " + dir.file("zel.INI") +
                     ": zel.INI is read-only, so it was not replaced.");
        QCOMPARE(dir.read("zel.INI"), std::string("old"));
    }
};

QTEST_MAIN(TestFiles)
#include "test_files.moc"
