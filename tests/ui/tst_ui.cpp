#include "fixture/guimain.h"

QObject* formTests();
QObject* widgetTests();
QObject* leaveTests();
QObject* keysTests();

MONITOREO_GUI_TEST_MAIN(formTests(), widgetTests(), leaveTests(), keysTests())
