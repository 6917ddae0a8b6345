#include "ui/frame/mail.h"

#include "model/interaction.h"
#include "model/version.h"
#include "ui/seam/qtinteraction.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace tl::ui {

// The desktop's mail program gets the file as an attachment through
// xdg-email. Without it, a mail link is the next best thing: it cannot carry
// an attachment, so the new message names the file and the scheduler
// attaches it.
void SendByMail(const std::filesystem::path& file, Interaction& ui)
{
    const QString path = FromFileName(file);
    const QString subject = QStringLiteral("Tessara Lines ") + QFileInfo(path).fileName();
    const QString xdgEmail = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (!xdgEmail.isEmpty() &&
        QProcess::startDetached(
            xdgEmail, {QStringLiteral("--subject"), subject, QStringLiteral("--attach"), path}))
        return;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), subject);
    query.addQueryItem(QStringLiteral("body"), QStringLiteral("File: ") + path);
    QUrl url(QStringLiteral("mailto:"));
    url.setQuery(query);
    if (QDesktopServices::openUrl(url))
        ui.MessageAboutFile(kCaption,
                            "Your mail program has a new message for the file. Attach %s to it "
                            "before sending.",
                            file, Icon::Information);
    else
        ui.MessageAboutFile(kCaption,
                            "No mail program is available on this computer (xdg-email was not "
                            "found and no program takes mail links). The file was saved as %s; "
                            "attach it to a message yourself.",
                            file, Icon::Warning);
}

} // namespace tl::ui
