#pragma once

#include "storage/settings.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <array>

namespace tl::ui {

// The grid's thirteen colours, in the order the settings keep them.
enum GridColour {
    kLowCreditPairings,
    kMediumCreditPairings,
    kHighCreditPairings,
    kVeryHighCreditPairings,
    kDutyTime,
    kRestTime,
    kPairOverRequestedDayOff,
    kBlockHolder,
    kReserve,
    kBlkTotalInRange,
    kBlkTotalOutsideRange,
    kBlockWindowBackground,
    kPairingWindowBackground,
};

// The name of colour `which` as the preferences and the colour legend show
// it: what it colours.
QString GridColourName(int which);

// What the grid painter needs from the settings, read once at start-up (and
// again after the preferences dialog), so painting never reads the file.
struct GridStyle {
    std::array<QColor, kGridColours> Colours;
    QFont Font;
    QFont BoldFont;
    int XPadding = 6;
    int YPadding = 3;
    bool GridLines = false;
    bool Layovers = true;
    bool ShowFullPair = false;
    bool ShowFullLayOver = false;
    // Read here for the mouse actions that change blocks.
    bool HoldCtrlKey = true;
    bool AllowIllegal = true;

    QColor Colour(GridColour which) const { return Colours[which]; }

    static GridStyle FromPreferences(const Preferences& preferences);
};

// The contrast of two colours as the web's accessibility guidelines measure
// it, from relative luminance: 1 (same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// Contrast normal text needs to be read with ease.
inline constexpr double kReadableContrast = 4.5;

// `text` taken towards black (towards white on a dark background) just far
// enough to read on `background`; unchanged when it does already.
QColor ReadableOn(const QColor& text, const QColor& background);

} // namespace tl::ui
