#include "fixture/guimain.h"

QObject* formTests();
QObject* widgetTests();
QObject* leaveTests();

MONITOREO_GUI_TEST_MAIN(formTests(), widgetTests(), leaveTests())
