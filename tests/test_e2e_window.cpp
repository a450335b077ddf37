// The game on a real desktop: the test starts its own Xvfb with the openbox window manager in
// it, so windows carry title bars and borders. The real bellarune runs from another directory
// on a copy of the program directory and is played with real X input (xdotool); placement is
// read from the X server (the frame from _NET_FRAME_EXTENTS) and results from the files the
// program leaves. Screenshots of every screen visited go to build/e2e-artifacts.
#include <QApplication>
#include <QScreen>
#include <QtTest>
#include <csignal>

#include "data/itemtable.h"
#include "data/settings.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

QString run(const QString& program, const QStringList& args)
{
    return runProgram(program, args, 15000).second.trimmed();
}

// A client window's outer rectangle: its place from xwininfo, widened by the frame the window
// manager reports (left, right, top, bottom). Empty for a window without a title bar.
QRect outer(qulonglong win)
{
    const auto m = QRegularExpression("X: +(-?\\d+).*?Y: +(-?\\d+).*?Width: (\\d+).*?Height: (\\d+)",
                                      QRegularExpression::DotMatchesEverythingOption)
                       .match(run("xwininfo", {"-id", QString::number(win)}));
    const QStringList f =
        run("xprop", {"-id", QString::number(win), "_NET_FRAME_EXTENTS"}).section('=', 1).split(',');
    if (f.size() != 4 || f[2].toInt() <= 0)
        return {};
    return {m.captured(1).toInt() - f[0].toInt(), m.captured(2).toInt() - f[2].toInt(),
            m.captured(3).toInt() + f[0].toInt() + f[1].toInt(),
            m.captured(4).toInt() + f[2].toInt() + f[3].toInt()};
}

// Window memory written before every run: outer sizes in twips, a different one per slot of a
// resizable screen (0 the choice screens, 1 sorting, 2 description matching, 8 image matching).
const QList<QSize> kRemembered = {{9030, 7500}, {6030, 6375}, {9030, 7125}, {},           {},
                                  {},           {},           {},           {9330, 7200}, {}};

// The newest visible window of that title newer than `after` (X gives a client's windows rising
// ids).
qulonglong wait(const QString& title, qulonglong after)
{
    QElapsedTimer t;
    for (t.start();; QThread::msleep(50)) {
        qulonglong found = 0;
        const QString ids = run("xdotool", {"search", "--onlyvisible", "--name", "^ *" + title + " *$"});
        for (const QString& id : ids.split('\n'))
            found = id.toULongLong() > after ? std::max(found, id.toULongLong()) : found;
        if (found || t.elapsed() > 8000)
            return found;
    }
}

