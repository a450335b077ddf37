// The item database file and the settings file: exact format, round trips and faults.
#include <QtTest>

#include "data/itemtable.h"
#include "data/settings.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

ItemRecord fullRecord(int i)
{
    ItemRecord r;
    r.Name = "Name, with comma " + std::to_string(i);
    r.Nickname = "  leading blanks";
    r.ImageFile = "pic" + std::to_string(i) + ".jpg";
    r.ItemType = static_cast<int16_t>(i % 4);
    r.Side = static_cast<int16_t>(i % 2);
    r.State = static_cast<int16_t>(i % 17);
    r.Year1 = -1800;
    r.Year2 = 32767;
    r.DateText = "July 1-3, 1863";
    r.Commanders = "Meade vs. Lee, and others";
    r.Description = "A description, with commas, and more";
    r.Campaign = "Campaign " + std::to_string(i);
    r.Reserved = {-1, 2, -32768, 4, 5, 6};
    r.Difficulty = 3;
    return r;
}

std::string recordText(const std::string& name)
{
    return "\"" + name + "\",\"nick\",\"x.jpg\",0,1\r\n2,1807,1870,\"\",\"General\"\r\n\"desc\",\"\"\r\n0,0,0\r\n0,0,0,2\r\n";
}

}  // namespace

class TestDataFiles : public QObject {
    Q_OBJECT
private slots:
    void itemFileHasTheExactLineFormat()
    {
        ItemTable t;
        t.ItemCount = 1;
        t.Items[1].Name = "Robert E. Lee";
        t.Items[1].Nickname = "Marse Robert";
        t.Items[1].ImageFile = "lee.jpg";
        t.Items[1].Side = 1;
        t.Items[1].State = 2;
        t.Items[1].Year1 = 1807;
        t.Items[1].Year2 = 1870;
        t.Items[1].Commanders = "General";
        t.Items[1].Description = "Led an army.";
        t.Items[1].Reserved[5] = -7;
        t.Items[1].Difficulty = 2;
        QCOMPARE(FormatItemFile(t), std::string("\"Robert E. Lee\",\"Marse Robert\",\"lee.jpg\",0,1\r\n"
                                                "2,1807,1870,\"\",\"General\"\r\n"
                                                "\"Led an army.\",\"\"\r\n"
                                                "0,0,0\r\n"
                                                "0,0,-7,2\r\n"));
    }

