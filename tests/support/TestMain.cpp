// The main of every test program that needs a Qt application.
#include "TestApplication.h"

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    TTestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
