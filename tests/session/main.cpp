#include "NumberFormat.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// The port's wait with events on runs a local event loop: it needs an application object.
int main(int argc, char **argv) {
    Instrument::UseCNumbersProcessWide();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
