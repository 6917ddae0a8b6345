#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace tl {
class SettingsStore;
}

namespace tl::ui {

// Asks the user for a file or folder; an empty result means cancelled. The
// program uses Qt's file dialogs unless a test puts in its own.
struct FileChooser {
    enum class Mode { Open, Save };
    using One = std::function<QString(Mode mode, const QString& caption, const QString& folder,
                                      const QString& filter)>;
    // Several existing files at once (Ctrl selects more), in the order the
    // dialog gives them.
    using Many = std::function<QStringList(const QString& caption, const QString& folder,
                                           const QString& filter)>;

    FileChooser(One choose = {}, Many chooseMany = {})
        : Choose(std::move(choose)), ChooseMany(std::move(chooseMany))
    {
    }

    One Choose;
    // Without it, Choose offers one file where several may be chosen.
    Many ChooseMany;
};

// Where a file dialog starts and what it remembers: the folder kept under a
// settings key ("LastPRGPath" ...), written back once a file is chosen.
struct FileDialogPlace {
    SettingsStore& Settings;
    // Writes the settings file after a folder changed.
    std::function<void()> SaveSettings;
    QWidget* Parent = nullptr;
};

// One file, starting in the folder under `folderKey` (home when it is unset
// or gone) or at `start` when given (a file name there is offered as the
// name). An empty key remembers nothing. Empty when cancelled.
QString ChooseFile(const FileChooser& chooser, const FileDialogPlace& place, FileChooser::Mode mode,
                   const QString& caption, const QString& folderKey, const QString& filter,
                   const QString& start = QString());

// Several existing files, as ChooseFile; empty when cancelled.
QStringList ChooseFiles(const FileChooser& chooser, const FileDialogPlace& place,
                        const QString& caption, const QString& folderKey, const QString& filter);

} // namespace tl::ui
