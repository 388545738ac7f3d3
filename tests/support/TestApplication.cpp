#include "TestApplication.h"

#include "NumberFormat.h"

TTestApplication::TTestApplication(int &argc, char **argv) : QApplication(Prepared(argc), argv) {
    Instrument::UseCNumbersProcessWide();
}

// Runs before QApplication's constructor, which reads the platform's name.
int &TTestApplication::Prepared(int &argc) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}
