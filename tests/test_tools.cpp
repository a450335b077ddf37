// The owner's tools, run as the real programs: the database check (bellarune-check) and
// the generator of pictures and sounds (bellarune-assets).
#include <QtTest>

#include "testsupport.h"

using namespace bellarune::test;

static const QString kCheck = gameDir() + "/bellarune-check";
static const QString kSource = qEnvironmentVariable("BELLARUNE_SOURCE_DIR");
static const QString kGenerator = gameDir() + "/../tools/assetgen/bellarune-assets";

// One item of zel.dat: five CR LF lines.
static std::string item(const std::string& name, int type, int side, int state, int year,
                        const std::string& picture, const std::string& description, int difficulty = 1)
{
    return "\"" + name + "\",\"nick\",\"" + picture + "\"," + std::to_string(type) + "," +
           std::to_string(side) + "\r\n" + std::to_string(state) + "," + std::to_string(year) +
           ",1870,\"May 1\",\"A vs. B\"\r\n\"" + description + "\",\"camp\"\r\n0,0,0\r\n0,0,0," +
           std::to_string(difficulty) + "\r\n";
}

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void checkerFlagsEveryKindOfProblem()
    {
        ProgramDir dir;
        dir.write("zel.dat", item("Lee", 0, 1, 2, 1807, "missing.jpg", "") +
                                 item("Lee", 5, 2, 2, 1600, "", "two\r\nlines", 4) +
                                 item("Bull Run", 1, 1, 2, 1861, "", "B"));
        const auto [code, out] = runProgram(kCheck, {dir.file("zel.dat")});
        QCOMPARE(code, 1);
        for (const char* problem :
             {"item 1 (Lee): picture missing.jpg does not exist", "item 1 (Lee): empty description",
              "item 2 (Lee): the same name as item 1", "item 2 (Lee): item type 5 is not 0 to 3",
              "side 2 is not 0 or 1", "difficulty 4 is not 1 to 3", "year 1600 is below 1700",
              "a text holds a double quote or a line break", "state map Va.jpg does not exist"})
            QVERIFY2(out.contains(problem), problem);
        dir.write("cut.dat", item("Lee", 0, 1, 2, 1807, "", "d") + "\"cut\",\"off\"");
        QVERIFY(runProgram(kCheck, {dir.file("cut.dat")}).second.contains("cannot read"));
    }

    void theShippedDatabasePassesWithARealPortraitForEightyPeople()
    {
        const auto [code, out] = runProgram(kCheck, {kSource + "/assets/zel.dat", gameDir()});
        QVERIFY2(code == 0, qPrintable(out));
        for (int type = 1; type <= 16; ++type) {  // the portrait types 15 and 16 with 80 people
            const QRegularExpression line(QString("(?m)^type %1 .*: (\\d+) items qualify").arg(type));
            QVERIFY2(line.match(out).captured(1).toInt() >= (type >= 15 ? 80 : 25), qPrintable(out));
        }
        // Every shipped portrait is credited by name.
        const std::string credits = readAll(kSource + "/CREDITS.md");
        for (const QString& f : QDir(kSource + "/assets/portraits").entryList({"*.jpg"}))
            QVERIFY2(credits.find("`" + f.toStdString() + "`") != std::string::npos, qPrintable(f));
    }

    // The owner's own picture is kept (nothing there is written over); the maps, the threat stages, the menu
    // picture, the owner's event and the sounds are written; no person is drawn, neither the owner's nor a
    // shipped one.
    void generatorWritesOnlyWhatIsMissingAndNoPeople()
    {
        ProgramDir dir;
        dir.write("zel.dat", item("Owner's Man", 0, 0, 0, 1820, "man.jpg", "d") +
                                 item("Fight", 1, 0, 2, 1862, "fight.jpg", "d"));
        dir.write("Va.jpg", "the owner's");
        QCOMPARE(runProgram(kGenerator, {kSource + "/assets", dir.path()}).first, 0);
        QCOMPARE(dir.read("Va.jpg"), std::string("the owner's"));
        // Every map the shipped database needs is vouched for above, in the built program directory.
        for (const char* p : {"Al.jpg", "Ks-nb.jpg", "zelback.jpg", "fight.jpg", "cannon6.jpg"})
            QVERIFY2(!QImage(dir.file(p)).isNull(), p);
        for (const char* w : {"zelclick", "zelpick", "zeldrop", "zelletter", "zelchime", "zelfanfare"})
            QVERIFY2(dir.read(QString(w) + ".wav").rfind("RIFF", 0) == 0, w);
        QVERIFY(!dir.exists("man.jpg"));
        for (const QString& f : QDir(kSource + "/assets/portraits").entryList({"*.jpg"}))
            QVERIFY2(!dir.exists(f), qPrintable(f));
    }
};

QTEST_GUILESS_MAIN(TestTools)
#include "test_tools.moc"
