// The data file, the settings file and the sound list: exact lines, reading, faults.
#include <QtTest>

#include "data/itemtable.h"
#include "data/soundlist.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {
// A record of 19 values with the given name, all else empty or 0.
std::string rec(const std::string& name)
{
    return "\"" + name + "\",,,0,0,0,0,0,,,,,0,0,0,0,0,0,0\r\n";
}
}  // namespace

class TestData : public QObject {
    Q_OBJECT
private slots:
    // Four lines per item; a double quote and line breaks cannot be stored: they become ' and blanks.
    void itemFileWritten()
    {
        ProgramDir dir;
        TestState ts;
        ItemTable t;
        t.ItemCount = 2;
        t.Items[1] = ItemRecord("Gettysburg", "High water mark", "g.jpg", 1, 0, 7, -1863, 1864,
                                "July 1-3, 1863", "Meade, Lee", "Turned back", "Gettysburg Campaign",
                                std::array<int16_t, 6>{-1, 2, -32768, 4, 5, 32767}, 3);
        t.Items[2] = ItemRecord("The \"Stonewall\" brigade", "Caf\xe9", "", 0, 0, 0, 0, 0, "", "",
                                "one\r\ntwo\nthree", "  Valley, 1862");
        QVERIFY(WriteItemFile("zel.dat", t, ts.notifier));
        QCOMPARE(strings(dir.lines("zel.dat")),
                 QStringList({"\"Gettysburg\",\"High water mark\",\"g.jpg\",1,0",
                              "7,-1863,1864,\"July 1-3, 1863\",\"Meade, Lee\"",
                              "\"Turned back\",\"Gettysburg Campaign\"", "-1,2,-32768", "4,5,32767,3",
                              "\"The 'Stonewall' brigade\",\"Caf\xe9\",\"\",0,0", "0,0,0,\"\",\"\"",
                              "\"one two three\",\"  Valley, 1862\"", "0,0,0", "0,0,0,0"}));
    }

    void itemFileRead_data()
    {
        QTest::addColumn<QByteArray>("data");  // null: no file
        QTest::addColumn<int>("count");        // ItemCount afterwards, 7 before
        QTest::addColumn<QString>("message");
        std::string many;
        for (int i = 1; i <= 400; ++i)
            many += rec("item" + std::to_string(i));
        QTest::newRow("values split anyhow over lines, bare and quoted, blanks and blank lines around")
            << QByteArray(
                   "\r\n\r\n\"A\", \"n\",  i,3, 0,\r\n\r\n  \r\n1,1900,1950\n"
                   "\"d\",\"c\",\r\n\"  d, e\"\ncamp  \n1\n2\n3,\r\n\r\n4,5\n-6\n 3\r\n\r\n  \r\n")
            << 1 << "";
        QTest::newRow("missing file") << QByteArray() << 7 << "No such file or directory\r\nlast item 0 ";
        QTest::newRow("a number past 16 bits")
            << QByteArray("\"big\",\"n\",\"i\",0,0\r\n0,40000,0") << 7 << "Overflow\r\nlast item 0 ";
        QTest::newRow("cut inside a record")
            << QByteArray((rec("first") + rec("second") + "\"third\",\"\",0").c_str()) << 7
            << "Input past end of file\r\nlast item 2 second";
        QTest::newRow("a 401st record") << QByteArray((many + rec("one too many")).c_str()) << 7
                                        << "Subscript out of range\r\nlast item 400 item400";
    }

