// The database check (bellarune-check) on broken and hand-edited files, and the shipped
// database and portraits it vouches for.
#include <QImage>
#include <QtTest>

#include "data/itemtable.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

const QString kSource = qEnvironmentVariable("BELLARUNE_SOURCE_DIR");

// One item of zel.dat as written by hand, five CR LF lines; the texts go in as they stand.
QByteArray item(const QByteArray& name, const QByteArray& nickname, int type, int state,
                const QByteArray& picture = "", const QByteArray& description = "d")
{
    return "\"" + name + "\",\"" + nickname + "\",\"" + picture + "\"," + QByteArray::number(type) +
           ",0\r\n" + QByteArray::number(state) + ",1800,1870,\"\",\"\"\r\n\"" + description +
           "\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n";
}

// The shipped database, loaded as the game loads it.
const ItemTable& shippedTable()
{
    static const auto table = [] {
        auto t = std::make_unique<ItemTable>();
        NullNotifier quiet;
        ReadItemFile((kSource + "/assets/zel.dat").toStdString(), *t, quiet);
        return t;
    }();
    return *table;
}

const ItemRecord& shipped(const QString& name)
{
    const ItemTable& t = shippedTable();
    for (int i = 1; i <= t.ItemCount; ++i)
        if (QString::fromLatin1(t.Items[i].Name) == name)
            return t.Items[i];
    return t.Items[0];
}

}  // namespace

class TestCheck : public QObject {
    Q_OBJECT
private slots:
    void reportsEveryBrokenText_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("problems");
        const QByteArray longName = QByteArray(300, 'a') + ".jpg";
        QTest::newRow("a state of 18 or more, which has no map")
            << item("Bull Run", "", 1, 18) << QStringList{"item 1 (Bull Run): state 18 is not 0 to 16"};
        QTest::newRow("a negative state")
            << item("Bull Run", "", 1, -3) << QStringList{"item 1 (Bull Run): state -3 is not 0 to 16"};
        QTest::newRow("a picture name longer than the file system allows")
            << item("Lee", "", 0, 0, longName)
            << QStringList{"item 1 (Lee): picture " + longName + " cannot be looked up: File name too long"};
        QTest::newRow("a name cut short by a double quote inside it")
            << item("Ulysses \"Sam\" Grant", "", 0, 0)
            << QStringList{
                   "item 1 (Ulysses ): Name is cut short by a double quote inside it; lost: Sam\" Grant\""};
        QTest::newRow("a description saved as UTF-8")
            << item("Lee", "", 0, 0, "", "G\xC3\xA9n\xC3\xA9ral")
            << QStringList{QString::fromLatin1(
                   "item 1 (Lee): Description is UTF-8 text, not Latin-1: G\xC3\xA9n\xC3\xA9ral")};
        QTest::newRow("Latin-1 letters are no problem")
            << item("Lee", "", 0, 0, "", "G\xE9n\xE9ral \xAB\xBB") << QStringList{};
        QTest::newRow("a nickname that holds the surname")
            << item("John Brown", "Osawatomie Brown", 3, 0)
            << QStringList{
                   "item 1 (John Brown): Nickname holds the surname Brown and gives the answer away: "
                   "Osawatomie Brown"};
        QTest::newRow("the surname inside a longer word gives nothing away")
            << item("Dorothea Dix", "Dixie", 3, 0) << QStringList{};
    }
    void reportsEveryBrokenText()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, problems);
        ProgramDir dir;
        dir.write("zel.dat", file.toStdString());
        const auto [code, out] = runProgram(gameDir() + "/bellarune-check", {dir.file("zel.dat")});
        QStringList reported;
        for (const QString& line : out.split('\n'))
            if (line.startsWith("problem: "))
                reported << line.mid(9);
        QCOMPARE(reported, problems);
        QCOMPARE(code, problems.isEmpty() ? 0 : 1);
    }

    void shippedTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        auto row = [](const char* what, const char* name, const char* field, const char* text) {
            QTest::newRow(what) << QString(name) << QString(field) << QString(text);
        };
        row("Howe: a saying of hers, not her hymn's first line", "Julia Ward Howe", "Nickname",
            "Arise, Then, Women of This Day!");
        row("Toombs: his words against firing on Sumter", "Robert Toombs", "Nickname",
            "Mr. President, at this time, it is suicide, murder, and will lose us every friend at the North");
        row("Franklin Buchanan: his nickname", "Franklin Buchanan", "Nickname", "Old Buck");
        row("Westport: one of the largest", "Battle of Westport", "Description",
            "One of the largest battles west of the Mississippi, fought near Kansas City, which turned back "
            "Price's raid.");
        row("Second Wheeling Convention: both sessions", "Second Wheeling Convention", "DateText",
            "June 11-25 and August 6-21, 1861");
        row("Hampton Roads: the Cumberland sunk, the Congress aground and burned", "Battle of Hampton Roads",
            "Description",
            "First clash between ironclads, off Norfolk, the day after the CSS Virginia sank the "
            "Cumberland and ran the Congress aground, where it burned.");
    }
    void shippedTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, field);
        QFETCH(QString, text);
        const ItemRecord& r = shipped(name);
        const std::string& got = field == "Nickname"   ? r.Nickname
                                 : field == "DateText" ? r.DateText
                                                       : r.Description;
        QCOMPARE(QString::fromLatin1(got), text);
    }

    // "Match nicknames" would give the answer away.
    void noShippedNicknameHoldsTheSurname()
    {
        const ItemTable& t = shippedTable();
        QStringList giveaways;
        int people = 0;
        for (int i = 1; i <= t.ItemCount; ++i) {
            const ItemRecord& r = t.Items[i];
            if (r.ItemType != Officer && r.ItemType != OtherPerson)
                continue;
            ++people;
            const QString surname = QString::fromLatin1(r.Name).split(' ').last();
            if (QString::fromLatin1(r.Nickname)
                    .contains(QRegularExpression("\\b" + QRegularExpression::escape(surname) + "\\b",
                                                 QRegularExpression::CaseInsensitiveOption)))
                giveaways << QString::fromLatin1(r.Name);
        }
        QCOMPARE(giveaways, QStringList{});
        QVERIFY(people >= 25);
    }

    // Cut losslessly clear of mounts, plate numbers and labels, and each cut recorded.
    void portraitsCutClearOfTheirMounts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("cut");
        QTest::newRow("Sherman: plate number and label")
            << "william_t_sherman.jpg" << QSize(320, 400) << "320x400+48+48";
        QTest::newRow("Davis: mount strips") << "jefferson_davis.jpg" << QSize(224, 302) << "224x302+48+48";
        QTest::newRow("Barton: mount strips") << "clara_barton.jpg" << QSize(264, 320) << "264x320+56+40";
        QTest::newRow("Dix: mount corners") << "dorothea_dix.jpg" << QSize(160, 224) << "160x224+112+96";
        QTest::newRow("Cleburne: stained card edge")
            << "patrick_cleburne.jpg" << QSize(160, 224) << "160x224+112+64";
    }
    void portraitsCutClearOfTheirMounts()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(QString, cut);
        QCOMPARE(QImage(kSource + "/assets/portraits/" + file).size(), size);
        const QString credits = QString::fromStdString(readAll(kSource + "/CREDITS.md"));
        const qsizetype at = credits.indexOf("| `" + file + "` |");
        QCOMPARE(credits.mid(at, credits.indexOf('\n', at) - at).section(" | ", -1), cut + " |");
    }
};

QTEST_GUILESS_MAIN(TestCheck)
#include "test_check.moc"
