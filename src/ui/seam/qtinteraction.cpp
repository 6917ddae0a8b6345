#include "ui/seam/qtinteraction.h"

#include "model/debug_trace.h"
#include "model/text_encoding.h"
#include "model/version.h"
#include "ui/dialogs/listdialog.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>

namespace tl::ui {

QString FromCoreText(std::string_view text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
}

std::string Utf8ToCoreText(const QString& text)
{
    return Utf8ToCp1252(text.toStdString());
}

QString FromFileName(const std::filesystem::path& file)
{
#if defined(Q_OS_WIN)
    return QString::fromStdWString(file.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(file.native()));
#endif
}

std::string ToFileName(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

namespace {

QMessageBox::Icon ToQtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString WithFileName(std::string_view text, const std::filesystem::path& file)
{
    FileNameSlot slot = SplitAtFileName(text);
    return FromCoreText(slot.Before) + FromFileName(file) + FromCoreText(slot.After);
}

} // namespace

QtInteraction::~QtInteraction()
{
    delete m_progress;
}

void QtInteraction::Message(std::string_view caption, std::string_view text, Icon icon)
{
    Show(caption, FromCoreText(text), icon);
}

Answer QtInteraction::Ask(std::string_view caption, std::string_view text, Buttons buttons,
                          Icon icon)
{
    return Asked(caption, FromCoreText(text), buttons, icon);
}

void QtInteraction::MessageAboutFile(std::string_view caption, std::string_view text,
                                     const std::filesystem::path& file, Icon icon)
{
    Show(caption, WithFileName(text, file), icon);
}

Answer QtInteraction::AskAboutFile(std::string_view caption, std::string_view text,
                                   const std::filesystem::path& file, Buttons buttons, Icon icon)
{
    return Asked(caption, WithFileName(text, file), buttons, icon);
}

void QtInteraction::Show(std::string_view caption, const QString& text, Icon icon)
{
    QMessageBox box(ToQtIcon(icon), FromCoreText(caption), text, QMessageBox::Ok, m_parent);
    box.exec();
}

Answer QtInteraction::Asked(std::string_view caption, const QString& text, Buttons buttons,
                            Icon icon)
{
    QMessageBox::StandardButtons offered = QMessageBox::Ok;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok:
        break;
    case Buttons::YesNo:
        offered = QMessageBox::Yes | QMessageBox::No;
        escape = QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        offered = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    }
    QMessageBox box(ToQtIcon(icon), FromCoreText(caption), text, offered, m_parent);
    box.setEscapeButton(escape);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

void QtInteraction::ShowList(std::string_view caption, const std::vector<std::string>& lines)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        list << FromCoreText(line);
    ListDialog dialog(FromCoreText(caption), list, m_parent);
    if (!ListDialog::CopyToClipboard(list))
        Message(kCaption, "Error Copying to Windows Clipboard.", Icon::Warning);
    dialog.exec();
}

void QtInteraction::Progress(std::string_view title, std::string_view text, int percent)
{
    if (!m_progress) {
        m_progress = new QProgressDialog(m_parent);
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setCancelButton(nullptr);
        m_progress->setRange(0, 100);
        m_progress->setMinimumDuration(0);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
    }
    m_progress->setWindowTitle(FromCoreText(title));
    m_progress->setLabelText(FromCoreText(text));
    m_progress->setValue(percent);
    // Let the main window repaint while a long load runs on this thread.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtInteraction::ProgressDone()
{
    delete m_progress;
    m_progress = nullptr;
}

void QtInteraction::Beep()
{
    QApplication::beep();
}

void QtInteraction::Trace(std::string_view text)
{
    if (m_trace)
        m_trace->Write(text);
}

bool QtInteraction::Tracing() const
{
    return m_trace != nullptr && m_trace->IsOpen();
}

} // namespace tl::ui