    void itemFileRead()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, count);
        QFETCH(QString, message);
        ProgramDir dir;
        RecordingNotifier notifier;
        if (!data.isNull())
            dir.write("zel.dat", data.toStdString());
        ItemTable got;
        got.ItemCount = 7;
        const bool read = ReadItemFile("zel.dat", got, notifier);
        QCOMPARE(strings(notifier.messages), message.isEmpty() ? QStringList() : QStringList(message));
        QCOMPARE(read, message.isEmpty());
        QCOMPARE(got.ItemCount, count);
        if (count == 1)
            QVERIFY(
                got.Items[1] ==
                (ItemRecord{
                    "A", "n", "i", 3, 0, 1, 1900, 1950, "d", "c", "  d, e", "camp", {1, 2, 3, 4, 5, -6}, 3}));
        // A partly read table never replaces the owner's file.
        QCOMPARE(WriteItemFile("zel.dat", got, notifier), read);
        if (!read)
            QCOMPARE(QByteArray::fromStdString(dir.read("zel.dat")), data);
    }

    void settingsFileWrittenAndReadBack()
    {
        ProgramDir dir;
        Settings s;
        s.MinDifficulty = 2, s.MaxDifficulty = 3, s.QuestionsPerGame = 10, s.LogLevel = 2;
        s.SettingsSpare = -5, s.SoundOn = 0, s.BackgroundPicture = "my menu picture.jpg";
        s.CategoryEnabled = {0, -1, -1, -1, -1, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 0};
        // Window states 0 normal, 1 minimised, 2 maximised.
        for (int k = 0; k < 10; ++k)
            s.WindowMemory[k] = {int16_t(k % 3), 100000 + k, int16_t(1000 + k), int16_t(2000 + k)};
        QVERIFY(WriteSettingsFile("zel.INI", s, nullptr));
        const QStringList categories = {"0",  "-1", "-1", "-1", "-1", "0",  "-1", "-1", "-1",
                                        "-1", "-1", "-1", "-1", "-1", "-1", "-1", "1"};
        QCOMPARE(strings(dir.lines("zel.INI")),
                 QStringList({"2 3 10 2", "-5 0 8 8", "my menu picture.jpg", "0 1 0 2 1",
                              "100000 100001 100003 100002 100004", "1000 1001 1003 1002 1004",
                              "2000 2001 2003 2002 2004", "2 0 1 2 0", "100005 100006 100007 100008 100009",
                              "1005 1006 1007 1008 1009", "2005 2006 2007 2008 2009"}) +
                     categories);
    }

    void settingsFileRead_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("written");  // the first three lines written back
        QTest::newRow("values that cannot be read keep their defaults")
            << QByteArray("abc 99999 x 2\r\n\xff\xfe\r\n")
            << QStringList{"1 1 5 2", "0 1 8 8", "zelback.jpg"};
        QTest::newRow("commas and blanks; the picture up to a comma")
            << QByteArray("2,3, 4 0\r\n1 0,8,8\r\n  my pic.jpg, ignored")
            << QStringList{"2 3 4 0", "1 0 8 8", "my pic.jpg"};
        QTest::newRow(
            "hand-edited values past setup's: questions 10 at most, the minimum not above the maximum")
            << QByteArray("8 3 32767 7\r\n") << QStringList{"3 3 10 2", "0 1 8 8", "zelback.jpg"};
    }

    void settingsFileRead()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, written);
        ProgramDir dir;
        dir.write("zel.INI", data.toStdString());
        Settings read;
        LoadSettings("zel.INI", read);
        QVERIFY(WriteSettingsFile("zel.INI", read, nullptr));
        const QStringList lines = strings(dir.lines("zel.INI"));
        QCOMPARE(lines.mid(0, 3), written);
        // The window memory empty, every question type enabled.
        QCOMPARE(lines.mid(3, 8), QStringList(8, "0 0 0 0 0"));
        QCOMPARE(lines.mid(11), QStringList{"0"} + QStringList(16, "-1"));
    }

    // Quoted or bare, separated by commas or line ends, blanks and empty lines before a value skipped;
    // nine values at most.
    void soundList()
    {
        const auto got = ParseSoundList("\"a.wav\",b\r\nc\n\n  d  ,\" e, f\"\r\n,g,h,i,j");
        QCOMPARE(strings({got.begin(), got.end()}),
                 QStringList({"a.wav", "b", "c", "d", " e, f", "", "g", "h", "i", ""}));
    }
};

QTEST_GUILESS_MAIN(TestData)
#include "test_data.moc"
