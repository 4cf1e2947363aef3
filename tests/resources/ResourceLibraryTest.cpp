#include "ResourceLibrary.h"
#include <gtest/gtest.h>
TEST(ResourceLibrary, Smoke) {
    CResourceLibrary lib;
    ASSERT_EQ(lib.LoadFile(QStringLiteral(ZELTA_RESOURCE_LIBRARY_DIR "/libZeltaIII.so")), 0)
        << lib.ErrorDetail().toStdString();
    EXPECT_EQ(lib.String(128), QStringLiteral("ZeltaIII"));
}
