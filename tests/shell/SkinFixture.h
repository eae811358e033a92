#pragma once
// Shared by the window tests: a temporary program folder with a "Skins"
// folder whose schemes have pictures of distinct solid colours (so a test can
// tell which picture a control shows), and a small skinned window with one of
// each kind of control.

#include "foundation/WindowProtocol.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/SkinnedWindow.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

class SkinFolder {
public:
    SkinFolder();
    ~SkinFolder();
    QString path() const { return m_dir.path(); }
    QString SchemePath(const QString& name) const;

    // Writes a scheme with all 14 pictures (but those in `omit`) and, unless
    // `ini` is null, its Settings.ini.  `variant` picks the colours.
    void AddScheme(const QString& name, int variant, const QString& ini = DefaultIni(), const QStringList& omit = {});
    static QString DefaultIni();
    // Adds the scheme (with DefaultIni) and makes it the skin in use, skins on.
    void UseScheme(const QString& name, int variant);

    // The colour of picture n (as in SkinPictureFiles) of a scheme variant,
    // and which picture of that variant a pixmap shows (-1 for none).
    static QColor PictureColour(int variant, int n);
    static int PictureNumber(const QPixmap& pixmap, int variant);

private:
    QTemporaryDir m_dir;
    TempHome m_home;
    ScopedOptions m_options;
    float m_oldTppX, m_oldTppY;
};

class TestWindow : public SkinnedJobWindow {
    Q_OBJECT
public:
    explicit TestWindow(const QString& name = QStringLiteral("FormSkinTest"), Features features = {});
    void Load(bool coreTool = true) { LoadWindow(coreTool); }
    void InitialiseDialogText() override;
    void EnableControls(bool) override {}

    QPushButton* CmdScan;
    SkinImage* ImageScan;
    SkinLabel* LabelScan;
    QCheckBox* CheckSub;
    SkinImage* ImageSub;
    SkinLabel* LabelSub;
    QRadioButton* OptionA;
    SkinImage* ImageOptionA;
    SkinLabel* LabelOptionA;
    QLabel* LabelPlain;
    QLineEdit* TextName;
    QComboBox* ComboRules;
    QListWidget* ListFiles;
    QGroupBox* FrameGroup;
    QLabel* LabelInFrame;

    clsButton mbuttonScan;
    clsCheckBox mcheckSub;
    clsOption moptionA;
    int dialogTextCalls = 0;
};

class SkinHostWindow : public TestWindow, public ISkinHost {
    Q_OBJECT
public:
    using TestWindow::TestWindow;
    void UpdateSkinControls() override {
        ++updateCalls;
        mcheckSub.Refresh();
    }
    int updateCalls = 0;
};

// Deletes what close() scheduled for deletion.
void FlushDeletes();
