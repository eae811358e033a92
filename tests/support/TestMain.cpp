// The main of the window test programs: a QApplication exists for the whole
// run, except when the runner only lists the tests.  Engine tests use
// CoreTestMain.cpp instead.
#include "support/ScriptedUi.h"

#include "foundation/ResourceStrings.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonivard"));
    // Texts are checked against the US table unless a test picks the UK one,
    // whatever language the desktop running the tests has.
    SetStringTableLanguage(StringTableLanguage::US);
    return RUN_ALL_TESTS();
}
