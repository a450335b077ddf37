// The data file, the settings file and the sound list: exact bytes, reading, faults.
#include <QtTest>
#include <optional>

#include "data/itemtable.h"
#include "data/soundlist.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

class TestData : public QObject {
    Q_OBJECT
private slots:
    void itemFile()
    {
        ProgramDir dir;
        TestState ts;
        ItemTable t, in;
        t.ItemCount = 2;
        t.Items[1] = {"Gettysburg",
                      "High water mark",
                      "g.jpg",
                      1,
                      0,
                      7,
                      -1863,
                      1864,
                      "July 1-3, 1863",
                      "Meade, Lee",
                      "Turned back",
                      "Gettysburg Campaign",
                      {-1, 2, -32768, 4, 5, 32767},
                      3};
        t.Items[2] = {"The \"Stonewall\" brigade", "Caf\xe9",       "", 0, 0, 0, 0, 0, "", "",
                      "one\r\ntwo\nthree",         "  Valley, 1862"};
        QVERIFY(WriteItemFile("zel.dat", t, ts.notifier) && ReadItemFile("zel.dat", in, ts.notifier));
        QCOMPARE(dir.read("zel.dat"),
                 std::string("\"Gettysburg\",\"High water mark\",\"g.jpg\",1,0\r\n"
                             "7,-1863,1864,\"July 1-3, 1863\",\"Meade, Lee\"\r\n\"Turned back\",\"Gettysburg "
                             "Campaign\"\r\n"
                             "-1,2,-32768\r\n4,5,32767,3\r\n\"The 'Stonewall' "
                             "brigade\",\"Caf\xe9\",\"\",0,0\r\n0,0,0,\"\",\"\"\r\n"
                             "\"one two three\",\"  Valley, 1862\"\r\n0,0,0\r\n0,0,0,0\r\n"));
        t.Items[2].Name = "The 'Stonewall' brigade";
        t.Items[2].Description = "one two three";
        QVERIFY(in.ItemCount == 2 && in.Items[1] == t.Items[1] && in.Items[2] == t.Items[2]);

        // Reading and its faults.
        const ItemRecord loose{
            "A", "n", "i", 3, 0, 1, 1900, 1950, "d", "c", "  d, e", "camp", {1, 2, 3, 4, 5, -6}, 3};
        auto rec = [](std::string n) { return "\"" + n + "\",,,0,0,0,0,0,,,,,0,0,0,0,0,0,0\r\n"; };
        std::string many;
        for (int i = 1; i <= 400; ++i)
            many += rec("item" + std::to_string(i));
        // The file (none: missing), ItemCount afterwards (7 before), the message. ItemCount 1: the record
        // "loose".
        for (const auto& [data, count, message] :
             std::vector<std::tuple<std::optional<std::string>, int, std::string>>{
                 {"\"A\", \"n\",  i,3, 0,1,1900,1950\n\"d\",\"c\",\"  d, e\"\ncamp  \n1\n2\n3\n4\n5\n-6\n 3",
                  1, ""},
                 // blank lines anywhere; a comma before a line end is one separator
                 {"\r\n\r\n\"A\",\"n\",\"i\",3,0,\r\n\r\n  \r\n1,1900,1950,\"d\",\"c\",\r\n\"  d, "
                  "e\",\"camp\","
                  "\r\n1,2,3,\r\n\r\n4,5,-6,3\r\n\r\n  \r\n",
                  1, ""},
                 {std::nullopt, 7, "No such file or directory\r\nlast item 0 "},
                 {"", 0, ""},
                 {" \r\n\r\n  ", 0, ""},
                 {rec("good") + "\"bad\",\"\",\"\",x1,0\r\n0,0,0", 7, "Type mismatch\r\nlast item 1 good"},
                 {"\"big\",\"n\",\"i\",0,0\r\n0,40000,0", 7, "Overflow\r\nlast item 0 "},
                 {rec("first") + rec("second") + "\"third\",\"\",0", 7,
                  "Input past end of file\r\nlast item 2 second"},
                 {rec("ok") + "\"unclosed string", 7, "Input past end of file\r\nlast item 1 ok"},
                 {"\x01\xff garbage", 7, "Input past end of file\r\nlast item 0 "},
                 {many, 400, ""},
                 {many + rec("one too many"), 7, "Subscript out of range\r\nlast item 400 item400"}}) {
            ProgramDir rowDir;
            RecordingNotifier notifier;
            if (data)
                rowDir.write("zel.dat", *data);
            ItemTable got;
            got.ItemCount = 7;
            const bool read = ReadItemFile("zel.dat", got, notifier);
            QCOMPARE(notifier.messages, message.empty() ? std::vector<std::string>{} : std::vector{message});
            QVERIFY(read == message.empty() && got.ItemCount == count && got.Items[0] == ItemRecord{});
            QVERIFY(count != 1 || got.Items[1] == loose);
            // A partly read table never replaces the owner's file.
            QCOMPARE(WriteItemFile("zel.dat", got, notifier), read);
            QVERIFY(read || rowDir.read("zel.dat") == data.value_or(""));
        }
    }

