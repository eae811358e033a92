#pragma once
// The Mass Tagging Override Tool: the small modeless window that edits the
// program's override set (coordinator/MassTaggingOverrides.h).  Two frames,
// "ID3v1:" and "ID3v2:", each with its "Tag en masse" and "Remove" boxes and
// one row per field (a tick box captioned at its left, then the value);
// "Hide" hides the window and keeps it loaded, the close box unloads it.
//
// The controls show the set and every edit goes straight into it: typing in
// a value box (or choosing a genre) ticks its field, also when the value
// becomes empty; the ID3v1 track and year and the ID3v2 year take digits
// only (anything else is taken out again with a beep).  Ticking "Tag en
// masse" enables the rest of its frame (value boxes in the window colour),
// unticking greys it (button-face colour) and keeps ticks and values.  A
// change made elsewhere (the Apply confirmation unticking a field) shows at
// once.
//
// Loading restores the window's place and the stored set (section
// "MassTaggingOverrideTool"; not the ID3v1 track, its tick or the Remove
// boxes); unloading stores them and empties the set, so the next load starts
// from what was stored.  While the coordinator runs a job every control is
// off except "Hide".  F1 opens the coordinator's help page.

#include "coordinator/MassTaggingOverrides.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/ui/SkinnedWindow.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class DialogMassTaggingOverrideTool : public SkinnedWindow, public IKeyHost {
    Q_OBJECT
public:
    explicit DialogMassTaggingOverrideTool(QWidget* parent = nullptr);
    ~DialogMassTaggingOverrideTool() override;

    QGroupBox* FrameID3v1 = nullptr;
    QGroupBox* FrameID3v2 = nullptr;
    QCheckBox* CheckID3v1Tag = nullptr;
    QCheckBox* CheckID3v1Remove = nullptr;
    QCheckBox* CheckID3v2Tag = nullptr;
    QCheckBox* CheckID3v2Remove = nullptr;
    // Per field, in V1Field / V2Field order.
    std::array<QCheckBox*, V1Field::Count> CheckID3v1{};
    std::array<QCheckBox*, V2Field::Count> CheckID3v2{};
    // The ID3v1 values: text boxes, the genre list at V1Field::Genre is
    // ComboID3v1Genre (that slot stays null).
    std::array<QLineEdit*, V1Field::Count> TextID3v1{};
    QComboBox* ComboID3v1Genre = nullptr;
    // The ID3v2 values: text boxes but for the genre (ComboID3v2Genre) and
    // the comment (TextID3v2Comment, several lines).
    std::array<QLineEdit*, V2Field::Count> TextID3v2{};
    QComboBox* ComboID3v2Genre = nullptr;
    QPlainTextEdit* TextID3v2Comment = nullptr;
    QPushButton* BtnHide = nullptr;

    void InitialiseDialogText() override;
    // The group interlocks, from each "Tag en masse" box as it is.
    void CheckID3v1Tag_Click();
    void CheckID3v2Tag_Click();
    // Off during the coordinator's jobs (Hide stays on); on again with the
    // interlocks applied.
    void EnableControls(bool blnEnable);
    void BtnHide_Click();

    int HelpTopic() const override { return ToolWindow(WindowNames::MassTagging).helpTopic; }

protected:
    void FormUnload() override;

private:
    void BuildControls();
    void LayoutFrames();
    // The controls take the set's values without counting as typing.
    void ShowOverrides();
    void ApplyInterlock(bool id3v2);
    void ReadSettings();

    bool m_showing = false;
    bool m_unloaded = false;
};

// Registers the window's factory with the window registry.
void RegisterMassTaggingOverrideToolWindow();
