#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

class Connection;

// Runs one statement with its values bound in order (positional "?" marks), reading its
// results forward and exactly (amounts as decimal text). Throws StoreError with the
// engine's message.
QSqlQuery runStatement(Connection& connection, const QString& sql, const QVariantList& params);
