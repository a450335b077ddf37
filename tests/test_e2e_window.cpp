// The game on a real desktop: the test starts its own Xvfb with the openbox window manager in
// it, so windows carry title bars and borders. The real bellarune runs from another directory
// on a copy of the program directory and is played with real X input (xdotool); placement is
// read from the X server (the frame from _NET_FRAME_EXTENTS) and results from the files the
// program leaves.
#include <QApplication>
#include <QtTest>

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
    const QString id = QString::number(win);
    const auto m = QRegularExpression("X: +(-?\\d+).*?Y: +(-?\\d+).*?Width: (\\d+).*?Height: (\\d+)",
                                      QRegularExpression::DotMatchesEverythingOption)
                       .match(run("xwininfo", {"-id", id}));
    const QStringList f = run("xprop", {"-id", id, "_NET_FRAME_EXTENTS"}).section('=', 1).split(',');
    if (f.size() != 4 || f[2].toInt() <= 0)
        return {};
    const QRect client(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                       m.captured(4).toInt());
    return client.adjusted(-f[0].toInt(), -f[2].toInt(), f[1].toInt(), f[3].toInt());
}

// Window memory written before every run: outer sizes in twips, a different one per slot of a
// resizable screen (0 the choice screens, 1 sorting, 2 description matching, 8 image matching).
const QList<QSize> kRemembered = {{9030, 7500}, {6030, 6375}, {9030, 7125}, {0, 0},       {0, 0},
                                  {0, 0},       {0, 0},       {0, 0},       {9330, 7200}, {0, 0}};

// The outer sizes of the first ten window slots of zel.INI.
QList<QSize> remembered(const ProgramDir& dir)
{
    Settings s;
    LoadSettings(dir.file("zel.INI").toStdString(), s);
    QList<QSize> sizes;
    for (std::size_t slot = 0; slot < 10; ++slot)
        sizes << QSize(s.WindowMemory[slot].Width, s.WindowMemory[slot].Height);
    return sizes;
}

// The newest visible window of that title newer than `after` (X gives a client's windows rising
// ids); with `gone`, 0 once there is none.
qulonglong wait(const QString& title, qulonglong after = 0, bool gone = false)
{
    QElapsedTimer t;
    for (t.start();; QThread::msleep(50)) {
        qulonglong found = 0;
        const QString ids = run("xdotool", {"search", "--onlyvisible", "--name", "^ *" + title + " *$"});
        for (const QString& id : ids.split('\n'))
            found = id.toULongLong() > after ? std::max(found, id.toULongLong()) : found;
        if (bool(found) != gone || t.elapsed() > 8000)
            return found;
    }
}

}  // namespace

