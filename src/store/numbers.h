#pragma once

#include "filter.h"

#include <QList>
#include <QString>
#include <QtGlobal>

class Connection;

// How the next number of a scope follows from the rows already in it.
enum class NumberRule {
    // The highest number of an integer column plus one; 1 in an empty scope (header
    // numbers per unit and year, report numbers per goal).
    Highest,
    // The number of rows in the scope plus one, whatever numbers they hold (the versions
    // of a product's budget in a year).
    Count,
    // The highest whole number written in a text column plus one, compared as numbers:
    // after "9" and "10" comes 11. Texts that are not whole numbers are left out; 1 when
    // none is (account numbers).
    HighestAsNumber,
};

// The next number of `column` among the rows of `table` that match `scope`. It is taken
// inside the current user action, whose transaction it begins, with the table locked
// against other workstations until the action ends: insert the row holding it in the same
// action. This is the only way to a new number: the lock is not to be had otherwise.
//
// The scope's columns are those of the table; its terms join as in a table's filter
// ("or" terms included) and its values are bound, a whole number for an integer column.
//
// Throws StoreError outside an action, for a table or a column the database lacks, and for
// a column the rule does not number (Highest and Count number integer columns,
// HighestAsNumber text columns). Throws ConversionError for a scope value an integer
// column cannot hold, and when the next number would not fit the column (past the largest
// integer of a column, past the largest qint64 for a text).
qint64 newNumber(Connection& connection, const QString& table, const QString& column,
                 const Filter& scope = {}, NumberRule rule = NumberRule::Highest);

// Rows of another table that carry numbers of the numbered scope: the integer `column` of
// the rows of `table` that match `scope` (a deleted header's reports and attributes still
// hold its number).
struct NumberHolders {
    QString table;
    QString column;
    Filter scope;
};

// The next number by the Highest rule, above every number `holders` still carry as well:
// a number that rows of other tables hold is not given again, even when the row it was
// taken for is gone. Taken and locked as above, on `table` alone; the holders are read
// within the same action. Throws as above, and for a holder's table or column the database
// lacks or that is not an integer column.
qint64 newNumber(Connection& connection, const QString& table, const QString& column,
                 const Filter& scope, const QList<NumberHolders>& holders);

// For numbers that follow a rule of their own (a product's goals keep their closing goal
// last): takes, inside the current user action, the same lock newNumber takes on `table`,
// so that what the action reads of it next stays as read until the action ends. Throws
// StoreError outside an action and for a table the database lacks.
void lockForOwnNumbers(Connection& connection, const QString& table);
