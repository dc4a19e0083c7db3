#include "today.h"

#include <QFile>
#include <ctime>

namespace {

QDate& fixedDay() {
    static QDate day;
    return day;
}

} // namespace

QDate today() {
    return fixedDay().isValid() ? fixedDay() : QDate::currentDate();
}

void fixToday(const QDate& day) {
    fixedDay() = day;
}

void keepLocalTimeZone() {
    const char* localTime = "/etc/localtime";
    if (!qEnvironmentVariableIsSet("TZ") && QFile::exists(QString::fromLatin1(localTime))) {
        qputenv("TZ", QByteArray(":") + localTime);
        tzset();
    }
}