    void everyFieldSurvivesARoundTrip()
    {
        ProgramDir dir;
        TestState ts;
        ItemTable out;
        out.ItemCount = 3;
        for (int i = 1; i <= 3; ++i)
            out.Items[i] = fullRecord(i);
        out.Items[2].Name = "Caf\xe9 \xa7 Latin-1";  // 8-bit text survives byte for byte
        QVERIFY(WriteItemFile("zel.dat", out, ts.notifier));
        ItemTable in;
        QVERIFY(ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(int(in.ItemCount), 3);
        for (int i = 1; i <= 3; ++i)
            QVERIFY2(in.Items[i] == out.Items[i], ("record " + std::to_string(i)).c_str());
        QVERIFY(in.Items[0] == ItemRecord{});
        QVERIFY(ts.notifier.messages.empty());
        QVERIFY(!dir.exists("zel.dat.new"));
    }

    void quotesAndLineBreaksAreWrittenSoTheyReadBack()
    {
        ProgramDir dir;
        TestState ts;
        ItemTable out;
        out.ItemCount = 2;
        out.Items[1].Name = "The \"Stonewall\" brigade";
        out.Items[1].Description = "line one\r\nline two\nthree";
        out.Items[2].Name = "second";
        QVERIFY(WriteItemFile("zel.dat", out, ts.notifier));
        ItemTable in;
        QVERIFY(ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(int(in.ItemCount), 2);
        QCOMPARE(in.Items[1].Name, std::string("The 'Stonewall' brigade"));
        QCOMPARE(in.Items[1].Description, std::string("line one line two three"));
        QCOMPARE(in.Items[2].Name, std::string("second"));
    }

    void readerAcceptsLooseSpacingAndLineSplits()
    {
        ProgramDir dir;
        TestState ts;
        // Line ends and commas separate values alike; blanks before a value are skipped.
        dir.write("zel.dat", "\"A\", \"n\",\"i\",  3,0,1,1900\n1950,\"d\",\"c\",\"desc\",\"camp\",1,2,3,4,5,6,3\n");
        ItemTable in;
        QVERIFY(ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(int(in.ItemCount), 1);
        QCOMPARE(in.Items[1].Nickname, std::string("n"));
        QCOMPARE(int(in.Items[1].ItemType), 3);
        QCOMPARE(int(in.Items[1].Year2), 1950);
        QCOMPARE(in.Items[1].Campaign, std::string("camp"));
        QCOMPARE(int(in.Items[1].Reserved[5]), 6);
        QCOMPARE(int(in.Items[1].Difficulty), 3);
    }

    void emptyFileLoadsNothingQuietly()
    {
        ProgramDir dir;
        TestState ts;
        dir.write("zel.dat", "");
        ItemTable in;
        QVERIFY(ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(int(in.ItemCount), 0);
        QVERIFY(ts.notifier.messages.empty());
        QVERIFY(!in.LoadFailed);
    }

    void fourHundredRecordsLoadAndAFourHundredFirstIsAFault()
    {
        ProgramDir dir;
        TestState ts;
        std::string data;
        for (int i = 1; i <= 400; ++i)
            data += recordText("item" + std::to_string(i));
        dir.write("zel.dat", data);
        ItemTable in;
        QVERIFY(ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(int(in.ItemCount), 400);
        QCOMPARE(in.Items[400].Name, std::string("item400"));

        dir.write("zel.dat", data + recordText("one too many"));
        ItemTable over;
        QVERIFY(!ReadItemFile("zel.dat", over, ts.notifier));
        QCOMPARE(int(over.ItemCount), 0);
        QCOMPARE(ts.notifier.messages.size(), std::size_t(1));
        QCOMPARE(ts.notifier.messages[0], std::string("Subscript out of range\r\nlast item 400 item400"));
        QVERIFY(over.LoadFailed);
    }

    void aFileEndingInsideARecordIsAFault()
    {
        ProgramDir dir;
        TestState ts;
        std::string data = recordText("first") + recordText("second");
        dir.write("zel.dat", data + "\"third\",\"nick\",\"x.jpg\",0,1\r\n2,1807");
        ItemTable in;
        QVERIFY(!ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(int(in.ItemCount), 0);
        QCOMPARE(ts.notifier.messages.back(), std::string("Input past end of file\r\nlast item 2 second"));
        // The records read before the fault stay in the table.
        QCOMPARE(in.Items[2].Name, std::string("second"));

        dir.write("zel.dat", recordText("ok") + "\"unclosed string");
        QVERIFY(!ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(ts.notifier.messages.back(), std::string("Input past end of file\r\nlast item 1 ok"));
    }

    void aValueThatIsNoNumberIsAFault()
    {
        ProgramDir dir;
        TestState ts;
        dir.write("zel.dat", recordText("good") + "\"bad\",\"n\",\"i\",x1,0\r\n0,0,0,\"\",\"\"\r\n\"\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n");
        ItemTable in;
        QVERIFY(!ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(ts.notifier.messages.back(), std::string("Type mismatch\r\nlast item 1 good"));
        dir.write("zel.dat", "\"big\",\"n\",\"i\",0,0\r\n0,40000,0,\"\",\"\"\r\n\"\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n");
        QVERIFY(!ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(ts.notifier.messages.back(), std::string("Overflow\r\nlast item 0 "));
    }

    void aMissingFileIsReportedAndNeverWrittenOver()
    {
        ProgramDir dir;
        TestState ts;
        ItemTable in;
        QVERIFY(!ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(ts.notifier.messages.back(), std::string("No such file or directory\r\nlast item 0 "));
        QVERIFY(in.LoadFailed);
        QVERIFY(!WriteItemFile("zel.dat", in, ts.notifier));
        QVERIFY(!dir.exists("zel.dat"));
        QVERIFY(QString::fromStdString(ts.notifier.messages.back()).contains("not replaced"));
    }

    void aFailedWriteLeavesTheOldFileWhole()
    {
        ProgramDir dir;
        TestState ts;
        ItemTable t;
        t.ItemCount = 1;
        t.Items[1].Name = "x";
        // The target is a directory: the rename fails after the temporary file was written.
        QVERIFY(QDir(dir.path()).mkdir("zel.dat"));
        QVERIFY(!WriteItemFile("zel.dat", t, ts.notifier));
        QCOMPARE(ts.notifier.messages.size(), std::size_t(1));
        QVERIFY(!ts.notifier.messages[0].empty());
        QVERIFY(!dir.exists("zel.dat.new"));
        // A directory that does not exist: the temporary file cannot be created.
        QVERIFY(!WriteItemFile("missing/zel.dat", t, ts.notifier));
        QCOMPARE(ts.notifier.messages.back(), std::string("No such file or directory"));
    }

    void settingsRoundTrip()
    {
        ProgramDir dir;
        Settings out;
        out.MinDifficulty = 2;
        out.MaxDifficulty = 3;
        out.QuestionsPerGame = 10;
        out.LogLevel = 2;
        out.SoundOn = 0;
        out.SettingsSpare = -5;
        out.BackgroundPicture = "my menu picture.jpg";
        out.CategoryEnabled.fill(0);
        out.CategoryEnabled[3] = -1;
        out.CategoryEnabled[16] = 1;
        for (int s = 0; s < 10; ++s)
            out.WindowMemory[s] = {int16_t(s % 3), 1000000 + s, int16_t(5000 + s), int16_t(7000 + s)};
        QVERIFY(SaveSettings("zel.INI", out, nullptr));
        Settings in;
        QVERIFY(LoadSettings("zel.INI", in));
        for (int s = 0; s < 10; ++s)
            QVERIFY2(in.WindowMemory[s] == out.WindowMemory[s], std::to_string(s).c_str());
        // Slot 10 is not in the file.
        out.WindowMemory[10] = in.WindowMemory[10];
        QVERIFY(in == out);
    }

    void settingsFileLayoutSwapsSlotsTwoAndThree()
    {
        Settings s;
        s.WindowMemory[2].Width = 222;
        s.WindowMemory[3].Width = 333;
        s.WindowMemory[8].Height = 888;
        const QStringList lines = QString::fromStdString(FormatSettings(s)).split("\r\n");
        QCOMPARE(lines.size(), 29);  // 28 lines, each ended by CR LF
        QCOMPARE(lines[0], QString("1 1 5 1"));
        QCOMPARE(lines[1], QString("0 1 8 8"));
        QCOMPARE(lines[2], QString("zelback.jpg"));
        QCOMPARE(lines[6], QString("8625 5835 333 222 0"));
        QCOMPARE(lines[9], QString("0 0 0 888 0"));
        QCOMPARE(lines[11], QString("0"));
        QCOMPARE(lines[27], QString("-1"));

        // And the same order on reading, with commas as separators too.
        ProgramDir dir;
        dir.write("zel.INI", "1,2,3,1\r\n0 1 8 8\r\n  pic.jpg, ignored\r\n0 0 0 0 0\r\n1 2 3 4 5\r\n10 11 13,12 14\r\n"
                             "20 21 23 22 24\r\n");
        Settings in;
        QVERIFY(!LoadSettings("zel.INI", in));  // short file
        QCOMPARE(int(in.WindowMemory[3].BackColor), 3);
        QCOMPARE(int(in.WindowMemory[2].BackColor), 4);
        QCOMPARE(int(in.WindowMemory[3].Height), 13);
        QCOMPARE(int(in.WindowMemory[2].Width), 22);
        QCOMPARE(in.BackgroundPicture, std::string("pic.jpg"));
        QCOMPARE(int(in.QuestionsPerGame), 3);
        // What the file lacks keeps its default.
        QCOMPARE(int(in.CategoryEnabled[16]), -1);
        QCOMPARE(int(in.WindowMemory[8].Width), 8880);
    }

    void missingOrGarbageSettingsGiveDefaults()
    {
        ProgramDir dir;
        Settings in;
        QVERIFY(!LoadSettings("zel.INI", in));
        QVERIFY(in == Settings());
        QCOMPARE(int(in.QuestionsPerGame), 5);
        QCOMPARE(int(in.MinDifficulty), 1);
        QCOMPARE(int(in.MaxDifficulty), 1);
        QCOMPARE(int(in.LogLevel), 1);
        QVERIFY(in.SoundOn != 0);
        for (int t = 1; t <= 16; ++t)
            QVERIFY(in.CategoryEnabled[t] != 0);

        dir.write("zel.INI", "abc 99999 7 x\r\n\xff\xfe\r\n");
        Settings g;
        LoadSettings("zel.INI", g);
        QCOMPARE(int(g.MinDifficulty), 1);
        QCOMPARE(int(g.MaxDifficulty), 1);
        QCOMPARE(int(g.QuestionsPerGame), 7);
        QCOMPARE(int(g.LogLevel), 1);
    }

    void shippedSettingsAreTheDefaults()
    {
        const QString src = qEnvironmentVariable("BELLARUNE_SOURCE_DIR");
        QVERIFY(!src.isEmpty());
        QCOMPARE(readAll(src + "/assets/zel.INI"), FormatSettings(Settings()));
    }

    void settingsWriteFaultKeepsTheOldFile()
    {
        ProgramDir dir;
        QVERIFY(QDir(dir.path()).mkdir("zel.INI"));
        TestState ts;
        QVERIFY(!SaveSettings("zel.INI", Settings(), &ts.notifier));
        QCOMPARE(ts.notifier.messages.size(), std::size_t(1));
        QVERIFY(QFileInfo(dir.file("zel.INI")).isDir());
    }
};

QTEST_GUILESS_MAIN(TestDataFiles)
#include "test_datafiles.moc"
