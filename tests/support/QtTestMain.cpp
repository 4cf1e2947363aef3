#include "TestEnvironment.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    InitTestEnvironment();
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    QApplication::setOrganizationName("ZeltaIII-tests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
