#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <functional>

class Connection;

// Runs one statement with its values bound in order (positional "?" marks), reading its
// results forward and exactly (amounts as decimal text). Throws StoreError with the
// engine's message.
QSqlQuery runStatement(Connection& connection, const QString& sql, const QVariantList& params);

// Told of every statement run successfully, with the values as bound to the engine: how
// a benchmark replays a user action's statements on the engine alone. None by default;
// an empty function removes it.
using StatementObserver = std::function<void(const Connection& connection, const QString& sql,
                                             const QVariantList& bound)>;
void setStatementObserver(StatementObserver observer);
// Tells the observer of a statement run successfully some other way than runStatement.
void reportStatement(const Connection& connection, const QString& sql, const QVariantList& bound);
