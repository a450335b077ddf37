// The pictures, sounds and texts of the program directory, and the generator that
// makes the pictures and sounds at build time.
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <memory>

#include "data/itemtable.h"
#include "data/notifier.h"

namespace {

const QStringList kStateMaps = {"Al.jpg", "Va.jpg", "Ms.jpg", "SC.jpg", "NC.jpg", "Ga.jpg", "Pa.jpg", "Md.jpg",
                                "Tn.jpg", "Tx.jpg", "Ar.jpg", "Mo.jpg", "Fl.jpg", "La.jpg", "Ky.jpg", "Ks-nb.jpg"};
const QStringList kSounds = {"zelclick.wav",   "zelpick.wav", "zeldrop.wav", "zelletter.wav", "zelchime.wav",
                             "zelfanfare.wav", "zelmiss.wav", "zeltick.wav", "zelbuzz.wav"};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

struct Wave {
    QString error;   // empty when the file is a PCM wave
    int format = 0, channels = 0, rate = 0, bits = 0;
    QVector<qint16> samples;   // 16-bit files only
    double seconds = 0;
};

// A RIFF/WAVE reader that walks the chunks, so files from other tools (with extra
// chunks) are judged fairly too.
Wave ReadWave(const QString& path)
{
    Wave w;
    const QByteArray b = ReadAll(path);
    if (b.size() < 44 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") {
        w.error = "not a RIFF/WAVE file";
        return w;
    }
    if (qFromLittleEndian<quint32>(b.constData() + 4) + 8 > quint32(b.size())) {
        w.error = "RIFF size larger than the file";
        return w;
    }
    int pos = 12;
    bool haveFmt = false;
    while (pos + 8 <= b.size()) {
        const QByteArray id = b.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(b.constData() + pos + 4);
        const int body = pos + 8;
        if (quint64(body) + size > quint64(b.size())) {
            w.error = "chunk " + QString::fromLatin1(id) + " runs past the end";
            return w;
        }
        if (id == "fmt " && size >= 16) {
            w.format = qFromLittleEndian<quint16>(b.constData() + body);
            w.channels = qFromLittleEndian<quint16>(b.constData() + body + 2);
            w.rate = int(qFromLittleEndian<quint32>(b.constData() + body + 4));
            w.bits = qFromLittleEndian<quint16>(b.constData() + body + 14);
            haveFmt = true;
        } else if (id == "data") {
            if (!haveFmt) {
                w.error = "data before fmt";
                return w;
            }
            if (w.format != 1 || w.channels < 1 || w.rate <= 0 || (w.bits != 8 && w.bits != 16)) {
                w.error = QString("not PCM (format %1, %2 channels, %3 Hz, %4 bits)")
                              .arg(w.format).arg(w.channels).arg(w.rate).arg(w.bits);
                return w;
            }
            const int frameBytes = w.channels * w.bits / 8;
            w.seconds = double(size / frameBytes) / w.rate;
            if (w.bits == 16)
                for (quint32 i = 0; i + 1 < size; i += 2)
                    w.samples << qFromLittleEndian<qint16>(b.constData() + body + i);
            return w;
        }
        pos = body + int(size) + int(size & 1);
    }
    w.error = "no data chunk";
    return w;
}

// The values of a sound list: quoted or bare, separated by commas or line ends.
QStringList SoundListValues(const QByteArray& text)
{
    QStringList values;
    QString current;
    bool quoted = false, any = false;
    for (char c : text) {
        if (quoted) {
            if (c == '"')
                quoted = false;
            else
                current += QLatin1Char(c);
        } else if (c == '"') {
            quoted = true;
            any = true;
        } else if (c == ',' || c == '\n' || c == '\r') {
            if (any || !current.trimmed().isEmpty())
                values << current.trimmed();
            current.clear();
            any = false;
        } else {
            current += QLatin1Char(c);
        }
    }
    if (any || !current.trimmed().isEmpty())
        values << current.trimmed();
    return values;
}

bellarune::ItemRecord Person(const std::string& name, const std::string& image, int16_t side, const std::string& rank)
{
    bellarune::ItemRecord r;
    r.Name = name;
    r.ImageFile = image;
    r.ItemType = bellarune::Officer;
    r.Side = side;
    r.Year1 = 1820;
    r.Year2 = 1890;
    r.Commanders = rank;
    r.Difficulty = 1;
    return r;
}

}  // namespace

class TestAssetGen : public QObject {
    Q_OBJECT

private:
    QString gameDir_;
    QString sourceDir_;
    QString generator_;

