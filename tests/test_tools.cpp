// The owner's tools, run as the real programs: the database check (bellarune-check) on the shipped
// database (what it reports of broken files is test_check's) and the generator of pictures and sounds
// (bellarune-assets).
#include <QtTest>

#include "testsupport.h"

using namespace bellarune::test;

static const QString kCheck = gameDir() + "/bellarune-check";
static const QString kSource = qEnvironmentVariable("BELLARUNE_SOURCE_DIR");
static const QString kGenerator = gameDir() + "/../tools/assetgen/bellarune-assets";

class TestTools : public QObject {
    Q_OBJECT
private slots:
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
        dir.write("zel.dat",
                  (handItem("Owner's Man", "", 0, 0, "man.jpg") + handItem("Fight", "", 1, 2, "fight.jpg"))
                      .toStdString());
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
