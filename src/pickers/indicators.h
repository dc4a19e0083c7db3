#pragma once

#include "plan/goalmath.h"

#include <QObject>
#include <QStringView>
#include <optional>

class Connection;
class Query;

// The quantity typed for an indicator: a whole number that an integer column holds; none
// for an empty box, letters, decimals or a number out of range.
std::optional<qint64> indicatorQuantity(QStringView text);

// The general indicators of a product with their quantities (p_uniindi). Lines are
// numbered per product and year after the highest number ever used, removed lines
// included; the list shows the product's indicators of every year. Removing a line marks
// it removed (ok "N"); the row stays.
//
// Each operation is meant to run inside one user action.
class IndicatorLinks : public QObject {
    Q_OBJECT
public:
    explicit IndicatorLinks(Connection* connection, QObject* parent = nullptr);

    // Reads the product's listed indicators of every year into ADOQuery1.
    void list(const QString& unit, qint64 product);
    // Stores the indicator with its quantity and the product's next line number in the year
    // (taken so that two workstations never share one); returns that number.
    qint64 store(const ProductKey& key, qint64 indicator, qint64 quantity);
    // Marks the line of that year removed. Returns the rows marked.
    int remove(const ProductKey& key, qint64 line);

    Query* ADOQuery1;
    Query* Qagrindi;
    Query* Qelimina;

private:
    Connection* m_connection;
};