    // Runs the generator on the shipped assets into dir; returns its standard output.
    QByteArray runGenerator(const QString& dir, int expectedExit = 0)
    {
        QProcess proc;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        proc.setProcessEnvironment(env);
        proc.start(generator_, {sourceDir_ + "/assets", dir});
        if (!proc.waitForFinished(120000)) {
            proc.kill();
            qWarning("generator did not finish");
            return {};
        }
        const QByteArray out = proc.readAllStandardOutput();
        if (proc.exitStatus() != QProcess::NormalExit || proc.exitCode() != expectedExit)
            qWarning("generator exit %d: %s %s", proc.exitCode(), out.constData(), proc.readAllStandardError().constData());
        return proc.exitCode() == expectedExit ? out : QByteArray();
    }

    static void checkImage(const QString& path, int minW, int maxW, int minH, int maxH)
    {
        QVERIFY2(QFileInfo::exists(path), qPrintable("missing: " + path));
        const QImage img(path);
        QVERIFY2(!img.isNull(), qPrintable("does not load as a picture: " + path));
        QVERIFY2(img.width() >= minW && img.width() <= maxW && img.height() >= minH && img.height() <= maxH,
                 qPrintable(QString("%1 is %2x%3").arg(path).arg(img.width()).arg(img.height())));
    }

private slots:
    void initTestCase()
    {
        gameDir_ = qEnvironmentVariable("BELLARUNE_GAME_DIR");
        sourceDir_ = qEnvironmentVariable("BELLARUNE_SOURCE_DIR");
        QVERIFY2(!gameDir_.isEmpty() && !sourceDir_.isEmpty(), "BELLARUNE_GAME_DIR and BELLARUNE_SOURCE_DIR must be set");
        // The generator's CMakeLists.txt puts it at <build>/tools/assetgen, and the
        // program directory is <build>/game; BELLARUNE_ASSETGEN may point elsewhere.
        generator_ = qEnvironmentVariable("BELLARUNE_ASSETGEN");
        if (generator_.isEmpty())
            generator_ = QDir(gameDir_).absoluteFilePath("../tools/assetgen/bellarune-assets");
        generator_ = QDir::cleanPath(generator_);
        QVERIFY2(QFileInfo(generator_).isExecutable(), qPrintable("generator not found: " + generator_));
    }

    // ---- the built program directory ----

    void stateMapsLoadSquare()
    {
        for (const QString& name : kStateMaps) {
            const QString path = QDir(gameDir_).filePath(name);
            checkImage(path, 100, 2000, 100, 2000);
            const QImage img(path);
            QVERIFY2(qAbs(img.width() - img.height()) <= img.width() / 10, qPrintable(name + " is not square"));
        }
    }

    void threatPicturesAndBackgroundLoad()
    {
        for (int i = 1; i <= 6; ++i)
            checkImage(QDir(gameDir_).filePath(QString("cannon%1.jpg").arg(i)), 60, 2000, 60, 2000);
        checkImage(QDir(gameDir_).filePath("zelback.jpg"), 400, 4000, 250, 3000);
    }

    void everyItemPictureExistsAndLoads()
    {
        const QString dataFile = QDir(gameDir_).filePath("zel.dat");
        QVERIFY2(QFileInfo::exists(dataFile), qPrintable(dataFile));
        auto table = std::make_unique<bellarune::ItemTable>();
        bellarune::NullNotifier quiet;
        QVERIFY(bellarune::ReadItemFile(dataFile.toStdString(), *table, quiet));
        QVERIFY2(table->ItemCount > 0, "the shipped database is empty");
        int pictures = 0;
        for (int i = 1; i <= table->ItemCount; ++i) {
            const QString file = QString::fromStdString(table->Items[i].ImageFile).trimmed();
            if (file.isEmpty())
                continue;
            checkImage(QDir(gameDir_).filePath(file), 16, 4000, 16, 4000);
            ++pictures;
        }
        QVERIFY(pictures > 0);
    }

    void everyListedSoundIsPcmWave()
    {
        const QStringList files = SoundListValues(ReadAll(QDir(gameDir_).filePath("zelsnd.dat")));
        QCOMPARE(files.size(), 9);
        for (const QString& file : files) {
            const QString path = QDir(gameDir_).filePath(file);
            QVERIFY2(QFileInfo::exists(path), qPrintable("missing sound: " + path));
            const Wave w = ReadWave(path);
            QVERIFY2(w.error.isEmpty(), qPrintable(file + ": " + w.error));
            QVERIFY2(w.seconds >= 0.02 && w.seconds <= 10, qPrintable(QString("%1 lasts %2 s").arg(file).arg(w.seconds)));
        }
    }

    // ---- the committed texts ----

    void soundListNamesTheNineSoundsInOrder()
    {
        const QByteArray text = ReadAll(sourceDir_ + "/assets/zelsnd.dat");
        QVERIFY(text.endsWith("\r\n"));
        QCOMPARE(SoundListValues(text), kSounds);
        // Every value stands between double quotes.
        QCOMPARE(text.count('"'), 18);
    }

