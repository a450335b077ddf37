// The help window opened from setup, the menu picture, and
// what Escape and the log level do on setup and the item editor. What a question screen remembers
// of its size and state, and the double-click that answers, are played in a real window.
#include <QtTest>
#include <QtWidgets>

#include "app/mainmenu.h"
#include "maint/setup.h"
#include "maint/zeledit.h"
#include "platform/textwindow.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    // Help from setup opens the text window over it, usable while setup is open; when setup closes,
    // the window stays as it was: never hidden, still maximised.
    void helpWindowOutlivesSetup()
    {
        ProgramDir dir;
        dir.write("zelhelp.txt", "Help\r\n");
        TestState ts;
        ts.state.showText = [](const std::string& file, int style) {
            TextWindow::open(QString::fromStdString(file), style);
        };
        QPointer<TextWindow> help;
        std::unique_ptr<QSignalSpy> shownOrHidden;
        QString typed;
        onNextModal([&](QWidget* setup) {
            QTest::mouseClick(static_cast<Setup*>(setup)->cmdHelp, Qt::LeftButton);
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<TextWindow*>(w))
                    help = static_cast<TextWindow*>(w);
            QVERIFY(help && QTest::qWaitForWindowExposed(help));
            shownOrHidden = std::make_unique<QSignalSpy>(help->windowHandle(), &QWindow::visibleChanged);
            help->Text1->setFocus();
            // Through the window system, as the player types: a window blocked by setup gets nothing.
            QTest::keyClick(help->windowHandle(), Qt::Key_X);
            typed = help->Text1->toPlainText();
            QTest::mouseClick(static_cast<Setup*>(setup)->cmdok, Qt::LeftButton);
        });
        Setup::run(ts.state, nullptr);
        QVERIFY(help);
        const auto closing = qScopeGuard([&] { help->Text1->document()->setModified(false), help->close(); });
        QCOMPARE(typed, QString("xHelp\n"));
        QCOMPARE(shownOrHidden->count(), 0);
        QCOMPARE(help->isVisible(), true);
        QCOMPARE(help->isMaximized(), true);
    }

    // The menu picture from the top left, scaled evenly to cover the window: left half red, right
    // half blue, looked at three quarters across the window, half way down.
    void menuPicture_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("the shipped shape (800 by 513) fills the window")
            << QSize(800, 513) << QColor(Qt::blue);
        QTest::newRow("a wide picture is cut at the right, not squeezed")
            << QSize(1600, 256) << QColor(Qt::red);
    }
    void menuPicture()
    {
        QFETCH(QSize, picture);
        ProgramDir dir;
        QImage image(picture, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QPainter(&image).fillRect(0, 0, picture.width() / 2, picture.height(), Qt::red);
        QVERIFY(image.save(dir.file("menu.png")));
        Settings s;
        s.BackgroundPicture = "menu.png";
        dir.write("zel.INI", FormatSettings(s));
        TestState ts;
        MainMenu menu(ts.state, dir.path());
        QTEST(menu.grab().toImage().pixelColor(menu.width() * 3 / 4, menu.height() / 2), "colour");
    }

    // Escape closes setup as its OK does, storing the settings; it closes the item editor as its close
    // box does, writing nothing, while Enter there presses ok. A log level outside 0 to 2 selects no
    // log button.
    void escapeAndLogLevel_data()
    {
        QTest::addColumn<bool>("editor");
        QTest::addColumn<int>("logLevel");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("written");
        QTest::addColumn<int>("checked");
        QTest::newRow("Escape on setup writes zel.INI") << false << 2 << "Esc" << true << 2;
        QTest::newRow("a log level of 3 selects no button") << false << 3 << "Esc" << true << -1;
        QTest::newRow("Escape on the editor, after a change, writes no zel.dat")
            << true << 1 << "Esc" << false << -1;
        QTest::newRow("Enter in the editor presses ok, which writes the change to zel.dat")
            << true << 1 << "Return" << true << -1;
    }
    void escapeAndLogLevel()
    {
        QFETCH(bool, editor);
        QFETCH(int, logLevel);
        QFETCH(QString, key);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        ts.state.settings.LogLevel = int16_t(logLevel);
        int checked = -1;
        onNextModal([&](QWidget* w) {
            if (auto* setup = qobject_cast<Setup*>(w))
                for (int i = 0; i < 3; ++i)
                    checked = setup->Option1[static_cast<std::size_t>(i)]->isChecked() ? i : checked;
            if (auto* edit = qobject_cast<ZelEdit*>(w))
                QTest::keyClick(edit->Text4, Qt::Key_X);  // the picture's file name changed
            QTest::keyClick(QApplication::focusWidget(), QKeySequence(key)[0].key());
        });
        editor ? ZelEdit::run(ts.state, nullptr) : Setup::run(ts.state, nullptr);
        QTEST(dir.exists(editor ? "zel.dat" : "zel.INI"), "written");
        QTEST(checked, "checked");
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
