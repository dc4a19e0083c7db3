#include "sqltext.h"

namespace {

bool isNameStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

PositionalSql toPositional(const QString& sql) {
    PositionalSql out;
    out.text.reserve(sql.size());
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            // Copy a quoted text or name whole; a doubled quote stays inside it.
            const qsizetype start = i++;
            while (i < n) {
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            out.text += QStringView(sql).mid(start, qMin(i, n - 1) - start + 1);
            continue;
        }
        if (c == u':' && i + 1 < n && sql[i + 1] == u':') {
            out.text += QStringLiteral("::");
            ++i;
            continue;
        }
        if (c == u':' && i + 1 < n && isNameStart(sql[i + 1])) {
            ++i;
            while (i + 1 < n && isNamePart(sql[i + 1]))
                ++i;
            out.text += u'?';
            ++out.parameterCount;
            continue;
        }
        if (c == u'?')
            ++out.parameterCount;
        out.text += c;
    }
    return out;
}