    void settingsFileAndSoundList()
    {
        ProgramDir dir;
        Settings s, in;
        s.MinDifficulty = 2, s.MaxDifficulty = 3, s.QuestionsPerGame = 10, s.LogLevel = 2,
        s.SettingsSpare = -5;
        s.SoundOn = 0, s.BackgroundPicture = "my menu picture.jpg";
        s.CategoryEnabled = {0, -1, -1, -1, -1, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 0};
        for (int k = 0; k < 10; ++k)
            s.WindowMemory[k] = {int16_t(k % 3), 100000 + k, int16_t(1000 + k), int16_t(2000 + k)};
        QVERIFY(WriteSettingsFile("zel.INI", s, nullptr) && LoadSettings("zel.INI", in) && in == s);
        QCOMPARE(dir.read("zel.INI"),
                 std::string("2 3 10 2\r\n-5 0 8 8\r\nmy menu picture.jpg\r\n0 1 0 2 1\r\n"
                             "100000 100001 100003 100002 100004\r\n1000 1001 1003 1002 1004\r\n2000 2001 "
                             "2003 2002 2004\r\n"
                             "2 0 1 2 0\r\n100005 100006 100007 100008 100009\r\n1005 1006 1007 1008 1009\r\n"
                             "2005 2006 2007 2008 "
                             "2009\r\n0\r\n-1\r\n-1\r\n-1\r\n-1\r\n0\r\n-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n"
                             "-1\r\n-1\r\n-1\r\n-1\r\n1\r\n"));
        // Missing, short, garbled and loosely spaced files: what is read, written back. Lines 4-28 of the
        // defaults:
        const std::string defaults =
            "0 0 0 0 0\r\n0 0 0 0 0\r\n0 0 0 0 0\r\n0 0 0 0 0\r\n"
            "0 0 0 0 0\r\n0 0 0 0 0\r\n0 0 0 0 0\r\n0 0 0 0 "
            "0\r\n0\r\n-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n"
            "-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n";
        for (const auto& [input, expected] : std::vector<std::pair<std::optional<std::string>, std::string>>{
                 {std::nullopt, "1 1 5 1\r\n0 1 8 8\r\nzelback.jpg\r\n" + defaults},
                 {"abc 99999 7 x\r\n\xff\xfe\r\n", "1 1 7 1\r\n0 1 8 8\r\nzelback.jpg\r\n" + defaults},
                 {"2,3, 4 0\r\n1 0,8,8\r\n  my pic.jpg, ignored",
                  "2 3 4 0\r\n1 0 8 8\r\nmy pic.jpg\r\n" + defaults}}) {
            input ? dir.write("zel.INI", *input) : void(QFile::remove(dir.file("zel.INI")));
            Settings read;
            LoadSettings("zel.INI", read);
            QVERIFY(WriteSettingsFile("zel.INI", read, nullptr));
            QCOMPARE(dir.read("zel.INI"), expected);
        }
        // The sound list: quoted or bare values, commas or line ends, nine values.
        using List = std::array<std::string, 10>;
        QVERIFY(ParseSoundList("\"a.wav\",b\r\nc\n\n  d  ,\" e, f\"\r\nf\r\ng,h,i,j") ==
                (List{"a.wav", "b", "c", "d", " e, f", "f", "g", "h", "i", ""}));
        QVERIFY(ParseSoundList("a,,c") == (List{"a", "", "c"}));
    }
};

QTEST_GUILESS_MAIN(TestData)
#include "test_data.moc"
