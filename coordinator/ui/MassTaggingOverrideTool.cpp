#include "coordinator/ui/MassTaggingOverrideTool.h"

#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/Twips.h"
#include "options/ControlSettings.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/PlainControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QStyle>

namespace {

// Layout, twips.  Two frames under the title bar, Hide at the bottom right.
constexpr double kBodyTop = 480, kMargin = 120;
constexpr double kFrameWidth = 5400, kFrame1Height = 2412, kFrame2Height = 4692;
constexpr double kFirstRow = 300, kRowStep = 330, kRowHeight = 285;
constexpr double kCheckLeft = 120, kCheckWidth = 1500, kValueLeft = 1680, kValueRight = 5280;
constexpr double kCommentHeight = 855;
constexpr double kButtonWidth = 1215, kButtonHeight = 375;
constexpr double kWidth = kFrameWidth + 2 * kMargin;
constexpr double kHeight = kBodyTop + kFrame1Height + kMargin + kFrame2Height + kMargin + kButtonHeight + kMargin;

const char* const kV1Names[V1Field::Count] = {"Track", "Title", "Artist", "Album", "Year", "Genre", "Comment"};
const char* const kV2Names[V2Field::Count] = {"Track",   "Title",      "Artist",    "Album", "Year",
                                              "Genre",   "Comment",    "Composer",  "OrigArtist",
                                              "Copyright", "URL",      "Encodedby"};
// The fixed captions of the field boxes.
const char* const kV1Captions[V1Field::Count] = {"Track #", "Title", "Artist", "Album", "Year", "Genre", "Comment"};
const char* const kV2Captions[V2Field::Count] = {"Track #", "Title",        "Artist",    "Album",
                                                 "Year",    "Genre",        "Comment",   "Composer",
                                                 "Orig. Artist", "Copyright", "URL",     "Encoded by"};
// The most characters each ID3v1 box takes (0: no limit).
constexpr int kV1Lengths[V1Field::Count] = {3, 30, 30, 30, 4, 0, 30};

QRect Twips(double left, double top, double width, double height) {
    return {TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height)};
}

QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption, bool captionLeft) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    // Field boxes are captioned at their left, the box at the right.
    if (captionLeft) box->setLayoutDirection(Qt::RightToLeft);
    return box;
}

void SetBackground(QWidget* control, bool on) {
    QPalette palette = control->palette();
    const QPalette standard = control->style()->standardPalette();
    palette.setColor(QPalette::Base, on ? standard.color(QPalette::Base) : standard.color(QPalette::Button));
    control->setPalette(palette);
}

// The numeric boxes: the field is ticked first (by the caller), then every
// character that is not a digit goes, with a beep.
void KeepDigits(QLineEdit* box) { EnsureNumericTextBox(box, true, false, false); }

}  // namespace

DialogMassTaggingOverrideTool::DialogMassTaggingOverrideTool(QWidget* parent)
    : SkinnedWindow(WindowNames::MassTagging, Features{false, false}, parent) {
    setWindowRole(objectName());
    // Not in the task bar.  The skinned title bar has a close box only (a
    // fixed-size tool window gets no more from the platform's frame).
    setWindowFlag(Qt::Tool, true);
    for (SkinImage* button : {ImageSystemMenu[0], ImageSystemMenu[1]}) {
        button->hide();
        button->setEnabled(false);
    }
    BuildControls();
    SetMinimumSizeTwips(kHeight, kWidth);
    resize(TwipsToPixelsX(kWidth), TwipsToPixelsY(kHeight));
    setFixedSize(size());

    // Captions, position, skin; then the genre lists, the stored set, the
    // interlocks.
    LoadWindow(false);
    ResumeNext([&] {
        const QStringList& genres = MassTaggingGenreItems();
        const QSignalBlocker b1(ComboID3v1Genre), b2(ComboID3v2Genre);
        ComboID3v1Genre->addItems(genres);
        ComboID3v2Genre->addItems(genres);
        ComboID3v1Genre->setCurrentIndex(0);
        ComboID3v2Genre->setCurrentIndex(0);
    });
    ResumeNext([&] { ReadSettings(); });
    ResumeNext([&] { ShowOverrides(); });
    ResumeNext([&] { CheckID3v1Tag_Click(); });
    ResumeNext([&] { CheckID3v2Tag_Click(); });
    LayoutFrames();

    // A change made elsewhere (the Apply confirmation) shows here at once.
    connect(&MassTagging(), &MassTaggingModel::changed, this, [this] {
        if (!m_showing) ResumeNext([&] { ShowOverrides(); });
    });
}

