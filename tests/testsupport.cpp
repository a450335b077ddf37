#include "testsupport.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTimer>
#include <QWidget>

namespace bellarune::test {

ProgramDir::ProgramDir() : previous_(QDir::currentPath())
{
    QDir::setCurrent(dir_.path());
}

ProgramDir::~ProgramDir()
{
    QDir::setCurrent(previous_);
}

void ProgramDir::write(const QString& name, const std::string& contents) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(contents.data(), static_cast<qint64>(contents.size()));
}

std::string ProgramDir::read(const QString& name) const
{
    return readAll(file(name));
}

bool ProgramDir::exists(const QString& name) const
{
    return QFile::exists(file(name));
}

std::string readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

TestState::TestState(uint64_t seed)
{
    state.names.InitTables();
    state.rng.seed(seed);
    state.notifier = &notifier;
    state.sound = &sound;
    state.showText = [this](const std::string& file, int style) { textsShown.emplace_back(file, style); };
}

ItemRecord person(const std::string& name, int16_t year1, int16_t year2, const std::string& description,
                  int16_t itemType)
{
    ItemRecord r;
    r.Name = name;
    r.ItemType = itemType;
    r.Year1 = year1;
    r.Year2 = year2;
    r.Description = description;
    return r;
}

ItemRecord event(const std::string& name, int16_t itemType, int16_t year1, const std::string& dateText,
                 const std::string& description)
{
    ItemRecord r;
    r.Name = name;
    r.ItemType = itemType;
    r.Year1 = year1;
    r.Year2 = year1;
    r.DateText = dateText;
    r.Description = description;
    return r;
}

void setItems(GameState& state, const std::vector<ItemRecord>& items)
{
    state.table.ItemCount = static_cast<int16_t>(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        state.table.Items[i + 1] = items[i];
    state.TimesUsed.assign(items.size() + 1, 0);
}

void onNextModal(std::function<void(QWidget*)> fn, int timeoutMs)
{
    QWidget* before = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, before, fn, elapsed, timeoutMs] {
        QWidget* w = QApplication::activeModalWidget();
        *elapsed += 10;
        if (w && w != before && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            fn(w);
        } else if (*elapsed > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

struct ModalAutoCloser::Impl {
    QTimer timer;
    int closed = 0;
};

ModalAutoCloser::ModalAutoCloser(std::function<void(QWidget*)> onEach) : impl_(std::make_unique<Impl>())
{
    QObject::connect(&impl_->timer, &QTimer::timeout, [this, onEach] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (onEach)
            onEach(w);
        if (auto* d = qobject_cast<QDialog*>(w))
            d->done(0);
        else
            w->close();
        ++impl_->closed;
    });
    impl_->timer.start(10);
}

ModalAutoCloser::~ModalAutoCloser() = default;

int ModalAutoCloser::closed() const
{
    return impl_->closed;
}

}  // namespace bellarune::test