    void helpAndCatalogArePlainAsciiWithCrLf()
    {
        for (const QString& name : {QString("zelhelp.txt"), QString("zelord.txt")}) {
            const QByteArray text = ReadAll(sourceDir_ + "/assets/" + name);
            QVERIFY2(text.size() > 1000, qPrintable(name + " is missing or too short"));
            QVERIFY2(text.endsWith("\r\n"), qPrintable(name));
            for (int i = 0; i < text.size(); ++i) {
                const uchar c = uchar(text[i]);
                QVERIFY2(c < 128 && (c >= 32 || c == '\r' || c == '\n'),
                         qPrintable(QString("%1: byte %2 at %3").arg(name).arg(c).arg(i)));
                if (c == '\n')
                    QVERIFY2(i > 0 && text[i - 1] == '\r', qPrintable(QString("%1: bare LF at %2").arg(name).arg(i)));
                if (c == '\r')
                    QVERIFY2(i + 1 < text.size() && text[i + 1] == '\n', qPrintable(QString("%1: bare CR at %2").arg(name).arg(i)));
            }
        }
        const QByteArray catalog = ReadAll(sourceDir_ + "/assets/zelord.txt");
        QVERIFY(catalog.contains("Bellarune Game"));
        QVERIFY(catalog.contains("1.05"));
        QVERIFY(catalog.contains("Torvane Software"));
        const QByteArray help = ReadAll(sourceDir_ + "/assets/zelhelp.txt");
        for (const char* topic : {"Name Me", "Setup", "Store list", "Done", "skip", "Current score"})
            QVERIFY2(help.contains(topic), topic);
    }

    // ---- the generator itself ----

    void generatorKeepsExistingFilesAndFillsTheRest()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A database of the owner's with one item the shipped one does not have.
        auto table = std::make_unique<bellarune::ItemTable>();
        table->Items[1] = Person("Owner Added Colonel", "owner_added.jpg", 0, "Colonel");
        table->Items[2] = Person("Owner Kept General", "owner_kept.jpg", 1, "Major General");
        table->ItemCount = 2;
        bellarune::NullNotifier quiet;
        QVERIFY(bellarune::WriteItemFile(dir.filePath("zel.dat").toStdString(), *table, quiet));
        const QByteArray marker = "the owner's own picture, not a JPEG";
        WriteAll(dir.filePath("Va.jpg"), marker);
        WriteAll(dir.filePath("owner_kept.jpg"), marker);
        WriteAll(dir.filePath("zelbuzz.wav"), marker);
        const QByteArray dataBefore = ReadAll(dir.filePath("zel.dat"));

        QVERIFY(!runGenerator(dir.path()).isEmpty());

        QCOMPARE(ReadAll(dir.filePath("Va.jpg")), marker);
        QCOMPARE(ReadAll(dir.filePath("owner_kept.jpg")), marker);
        QCOMPARE(ReadAll(dir.filePath("zelbuzz.wav")), marker);
        QCOMPARE(ReadAll(dir.filePath("zel.dat")), dataBefore);
        // The owner's new item got its portrait from the program directory's database.
        checkImage(dir.filePath("owner_added.jpg"), 100, 1000, 100, 1000);
        for (const QString& name : kStateMaps)
            if (name != "Va.jpg")
                checkImage(dir.filePath(name), 100, 2000, 100, 2000);
        checkImage(dir.filePath("cannon1.jpg"), 60, 2000, 60, 2000);
        for (const QString& sound : kSounds)
            if (sound != "zelbuzz.wav")
                QVERIFY2(ReadWave(dir.filePath(sound)).error.isEmpty(), qPrintable(sound));
        // Items of the shipped database are drawn too, so the shipped file always has its pictures.
        const QString shippedData = sourceDir_ + "/assets/zel.dat";
        auto shipped = std::make_unique<bellarune::ItemTable>();
        QVERIFY(bellarune::ReadItemFile(shippedData.toStdString(), *shipped, quiet));
        for (int i = 1; i <= shipped->ItemCount; ++i) {
            const QString file = QString::fromStdString(shipped->Items[i].ImageFile);
            if (!file.isEmpty() && file != "owner_added.jpg" && file != "owner_kept.jpg")
                QVERIFY2(QFileInfo::exists(dir.filePath(file)), qPrintable(file));
        }

