#pragma once
// What a user sees of a window's controls, checked by geometry and by the
// pixels the window draws.
//
// LayoutFaults walks the window's visible controls (into plain containers:
// the window itself, group boxes, plain frames and widgets, stacked pages,
// tab pages and splitters; every other control is a leaf) and reports, one
// line each:
//   - two sibling controls that overlap (a control lying wholly on a
//     picture beneath it, such as a skinned button's caption, the title
//     bar's buttons or a background picture's texts, and a splitter beneath
//     its two panes, are placed so by design and are not faults);
//   - a control whose text is wider or taller than the control: labels,
//     push buttons, check boxes, option buttons, group boxes (title and
//     contents), line edits (the text they hold) and combo boxes (the item
//     shown);
//   - a control that lies partly outside its parent;
//   - a stretched picture squeezed to less than a quarter of its width;
//   - on a skinned window, an etched frame that runs under a control or
//     past the window's edge.
// An empty list means every control is whole.
//
// TextContrasts measures each visible text control's text against what is
// drawn behind it: the control's region is drawn twice, once as it is and
// once with its text colours made transparent; the pixels that differ are
// the text, and the ratio is the WCAG contrast ratio between a glyph's
// pixel and the background under it, taken at the tenth percentile of the
// glyphs' core pixels (so a gradient behind the text counts at its worst
// part, a stray antialiased pixel does not).

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

QStringList LayoutFaults(QWidget* window);

// The WCAG 2 contrast ratio of two colours (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);

struct TextContrast {
    QWidget* control = nullptr;
    QString name;  // the control's object name, or its class and text
    bool enabled = true;
    double ratio = 21;
};
std::vector<TextContrast> TextContrasts(QWidget* window);
// The same for one control of `window`.
double TextContrastOf(QWidget* window, QWidget* control);
