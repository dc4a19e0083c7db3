#include "sqltext.h"

#include <QList>

namespace {

bool isNameStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

enum class Kind { Name, Parameter, Operator, Punct, Other };

struct Token {
    Kind kind;
    QString text; // names in lower case
};

bool isComparison(const Token& t) {
    static const QStringList ops{"=", "<>", "!=", "<", ">", "<=", ">="};
    return t.kind == Kind::Operator && ops.contains(t.text);
}

bool isWord(const Token& t, const char* word) {
    return t.kind == Kind::Name && t.text == QLatin1String(word);
}

// The column a name ending at token i stands for ("t_hito . hito_fecini" gives the last).
QString columnAt(const QList<Token>& tokens, qsizetype i) {
    if (i < 0 || tokens[i].kind != Kind::Name)
        return {};
    static const QStringList keywords{"and", "or", "not", "where", "set", "select", "values"};
    return keywords.contains(tokens[i].text) ? QString() : tokens[i].text;
}

// Fills the column of every parameter from the tokens around it.
QStringList parameterColumns(const QList<Token>& tokens) {
    QStringList columns;
    QStringList insertColumns;
    int valuesDepth = -1; // depth of the parentheses of an insert's value list
    int valuePosition = 0;
    int depth = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (isWord(t, "insert") && i + 3 < tokens.size() && isWord(tokens[i + 1], "into")) {
            // insert into <table> ( a , b , c ) values (
            insertColumns.clear();
            qsizetype j = i + 3;
            if (j < tokens.size() && tokens[j].text == QLatin1String("(")) {
                for (++j; j < tokens.size() && tokens[j].text != QLatin1String(")"); ++j)
                    if (tokens[j].kind == Kind::Name)
                        insertColumns.append(tokens[j].text);
            }
        }
        if (t.kind == Kind::Punct) {
            if (t.text == QLatin1String("(")) {
                ++depth;
                if (i > 0 && isWord(tokens[i - 1], "values")) {
                    valuesDepth = depth;
                    valuePosition = 0;
                }
            } else if (t.text == QLatin1String(")")) {
                if (depth == valuesDepth)
                    valuesDepth = -1;
                --depth;
            } else if (t.text == QLatin1String(",") && depth == valuesDepth) {
                ++valuePosition;
            }
            continue;
        }
        if (t.kind != Kind::Parameter)
            continue;
        QString column;
        if (valuesDepth > 0 && depth == valuesDepth)
            column = insertColumns.value(valuePosition);
        else if (i >= 1 && isWord(tokens[i - 1], "between"))
            column = columnAt(tokens, i - 2);
        else if (i >= 3 && isWord(tokens[i - 1], "and") && isWord(tokens[i - 3], "between"))
            column = columnAt(tokens, i - 4);
        else if (i >= 2 && isComparison(tokens[i - 1]))
            column = columnAt(tokens, i - 2);
        else if (i >= 1 && isWord(tokens[i - 1], "like"))
            column = columnAt(tokens, i - 2);
        else if (i + 2 < tokens.size() && isComparison(tokens[i + 1]))
            column = columnAt(tokens, i + 2);
        columns.append(column);
    }
    return columns;
}

// Aggregates whose result holds what their column holds.
bool keepsType(const QString& function) {
    static const QStringList same{"max", "min", "first", "last", "sum"};
    return same.contains(function);
}

// One item of a select list: "name", "t name", "f ( [distinct] [t] name )", each with an
// optional "[as] alias". The source of the alias, if the item has that shape.
void addResultSource(const QList<Token>& item, QHash<QString, QString>& sources) {
    QList<Token> expression = item;
    QString alias;
    const qsizetype n = item.size();
    if (n >= 3 && isWord(item[n - 2], "as") && item[n - 1].kind == Kind::Name) {
        alias = item[n - 1].text;
        expression = item.mid(0, n - 2);
    }
    if (alias.isEmpty() || expression.isEmpty())
        return; // a plain column keeps its own name, and its type with it
    const qsizetype m = expression.size();
    if (expression[0].kind == Kind::Name && m >= 3 && expression[1].text == QLatin1String("(") &&
        expression[m - 1].text == QLatin1String(")")) {
        const QString function = expression[0].text;
        if (function == QLatin1String("count")) {
            sources.insert(alias, QStringLiteral("count(*)"));
            return;
        }
        if (!keepsType(function))
            return;
        const QList<Token> inside = expression.mid(2, m - 3);
        for (const Token& t : inside)
            if (t.kind != Kind::Name)
                return;
        if (inside.isEmpty() || inside.size() > 3)
            return;
        sources.insert(alias, inside.last().text);
        return;
    }
    for (const Token& t : expression)
        if (t.kind != Kind::Name)
            return;
    if (m <= 2)
        sources.insert(alias, expression.last().text);
}

