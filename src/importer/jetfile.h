#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

// An office's old database file (Jet 3 or 4, "QUV.mdb"), read through libmdb: its tables,
// their columns and their rows with their types. Nothing of the file is changed.
class JetFile {
public:
    enum class Type { Text, Memo, Integer, Float, DateTime, Money, Boolean, Other };
    struct Column {
        QString name;
        Type type;
        int size = 0; // characters of a text
    };

    // Throws Error when the file cannot be read or is not a Jet file.
    explicit JetFile(const QString& path);
    ~JetFile();
    JetFile(const JetFile&) = delete;
    JetFile& operator=(const JetFile&) = delete;

    // The user tables, in the file's order.
    QStringList tables() const;
    QList<Column> columns(const QString& table) const;
    // How many rows the table says it holds.
    qint64 rowCount(const QString& table) const;

    // Reads every row of a table, in the file's order, handing each to `row` with one value
    // per column: QString for texts and memos, qlonglong for integers, double for floating
    // numbers, QDateTime for date-times, Money for amounts (exact, never through a binary
    // float), bool for yes/no; null for NULL. `row` returns false to stop. Throws Error
    // when a page of the file cannot be read.
    void readRows(const QString& table,
                  const std::function<bool(const QVariantList& values)>& row) const;

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    QString m_path;
};
