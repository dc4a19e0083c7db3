#include "fuzzing.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzing {

namespace {

QString& current() {
    static QString text;
    return text;
}

} // namespace

QString text(const uint8_t* data, size_t size) {
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        QString t;
        for (size_t i = 2; i + 1 < size; i += 2)
            t.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
        return t;
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

void setCurrent(const QString& text) {
    current() = text;
}

void fail(const char* what, const char* file, int line) {
    // The text as code units, so that blanks, NULs and surrogates can be seen.
    QString units;
    for (const QChar c : current())
        units += c.unicode() >= 0x20 && c.unicode() < 0x7F
                     ? QString(c)
                     : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    std::fprintf(stderr, "%s:%d: check failed: %s\n  input: \"%s\"\n", file, line, what,
                 units.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

} // namespace fuzzing
