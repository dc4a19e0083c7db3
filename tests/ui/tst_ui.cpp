#include "fixture/testmain.h"

QObject* formTests();
QObject* widgetTests();

MONITOREO_TEST_MAIN(formTests(), widgetTests())
