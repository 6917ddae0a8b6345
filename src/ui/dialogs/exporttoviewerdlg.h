#pragma once

#include "storage/block_file.h"

#include <QDialog>

#include <filesystem>

class QButtonGroup;

namespace tl::ui {

// Asks which copy for crew viewing to write: 1 PreBuild, 2 Presked or
// 3 Final, each shown with the file it produces beside the month's file.
class Exporttoviewerdlg : public QDialog {
    Q_OBJECT
public:
    Exporttoviewerdlg(const std::filesystem::path& fileName, int kind, QWidget* parent = nullptr);

    // The chosen kind, 1 to 3.
    BlockFileKind Kind() const;
    void SetKind(int kind);

private:
    QButtonGroup* m_kinds = nullptr;
};

} // namespace tl::ui
