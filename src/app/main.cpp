#include "app/application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    Application::prepare(qt);
    Application program;
    return program.run();
}
