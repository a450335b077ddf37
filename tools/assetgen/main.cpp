// bellarune-assets: draws the pictures and synthesizes the sounds that the game
// shows and plays, into the program directory.
//
//   bellarune-assets <assets folder> <program directory>
//
// Only files that are missing are written: the owner may have put a real picture or
// sound in place of a generated one, and that must survive every build. Event pictures
// are drawn for the shipped zel.dat and for the program directory's own one (the owner
// may have added items). People are never drawn: their portraits are real period
// pictures shipped from assets/portraits, and a person without one has no ImageFile.
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSet>
#include <cstdio>
#include <functional>
#include <memory>

#include "assetgen.h"
#include "data/itemtable.h"
#include "data/notifier.h"

namespace {

// Reports the data file's faults on the build output rather than dropping them.
class StderrNotifier : public bellarune::Notifier {
public:
    void showMessage(const std::string& text) override
    {
        std::fprintf(stderr, "bellarune-assets: %s\n", text.c_str());
    }
    bool askOkCancel(const std::string&, const std::string&) override { return false; }
};

const char* const kStateMaps[][2] = {
    {"Al.jpg", "AL"}, {"Va.jpg", "VA"}, {"Ms.jpg", "MS"}, {"SC.jpg", "SC"},
    {"NC.jpg", "NC"}, {"Ga.jpg", "GA"}, {"Pa.jpg", "PA"}, {"Md.jpg", "MD"},
    {"Tn.jpg", "TN"}, {"Tx.jpg", "TX"}, {"Ar.jpg", "AR"}, {"Mo.jpg", "MO"},
    {"Fl.jpg", "FL"}, {"La.jpg", "LA"}, {"Ky.jpg", "KY"}, {"Ks-nb.jpg", "KS NE"}};

struct Job {
    QString file;
    std::function<QByteArray()> make;
};

QByteArray Encode(const QImage& image, const QString& file)
{
    // Pick the format from the name; anything unusual is written as JPEG, which the
    // game loads by content whatever the name says.
    const QString suffix = QFileInfo(file).suffix().toLower();
    QByteArray format = "jpg";
    if (suffix == "png" || suffix == "bmp")
        format = suffix.toLatin1();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpg")
        writer.setQuality(85);
    if (!writer.write(image))
        return {};
    return bytes;
}

// A name from the data file is used only when it stays inside the program directory.
bool SafeRelativeName(const QString& name)
{
    if (name.isEmpty() || QDir::isAbsolutePath(name) || name.contains('\\') || name.contains(':'))
        return false;
    for (const QString& part : name.split('/'))
        if (part == "..")
            return false;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    // No window is ever shown; let it run from a plain shell as well as from the build.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: bellarune-assets <assets folder> <program directory>\n");
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    const QDir assets(args[1]);
    const QDir game(args[2]);
    if (!QDir().mkpath(game.absolutePath())) {
        std::fprintf(stderr, "bellarune-assets: cannot create %s\n", qPrintable(game.absolutePath()));
        return 2;
    }

    QVector<Job> jobs;

    // Event pictures: for the shipped database and for the owner's own one in the program
    // directory, which may hold items the shipped one lacks (and the other way round).
    QSet<QString> named;
    QStringList dataFiles{assets.filePath("zel.dat")};
    if (game.exists("zel.dat"))
        dataFiles << game.filePath("zel.dat");
    for (const QString& dataFile : dataFiles) {
        auto table = std::make_unique<bellarune::ItemTable>();
        StderrNotifier notifier;
        if (QFileInfo::exists(dataFile) && !bellarune::ReadItemFile(dataFile.toStdString(), *table, notifier))
            std::fprintf(stderr, "bellarune-assets: %s could not be read; no item pictures drawn for it\n",
                         qPrintable(dataFile));
        for (int i = 1; i <= table->ItemCount; ++i) {
            const bellarune::ItemRecord item = table->Items[i];
            const QString file = assetgen::FromLatin1OrUtf8(item.ImageFile);
            const bool event = item.ItemType == bellarune::Battle || item.ItemType == bellarune::OtherEvent;
            if (!event || file.isEmpty() || named.contains(file))
                continue;
            if (!SafeRelativeName(file)) {
                std::fprintf(stderr, "bellarune-assets: skipping picture name %s\n", qPrintable(file));
                continue;
            }
            named.insert(file);
            jobs.push_back({file, [item, file] { return Encode(assetgen::DrawEventScene(item), file); }});
        }
    }

    // State maps.
    QVector<assetgen::StateShape> shapes;
    QString error;
    if (!assetgen::LoadStateShapes(":/assetgen/states.txt", shapes, error)) {
        std::fprintf(stderr, "bellarune-assets: %s\n", qPrintable(error));
        return 2;
    }
    for (const auto& [file, codes] : kStateMaps) {
        const QString name = file;
        const QStringList list = QString(codes).split(' ');
        jobs.push_back(
            {name, [&shapes, list, name] { return Encode(assetgen::DrawStateMap(shapes, list), name); }});
    }

    // Threat pictures, menu background, sounds.
    for (int stage = 1; stage <= 6; ++stage) {
        const QString name = QString("cannon%1.jpg").arg(stage);
        jobs.push_back({name, [stage, name] { return Encode(assetgen::DrawThreat(stage), name); }});
    }
    jobs.push_back({"zelback.jpg", [] { return Encode(assetgen::DrawMenuBackground(), "zelback.jpg"); }});
    for (int n = 0; n < assetgen::SoundFileNames().size(); ++n)
        jobs.push_back({assetgen::SoundFileNames()[n], [n] { return assetgen::SynthesizeSound(n); }});

    int written = 0, kept = 0, failed = 0;
    for (const Job& job : jobs) {
        const QString path = game.filePath(job.file);
        if (QFileInfo::exists(path)) {
            ++kept;
            continue;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QByteArray bytes = job.make();
        // Written to a temporary name and renamed, so an interrupted build never leaves
        // a half picture that later builds would keep. (No QSaveFile: its fsync per
        // file makes a full run several times slower, and a lost file is simply
        // drawn again by the next build.)
        const QString temp = path + ".part";
        QFile out(temp);
        const bool ok = !bytes.isEmpty() && out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                        out.write(bytes) == bytes.size() && (out.close(), out.error() == QFile::NoError) &&
                        QFile::rename(temp, path);
        if (!ok) {
            std::fprintf(stderr, "bellarune-assets: cannot write %s: %s\n", qPrintable(path),
                         qPrintable(out.errorString()));
            QFile::remove(temp);
            ++failed;
            continue;
        }
        ++written;
    }
    std::printf("bellarune-assets: %d written, %d already there, %d failed, %lld ms\n", written, kept, failed,
                static_cast<long long>(timer.elapsed()));
    return failed ? 2 : 0;
}
