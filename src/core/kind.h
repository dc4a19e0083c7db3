#pragma once

#include <QString>
#include <optional>

// The two kinds of organisational unit: the ministry's own units (MN) register products,
// decentralised entities (EX) register territorial actions.
enum class Kind { MN, EX };

QString kindCode(Kind kind);
std::optional<Kind> kindFromCode(const QString& code);

// Captions of the three levels of the hierarchy and of the item a unit registers.
struct KindCaptions {
    QString level1;
    QString level2;
    QString level3;
    QString item;
};

KindCaptions kindCaptions(Kind kind);

