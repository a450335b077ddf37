// bellarune-icon <icon.svg> <output directory> <size>...
//
// Writes <output directory>/<size>.png for every size. The SVG is read through Qt's own
// image plugin for SVG (libqt6svg6), which renders the vector drawing at each size rather
// than scaling one bitmap, so the small sizes stay sharp and the build needs no new tool.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: bellarune-icon <icon.svg> <output directory> <size>...\n");
        return 1;
    }
    if (!QDir().mkpath(args[2]))
        return std::fprintf(stderr, "bellarune-icon: cannot create %s\n", qPrintable(args[2])), 1;
    for (qsizetype i = 3; i < args.size(); ++i) {
        const int size = args[i].toInt();
        QImageReader reader(args[1], "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        const QString out = QDir(args[2]).filePath(QString("%1.png").arg(size));
        if (size <= 0 || image.size() != QSize(size, size) || !image.save(out, "png")) {
            std::fprintf(stderr, "bellarune-icon: cannot render %s at %s into %s: %s\n", qPrintable(args[1]),
                         qPrintable(args[i]), qPrintable(out), qPrintable(reader.errorString()));
            return 1;
        }
    }
    return 0;
}
