#pragma once

#include "core/kind.h"
#include "goalmath.h"

#include <QDate>
#include <QObject>
#include <optional>

class Connection;
class Query;
class Table;

// The goals of a product as the two initial data entry windows store them one by one.
// After every stored goal the list ends in the closing goal "Entrega de producto", from
// the day after the last entered goal to the product's end, at 100 %, unless that goal
// ends after the product. Ministry products number their goals from 1, territorial
// actions from 0; the closing goal holds the highest number.
//
// Each operation is meant to run inside one user action: its statements run in order and
// an error stops it, leaving the action to undo what it wrote.
class GoalEntry : public QObject {
    Q_OBJECT
public:
    // `products` is the table the product row is appended to.
    GoalEntry(Connection* connection, Table* products, Kind kind, QObject* parent = nullptr);

    // The goal list of a product, in number order (what the grid shows).
    Query* ADOQhito;

    // Reloads the goal list.
    void abre_hito(const ProductKey& key);

    // A new opening of the window: the product row is still to be written and the next
    // "Agregar meta" is the first.
    void begin();
    // "S" until the product row has been written during this opening.
    QString productPending() const { return m_productPending; }
    // Whether this is the first goal of the opening; from now on it no longer is.
    bool takeFirstGoal();

    // Columns the product row gets besides its key and dates (the attribute flags of a
    // territorial action).
    void setProductColumns(const QVariantHash& columns) { m_productColumns = columns; }

    struct NewGoal {
        QDate productStart;
        QDate productEnd;
        QString description;
        QDate start;
        QDate end;
    };
    enum class Outcome {
        Stored,
        // The goal ends before it starts; nothing but the product row was written.
        StartAfterEnd,
        // The product ends before it starts; nothing was written, not even the product
        // row.
        ProductEndsBeforeStart,
        // The goal lies outside the product's dates beyond the day of slack; nothing
        // but the product row was written.
        OutsideProduct,
    };
    // Stores a goal: writes the product row when it is missing, checks the dates, puts the
    // goal in place of the closing goal with its cumulative percentage and adds the
    // closing goal after it. The goal list is reloaded.
    Outcome storeGoal(const ProductKey& key, const NewGoal& goal);

    enum class Undone {
        Nothing,
        // The only entered goal: every goal and the product row are gone.
        Product,
        // The last entered goal is gone; the closing goal follows the one before it.
        LastGoal,
    };
    // "Deshacer": removes the last entered goal of the list, read again as stored (another
    // workstation may have changed it since it was shown). A goal that ended after the
    // product had no closing goal after it: the list goes back to what it was before that
    // goal was stored, with the closing goal after the goal now last when that one ends
    // within the product.
    Undone undo(const ProductKey& key);

    // The dates of the product's stored row; none when the product has no row.
    struct ProductDates {
        QDate start;
        QDate end;
    };
    std::optional<ProductDates> storedDates(const ProductKey& key);

    // Removes the product row and every goal of the product.
    void cancel(const ProductKey& key);

    // The statements, as the windows run them.
    Query* ADOQmax;
    Query* delete_ultimo;
    Query* updatehito;
    Query* Qdelhito;
    Query* Qdelprod;
    Query* Qdelpro;
    Query* Qdelmeta;
    Query* Qmaxhito;
    Query* Qdelhitoult;
    Query* Qupdatehito;
    Query* Qminfecha;
    Query* Qmaxfecha;
    Query* Qhito;
    Query* Qupdatefechas;
    Query* Qupdatepor;
    // The stored product row's dates.
    Query* Qproducto;

private:
    Query* query(const char* name, const char* sql);
    // Keeps other workstations from the product's goals until the action ends.
    void lockGoals();
    void writeProduct(const ProductKey& key, const QDate& start, const QDate& end);
    void insertGoal(const ProductKey& key, qint64 number, const QString& description,
                    const QDate& start, const QDate& end, qint64 percentage);
    // Whether the highest-numbered goal of the list as loaded is the closing goal: it
    // does not end after the product.
    bool endsInClosingGoal(const QDate& productEnd) const;

    Connection* m_connection;
    Table* m_products;
    Kind m_kind;
    QString m_productPending = QStringLiteral("S");
    QString m_firstGoal = QStringLiteral("S");
    QVariantHash m_productColumns;
};
