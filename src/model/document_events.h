#pragma once

#include <cstdint>
#include <string_view>

namespace tl {

// What the block operations tell the windows that show the month. The core
// knows no window: the main window installs a listener on the document and
// redraws what it is told changed. Every notification does nothing unless
// overridden.
class DocumentEvents {
public:
    virtual ~DocumentEvents() = default;

    // The cells of one crew row from firstDay to lastDay (day slots) need
    // redrawing; its totals may have changed too.
    virtual void CrewRowChanged(int /*crew*/, int /*firstDay*/, int /*lastDay*/) {}
    // The pairings board must be laid out again (an assignment changed which
    // pairing days are open).
    virtual void PairingsChanged() {}
    // The open-credit gauge: open credit and the gauge's total, minutes.
    virtual void OpenCreditChanged(int32_t /*open*/, int32_t /*total*/) {}
    // The per-day balance of the header changed for this day of the month
    // (0-based).
    virtual void DayBalanceChanged(int /*day*/) {}
    // The whole grid needs repainting (after a build, a roster change ...).
    virtual void GridChanged() {}
    // The grid goes off: hide the pairings, toolbox, filters and bids
    // windows, close the pairing text window.
    virtual void GridTakenDown() {}
    // Build Blocks asks for the pairings window to be shown or hidden.
    virtual void ShowPairingsWindow(bool /*show*/) {}
    // After a pairing load, and when Build Blocks found invalid pairings:
    // show the pairing warnings report. True when a window showed it; the
    // pairing loader prints the plain list otherwise.
    virtual bool ShowPairingWarnings() { return false; }
    // Build Blocks: on the scheduler's wish open the pairing editor on this
    // pairing.
    virtual void EditPairing(int /*pairing*/) {}
    // The pairing filter marks or the filters-on flag changed: the pairings
    // board is laid out again and its selection cleared.
    virtual void FilterMarksChanged() {}
    // A filter operation sets the pairings window's caption.
    virtual void PairingsCaptionChanged(std::string_view /*caption*/) {}
};

} // namespace tl
