#include "fixture/testmain.h"

QObject* connectionTests();
QObject* schemaTests();
QObject* datasetTests();
QObject* tableTests();
QObject* transactionTests();
QObject* dataModuleTests();
QObject* numberTests();
QObject* summaryTests();

MONITOREO_TEST_MAIN(connectionTests(), schemaTests(), datasetTests(), tableTests(),
                    transactionTests(), dataModuleTests(), numberTests(), summaryTests())
