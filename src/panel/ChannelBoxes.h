#pragma once

// The 15 captioned editor boxes of a channel page, in the order the copies of channels
// 2..N are made, with the grid cell each takes. Shared by the template and the copies so
// that every channel page is laid out like channel 1's.

#include <array>

enum class TEditorKind { Spin, Selector, CheckList };

// Indices into the table (and into TChannelPage::Boxes / Editors).
enum TChannelBox {
    cbDelay,
    cbChannelMode,
    cbSyncSource,
    cbDutyOn,
    cbDutyOff,
    cbWidth,
    cbBurstCount,
    cbPolarity,
    cbOutputMode,
    cbAmplitude,
    cbWaitCount,
    cbGateMode,
    cbMultiplexer,
    cbChannelControl,
    cbGateLogic,
    cbCount
};

struct TChannelBoxDef {
    const char *GroupStem;  // group box name without the channel number
    const char *Caption;    // group box caption
    const char *Hint;       // group box hint ("" = none)
    bool ShowHint;          // whether the hint pops up
    const char *EditorStem; // editor name without the channel number
    TEditorKind Kind;
    // Cell in a grid of ten half columns: each of the five columns is two half columns
    // wide, so that Output Mode and Amplitude can share the first column of row 3.
    int Row, HalfColumn, RowSpan, HalfColumnSpan;
};

extern const std::array<TChannelBoxDef, cbCount> ChannelBoxes;

class QWidget;

// The boxes in the order the page is drawn: row by row, left to right.
std::array<int, cbCount> DrawingOrder();
// Puts a page's Enabled box, then its editors in drawing order, into the focus chain;
// after `after` when given, else where the Enabled box already is.
void ChainInDrawingOrder(QWidget *after, QWidget *enable,
                         const std::array<QWidget *, cbCount> &editors);
