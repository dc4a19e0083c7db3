#pragma once

#include <QDate>

// Today's date as every window and rule reads it: the system clock's, unless a day has been
// fixed (tests fix it, so that what depends on the day is known).
QDate today();

// Fixes the day today() returns; an invalid date gives the clock back.
void fixToday(const QDate& day);
