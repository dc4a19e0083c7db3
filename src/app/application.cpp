#include "application.h"

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv) {}

int Application::run() {
    return 0;
}