class TestE2eWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariable("QT_QPA_PLATFORM") != "xcb")
            QSKIP("Xvfb and openbox are needed");
        QTRY_VERIFY(run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"));
    }

    // Whole games from Enter on the menu's Play to the closing message and Quit, reached by Tab,
    // one per question screen played with keys alone, each checking its window slot: one question
    // per score window of the script.
    void gamesOnTheDesktop_data()
    {
        QTest::addColumn<QString>("script");
        // The focus starts on the first option; Down moves it to the second. The second question
        // opens at the size the first was given.
        QTest::newRow("3 mchoice") << "W Multiple Choice; z 0; r 660 500; k Down Return; W Score; k Return;"
                                      "W Multiple Choice; z 0; k Return; W Score";
        QTest::newRow("5 quote") << "W Multiple Choice; z 0; k KP_Enter; W Score";
        // Line 1 pushed up by Enter; Help and Done by Tab.
        QTest::newRow("8 qsort") << "W Sort; z 1; k Down Return Down Tab Tab Return; W Score";
        // The top bar dropped on the first description, the next on the second; Done after five Tabs.
        QTest::newRow("11 qmatch")
            << "W Match 'em; z 2; k Return Return Tab Return Down Return Tab Tab Tab Tab Tab Return;"
               "W Score";
        // The first bar dropped on the second picture; Done after five Tabs.
        QTest::newRow("14 imatch")
            << "W Match 'em; z 8; k Return Right Return Tab Tab Tab Tab Tab Return; W Score";
        // Robert E. Lee: two wrong letters, one of them twice, a digit ("Press a letter, only"), the word.
        QTest::newRow("16 nameme") << "W Name Me -- Press the letter keys to enter my name...; k z q z 1;"
                                      "w Bellarune Game; k Return r o b E t; g Score; k l; W Score";
        // Maximised by a double-click on its title bar, the screen stays maximised for the next
        // question; restored there, it comes back at the normal size remembered, as does the
        // third. The pointer is left where the score window's ok button lies, on an option of the
        // third question: a double-click there answers, and its second press leaves the score
        // window open.
        QTest::newRow("3 maximised, restored, answered with a double-click")
            << "W Multiple Choice; p 200 -10; C; M 1; k Return; W Score; p 56 292; k Return;"
               "w Multiple Choice; M 1; p 200 -10; C; M 0; z 0; k Return; W Score; p 56 292; k Return;"
               "W Multiple Choice; M 0; z 0; C; W Score; v Score";
    }

    // A script of steps separated by ';', positions in pixels of the current window's client area.
    // W / w title: a new window of that title becomes the current one, W centred on the screen by
    // its outer rectangle; g title: none is left; v title: the current one is still open a second
    // later; k keys; z slot: the outer size is the one remembered there; r w h:
    // resized to that client size, saved at once in slot 0 as the outer size; M 1 / M 0: maximised
    // or not; p x y: the pointer moved there; C: a double-click where the pointer is.
    void gamesOnTheDesktop()
    {
        QFETCH(QString, script);
        const int type = QString(QTest::currentDataTag()).section(' ', 0, 0).toInt();
        ProgramDir dir;
        TestState ts;
        setItems(ts.state, type == 16 ? std::vector<ItemRecord>{fixtureItems()[Lee - 1]} : fixtureItems());
        // Difficulty 1 to 3 (four tries in the letter game), one question per score window of the
        // script, no sound, the sizes of kRemembered (heights, then widths of slots 0, 1, 3, 2, 4,
        // then of 5 to 9), one question type.
        QString ini =
            QString(
                "1 3 %1 1\r\n0 0 8 8\r\nzelback.jpg\r\n0 0 0 0 0\r\n0 0 0 0 0\r\n7500 6375 0 7125 0\r\n"
                "9030 6030 0 9030 0\r\n0 0 0 0 0\r\n0 0 0 0 0\r\n0 0 0 7200 0\r\n0 0 0 9330 0\r\n")
                .arg(script.count("W Score"));
        ini += QString("0\r\n").repeated(type) + "-1\r\n" + QString("0\r\n").repeated(16 - type);
        dir.copyGame();
        writeItemPictures(dir, ts.state);
        dir.write("zel.dat", FormatItemFile(ts.state.table));
        dir.write("zel.INI", ini.toStdString());
        QProcess game;
        game.setWorkingDirectory(QDir::rootPath());
        game.start(dir.file("bellarune"), {});
        QList<QSize> sizes = kRemembered;
        qulonglong w = 0;
        script = "W Bellarune Game; k Return;" + script +
                 "; k Return; w Bellarune Game; k Return; k Tab Tab Tab Tab Return";
        for (const QString& step : script.split(';')) {
            const char op = step.trimmed().at(0).toLatin1();
            const QString arg = step.trimmed().mid(2);
            const QStringList n = arg.split(' ');
            if (op == 'W' || op == 'w')
                QVERIFY2((w = wait(arg, w)), qPrintable(step));
            const QRect o = outer(w);
            const QPoint off =
                o.center() - QPoint(639, 511);  // centred to the pixel on the 1280 by 1024 screen
            QVERIFY2(op != 'W' || (!o.isEmpty() && std::max(std::abs(off.x()), std::abs(off.y())) <= 1),
                     qPrintable(step + QString(" off by %1, %2").arg(off.x()).arg(off.y())));
            QVERIFY2(op != 'g' || !wait(arg, 0, true), qPrintable(step));
            const QString id = QString::number(w);
            const QMap<char, QStringList> xdotool = {
                {'k', QStringList{"key", "--delay", "60"} + n},
                {'r', {"windowsize", id, n.value(0), n.value(1)}},
                {'p', {"mousemove", "--window", id, n.value(0), n.value(1)}},
                {'C', {"click", "--repeat", "2", "--delay", "80", "1"}}};
            if (xdotool.contains(op)) {
                run("xdotool", xdotool[op]);
                QThread::msleep(150);  // handled before the next look
            }
            if (op == 'z')
                QTRY_COMPARE(outer(w).size() * 15, sizes[n[0].toInt()]);
            if (op == 'M')
                QTRY_COMPARE(run("xprop", {"-id", id, "_NET_WM_STATE"}).contains("MAXIMIZED_VERT"),
                             n[0] == "1");
            if (op == 'v') {
                QThread::msleep(1000);
                QCOMPARE(wait(arg, w - 1), w);
            }
            if (op == 'r') {
                QTRY_VERIFY(outer(w).width() > n[0].toInt());
                sizes[0] = outer(w).size() * 15;
                QTRY_COMPARE(remembered(dir), sizes);
            }
        }
        QVERIFY(game.waitForFinished(10000));
        QCOMPARE(remembered(dir), sizes);
    }
};

// A desktop of the test's own, on the first free display, ready before Qt connects to it.
int main(int argc, char* argv[])
{
    QProcess xvfb, wm;
    xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (xvfb.waitForReadyRead(10000)) {
        qputenv("DISPLAY", ":" + xvfb.readAllStandardOutput().trimmed());
        wm.setStandardErrorFile(QProcess::nullDevice());  // its complaints about menus and a lost server
        wm.start("openbox");
        if (wm.waitForStarted())
            qputenv("QT_QPA_PLATFORM", "xcb");
    }
    const int result = [&] {
        QApplication app(argc, argv);
        TestE2eWindow test;
        return QTest::qExec(&test, argc, argv);
    }();
    xvfb.terminate();
    xvfb.waitForFinished();
    wm.waitForFinished();  // gone with its server
    return result;
}

#include "test_e2e_window.moc"
