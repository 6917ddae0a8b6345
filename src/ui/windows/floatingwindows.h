#pragma once

#include <QObject>
#include <QPointer>

namespace tl {
class Interaction;
class SettingsStore;
} // namespace tl

namespace tl::ui {

class TMainDecFrameWin;
class TFilterWin;
class TPairWin;

// Keeps the pairings window and the pairing text window of the frame in
// step with the document: created and destroyed on command, laid out again
// after assignments, and gone when the month goes.
class FloatingWindows : public QObject {
    Q_OBJECT
public:
    FloatingWindows(TMainDecFrameWin& frame, Interaction& ui, SettingsStore& settings);

    TPairWin* PairWin() const;

    // "&Pairings Window": creates the window when there is none, else
    // destroys it.
    void TogglePairingsWindow();
    void ShowPairingsWindow(bool show);
    // "Pairing &Filters Window": flight attendant mode opens or closes the
    // filter window; pilots open it from the bids window.
    void ToggleFiltersWindow();
    // Creates the filter window when there is none, or destroys it.
    void ShowFiltersWindow(bool show);
    TFilterWin* FilterWin() const;
    // "Show &Only Open Pairings".
    void ToggleOnlyOpen();
    // "&Undo F1".
    void Undo();
    // Opens Who Is Legal for a pairing day of the board.
    void ChoosePairing(int pairing, int day);

private:
    void OnDocumentChanged();
    void OnPairingsChanged();
    void OnFiltersChanged();
    void SyncActions();

    TMainDecFrameWin& m_frame;
    Interaction& m_ui;
    SettingsStore& m_settings;
    QPointer<TPairWin> m_pairWin;
    QPointer<TFilterWin> m_filterWin;
};

} // namespace tl::ui
