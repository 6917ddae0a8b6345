#pragma once

#include <QDialog>

#include <vector>

class QCheckBox;
class QListWidget;

namespace tl {
class ScheduleDocument;
}

namespace tl::ui {

// Chooses the blocks Copy Blocks to Clipboard puts on the clipboard, and
// whether the pairing texts ("ClipPairs") and the day requests ("ClipXes")
// go with them. Opens with the blocks last chosen selected.
class SelectBlocksDialog : public QDialog {
    Q_OBJECT
public:
    SelectBlocksDialog(const ScheduleDocument& doc, bool clipPairs, bool clipXes,
                       QWidget* parent = nullptr);

    // Roster positions of the chosen blocks, in roster order.
    std::vector<int> Chosen() const;
    bool ClipPairs() const;
    bool ClipXes() const;

private:
    QListWidget* m_list = nullptr;
    QCheckBox* m_pairs = nullptr;
    QCheckBox* m_requests = nullptr;
};

} // namespace tl::ui
