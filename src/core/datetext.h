#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// The locale of every text the program shows: the user's own when it is Spanish, else
// Spanish (Bolivia), so that month names agree with the Spanish captions on any machine.
QLocale displayLocale(const QLocale& system = QLocale::system());
// Makes the display locale the default of the whole program; done before any window is made.
void useDisplayLocale();

// How dates are shown to the user: "dd/MMM/yyyy" with the locale's month abbreviation.
QString showDate(const QDate& date, const QLocale& locale = QLocale());

// The day/month/year text ("05/03/2008") in which dates are handed around as parameters.
QString paramDateText(const QDate& date);

// Reads a day/month/year text ("05/03/2008", also "5/3/2008"). Throws ConversionError
// when the text is not a valid date.
QDate dateFromParamText(const QString& text);

// Reads a date as the user may see or type it: "05/03/2008", "05/mar/2008" (the locale's
// abbreviation) or "2008-03-05". Throws ConversionError otherwise.
QDate dateFromText(const QString& text, const QLocale& locale = QLocale());
