#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class ListDialog;
}

namespace tl::ui {

// The modal summary list. Its lines also go to the clipboard when it opens,
// so a scheduler can paste an importer's warnings into a mail.
class ListDialog : public QDialog {
    Q_OBJECT
public:
    ListDialog(const QString& caption, const QStringList& lines, QWidget* parent = nullptr);
    ~ListDialog() override;

    QStringList Lines() const;

    // The clipboard text: every line followed by a line feed.
    static QString ClipboardText(const QStringList& lines);

    // Puts the lines on the clipboard; false when that failed.
    static bool CopyToClipboard(const QStringList& lines);

private:
    std::unique_ptr<Ui::ListDialog> m_form;
};

} // namespace tl::ui
