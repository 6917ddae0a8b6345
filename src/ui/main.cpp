#include "ui/app/instanceguard.h"
#include "ui/app/resources.h"
#include "ui/app/tlapp.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/print/print_command.h"
#include "ui/seam/qtinteraction.h"
#include "ui/settings/qtsettingsstore.h"

#include "model/debug_trace.h"
#include "model/version.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (tl::ui::IsPrintCommand(argc, argv)) {
        // Printing to a file opens no window, so it runs where there is no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QGuiApplication::setOrganizationName(QStringLiteral("TessaraLines"));
        QGuiApplication::setApplicationName(QStringLiteral("tlines"));
        return tl::ui::RunPrintCommand(QGuiApplication::arguments());
    }
    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TessaraLines"));
    QApplication::setApplicationName(QStringLiteral("tlines"));
    QApplication::setApplicationVersion(QString::fromLatin1(tl::Version()));
    tl::ui::EnsureResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessara.svg")));

    tl::DebugTrace trace;
    tl::ui::QtInteraction ui;
    ui.SetTrace(&trace);
    tl::ui::QtSettingsStore settings;
    tl::ui::InstanceGuard guard;
    tl::ui::TLApp app(ui, settings, trace, tl::ui::TLApp::DefaultTraceFolder());
    const QStringList args = QApplication::arguments();
    const QString fileToOpen = args.size() > 1 ? args.at(1) : QString();
    // The grid is wide: the frame takes the screen; the floating windows stay above it.
    if (std::optional<int> code = app.Start(guard, fileToOpen, true))
        return *code;
    ui.SetParentWindow(app.Frame());
    return QApplication::exec();
}
