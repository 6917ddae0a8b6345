// The grid's display filter commands (550 to 557): each turns one view
// option on or off; the search filter first asks for the text to match.
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/grid_filters.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>

namespace tl::ui {

namespace {

constexpr int kFilterCommands[] = {CmSearchFilter, CmHideCheckPilots,     CmHideCompleted,
                                   CmHideLeave,    CmHideBlockHolders,    CmShowOnlyCheckPilots,
                                   CmShowOnlyLtc,  CmShowOnlyBlockHolders};

} // namespace

void TMainDecFrameWin::InstallGridCommands()
{
    auto syncChecks = [this] {
        DisplayFlags flags = m_client->Grid()->Flags();
        QStringList on;
        for (int command : kFilterCommands) {
            QAction* action = Action(command);
            const bool checked = *DisplayFlag(flags, command);
            if (action != nullptr)
                action->setChecked(checked);
            if (action != nullptr && checked)
                on << action->text().remove(QLatin1Char('&'));
        }
        m_filterLabel->setText(tr("Filtered: %1").arg(on.join(QStringLiteral(", "))));
        m_filterLabel->setToolTip(m_filterLabel->text());
        m_filterLabel->setVisible(!on.isEmpty());
    };
    for (int command : kFilterCommands) {
        if (QAction* action = Action(command))
            action->setCheckable(true);
        m_handlers.insert(command, [this, command, syncChecks] {
            GridView* grid = m_client->Grid();
            DisplayFlags flags = grid->Flags();
            bool* flag = DisplayFlag(flags, command);
            if (command == CmSearchFilter && !*flag) {
                bool ok = false;
                QString text = QInputDialog::getText(
                    this, tr("Display Only Blocks Matching Search String"),
                    tr("Show the blocks whose name, employee number or a day code contains:"),
                    QLineEdit::Normal, QString(), &ok);
                text = text.trimmed();
                if (!ok || text.isEmpty()) {
                    syncChecks();
                    return;
                }
                ScheduleDocument& doc = m_client->Document();
                if (MarkSearchMatches(doc, Utf8ToCoreText(text)) == 0) {
                    m_ui.Message(kCaption, "No Blocks Match the Search String", Icon::Information);
                    syncChecks();
                    return;
                }
            }
            *flag = !*flag;
            grid->SetDisplayFlags(flags);
            syncChecks();
        });
    }
    connect(m_client, &TtlWin::displayFlagsChanged, this, syncChecks);
}

} // namespace tl::ui
