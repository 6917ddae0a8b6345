#pragma once

#include "import/baw_lin.h"

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// "Import BAW and LIN Blocks": the blocks of a BAW file and its LIN file,
// one line each; "Import" puts them on the crew members with their employee
// numbers and lists what could not be placed.
class ImportBawLinDialog : public QDialog {
    Q_OBJECT
public:
    ImportBawLinDialog(BawLinFile file, ScheduleDocument& doc, Interaction& ui,
                       QWidget* parent = nullptr);

    QStringList Lines() const;
    QPushButton* ImportButton() const { return m_import; }

    // "Import": once; the list then shows what was not placed.
    void Import();

private:
    BawLinFile m_file;
    ScheduleDocument& m_doc;
    Interaction& m_ui;
    QListWidget* m_list = nullptr;
    QPushButton* m_import = nullptr;
};

} // namespace tl::ui
