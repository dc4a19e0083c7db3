#pragma once

#include <QString>

class QWidget;

// A character beyond the first 65536 ("🌱") is two code units, and a line edit that has
// room for one unit more takes the first alone: half a character, which the box shows as
// garbage and the engines store each in its own way (one as U+FFFD, the other as "?").
// Every line edit under `root` drops such a half as soon as it is typed or pasted, so that
// a box always holds whole characters and what is stored is what it shows.
namespace WholeCharacters {

void install(QWidget* root);

// The text without surrogate halves that have no partner.
QString of(const QString& text);

} // namespace WholeCharacters
