// The database check (bellarune-check) on broken and hand-edited files: every problem it reports, and the
// shipped database and portraits it vouches for.
#include <QtTest>

#include "testsupport.h"

using namespace bellarune::test;

const QString kSource = qEnvironmentVariable("BELLARUNE_SOURCE_DIR");

class TestCheck : public QObject {
    Q_OBJECT
private slots:
    void reportsEveryBrokenText_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("problems");
        const QByteArray longName = QByteArray(300, 'a') + ".jpg";
        QTest::newRow("every kind of problem of an item")
            << handItem("Lee", "", 0, 2, "missing.jpg", "") +
                   "\"Lee\",\"\",\"\",5,2\r\n2,1600,1870,\"\",\"\"\r\n\"two\r\nlines\",\"\"\r\n0,0,0\r\n0,0,"
                   "0,4\r\n" +
                   handItem("Bull Run", "", 1, 2)
            << QStringList{
                   "item 1 (Lee): empty description",
                   "item 1 (Lee): picture missing.jpg does not exist",
                   "item 2 (Lee): the same name as item 1",
                   "item 2 (Lee): item type 5 is not 0 to 3",
                   "item 2 (Lee): side 2 is not 0 or 1",
                   "item 2 (Lee): difficulty 4 is not 1 to 3",
                   "item 2 (Lee): year 1600 is below 1700",
                   "item 2 (Lee): a text holds a double quote or a line break and will not read back, in "
                   "Description: two lines",
                   "state map Va.jpg does not exist"};
        QTest::newRow("a file cut inside a record")
            << handItem("Lee", "", 0, 0) + "\"cut\",\"off\""
            << QStringList{"cannot read zel.dat: Input past end of file last item 1 Lee"};
        QTest::newRow("a state of 18 or more, which has no map")
            << handItem("Bull Run", "", 1, 18) << QStringList{"item 1 (Bull Run): state 18 is not 0 to 16"};
        QTest::newRow("a battle in Tennessee, whose map is missing")
            << handItem("Shiloh", "", 1, 9) << QStringList{"state map Tn.jpg does not exist"};
        QTest::newRow("a negative state")
            << handItem("Bull Run", "", 1, -3) << QStringList{"item 1 (Bull Run): state -3 is not 0 to 16"};
        QTest::newRow("a picture name longer than the file system allows")
            << handItem("Lee", "", 0, 0, longName)
            << QStringList{"item 1 (Lee): picture " + longName + " cannot be looked up: File name too long"};
        QTest::newRow("a name cut short by a double quote inside it")
            << handItem("Ulysses \"Sam\" Grant", "", 0, 0)
            << QStringList{
                   "item 1 (Ulysses ): Name is cut short by a double quote inside it; lost: Sam\" Grant\""};
        QTest::newRow("a description saved as UTF-8; Latin-1 letters are no problem")
            << handItem("Lee", "", 0, 0, "", "G\xC3\xA9n\xC3\xA9ral") +
                   handItem("Grant", "", 0, 0, "", "G\xE9n\xE9ral \xAB\xBB")
            << QStringList{QString::fromLatin1("item 1 (Lee): Description is UTF-8 text, "
                                               "not Latin-1: G\xC3\xA9n\xC3\xA9ral")};
        QTest::newRow("a nickname that holds the surname; inside a longer word it gives nothing away")
            << handItem("John Brown", "Osawatomie Brown", 3, 0) + handItem("Dorothea Dix", "Dixie", 3, 0)
            << QStringList{
                   "item 1 (John Brown): Nickname holds the surname Brown and gives the answer away: "
                   "Osawatomie Brown"};
    }
    void reportsEveryBrokenText()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, problems);
        ProgramDir dir;
        dir.write("zel.dat", file.toStdString());
        const auto [code, out] = runProgram(gameDir() + "/bellarune-check", {"zel.dat"});
        QCOMPARE(code, 1);
        const QStringList reported = out.split('\n').filter("problem: ").replaceInStrings("problem: ", "");
        QCOMPARE(reported, problems);
        QCOMPARE(out.trimmed().section('\n', -1),
                 QString::number(problems.size()) + (problems.size() == 1 ? " problem" : " problems"));
    }

    // Each text a whole quoted value among the five lines of the item of that name.
    void shippedTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        auto row = [](const char* what, const char* name, const char* text) {
            QTest::newRow(what) << QString(name) << QString(text);
        };
        row("Howe: a saying of hers, not her hymn", "Julia Ward Howe", "Arise, Then, Women of This Day!");
        row("Toombs: his words against firing on Sumter", "Robert Toombs",
            "Mr. President, at this time, it is suicide, murder, and will lose us every friend at the North");
        row("Franklin Buchanan: his nickname", "Franklin Buchanan", "Old Buck");
        row("Westport: one of the largest", "Battle of Westport",
            "One of the largest battles west of the Mississippi, fought near Kansas City, which turned back "
            "Price's raid.");
        row("Wheeling: both sessions", "Second Wheeling Convention", "June 11-25 and August 6-21, 1861");
        row("Hampton Roads: the Cumberland sunk, the Congress burned", "Battle of Hampton Roads",
            "First clash between ironclads, off Norfolk, the day after the CSS Virginia sank the "
            "Cumberland and ran the Congress aground, where it burned.");
    }
    void shippedTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        const QString data = QString::fromLatin1(readAll(kSource + "/assets/zel.dat"));
        const QString record = data.mid(data.indexOf("\n\"" + name + "\",") + 1).section("\r\n", 0, 4);
        QVERIFY2(record.contains('"' + text + '"'), qPrintable(record));
    }

    // Cut losslessly clear of mounts, plate numbers and labels, and each cut recorded.
    void portraitsCutClearOfTheirMounts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QRect>("cut");  // the part of the scan kept
        QTest::newRow("Sherman: plate number, label") << "william_t_sherman.jpg" << QRect(48, 48, 320, 400);
        QTest::newRow("Davis: mount strips") << "jefferson_davis.jpg" << QRect(48, 48, 224, 302);
        QTest::newRow("Barton: mount strips") << "clara_barton.jpg" << QRect(56, 40, 264, 320);
        QTest::newRow("Dix: mount corners") << "dorothea_dix.jpg" << QRect(112, 96, 160, 224);
        QTest::newRow("Cleburne: stained card edge") << "patrick_cleburne.jpg" << QRect(112, 64, 160, 224);
    }
    void portraitsCutClearOfTheirMounts()
    {
        QFETCH(QString, file);
        QFETCH(QRect, cut);
        QCOMPARE(QImage(kSource + "/assets/portraits/" + file).size(), cut.size());
        // CREDITS.md records the cut as the last column, WxH+X+Y.
        const QString credits = QString::fromStdString(readAll(kSource + "/CREDITS.md"));
        QCOMPARE(credits.section("| `" + file + "` |", 1, 1).section('\n', 0, 0).section(" | ", -1),
                 QString("%1x%2+%3+%4 |").arg(cut.width()).arg(cut.height()).arg(cut.x()).arg(cut.y()));
    }
};

QTEST_GUILESS_MAIN(TestCheck)
#include "test_check.moc"
