#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TextDialog;
}

namespace tl::ui {

// One multi-line text with OK and Cancel; read-only texts show OK alone.
class TextDialog : public QDialog {
    Q_OBJECT
public:
    TextDialog(const QString& caption, const QString& text, bool readOnly,
               QWidget* parent = nullptr);
    ~TextDialog() override;

    QString Text() const;

private:
    std::unique_ptr<Ui::TextDialog> m_form;
};

} // namespace tl::ui
