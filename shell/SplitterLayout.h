#pragma once
// The arithmetic of the splitter: how the shared length is cut between the two
// panes on a layout pass and how a drag of the bar moves the split.  All
// lengths are in the window's units (twips), single precision as the splitter
// keeps them.

#include <cstdint>

struct SplitterGeometry {
    bool stacked = false;      // true: panes above each other, a flat bar
    float width = 0;           // the splitter's own size
    float height = 0;
    float barThickness = 0;    // SplitterWidth
    float minPos = 0;          // SplitterMinPos: least length of the first pane
};

struct SplitterPass {
    float fraction = 0;   // the stored fraction after the pass
    float size1 = 0;      // length of the first pane along the split axis
    float size2 = 0;      // length of the second pane
    // The bar in the splitter's own coordinates.
    float barLeft = 0, barTop = 0, barWidth = 0, barHeight = 0;
};

// One layout pass.  The first pane gets fraction x free length (free = the
// length less the bar), but never less than minPos; a minimum that wins
// raises the fraction.  Neither pane ever gets a negative length and the
// panes never reach past the splitter: when the minimum exceeds the free
// length the first pane takes the whole free length; when there is no free
// length at all both panes are empty and the fraction is kept.
SplitterPass LayoutSplitterPass(const SplitterGeometry& g, float fraction);

struct SplitterDrag {
    float barPos = 0;     // new top (stacked) or left (side by side) of the bar
    float fraction = 0;   // the fraction the release will lay out from
};

// A move of the bar with the left button held: barPos is the bar's present
// top/left, offset the pointer's offset within the bar along the axis.  The
// bar's far edge follows the pointer, never before minPos; the fraction is
// the bar position over the whole length (not the free length), kept within
// 0.001 .. 0.999.
SplitterDrag DragSplitterBar(const SplitterGeometry& g, float barPos, float offset);

// SplitPercent as read back: fraction x 100 rounded (a half to the even
// neighbour), held to a byte.
uint8_t SplitPercentFromFraction(float fraction);
