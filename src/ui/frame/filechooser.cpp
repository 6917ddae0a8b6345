#include "ui/frame/filechooser.h"

#include "storage/settings.h"
#include "ui/seam/qtinteraction.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace tl::ui {

namespace {

QString StartFolder(const FileDialogPlace& place, const QString& folderKey, const QString& start)
{
    QString folder;
    if (!folderKey.isEmpty())
        folder = FromFileName(LastFolder(place.Settings, folderKey.toStdString()));
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    if (!start.isEmpty() && QFileInfo(start).dir().exists())
        folder = start;
    return folder;
}

void Remember(const FileDialogPlace& place, const QString& folderKey, const QString& chosen)
{
    if (folderKey.isEmpty() || chosen.isEmpty())
        return;
    SetLastFolder(place.Settings, folderKey.toStdString(),
                  ToFileName(QFileInfo(chosen).absolutePath()));
    if (place.SaveSettings)
        place.SaveSettings();
}

} // namespace

QString ChooseFile(const FileChooser& chooser, const FileDialogPlace& place, FileChooser::Mode mode,
                   const QString& caption, const QString& folderKey, const QString& filter,
                   const QString& start)
{
    const QString folder = StartFolder(place, folderKey, start);
    QString chosen;
    if (chooser.Choose)
        chosen = chooser.Choose(mode, caption, folder, filter);
    else if (mode == FileChooser::Mode::Open)
        chosen = QFileDialog::getOpenFileName(place.Parent, caption, folder, filter);
    else
        chosen = QFileDialog::getSaveFileName(place.Parent, caption, folder, filter);
    Remember(place, folderKey, chosen);
    return chosen;
}

QStringList ChooseFiles(const FileChooser& chooser, const FileDialogPlace& place,
                        const QString& caption, const QString& folderKey, const QString& filter)
{
    const QString folder = StartFolder(place, folderKey, QString());
    QStringList chosen;
    if (chooser.ChooseMany) {
        chosen = chooser.ChooseMany(caption, folder, filter);
    } else if (chooser.Choose) {
        const QString one = chooser.Choose(FileChooser::Mode::Open, caption, folder, filter);
        if (!one.isEmpty())
            chosen << one;
    } else {
        chosen = QFileDialog::getOpenFileNames(place.Parent, caption, folder, filter);
    }
    chosen.removeAll(QString());
    if (!chosen.isEmpty())
        Remember(place, folderKey, chosen.front());
    return chosen;
}

} // namespace tl::ui
