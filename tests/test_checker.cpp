// The owner's database check, run as the real program over crafted and shipped databases.
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "testsupport.h"

using namespace bellarune::test;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
};

Run runChecker(const QStringList& args)
{
    QProcess p;
    p.start(qEnvironmentVariable("BELLARUNE_GAME_DIR") + "/bellarune-check", args);
    Run r;
    if (!p.waitForFinished(30000))
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromLatin1(p.readAllStandardOutput());
    return r;
}

std::string item(const std::string& name, int type, int side, int state, int y1, int y2, const std::string& pic,
                 const std::string& desc, int difficulty)
{
    return "\"" + name + "\",\"nick " + name + "\",\"" + pic + "\"," + std::to_string(type) + "," +
           std::to_string(side) + "\r\n" + std::to_string(state) + "," + std::to_string(y1) + "," +
           std::to_string(y2) + ",\"date " + name + "\",\"cmd " + name + "\"\r\n\"" + desc + "\",\"camp " + name +
           "\"\r\n0,0,0\r\n0,0,0," + std::to_string(difficulty) + "\r\n";
}

}  // namespace

class TestChecker : public QObject {
    Q_OBJECT
private slots:
    void aSoundDatabasePasses()
    {
        ProgramDir dir;
        dir.write("p.jpg", "x");
        dir.write("Va.jpg", "x");
        dir.write("zel.dat", item("Lee", 0, 1, 2, 1807, 1870, "p.jpg", "General.", 1) +
                                 item("Bull Run", 1, 1, 2, 1861, 1861, "", "A battle.", 2));
        const Run r = runChecker({dir.file("zel.dat")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.contains("type 1 Dates for person: 1 items qualify"), qPrintable(r.out));
        QVERIFY(r.out.contains("type 14 Match battles and states: 1 items qualify"));
        QVERIFY(r.out.contains("type 13 Match nicknames, sayings: 1 items qualify"));
        QVERIFY(r.out.contains("no problems"));
    }

    void everyKindOfProblemIsListed()
    {
        ProgramDir dir;
        dir.write("zel.dat", item("Lee", 0, 1, 2, 1807, 0, "missing.jpg", "", 1) +
                                 item("Lee", 5, 2, 17, 1600, 1600, "", "d", 4) +
                                 item("Bull Run", 1, 1, 2, 1861, 1861, "", "A battle.", 2));
        const Run r = runChecker({dir.file("zel.dat"), dir.path()});
        QCOMPARE(r.exitCode, 1);
        for (const char* expected :
             {"item 1 (Lee): picture missing.jpg does not exist", "item 1 (Lee): empty description",
              "item 1 (Lee): year of death 0 is below 1700", "item 2 (Lee): the same name as item 1",
              "item 2 (Lee): item type 5 is not 0 to 3", "item 2 (Lee): side 2 is not 0 or 1",
              "item 2 (Lee): state 17 is not 0 to 16", "item 2 (Lee): difficulty 4 is not 1 to 3",
              "item 2 (Lee): year 1600 is below 1700", "state map Va.jpg does not exist"})
            QVERIFY2(r.out.contains(expected), expected);
    }

    void theShippedDatabaseIsSoundAndCoversEveryType()
    {
        const QString gameDir = qEnvironmentVariable("BELLARUNE_GAME_DIR");
        const QString shipped = qEnvironmentVariable("BELLARUNE_SOURCE_DIR") + "/assets/zel.dat";
        // The program directory's copy may be the owner's by now: it must only be sound.
        const Run own = runChecker({gameDir + "/zel.dat"});
        QVERIFY2(own.exitCode == 0, qPrintable(own.out.right(2000)));
        // The shipped file, with the pictures the build drew.
        {
            const Run r = runChecker({shipped, gameDir});
            QVERIFY2(r.exitCode == 0, qPrintable(r.out.right(2000)));
            static const QRegularExpression items("^(\\d+) items$", QRegularExpression::MultilineOption);
            const int count = items.match(r.out).captured(1).toInt();
            QVERIFY2(count >= 360 && count <= 400, qPrintable(QString::number(count)));
            static const QRegularExpression type("^type (\\d+) .*: (\\d+) items qualify, (\\d+) different$",
                                                 QRegularExpression::MultilineOption);
            int types = 0;
            for (auto it = type.globalMatch(r.out); it.hasNext();) {
                const auto m = it.next();
                ++types;
                QVERIFY2(m.captured(2).toInt() >= 25, qPrintable(m.captured(0)));
                // A question needs five different answers (four for the picture types).
                QVERIFY2(m.captured(3).toInt() >= 5, qPrintable(m.captured(0)));
            }
            QCOMPARE(types, 16);
            static const QRegularExpression states("states in battles-and-states questions: (\\d+) of 16");
            QVERIFY(states.match(r.out).captured(1).toInt() >= 12);
        }
    }

    void anUnreadableFileIsAProblem()
    {
        ProgramDir dir;
        dir.write("zel.dat", item("Lee", 0, 1, 2, 1807, 1870, "", "d", 1) + "\"cut\",\"off\"");
        const Run r = runChecker({dir.file("zel.dat")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.out.contains("Input past end of file last item 1 Lee"), qPrintable(r.out));
        QCOMPARE(runChecker({dir.file("none.dat")}).exitCode, 1);
        QCOMPARE(runChecker({"-h"}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestChecker)
#include "test_checker.moc"
