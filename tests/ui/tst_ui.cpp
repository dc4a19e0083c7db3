#include "fixture/guimain.h"

QObject* formTests();
QObject* widgetTests();

MONITOREO_GUI_TEST_MAIN(formTests(), widgetTests())