// One run of the real program on a copy of the program directory, all question types but one off.
struct Game {
    Game(int type, int questions)
    {
        TestState ts;
        loadFixture(ts.state);
        // Difficulty 1 to 3 (four tries in the letter game), no sound, the sizes of kRemembered
        // (heights, then widths of slots 0, 1, 3, 2, 4, then of 5 to 9), one question type.
        QString ini =
            QString(
                "1 3 %1 1\r\n0 0 8 8\r\nzelback.jpg\r\n0 0 0 0 0\r\n0 0 0 0 0\r\n7500 6375 0 7125 0\r\n"
                "9030 6030 0 9030 0\r\n0 0 0 0 0\r\n0 0 0 0 0\r\n0 0 0 7200 0\r\n0 0 0 9330 0\r\n")
                .arg(questions);
        ini += QString("0\r\n").repeated(type) + "-1\r\n" + QString("0\r\n").repeated(16 - type);
        dir.copyGame();
        dir.write("zel.dat", FormatItemFile(ts.state.table));
        dir.write("zel.INI", ini.toStdString());
        dir.write("zelquiz.log", "from an earlier run\r\n");
        proc.setWorkingDirectory(QDir::rootPath());
        proc.start(dir.file("bellarune"), {});
    }
    // Plays a script of steps separated by ';', positions in twips of the current window's client
    // area: W / w title: a new window of that title becomes the current one, W centred on the
    // screen by its outer rectangle; m: the menu; c x y: click; d x y x y: drag; k keys; s name:
    // screenshot; z slot: the outer size is the one remembered there; r w h: resized to that client
    // size, saved at once in slot 0 as the outer size.
    void play(const QString& script)
    {
        qulonglong w = 0, last = 0, menu = 0;
        const QString tag = QTest::currentDataTag();
        for (int k = 0; k <= script.count(';'); ++k) {
            const QString step = script.section(';', k, k);
            const QString arg = step.trimmed().mid(2);
            const QStringList n = arg.split(' ');
            const auto at = [&](int i) {  // twips to pixels at 96 dpi
                return QStringList{"mousemove", "--window", QString::number(w),
                                   QString::number(n[i].toInt() / 15),
                                   QString::number(n[i + 1].toInt() / 15)};
            };
            const char op = step.trimmed().at(0).toLatin1();
            if (op == 'W' || op == 'w') {
                QVERIFY2((last = w = wait(arg, last)), qPrintable(step));
                menu = menu ? menu : w;
                const QRect o = outer(w);  // centred to the pixel on the 1280 by 1024 screen
                const QPoint off = o.topLeft() - QPoint((1280 - o.width()) / 2, (1024 - o.height()) / 2);
                QVERIFY2(op == 'w' || (!o.isEmpty() && std::max(std::abs(off.x()), std::abs(off.y())) <= 1),
                         qPrintable(step + QString(" off by %1, %2").arg(off.x()).arg(off.y())));
            }
            w = op == 'm' ? menu : w;
            if (op == 'c' || op == 'd' || op == 'k' || op == 'r') {
                const QStringList press = {"mousedown", "1", "sleep", "0.1"},
                                  release = {"sleep", "0.1", "mouseup", "1"};
                run("xdotool", op == 'c'   ? at(0) + QStringList({"click", "1"})
                               : op == 'd' ? at(0) + press + at(2) + release
                               : op == 'r' ? QStringList({"windowsize", QString::number(w), n[0], n[1]})
                                           : QStringList({"key", "--delay", "60"}) + n);
                QThread::msleep(150);  // handled before the next look
            }
            if (op == 's' || op == 'W' || op == 'w')  // every window opened, and where the script asks
                QGuiApplication::primaryScreen()->grabWindow(0).save(
                    QString("%1/../e2e-artifacts/%2-%3.png")
                        .arg(gameDir(), tag, op == 's' ? arg : QString::number(k) + "-" + arg.left(12)));
            if (op == 'z')
                QCOMPARE(outer(w).size() * 15, sizes[n[0].toInt()]);
            if (op == 'r') {
                QTRY_VERIFY(outer(w).width() > n[0].toInt());
                sizes[0] = outer(w).size() * 15;
                QTRY_COMPARE(remembered(), sizes);
            }
        }
        QVERIFY(proc.waitForFinished(10000));
    }
    QList<QSize> remembered() const
    {
        Settings s;
        LoadSettings(dir.file("zel.INI").toStdString(), s);
        QList<QSize> sizes;
        for (const WindowMemoryRecord& r : s.WindowMemory)
            sizes << (r.Width || r.Height ? QSize(r.Width, r.Height)
                                          : QSize());  // the unused slots hold 0 by 0
        return sizes.mid(0, 10);
    }
    ProgramDir dir;
    QProcess proc;
    QList<QSize> sizes = kRemembered;
};

}  // namespace

