#include "sqlitetext.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <sqlite3.h>

namespace {

// SQLite's own lower(), upper(), LIKE and NOCASE know only the letters A to Z. The
// program's connections redefine them for every letter, as PostgreSQL's lower() and citext
// treat them, so that "ÑANDÚ" and "ñandú" are one name on both engines and "nandu" another.
QString utf8Text(sqlite3_value* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

template <bool toLower> void caseFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QString value = utf8Text(argv[0]);
    const QByteArray result = (toLower ? value.toLower() : value.toUpper()).toUtf8();
    sqlite3_result_text(context, result.constData(), int(result.size()), SQLITE_TRANSIENT);
}

constexpr unsigned asciiLower(unsigned c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

// Text order without regard to case: by the lower-case letters, as citext orders them.
// Codes and years are plain ASCII: they are compared byte by byte up to the first other
// letter, from which on both texts are compared whole by their lower-case characters. An
// ASCII prefix lowers letter by letter, so both ways give one order.
int compareNoCase(void*, int n1, const void* s1, int n2, const void* s2) {
    const auto* a = static_cast<const unsigned char*>(s1);
    const auto* b = static_cast<const unsigned char*>(s2);
    const int n = qMin(n1, n2);
    int i = 0;
    for (; i < n; ++i) {
        if ((a[i] | b[i]) >= 0x80)
            break;
        const unsigned ca = asciiLower(a[i]);
        const unsigned cb = asciiLower(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i == n)
        return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
    const QList<uint> cx =
        QString::fromUtf8(reinterpret_cast<const char*>(a + i), n1 - i).toLower().toUcs4();
    const QList<uint> cy =
        QString::fromUtf8(reinterpret_cast<const char*>(b + i), n2 - i).toLower().toUcs4();
    const auto order =
        std::lexicographical_compare_three_way(cx.begin(), cx.end(), cy.begin(), cy.end());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

// Whether `text` matches `pattern`, both already in lower case: % any run of characters, _
// one character, and `escape` (when given) makes the next character plain.
template <typename Letters>
bool likeMatches(const Letters& pattern, const Letters& text, std::optional<uint> escape) {
    const qsizetype m = pattern.size();
    const qsizetype n = text.size();
    qsizetype p = 0, t = 0, starP = -1, starT = 0;
    while (t < n) {
        if (p < m) {
            const uint c = pattern[p];
            if (escape && c == *escape && p + 1 < m) {
                if (uint(pattern[p + 1]) == uint(text[t])) {
                    p += 2;
                    ++t;
                    continue;
                }
            } else if (c == u'%') {
                starP = ++p;
                starT = t;
                continue;
            } else if (c == u'_' || c == uint(text[t])) {
                ++p;
                ++t;
                continue;
            }
        }
        if (starP < 0)
            return false;
        p = starP;
        t = ++starT;
    }
    while (p < m && pattern[p] == u'%')
        ++p;
    return p == m;
}

bool isAscii(sqlite3_value* value) {
    const auto* s = sqlite3_value_text(value);
    const int n = sqlite3_value_bytes(value);
    for (int i = 0; i < n; ++i)
        if (s[i] >= 0x80)
            return false;
    return true;
}

QByteArray asciiLowered(sqlite3_value* value) {
    QByteArray bytes(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                     sqlite3_value_bytes(value));
    for (char& c : bytes)
        c = char(asciiLower(uchar(c)));
    return bytes;
}

// X LIKE Y without regard to case, for every letter. Texts of ASCII alone, as the codes
// a report filters by, are matched byte by byte.
void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    std::optional<uint> escape;
    if (argc == 3) {
        const QString e = utf8Text(argv[2]);
        if (e.toUcs4().size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e.toLower().toUcs4().value(0);
    }
    const bool matched = isAscii(argv[0]) && isAscii(argv[1])
                             ? likeMatches(asciiLowered(argv[0]), asciiLowered(argv[1]), escape)
                             : likeMatches(utf8Text(argv[0]).toLower().toUcs4(),
                                           utf8Text(argv[1]).toLower().toUcs4(), escape);
    sqlite3_result_int(context, matched);
}

} // namespace

void addTextFunctions(sqlite3* s) {
    if (!s)
        return;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(s, "lower", 1, flags, nullptr, &caseFunction<true>, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(s, "upper", 1, flags, nullptr, &caseFunction<false>, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(s, "like", 2, flags, nullptr, &likeFunction, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(s, "like", 3, flags, nullptr, &likeFunction, nullptr, nullptr,
                               nullptr);
    sqlite3_create_collation_v2(s, "NOCASE", SQLITE_UTF8, nullptr, &compareNoCase, nullptr);
}
