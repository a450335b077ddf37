// The game's nine sound effects, synthesized: PCM 16-bit mono 22050 Hz wave files,
// moderate in level and faded in and out so that none of them clicks.
#include <QtEndian>
#include <QtMath>
#include <vector>

#include "assetgen.h"

namespace assetgen {

namespace {

using Samples = std::vector<double>;

Samples Silence(double seconds)
{
    return Samples(static_cast<size_t>(std::ceil(seconds * kSampleRate)), 0.0);
}

// Adds a tone with the given partials (multiples of f and their levels), an
// exponential decay and an optional pitch glide from f to fEnd.
void AddTone(Samples& s, double start, double length, double f, double fEnd, double level, double decay,
             std::initializer_list<std::pair<double, double>> partials)
{
    const size_t first = static_cast<size_t>(start * kSampleRate);
    const size_t n = static_cast<size_t>(length * kSampleRate);
    double phase = 0;
    for (size_t i = 0; i < n && first + i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double freq = f + (fEnd - f) * (t / length);
        phase += 2 * M_PI * freq / kSampleRate;
        double v = 0;
        for (const auto& [mult, amp] : partials)
            v += amp * std::sin(phase * mult);
        s[first + i] += level * v * std::exp(-decay * t);
    }
}

void AddNoise(Samples& s, double start, double length, double level, double decay, double smoothing,
              uint32_t seed)
{
    Rng rng(seed);
    const size_t first = static_cast<size_t>(start * kSampleRate);
    const size_t n = static_cast<size_t>(length * kSampleRate);
    double low = 0;
    for (size_t i = 0; i < n && first + i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        low += (rng.range(-1, 1) - low) * smoothing;  // one-pole low-pass
        s[first + i] += level * low * std::exp(-decay * t);
    }
}

// A brass note: odd and even harmonics that brighten as the note swells, and a slight vibrato.
void AddBugleNote(Samples& s, double start, double length, double f, double level)
{
    const size_t first = static_cast<size_t>(start * kSampleRate);
    const size_t n = static_cast<size_t>(length * kSampleRate);
    double phase = 0;
    for (size_t i = 0; i < n && first + i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double attack = qMin(1.0, t / 0.025);
        const double release = qMin(1.0, (length - t) / 0.04);
        const double env = attack * qMax(0.0, release);
        const double vib = 1 + 0.004 * std::sin(2 * M_PI * 5.5 * t) * qMin(1.0, t / 0.2);
        phase += 2 * M_PI * f * vib / kSampleRate;
        const double bright = 0.5 + 0.5 * env;
        double v = std::sin(phase) + 0.55 * bright * std::sin(2 * phase) +
                   0.4 * bright * std::sin(3 * phase) + 0.25 * bright * std::sin(4 * phase) +
                   0.12 * bright * std::sin(5 * phase) + 0.06 * std::sin(6 * phase);
        s[first + i] += level * env * v / 2.4;
    }
}

// Scales the sound to the given peak and fades its ends.
void Finish(Samples& s, double peak, double fadeIn, double fadeOut)
{
    double top = 0;
    for (double v : s)
        top = qMax(top, std::abs(v));
    if (top > 0)
        for (double& v : s)
            v *= peak / top;
    const size_t in = static_cast<size_t>(fadeIn * kSampleRate);
    const size_t out = static_cast<size_t>(fadeOut * kSampleRate);
    for (size_t i = 0; i < in && i < s.size(); ++i)
        s[i] *= static_cast<double>(i) / in;
    for (size_t i = 0; i < out && i < s.size(); ++i)
        s[s.size() - 1 - i] *= static_cast<double>(i) / out;
}

Samples Make(int n)
{
    Samples s;
    switch (n) {
        case 0:  // click: a short tap of filtered noise over a high tick
            s = Silence(0.06);
            AddNoise(s, 0, 0.06, 1.0, 120, 0.5, 7);
            AddTone(s, 0, 0.06, 2200, 1800, 0.6, 90, {{1, 1}});
            Finish(s, 0.45, 0.002, 0.01);
            break;
        case 1:  // bar picked up: a quick rising blip
            s = Silence(0.10);
            AddTone(s, 0, 0.10, 520, 900, 1, 18, {{1, 1}, {2, 0.25}});
            Finish(s, 0.45, 0.004, 0.02);
            break;
        case 2:  // bar dropped: a soft falling thud
            s = Silence(0.16);
            AddTone(s, 0, 0.16, 320, 140, 1, 22, {{1, 1}, {2, 0.3}});
            AddNoise(s, 0, 0.05, 0.3, 60, 0.15, 11);
            Finish(s, 0.5, 0.003, 0.03);
            break;
        case 3:  // right letter: a bright ding
            s = Silence(0.22);
            AddTone(s, 0, 0.22, 1318.5, 1318.5, 1, 16, {{1, 1}, {2, 0.35}, {3, 0.12}});
            Finish(s, 0.45, 0.003, 0.04);
            break;
        case 4:  // chime: a bell with inharmonic partials
            s = Silence(0.8);
            AddTone(s, 0, 0.8, 880, 880, 1, 5, {{1, 1}, {2.01, 0.5}, {2.76, 0.35}, {5.4, 0.15}});
            AddTone(s, 0.12, 0.68, 1174.7, 1174.7, 0.6, 6, {{1, 1}, {2.01, 0.4}});
            Finish(s, 0.42, 0.003, 0.12);
            break;
        case 5: {  // fanfare: a bugle call on the notes of the horn, G4 C5 E5 G5 ... C6
            s = Silence(1.05);
            const double G4 = 392.0, C5 = 523.25, E5 = 659.26, G5 = 783.99;
            AddBugleNote(s, 0.00, 0.13, G4, 1);
            AddBugleNote(s, 0.14, 0.13, C5, 1);
            AddBugleNote(s, 0.28, 0.13, E5, 1);
            AddBugleNote(s, 0.42, 0.10, G5, 1);
            AddBugleNote(s, 0.53, 0.09, E5, 0.9);
            AddBugleNote(s, 0.63, 0.40, G5, 1);
            Finish(s, 0.55, 0.005, 0.06);
            break;
        }
        case 6:  // wrong letter: a dull two-step bonk downward
            s = Silence(0.3);
            AddTone(s, 0, 0.13, 233, 220, 1, 14, {{1, 1}, {2, 0.4}, {3, 0.2}});
            AddTone(s, 0.14, 0.16, 185, 165, 1, 14, {{1, 1}, {2, 0.4}, {3, 0.2}});
            Finish(s, 0.5, 0.004, 0.04);
            break;
        case 7:  // tick: a dry wooden tick
            s = Silence(0.06);
            AddTone(s, 0, 0.06, 1500, 1200, 1, 140, {{1, 1}, {2.3, 0.4}});
            AddNoise(s, 0, 0.02, 0.4, 200, 0.6, 3);
            Finish(s, 0.4, 0.001, 0.01);
            break;
        case 8:  // wrong answer: a low buzz
            s = Silence(0.55);
            AddTone(s, 0, 0.55, 110, 98, 1, 1.5,
                    {{1, 1}, {2, 0.5}, {3, 0.33}, {4, 0.25}, {5, 0.2}, {6, 0.16}, {7, 0.14}, {8, 0.12}});
            Finish(s, 0.45, 0.01, 0.06);
            break;
        default:
            break;
    }
    return s;
}

}  // namespace

const QStringList& SoundFileNames()
{
    static const QStringList names = {"zelclick.wav",  "zelpick.wav",  "zeldrop.wav",
                                      "zelletter.wav", "zelchime.wav", "zelfanfare.wav",
                                      "zelmiss.wav",   "zeltick.wav",  "zelbuzz.wav"};
    return names;
}

QByteArray SynthesizeSound(int n)
{
    const Samples s = Make(n);
    const quint32 dataBytes = static_cast<quint32>(s.size() * 2);
    QByteArray out;
    out.reserve(44 + static_cast<int>(dataBytes));
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    out.append("RIFF", 4);
    u32(36 + dataBytes);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(kSampleRate);
    u32(kSampleRate * 2);  // bytes per second
    u16(2);                // block align
    u16(16);               // bits per sample
    out.append("data", 4);
    u32(dataBytes);
    for (double v : s)
        u16(static_cast<quint16>(static_cast<qint16>(qRound(qBound(-1.0, v, 1.0) * 32767))));
    return out;
}

}  // namespace assetgen
