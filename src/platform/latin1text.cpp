#include "latin1text.h"

#include <QList>

namespace bellarune {

namespace {

// Windows-1252 for 0x80..0x9F; 0 where it has no character (the byte then stands for itself).
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte for a character, or -1 when the file cannot hold it.
int byteFor(char32_t c)
{
    if (c < 0x100)
        return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

// Punctuation whose nearest plain character the Unicode decompositions do not give.
char nearestPunctuation(char32_t c)
{
    switch (c) {
        case 0x2010:  // hyphens and dashes Windows-1252 lacks
        case 0x2011:
        case 0x2012:
        case 0x2015:
        case 0x2043:
        case 0x2212:
        case 0x2E3A:
        case 0x2E3B:
            return '-';
        case 0x201B:  // single quotes and primes
        case 0x2032:
        case 0x2035:
        case 0x02BC:
        case 0x02B9:
            return '\'';
        case 0x201F:  // double quotes and primes
        case 0x2033:
        case 0x2036:
        case 0x02BA:
        case 0x275D:
        case 0x275E:
        case 0x301D:
        case 0x301E:
            return '"';
        case 0x2044:
        case 0x2215:
            return '/';
        case 0x2027:
        case 0x2219:
        case 0x22C5:
            return static_cast<char>(0xB7);  // middle dot
        default:
            return 0;
    }
}

// The nearest plain text for a character the file cannot hold: its compatibility
// decomposition without accents ("ā" a, "ﬁ" fi, a thin space a blank), a punctuation
// mark's plain form, else '?'.
QString nearest(char32_t c)
{
    if (const char p = nearestPunctuation(c))
        return QString(QChar(static_cast<unsigned char>(p)));
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    QString plain;
    for (QChar d : decomposed) {
        if (d.category() == QChar::Mark_NonSpacing)
            continue;
        if (byteFor(d.unicode()) < 0x20 && d != ' ')
            return QStringLiteral("?");  // nothing near, or a control code
        plain += d;
    }
    return plain.isEmpty() ? QStringLiteral("?") : plain;
}

}  // namespace

QString qs(const std::string& s)
{
    QString out(static_cast<qsizetype>(s.size()), Qt::Uninitialized);
    QChar* d = out.data();
    for (const char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        *d++ = QChar(b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] ? kHigh[b - 0x80] : char16_t(b));
    }
    return out;
}

std::string ss(const QString& s)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(s.size()));
    for (const char32_t c : s.toUcs4()) {
        const int b = byteFor(c);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

QString displayText(const std::string& s)
{
    QString t = qs(s);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

QString storableText(const QString& text, bool* lost)
{
    QString out;
    out.reserve(text.size());
    bool replaced = false;
    for (const char32_t c : text.toUcs4()) {
        if (byteFor(c) >= 0) {
            out += QString::fromUcs4(&c, 1);
        } else {
            out += nearest(c);
            replaced = true;
        }
    }
    if (lost && replaced)
        *lost = true;
    return out;
}

}  // namespace bellarune