DialogMassTaggingOverrideTool::~DialogMassTaggingOverrideTool() = default;

void DialogMassTaggingOverrideTool::BuildControls() {
    FrameID3v1 = new QGroupBox(this);
    FrameID3v1->setObjectName(QStringLiteral("FrameID3v1"));
    FrameID3v2 = new QGroupBox(this);
    FrameID3v2->setObjectName(QStringLiteral("FrameID3v2"));
    CheckID3v1Tag = MakeCheck(FrameID3v1, QStringLiteral("CheckID3v1Tag"), QString(), false);
    CheckID3v1Remove = MakeCheck(FrameID3v1, QStringLiteral("CheckID3v1Remove"), QString(), false);
    CheckID3v2Tag = MakeCheck(FrameID3v2, QStringLiteral("CheckID3v2Tag"), QString(), false);
    CheckID3v2Remove = MakeCheck(FrameID3v2, QStringLiteral("CheckID3v2Remove"), QString(), false);

    MassTaggingModel& set = MassTagging();
    const auto edit = [this](auto&& change) {
        if (m_showing) return;
        m_showing = true;
        ResumeNext(change);
        m_showing = false;
    };
    for (int f = 0; f < V1Field::Count; ++f) {
        const QString name = QLatin1String(kV1Names[f]);
        CheckID3v1[size_t(f)] = MakeCheck(FrameID3v1, QStringLiteral("CheckID3v1") + name,
                                          QLatin1String(kV1Captions[f]), true);
        connect(CheckID3v1[size_t(f)], &QCheckBox::toggled, this,
                [=, this, &set](bool on) { edit([&] { set.setID3v1Checked(f, on); }); });
        if (f == V1Field::Genre) continue;
        QLineEdit* box = MakeLineEdit(FrameID3v1, QStringLiteral("TextID3v1") + name, kV1Lengths[f]);
        TextID3v1[size_t(f)] = box;
        const bool digits = f == V1Field::Track || f == V1Field::Year;
        connect(box, &QLineEdit::textChanged, this, [=, this, &set] {
            edit([&] {
                CheckID3v1[size_t(f)]->setChecked(true);
                if (digits) KeepDigits(box);
                set.setID3v1Value(f, box->text());
            });
        });
    }
    ComboID3v1Genre = new QComboBox(FrameID3v1);
    ComboID3v1Genre->setObjectName(QStringLiteral("ComboID3v1Genre"));
    ComboID3v1Genre->setEditable(false);
    connect(ComboID3v1Genre, &QComboBox::activated, this, [=, this, &set] {
        edit([&] {
            set.setID3v1Value(V1Field::Genre, ComboID3v1Genre->currentText());
            CheckID3v1[V1Field::Genre]->setChecked(true);
        });
    });

    for (int f = 0; f < V2Field::Count; ++f) {
        const QString name = QLatin1String(kV2Names[f]);
        CheckID3v2[size_t(f)] = MakeCheck(FrameID3v2, QStringLiteral("CheckID3v2") + name,
                                          QLatin1String(kV2Captions[f]), true);
        connect(CheckID3v2[size_t(f)], &QCheckBox::toggled, this,
                [=, this, &set](bool on) { edit([&] { set.setID3v2Checked(f, on); }); });
        if (f == V2Field::Genre || f == V2Field::Comment) continue;
        QLineEdit* box = MakeLineEdit(FrameID3v2, QStringLiteral("TextID3v2") + name, f == V2Field::Year ? 7 : 0);
        TextID3v2[size_t(f)] = box;
        const bool digits = f == V2Field::Year;
        connect(box, &QLineEdit::textChanged, this, [=, this, &set] {
            edit([&] {
                CheckID3v2[size_t(f)]->setChecked(true);
                if (digits) KeepDigits(box);
                set.setID3v2Value(f, box->text());
            });
        });
    }
    ComboID3v2Genre = NewEditableComboBox(FrameID3v2, QStringLiteral("ComboID3v2Genre"));
    connect(ComboID3v2Genre, &QComboBox::currentTextChanged, this, [=, this, &set](const QString& text) {
        edit([&] {
            CheckID3v2[V2Field::Genre]->setChecked(true);
            set.setID3v2Value(V2Field::Genre, text);
        });
    });
    TextID3v2Comment = new QPlainTextEdit(FrameID3v2);
    TextID3v2Comment->setObjectName(QStringLiteral("TextID3v2Comment"));
    TextID3v2Comment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextID3v2Comment->setTabChangesFocus(true);
    connect(TextID3v2Comment, &QPlainTextEdit::textChanged, this, [=, this, &set] {
        edit([&] {
            CheckID3v2[V2Field::Comment]->setChecked(true);
            set.setID3v2Value(V2Field::Comment, TextID3v2Comment->toPlainText());
        });
    });

    connect(CheckID3v1Tag, &QCheckBox::toggled, this, [=, this, &set](bool on) {
        edit([&] { set.setID3v1Tag(on); });
        ResumeNext([&] { CheckID3v1Tag_Click(); });
    });
    connect(CheckID3v2Tag, &QCheckBox::toggled, this, [=, this, &set](bool on) {
        edit([&] { set.setID3v2Tag(on); });
        ResumeNext([&] { CheckID3v2Tag_Click(); });
    });
    connect(CheckID3v1Remove, &QCheckBox::toggled, this, [=, this, &set](bool on) { edit([&] { set.setID3v1Remove(on); }); });
    connect(CheckID3v2Remove, &QCheckBox::toggled, this, [=, this, &set](bool on) { edit([&] { set.setID3v2Remove(on); }); });

    BtnHide = new QPushButton(this);
    BtnHide->setObjectName(QStringLiteral("BtnHide"));
    connect(BtnHide, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnHide_Click(); }); });
}

