// The smallest program that shows what the main menu shows: one window, five buttons and
// the menu picture. Start-up of the game is measured against it.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

class Window : public QWidget {
public:
    explicit Window(const QString& picture)
    {
        pixmap_.load(picture);
        setWindowTitle("Minimal");
        setFixedSize(399, 256);
        const char* names[] = {"Play", "Setup", "Catalog", "About", "Quit"};
        for (int i = 0; i < 5; ++i)
            (new QPushButton(names[i], this))->setGeometry(40 + 66 * i, 224, 49, 25);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawPixmap(rect(), pixmap_);
    }

private:
    QPixmap pixmap_;
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Window w(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("zelback.jpg"));
    w.show();
    return app.exec();
}