class TestE2eWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariable("QT_QPA_PLATFORM") != "xcb")
            QSKIP("Xvfb and openbox are needed");
        QTRY_VERIFY_WITH_TIMEOUT(run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"),
                                 10000);
        QDir(gameDir() + "/../e2e-artifacts").removeRecursively();
        QDir().mkpath(gameDir() + "/../e2e-artifacts");
    }

    // One game per screen kind from the menu: the log matched line by line ('#' between lines).
    void everyScreenPlayedWithRealInput_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("log");
        const QString name = "[A-Z][^#]+", who = "Who was " + name + "\\? [A-Z][^#]+";
        // Option 1 of the multiple choice screen lies left in the panel at any width; the second
        // question opens at the size the first was given.
        QTest::newRow("3 mchoice")
            << "W Multiple Choice; z 0; r 660 500; c 1180 2312; W Score; c 847 4387;"
               "W Multiple Choice; z 0; c 1180 2312"
            << QString("---- Question 1#Multiple Choice(#%1)?#---- Question 2#Multiple Choice(#%1)?")
                   .arg(who);
        // The panel at 0 (kept at 0 or more), 420; lines 1 and 2 (22 pixels high) pushed up; Done.
        QTest::newRow("8 qsort") << "W Sort; z 1; c 2000 2475; c 2000 2805; s pushed; c 3607 5407"
                                 << QString(
                                        "---- Question 1#Items to sort by People by date(#%1){5}"
                                        "((#%1 \\d+ > %1 \\d+)+|# \\*\\*\\* All Correct!)")
                                        .arg(name);
        // The frame at 50, 50: bar 0 dragged onto the bottom box, bar 1 clicked onto box 3; Done.
        QTest::newRow("11 qmatch")
            << "W Match 'em; z 2; d 6777 1707 1050 5757; c 6417 1347; c 1050 4917; s placed; c 3657 6357"
            << QString("---- Question 1#Match commanders and battles#(%1)#(%1)(#%1){3}(#\\2 = %1)?#\\1 = %1")
                   .arg(name);
        // The frame at 50, 50, pictures 2500 square: bar 0 dragged onto the lower right one, bar 3's.
        QTest::newRow("14 imatch") << "W Match 'em; z 8; d 1650 5975 5915 4240; s placed; c 3960 6487"
                                   << QString(
                                          "---- Question 1#Match Match battles and "
                                          "states#(%1)(#%1){2}#(%1)#\\1 placed on image of \\3")
                                          .arg(name);
    }

    void everyScreenPlayedWithRealInput()
    {
        const int type = QString(QTest::currentDataTag()).section(' ', 0, 0).toInt();
        QFETCH(QString, script);
        QFETCH(QString, log);
        Game g(type, type == 3 ? 2 : 1);
        g.play("W Bellarune Game; c 967 3547;" + script +
               "; W Score; c 847 4387; w Bellarune Game; k Return; m;"
               "c 4927 3547");
        const QString played = QString::fromLatin1(g.dir.read("zelquiz.log").c_str()).split("\r\n").join('#');
        QVERIFY2(played.contains(QRegularExpression("^" + log + "#$")), qPrintable(played));
        QCOMPARE(g.remembered(), g.sizes);
    }
};

// A desktop of the test's own, on a free display, ready before Qt connects to it.
int main(int argc, char* argv[])
{
    int n = 140;
    while (QFile::exists(QString("/tmp/.X%1-lock").arg(n)) ||
           QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)))
        ++n;
    const QString display = QString(":%1").arg(n);
    qint64 pids[2] = {0, 0};
    if (QProcess::startDetached("Xvfb", {display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, {},
                                pids)) {
        for (int i = 0; i < 100 && !QFile::exists("/tmp/.X11-unix/X" + display.mid(1)); ++i)
            QThread::msleep(50);
        qputenv("DISPLAY", display.toLatin1());
        QProcess wm;
        wm.setProgram("openbox");
        wm.setStandardErrorFile(QProcess::nullDevice());  // its complaints about menus and a lost server
        if (wm.startDetached(pids + 1))
            qputenv("QT_QPA_PLATFORM", "xcb");
    }
    const int result = [&] {
        QApplication app(argc, argv);
        TestE2eWindow test;
        return QTest::qExec(&test, argc, argv);
    }();
    for (qint64 pid : pids)
        if (pid > 0)
            ::kill(pid_t(pid), SIGTERM);
    return result;
}

#include "test_e2e_window.moc"