void DialogMassTaggingOverrideTool::LayoutFrames() {
    const double frame1Top = kBodyTop, frame2Top = kBodyTop + kFrame1Height + kMargin;
    FrameID3v1->setGeometry(Twips(kMargin, frame1Top, kFrameWidth, kFrame1Height));
    FrameID3v2->setGeometry(Twips(kMargin, frame2Top, kFrameWidth, kFrame2Height));
    const double valueWidth = kValueRight - kValueLeft;
    // First row: Tag en masse, Remove, Track #.
    const auto firstRow = [&](QCheckBox* tag, QCheckBox* remove, QCheckBox* track, QLineEdit* trackBox) {
        tag->setGeometry(Twips(kCheckLeft, kFirstRow, 1740, kRowHeight));
        remove->setGeometry(Twips(1920, kFirstRow, 1140, kRowHeight));
        track->setGeometry(Twips(3120, kFirstRow, 1140, kRowHeight));
        trackBox->setGeometry(Twips(4320, kFirstRow, kValueRight - 4320, kRowHeight));
    };
    firstRow(CheckID3v1Tag, CheckID3v1Remove, CheckID3v1[V1Field::Track], TextID3v1[V1Field::Track]);
    firstRow(CheckID3v2Tag, CheckID3v2Remove, CheckID3v2[V2Field::Track], TextID3v2[V2Field::Track]);
    // Year and genre share a row.
    const auto yearGenre = [&](double top, QCheckBox* year, QLineEdit* yearBox, QCheckBox* genre, QComboBox* combo) {
        year->setGeometry(Twips(kCheckLeft, top, kCheckWidth, kRowHeight));
        yearBox->setGeometry(Twips(kValueLeft, top, 960, kRowHeight));
        genre->setGeometry(Twips(2760, top, 960, kRowHeight));
        combo->setGeometry(Twips(3780, top - 15, kValueRight - 3780, kRowHeight + 30));
    };
    double top = kFirstRow + kRowStep;
    for (int f : {V1Field::Title, V1Field::Artist, V1Field::Album, V1Field::Year, V1Field::Comment}) {
        if (f == V1Field::Year) {
            yearGenre(top, CheckID3v1[V1Field::Year], TextID3v1[V1Field::Year], CheckID3v1[V1Field::Genre],
                      ComboID3v1Genre);
        } else {
            CheckID3v1[size_t(f)]->setGeometry(Twips(kCheckLeft, top, kCheckWidth, kRowHeight));
            TextID3v1[size_t(f)]->setGeometry(Twips(kValueLeft, top, valueWidth, kRowHeight));
        }
        top += kRowStep;
    }
    top = kFirstRow + kRowStep;
    for (int f = V2Field::Title; f < V2Field::Count; ++f) {
        if (f == V2Field::Genre) continue;
        if (f == V2Field::Year) {
            yearGenre(top, CheckID3v2[V2Field::Year], TextID3v2[V2Field::Year], CheckID3v2[V2Field::Genre],
                      ComboID3v2Genre);
        } else if (f == V2Field::Comment) {
            CheckID3v2[size_t(f)]->setGeometry(Twips(kCheckLeft, top, kCheckWidth, kRowHeight));
            TextID3v2Comment->setGeometry(Twips(kValueLeft, top, valueWidth, kCommentHeight));
            top += kCommentHeight - kRowHeight;
        } else {
            CheckID3v2[size_t(f)]->setGeometry(Twips(kCheckLeft, top, kCheckWidth, kRowHeight));
            TextID3v2[size_t(f)]->setGeometry(Twips(kValueLeft, top, valueWidth, kRowHeight));
        }
        top += kRowStep;
    }
    BtnHide->setGeometry(Twips(kWidth - kMargin - kButtonWidth, frame2Top + kFrame2Height + kMargin, kButtonWidth,
                               kButtonHeight));
}

