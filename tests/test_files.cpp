// The owner's files: durable replaces through links with their mode and read-only state kept, a
// second copy writing at the same moment, the 8-bit text of zel.dat, hand-edited values, portraits
// that are missing, unreadable text files and sound files.
#include <sys/stat.h>

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
    bool fail = false;
    bool syncFile(const std::string& path, std::string& error) override
    {
        seen << "file " + QString::fromStdString(readAll(QString::fromStdString(path)));
        return fail ? (error = "Input/output error", false) : PosixFileCalls::syncFile(path, error);
    }
    bool syncDirectory(const std::string& directory, std::string& error) override
    {
        seen << QString::fromStdString("directory " + directory + " " + readAll("zel.dat"));
        return PosixFileCalls::syncDirectory(directory, error);
    }
};

const char* const kStored = "Old\xa0Pete \x93quoted\x94 \x96 \x81 \xe9";
const char* const kItem =
    "\"Lee\",\"@\",\"lee.jpg\",0,1\r\n2,1800.5,1870,\"\",\"\"\r\n\"@\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n";

}  // namespace

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    // zel.dat is a link to a private file, and another copy of the game is writing its own temporary
    // file beside it meanwhile.
    void replacingAFile_data()
    {
        QTest::addColumn<bool>("syncFails");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("written through the link: synced whole, renamed, then its directory synced")
            << false << QByteArray("new") << QStringList{"file new", "directory data new"};
        QTest::newRow("a failed sync keeps the old file and leaves no temporary file")
            << true << QByteArray("old") << QStringList{"file new"};
    }
    void replacingAFile()
    {
        QFETCH(bool, syncFails);
        ProgramDir dir;
        QDir(dir.path()).mkdir("data");
        QVERIFY(QFile::link("data/real.dat", dir.file("zel.dat")));
        dir.write("data/real.dat", "old");
        dir.write("data/real.dat.new", "other");
        ::chmod(qPrintable(dir.file("data/real.dat")), 0600);
        RecordingCalls calls;
        calls.fail = syncFails;
        std::string error;
        QCOMPARE(writeFileAtomically("zel.dat", "new", error, &calls), !syncFails);
        QCOMPARE(QString::fromStdString(error), syncFails ? "Input/output error" : "");
        QTEST(QByteArray::fromStdString(dir.read("data/real.dat")), "contents");
        QTEST(calls.seen, "seen");
        QCOMPARE(QDir(dir.file("data")).entryList(QDir::Files), (QStringList{"real.dat", "real.dat.new"}));
        QVERIFY(QFileInfo(dir.file("zel.dat")).isSymLink());
        QCOMPARE(QFileInfo(dir.file("data/real.dat")).permissions(),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }

    // What the editor reads, shows and writes back: a byte-order mark dropped, a year with a point
    // rounded, every byte shown as the same byte back (a no-break space, Windows-1252's quotes and
    // dash, an unused byte as itself), and what the file cannot hold made plain.
    void editingText_data()
    {
        QTest::addColumn<QString>("pasted");  // at the end of the nickname and the description
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QByteArray>("text");  // both fields, in memory
        QTest::addColumn<QString>("message");
        QTest::newRow(
            "Windows-1252 keeps its bytes, others become the nearest plain character or ?, told once")
            << "\u2018A\u2019 \u2014 \u20ac T\u014dg\u014d\u2010san \u2032 \u263a \U0001d11e" << false
            << QByteArray(kStored) + "\x91" + "A\x92 \x97 \x80 Togo-san ' ? ?"
            << "Some characters cannot be stored in zel.dat: each became the nearest plain character, or ? "
               "where there is none.";
        QTest::newRow("ok on a read-only zel.dat: not saved, held in memory")
            << "x" << true << QByteArray(kStored) + "x"
            << "zel.dat is read-only, so it was not replaced.\r\nThe changes were not saved in zel.dat. They "
               "are still held in memory until the game ends.";
    }
    void editingText()
    {
        QFETCH(QString, pasted);
        QFETCH(bool, readOnly);
        QFETCH(QByteArray, text);
        auto file = [](const QByteArray& t) { return QByteArray(kItem).replace("@", t); };
        ProgramDir dir;
        const QByteArray stored = "\xEF\xBB\xBF" + file(kStored);
        dir.write("zel.dat", stored.toStdString());
        ::chmod(qPrintable(dir.file("zel.dat")), readOnly ? 0444 : 0644);
        TestState ts;
        QVERIFY(ReadItemFile("zel.dat", ts.state.table, ts.notifier));
        ZelEdit form(ts.state);
        QCOMPARE(form.txtNickname->text(),
                 QString::fromUtf16(u"Old\u00a0Pete \u201cquoted\u201d \u2013 \u0081 \u00e9"));
        form.txtNickname->end(false);
        form.txtNickname->insert(pasted);
        form.txtDesc->moveCursor(QTextCursor::End);
        form.txtDesc->insertPlainText(pasted);
        QCoreApplication::processEvents();
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        QCOMPARE(int(ts.state.item(1).Year1), 1800);  // 1800.5: a half to the even number
        QCOMPARE(QByteArray::fromStdString(ts.state.item(1).Nickname), text);
        QCOMPARE(QByteArray::fromStdString(ts.state.item(1).Description), text);
        QCOMPARE(QByteArray::fromStdString(dir.read("zel.dat")),
                 readOnly ? stored : file(text).replace("1800.5", "1800"));
        QCOMPARE(ts.notifier.messages.size(), std::size_t(1));  // told once for both fields
        QTEST(QString::fromStdString(ts.notifier.messages.at(0)), "message");
    }

    // A person whose portrait file is missing is not asked about in the portrait types.
    void portraitsMustExist_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("Match portraits to names passes over Grant, whose picture is missing") << 15;
        QTest::newRow("Name me passes over Grant as well") << 16;
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
        QCOMPARE(int(PickItem(ts.state, 0)), int(Lee));
    }

    // A text file that opens but cannot be read is said so, and never saved over.
    void unreadableTextFile()
    {
        ProgramDir dir;
        QVERIFY(QFile::link("/proc/self/mem", dir.file("zelord.txt")));
        QStringList shown;
        auto record = [&](QWidget* box) { shown << qobject_cast<QMessageBox*>(box)->text(), box->close(); };
        onNextModal(record);
        TextWindow* unread = TextWindow::open(dir.file("zelord.txt"), 1);
        onNextModal(record);
        QVERIFY(!unread->save());
        QCOMPARE(shown, QStringList(2,
                                    "zelord.txt cannot be read: Input/output error\nIt is not shown, and it "
                                    "is not saved over."));
        unread->close();
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
};

QTEST_MAIN(TestFiles)
#include "test_files.moc"
