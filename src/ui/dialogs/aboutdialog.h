#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDialog;
}

namespace tl::ui {

// Program name, icon, version and the support lines.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    QString VersionText() const;

private:
    std::unique_ptr<Ui::AboutDialog> m_form;
};

} // namespace tl::ui
