// The builders of plain controls the windows and dialogs share: the object
// names the windows' code, settings and tests find the controls by, the
// captions, and the text cap of a line edit (none asked: Qt's own, so long
// tag texts still fit).

#include "shell/ui/PlainControls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

TEST(PlainControls, NamesCaptionsAndTextCaps) {
    QWidget window;

    QCheckBox* check = Named(new QCheckBox(QStringLiteral("&Sort"), &window), QStringLiteral("CheckSort"));
    EXPECT_EQ(check->objectName(), "CheckSort");
    EXPECT_EQ(check->text(), "&Sort");
    EXPECT_EQ(check->parentWidget(), &window);
    EXPECT_EQ(Indexed("TextMargin", 3), "TextMargin_3");

    QLabel* bare = MakeLabel(&window, "LabelDrives");
    QLabel* captioned = MakeLabel(&window, "LabelTrack", QStringLiteral("Trac&k:"));
    EXPECT_EQ(bare->objectName(), "LabelDrives");
    EXPECT_TRUE(bare->text().isEmpty());
    EXPECT_EQ(captioned->text(), "Trac&k:");
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("LabelTrack")), captioned);

    const int qtsOwnCap = QLineEdit().maxLength();
    struct Case {
        int asked, expected;
    };
    for (const Case& c : {Case{0, qtsOwnCap}, Case{-1, qtsOwnCap}, Case{3, 3}, Case{30, 30}}) {
        QLineEdit* box = MakeLineEdit(&window, QStringLiteral("TextID3v1Title"), c.asked);
        EXPECT_EQ(box->objectName(), "TextID3v1Title");
        EXPECT_EQ(box->parentWidget(), &window);
        EXPECT_EQ(box->maxLength(), c.expected) << c.asked;
    }
}