QHash<QString, QString> resultSources(const QList<Token>& tokens) {
    QHash<QString, QString> sources;
    qsizetype i = 0;
    while (i < tokens.size() && !isWord(tokens[i], "select"))
        ++i;
    if (i < tokens.size() && isWord(tokens.value(i + 1), "distinct"))
        ++i;
    QList<Token> item;
    int depth = 0;
    for (++i; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (depth == 0 &&
            (isWord(t, "from") || (t.kind == Kind::Punct && t.text == QLatin1String(",")))) {
            addResultSource(item, sources);
            item.clear();
            if (isWord(t, "from"))
                break;
            continue;
        }
        if (t.kind == Kind::Punct && t.text == QLatin1String("("))
            ++depth;
        else if (t.kind == Kind::Punct && t.text == QLatin1String(")"))
            --depth;
        item.append(t);
    }
    return sources;
}

} // namespace

PositionalSql toPositional(const QString& sql) {
    PositionalSql out;
    out.text.reserve(sql.size());
    QList<Token> tokens;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            out.text += c;
            continue;
        }
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
            const QStringView whole = QStringView(sql).mid(start, qMin(i, n - 1) - start + 1);
            out.text += whole;
            if (c == u'"')
                tokens.append({Kind::Name, whole.mid(1, whole.size() - 2).toString().toLower()});
            else
                tokens.append({Kind::Other, {}});
            continue;
        }
        if (c == u':' && i + 1 < n && sql[i + 1] == u':') {
            out.text += QStringLiteral("::");
            tokens.append({Kind::Operator, QStringLiteral("::")});
            ++i;
            continue;
        }
        if ((c == u':' && i + 1 < n && isNameStart(sql[i + 1])) || c == u'?') {
            if (c == u':') {
                ++i;
                while (i + 1 < n && isNamePart(sql[i + 1]))
                    ++i;
            }
            out.text += u'?';
            ++out.parameterCount;
            tokens.append({Kind::Parameter, {}});
            continue;
        }
        if (isNameStart(c)) {
            const qsizetype start = i;
            while (i + 1 < n && isNamePart(sql[i + 1]))
                ++i;
            const QString name = sql.mid(start, i - start + 1);
            out.text += name;
            tokens.append({Kind::Name, name.toLower()});
            continue;
        }
        if (c == u'<' || c == u'>' || c == u'=' || c == u'!') {
            QString op(c);
            if (i + 1 < n && (sql[i + 1] == u'=' || (c == u'<' && sql[i + 1] == u'>')))
                op += sql[++i];
            out.text += op;
            tokens.append({Kind::Operator, op});
            continue;
        }
        out.text += c;
        if (c == u'(' || c == u')' || c == u',')
            tokens.append({Kind::Punct, QString(c)});
        else if (c != u'.') // "t.col" reads as the column
            tokens.append({Kind::Other, QString(c)});
    }
    out.parameterColumns = parameterColumns(tokens);
    out.resultSources = resultSources(tokens);
    return out;
}

QString numberedParameters(const QString& positional) {
    QString out;
    out.reserve(positional.size() + 16);
    QChar quote;
    int count = 0;
    for (const QChar c : positional) {
        if (!quote.isNull()) {
            if (c == quote) // a doubled quote closes and opens again
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'?') {
            out += u'$' + QString::number(++count);
            continue;
        }
        out += c;
    }
    return out;
}
