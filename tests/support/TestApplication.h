#pragma once

#include <QApplication>

// The application object of test and bench programs: widgets on the offscreen platform
// unless QT_QPA_PLATFORM names another, and C numbers for the process as the programs
// set them at their entry.
class TTestApplication : public QApplication {
public:
    TTestApplication(int &argc, char **argv);

private:
    static int &Prepared(int &argc);
};
