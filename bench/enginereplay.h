#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <memory>

struct ConnectionTarget;

// The statements of a user action as the store ran them, replayed on the engine alone (its
// own C library, no layer of ours) inside a transaction that is rolled back: how long the
// engine itself needs for what the action asked of it. Rows a statement returns are read
// to the end, each column as text.
class EngineReplay {
public:
    struct Statement {
        QString sql; // with "?" marks
        QVariantList bound;
    };

    static std::unique_ptr<EngineReplay> open(const ConnectionTarget& target);
    virtual ~EngineReplay() = default;

    // Milliseconds the statements took; negative when the engine refused one.
    virtual double run(const QList<Statement>& statements) = 0;
    virtual QString name() const = 0;
};
