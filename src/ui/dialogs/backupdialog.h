#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class BackupDialog;
}

namespace tl::ui {

// Chooses the folder of a backup copy and whether its name carries the date.
class BackupDialog : public QDialog {
    Q_OBJECT
public:
    BackupDialog(const QString& folder, bool withDateTime, QWidget* parent = nullptr);
    ~BackupDialog() override;

    QString Folder() const;
    bool WithDateTime() const;

private:
    std::unique_ptr<Ui::BackupDialog> m_form;
};

} // namespace tl::ui
