#pragma once

#include <QDate>

// Today's date as every window and rule reads it: the system clock's, unless a day has been
// fixed (tests fix it, so that what depends on the day is known).
QDate today();

// Fixes the day today() returns; an invalid date gives the clock back.
void fixToday(const QDate& day);

// Has the C library read the machine's time zone once for the whole run. Without TZ set it
// reads /etc/localtime again at every conversion of a local time, which Qt's PostgreSQL
// driver makes for each date it hands back: a third of the time of a report of thousands
// of rows. Call before anything converts a time; a TZ already set is kept.
void keepLocalTimeZone();
