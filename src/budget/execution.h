#pragma once

#include "budgetmath.h"
#include "plan/goalmath.h"

#include <QDate>
#include <QObject>
#include <optional>

class Connection;
class Query;

// The executed budget of a product for a year, reported month by month into
// t_avanceflujo. Each report is one row holding the reported month's amount and 0 in the
// other months; it supersedes every earlier report of the product and year and takes the
// highest report number plus one.
//
// Each operation is meant to run inside one user action; a report needs one.
class BudgetExecution : public QObject {
    Q_OBJECT
public:
    explicit BudgetExecution(Connection* connection, QObject* parent = nullptr);

    // The current programme beside the current report.
    struct Figures {
        MonthAmounts programmed{};
        MonthAmounts executed{};
        Money programmedTotal;
        Money executedTotal;
        QDate reportDay;
        // executedTotal's share of programmedTotal, in percent to four decimals.
        Money executedShare;
    };
    // None unless the product has both a current cash flow and a current report. Should
    // several current rows join, the last one read counts.
    std::optional<Figures> current(const ProductKey& key);

    // Stores `amount` as executed in `month` (1 to 12), reported on `day` by `user`; returns
    // the report's number.
    qint64 report(const ProductKey& key, int month, Money amount, const QDate& day,
                  const QString& user);

    Query* Qavance;
    Query* Qupdate;
    Query* Qinsert;

private:
    Connection* m_connection;
};