        // A second run finds everything in place and changes nothing.
        const QDir d(dir.path());
        QMap<QString, QByteArray> before;
        for (const QString& f : d.entryList(QDir::Files))
            before[f] = QCryptographicHash::hash(ReadAll(d.filePath(f)), QCryptographicHash::Sha1);
        const QByteArray second = runGenerator(dir.path());
        QVERIFY2(second.contains(" 0 written"), second.constData());
        QMap<QString, QByteArray> after;
        for (const QString& f : d.entryList(QDir::Files))
            after[f] = QCryptographicHash::hash(ReadAll(d.filePath(f)), QCryptographicHash::Sha1);
        QCOMPARE(after, before);
    }

    void generatorDrawsTheSamePersonTheSameWay()
    {
        // Portraits vary by a hash of the name: it must be stable from run to run,
        // and different people must not share one figure.
        QTemporaryDir a, b;
        auto table = std::make_unique<bellarune::ItemTable>();
        table->Items[1] = Person("Same Person", "p1.jpg", 0, "Captain");
        table->Items[2] = Person("Other Person Entirely", "p2.jpg", 0, "Captain");
        table->ItemCount = 2;
        bellarune::NullNotifier quiet;
        for (QTemporaryDir* d : {&a, &b})
            QVERIFY(bellarune::WriteItemFile(d->filePath("zel.dat").toStdString(), *table, quiet));
        QVERIFY(!runGenerator(a.path()).isEmpty());
        QVERIFY(!runGenerator(b.path()).isEmpty());
        const QImage first(a.filePath("p1.jpg")), again(b.filePath("p1.jpg")), other(a.filePath("p2.jpg"));
        QVERIFY(!first.isNull() && !other.isNull());
        QCOMPARE(first, again);
        QVERIFY(first != other);
    }

    void generatedSoundsAreShortQuietPcm()
    {
        QTemporaryDir dir;
        QVERIFY(!runGenerator(dir.path()).isEmpty());
        for (const QString& name : kSounds) {
            const Wave w = ReadWave(dir.filePath(name));
            QVERIFY2(w.error.isEmpty(), qPrintable(name + ": " + w.error));
            QCOMPARE(w.channels, 1);
            QCOMPARE(w.rate, 22050);
            QCOMPARE(w.bits, 16);
            QVERIFY2(w.seconds >= 0.05 && w.seconds <= 1.2, qPrintable(QString("%1: %2 s").arg(name).arg(w.seconds)));
            int peak = 0;
            for (qint16 s : w.samples)
                peak = qMax(peak, qAbs(int(s)));
            // Audible, yet well clear of full scale.
            QVERIFY2(peak > 3000 && peak < 26000, qPrintable(QString("%1: peak %2").arg(name).arg(peak)));
            // Faded at both ends, so it starts and stops without a click.
            QVERIFY2(qAbs(int(w.samples.first())) < 300 && qAbs(int(w.samples.last())) < 300, qPrintable(name));
        }
        const Wave fanfare = ReadWave(dir.filePath("zelfanfare.wav"));
        QVERIFY(fanfare.seconds >= 0.7);
    }

    void generatorHandlesAFullDatabaseQuickly()
    {
        QTemporaryDir dir;
        auto table = std::make_unique<bellarune::ItemTable>();
        for (int i = 1; i <= bellarune::kItemCapacity; ++i) {
            bellarune::ItemRecord r = Person("Person Number " + std::to_string(i), "item" + std::to_string(i) + ".jpg",
                                             int16_t(i % 2), i % 3 ? "Brigadier General" : "Surgeon");
            r.ItemType = int16_t(i % 4);   // officers, battles, other events, other persons
            r.DateText = "May " + std::to_string(i % 28 + 1) + ", 1863";
            table->Items[i] = r;
        }
        table->ItemCount = bellarune::kItemCapacity;
        bellarune::NullNotifier quiet;
        QVERIFY(bellarune::WriteItemFile(dir.filePath("zel.dat").toStdString(), *table, quiet));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!runGenerator(dir.path()).isEmpty());
        const qint64 ms = timer.elapsed();
        qInfo("400 items drawn in %lld ms", static_cast<long long>(ms));
        // Generous for a loaded machine or a sanitizer build; a normal build takes about a second.
        QVERIFY2(ms < 60000, qPrintable(QString::number(ms)));
        for (int i = 1; i <= bellarune::kItemCapacity; ++i) {
            const QString file = dir.filePath(QString("item%1.jpg").arg(i));
            const QImage img(file);
            QVERIFY2(!img.isNull(), qPrintable(file));
            // JPEGs stay small enough for 400 of them.
            QVERIFY2(QFileInfo(file).size() < 60000, qPrintable(file));
        }
    }

    void generatorRefusesBadArguments()
    {
        QProcess proc;
        proc.start(generator_, {sourceDir_ + "/assets"});
        QVERIFY(proc.waitForFinished(60000));
        QVERIFY(proc.exitCode() != 0);
    }
};

QTEST_GUILESS_MAIN(TestAssetGen)
#include "test_assetgen.moc"
