#pragma once

#include "storage/settings.h"

#include <QDialog>

#include <memory>

namespace Ui {
class PreferencesDialog;
}

namespace tl::ui {

// The user's preferences: grid display, backups, assignments, the debug
// trace, the grid font and colours.
class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesDialog(const Preferences& preferences, QWidget* parent = nullptr);
    ~PreferencesDialog() override;

    // The preferences as the dialog shows them now.
    Preferences Result() const;

    // Changes colour `index`; the list and the result follow.
    void SetColour(int index, const Rgb& colour);
    void SetGridFont(const GridFont& font);

private:
    void ShowColours();
    void ShowFont();

    std::unique_ptr<Ui::PreferencesDialog> m_form;
    Preferences m_preferences;
    GridColours m_colours{};
};

} // namespace tl::ui
