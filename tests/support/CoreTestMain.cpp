// The main of the engine and tag-library test programs: a QCoreApplication
// for the whole run (event loops, timers, processes), no widgets and no
// display, except when the runner only lists the tests.
#include "foundation/ResourceStrings.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Sonivard"));
    // Texts are checked against the US table unless a test picks the UK one,
    // whatever language the desktop running the tests has.
    SetStringTableLanguage(StringTableLanguage::US);
    return RUN_ALL_TESTS();
}
