#include "ui/dialogs/exporttoviewerdlg.h"

#include "actions/file_copies.h"
#include "storage/block_file.h"
#include "ui/seam/qtinteraction.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

namespace tl::ui {

Exporttoviewerdlg::Exporttoviewerdlg(const std::filesystem::path& fileName, int kind,
                                     QWidget* parent)
    : QDialog(parent), m_kinds(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("Exporttoviewerdlg"));
    setWindowTitle(tr("Save for Viewer"));
    auto* layout = new QVBoxLayout(this);
    const QString folder = QDir::toNativeSeparators(
        FromFileName(ViewerCopyPath(fileName, kViewerFinal).parent_path()));
    auto* intro = new QLabel(
        tr("Saves the month, then a copy without personal data in\n%1").arg(folder), this);
    intro->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(intro);
    layout->addSpacing(6);

    const struct {
        int kind;
        const char* title;
        const char* when;
    } options[] = {
        {kViewerPreRoster, QT_TR_NOOP("&1  PreBuild"),
         QT_TR_NOOP("Before the blocks are built: the crew see the month's pairings and roster.")},
        {kViewerPreSchedule, QT_TR_NOOP("&2  Presked"),
         QT_TR_NOOP("While the blocks are being built, before the schedule is published.")},
        {kViewerFinal, QT_TR_NOOP("&3  Final"),
         QT_TR_NOOP("The finished schedule, as the crew will fly it.")},
    };
    auto* grid = new QGridLayout;
    const int indent = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                       style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    int row = 0;
    for (const auto& option : options) {
        auto* button = new QRadioButton(tr(option.title), this);
        button->setObjectName(QStringLiteral("kind%1").arg(option.kind));
        m_kinds->addButton(button, option.kind);
        const QString file = FromFileName(ViewerCopyPath(fileName, option.kind).filename());
        auto* detail =
            new QLabel(tr(option.when) + QLatin1Char('\n') + tr("Writes %1").arg(file), this);
        detail->setContentsMargins(indent, 0, 0, 0);
        grid->addWidget(button, row++, 0);
        grid->addWidget(detail, row++, 0);
        grid->setRowMinimumHeight(row++, 6);
        // The number alone picks the kind, as the captions suggest.
        auto* key = new QShortcut(QKeySequence(QString::number(option.kind)), this);
        connect(key, &QShortcut::activated, button, [button] {
            button->setChecked(true);
            button->setFocus();
        });
    }
    layout->addLayout(grid);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    SetKind(kind);
}

int Exporttoviewerdlg::Kind() const
{
    const int id = m_kinds->checkedId();
    return id >= kViewerPreRoster && id <= kViewerFinal ? id : kViewerFinal;
}

void Exporttoviewerdlg::SetKind(int kind)
{
    if (kind < kViewerPreRoster || kind > kViewerFinal)
        kind = kViewerFinal;
    m_kinds->button(kind)->setChecked(true);
    m_kinds->button(kind)->setFocus();
}

} // namespace tl::ui
