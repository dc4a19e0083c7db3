#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

// A filter of a table dataset in the system's own form: equalities of a column with a
// quoted text, joined by "and" or "or" ("cod_unidad='X' and uni_gestion='2008'"). The
// values never become part of a statement: they are bound.
class Filter {
public:
    struct Term {
        QString field;
        QString value;
        bool orWithPrevious = false;
        bool operator==(const Term&) const = default;
    };

    Filter() = default;
    // Reads an expression; an apostrophe inside a value is written twice ('O''Brien').
    // Throws StoreError when the text is not such an expression.
    static Filter parse(const QString& expression);
    static Filter equals(const QString& field, const QString& value);

    Filter& andEquals(const QString& field, const QString& value);
    Filter& orEquals(const QString& field, const QString& value);

    bool isEmpty() const { return m_terms.isEmpty(); }
    const QList<Term>& terms() const { return m_terms; }

    // The expression as the system writes it, apostrophes doubled.
    QString text() const;

    bool operator==(const Filter&) const = default;

private:
    QList<Term> m_terms;
};
