#include "filter.h"

#include "storeerror.h"

namespace {

class Reader {
public:
    explicit Reader(const QString& text)
        : m_text(text) {}

    void skipBlanks() {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }
    bool atEnd() {
        skipBlanks();
        return m_pos >= m_text.size();
    }
    QString name() {
        skipBlanks();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == u'_'))
            ++m_pos;
        if (m_pos == start)
            fail();
        return m_text.mid(start, m_pos - start);
    }
    void expect(QChar c) {
        skipBlanks();
        if (m_pos >= m_text.size() || m_text[m_pos] != c)
            fail();
        ++m_pos;
    }
    QString quoted() {
        expect(u'\'');
        QString value;
        while (true) {
            if (m_pos >= m_text.size())
                fail();
            const QChar c = m_text[m_pos++];
            if (c == u'\'') {
                if (m_pos < m_text.size() && m_text[m_pos] == u'\'') {
                    value += c;
                    ++m_pos;
                    continue;
                }
                return value;
            }
            value += c;
        }
    }
    [[noreturn]] void fail() const {
        throw StoreError(QStringLiteral("Filtro no válido: %1").arg(m_text));
    }

private:
    const QString& m_text;
    qsizetype m_pos = 0;
};

} // namespace

Filter Filter::parse(const QString& expression) {
    Filter f;
    Reader r(expression);
    if (r.atEnd())
        return f;
    bool orWithPrevious = false;
    while (true) {
        Term term;
        term.field = r.name();
        r.expect(u'=');
        term.value = r.quoted();
        term.orWithPrevious = orWithPrevious;
        f.m_terms.append(term);
        if (r.atEnd())
            break;
        const QString joiner = r.name().toLower();
        if (joiner == QLatin1String("and"))
            orWithPrevious = false;
        else if (joiner == QLatin1String("or"))
            orWithPrevious = true;
        else
            r.fail();
    }
    return f;
}

Filter Filter::equals(const QString& field, const QString& value) {
    Filter f;
    f.m_terms.append({field, value, false});
    return f;
}

Filter& Filter::andEquals(const QString& field, const QString& value) {
    m_terms.append({field, value, false});
    return *this;
}

Filter& Filter::orEquals(const QString& field, const QString& value) {
    m_terms.append({field, value, !m_terms.isEmpty()});
    return *this;
}

QString Filter::text() const {
    QString out;
    for (const Term& t : m_terms) {
        if (!out.isEmpty())
            out += t.orWithPrevious ? QStringLiteral(" or ") : QStringLiteral(" and ");
        QString v = t.value;
        v.replace(u'\'', QStringLiteral("''"));
        out += t.field + QStringLiteral("='") + v + QLatin1Char('\'');
    }
    return out;
}
