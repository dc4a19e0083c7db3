#pragma once

#include <QString>

class Connection;
struct sqlite3;
struct sqlite3_backup;

// A consistent copy of the embedded store in a file of its own, made through SQLite's
// online backup while other workstations go on working: the copy is what the store held
// at one moment. It is written beside the chosen file and takes its name only once it is
// whole and passes the engine's integrity check; a copy left unfinished leaves nothing.
class StoreCopy {
public:
    // Throws StoreError when the connection is not an embedded store, when `target` is the
    // store itself, or when the file cannot be written.
    StoreCopy(Connection& store, const QString& target);
    ~StoreCopy();
    StoreCopy(const StoreCopy&) = delete;
    StoreCopy& operator=(const StoreCopy&) = delete;

    // Copies the next pages; true once every page is copied. A write of another program
    // meanwhile makes the copy start again, so that it stays consistent.
    bool step();
    int pagesCopied() const { return m_total - m_remaining; }
    int pageCount() const { return m_total; }

    // Checks the whole copy and gives it its name, replacing a file of that name. Throws
    // StoreError when the copy is not sound.
    void finish();

private:
    QString m_target;
    QString m_partial;
    sqlite3* m_copy = nullptr;
    sqlite3_backup* m_backup = nullptr;
    int m_total = 0;
    int m_remaining = 0;
    bool m_done = false;
};