void DialogMassTaggingOverrideTool::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        SetCaption(GetResourceString(TextId::MassTagging::Caption));
        FrameID3v1->setTitle(QStringLiteral("ID3v&1:"));
        FrameID3v2->setTitle(QStringLiteral("ID3v&2:"));
        CheckID3v1Tag->setText(GetResourceString(TextId::MassTagging::TagEnMasse));
        CheckID3v2Tag->setText(GetResourceString(TextId::MassTagging::TagEnMasse));
        CheckID3v1Remove->setText(GetResourceString(TextId::MassTagging::Remove));
        CheckID3v2Remove->setText(GetResourceString(TextId::MassTagging::Remove));
        BtnHide->setText(GetResourceString(TextId::MassTagging::Hide));
    });
}

void DialogMassTaggingOverrideTool::ReadSettings() {
    // A fresh set: what is not stored starts empty and unticked.
    MassTaggingOverrideToolSettings stored;
    try {
        stored.Read();
    } catch (...) {
        // The keys before the failing one count; the rest keep their start.
        MassTagging().setValues(FromStoredSettings(stored, MassTaggingGenreItems()));
        throw;
    }
    MassTagging().setValues(FromStoredSettings(stored, MassTaggingGenreItems()));
}

void DialogMassTaggingOverrideTool::ShowOverrides() {
    const MassTaggingOverrides& o = MassTagging().values();
    m_showing = true;
    const auto done = qScopeGuard([&] { m_showing = false; });
    CheckID3v1Tag->setChecked(o.id3v1Tag);
    CheckID3v1Remove->setChecked(o.id3v1Remove);
    CheckID3v2Tag->setChecked(o.id3v2Tag);
    CheckID3v2Remove->setChecked(o.id3v2Remove);
    for (int f = 0; f < V1Field::Count; ++f) {
        if (TextID3v1[size_t(f)] && TextID3v1[size_t(f)]->text() != o.id3v1[size_t(f)].value)
            TextID3v1[size_t(f)]->setText(o.id3v1[size_t(f)].value);
        CheckID3v1[size_t(f)]->setChecked(o.id3v1[size_t(f)].checked);
    }
    const qsizetype genre = MassTaggingGenreItems().indexOf(o.id3v1[V1Field::Genre].value);
    ComboID3v1Genre->setCurrentIndex(genre < 0 ? 0 : int(genre));
    for (int f = 0; f < V2Field::Count; ++f) {
        const QString& value = o.id3v2[size_t(f)].value;
        if (f == V2Field::Genre) {
            if (ComboID3v2Genre->currentText() != value) ComboID3v2Genre->setCurrentText(value);
        } else if (f == V2Field::Comment) {
            if (TextID3v2Comment->toPlainText() != value) TextID3v2Comment->setPlainText(value);
        } else if (TextID3v2[size_t(f)]->text() != value) {
            TextID3v2[size_t(f)]->setText(value);
        }
        CheckID3v2[size_t(f)]->setChecked(o.id3v2[size_t(f)].checked);
    }
}

