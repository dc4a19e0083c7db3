#include "fixture/testmain.h"

QObject* formTests();
QObject* widgetTests();
QObject* leaveTests();

MONITOREO_TEST_MAIN(formTests(), widgetTests(), leaveTests())