void DialogMassTaggingOverrideTool::ApplyInterlock(bool id3v2) {
    const bool on = (id3v2 ? CheckID3v2Tag : CheckID3v1Tag)->isChecked();
    std::vector<QWidget*> controls;
    std::vector<QWidget*> values;
    if (id3v2) {
        controls.push_back(CheckID3v2Remove);
        for (QCheckBox* c : CheckID3v2) controls.push_back(c);
        for (QLineEdit* t : TextID3v2)
            if (t) values.push_back(t);
        values.push_back(ComboID3v2Genre);
        values.push_back(TextID3v2Comment);
    } else {
        controls.push_back(CheckID3v1Remove);
        for (QCheckBox* c : CheckID3v1) controls.push_back(c);
        for (QLineEdit* t : TextID3v1)
            if (t) values.push_back(t);
        values.push_back(ComboID3v1Genre);
    }
    for (QWidget* c : controls) c->setEnabled(on);
    for (QWidget* v : values) {
        v->setEnabled(on);
        SetBackground(v, on);
    }
}

void DialogMassTaggingOverrideTool::CheckID3v1Tag_Click() { ApplyInterlock(false); }
void DialogMassTaggingOverrideTool::CheckID3v2Tag_Click() { ApplyInterlock(true); }

void DialogMassTaggingOverrideTool::EnableControls(bool blnEnable) {
    FrameID3v1->setEnabled(blnEnable);
    FrameID3v2->setEnabled(blnEnable);
    BtnHide->setEnabled(true);
    if (blnEnable) {
        ResumeNext([&] { CheckID3v1Tag_Click(); });
        ResumeNext([&] { CheckID3v2Tag_Click(); });
    }
}

void DialogMassTaggingOverrideTool::BtnHide_Click() { hide(); }

void DialogMassTaggingOverrideTool::FormUnload() {
    if (m_unloaded) return;
    m_unloaded = true;
    ResumeNext([&] { WriteWindowPos(this); });
    ResumeNext([&] { ToStoredSettings(MassTagging().values(), MassTaggingGenreItems()).Write(); });
    // The next load starts again from what is stored.
    ResumeNext([&] { MassTagging().reset(); });
}

void RegisterMassTaggingOverrideToolWindow() {
    WindowRegistry::SetFactory(WindowNames::MassTagging, [] { return new DialogMassTaggingOverrideTool; });
}
