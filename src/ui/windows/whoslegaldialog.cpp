#include "ui/windows/whoslegaldialog.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "rules/assignment.h"
#include "ui/seam/qtinteraction.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace tl::ui {

namespace {

QListWidget* NewList(const QString& name, const std::vector<std::string>& lines, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    for (const std::string& line : lines)
        list->addItem(FromCoreText(line));
    return list;
}

} // namespace

WhosLegalDialog::WhosLegalDialog(ScheduleDocument& doc, Interaction& ui, int pairing, int day,
                                 QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui), m_pairing(pairing), m_day(day)
{
    setObjectName(QStringLiteral("WhosLegalDialog"));
    const WhoIsLegalLists lists = WhoIsLegal(doc, pairing, day);
    m_legalCrew = lists.LegalCrew;
    setWindowTitle(FromCoreText(lists.Caption));

    m_legal = NewList(QStringLiteral("LegalList"), lists.Legal, this);
    m_bidders = NewList(QStringLiteral("BiddersList"), lists.Bidders, this);
    m_reasons = NewList(QStringLiteral("ReasonsList"), lists.Reasons, this);
    m_bidders->setSelectionMode(QAbstractItemView::NoSelection);
    m_reasons->setSelectionMode(QAbstractItemView::NoSelection);
    m_legal->setMinimumWidth(230);
    m_bidders->setMinimumWidth(230);
    m_reasons->setMinimumWidth(520);
    m_reasons->setWordWrap(true);
    // Long reasons scroll; they do not widen the dialog.
    m_reasons->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    m_reasons->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_assign = new QPushButton(QStringLiteral("Assign..."), this);
    m_assign->setObjectName(QStringLiteral("AssignButton"));
    m_why = new QPushButton(QStringLiteral("Why not..."), this);
    m_why->setObjectName(QStringLiteral("WhyButton"));
    m_why->setCheckable(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_assign, QDialogButtonBox::ActionRole);
    buttons->addButton(m_why, QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);

    m_reasonsLabel = new QLabel(QStringLiteral("Why the Others are not Legal"), this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Who is Legal"), this), 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Who Bid this Pairing Number"), this), 0, 1);
    layout->addWidget(m_reasonsLabel, 0, 2);
    layout->addWidget(m_legal, 1, 0);
    layout->addWidget(m_bidders, 1, 1);
    layout->addWidget(m_reasons, 1, 2);
    layout->addWidget(buttons, 2, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 2);
    m_reasons->hide();
    m_reasonsLabel->hide();

    connect(m_assign, &QPushButton::clicked, this, &WhosLegalDialog::Assign);
    connect(m_why, &QPushButton::toggled, this, [this](bool on) {
        // The pane opens beside the lists, which keep their size.
        const int pane = m_reasons->minimumWidth() + 12;
        const int before = width();
        m_reasons->setVisible(on);
        m_reasonsLabel->setVisible(on);
        resize(before + (on ? pane : -pane), height());
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (m_legal->count() > 0)
        m_legal->setFocus();
    resize(500, 420);
}

void WhosLegalDialog::Assign()
{
    const QList<QListWidgetItem*> selected = m_legal->selectedItems();
    if (selected.isEmpty()) {
        m_ui.Message(kCaption, "You have not Selected an Employee", Icon::Information);
        return;
    }
    // The line's crew member as the list was built: the roster position in
    // the text has four digits from position 1000 on.
    const int row = m_legal->row(selected.front());
    if (row < 0 || size_t(row) >= m_legalCrew.size())
        return;
    const AssignResult result =
        AssignPair(m_doc, m_ui, m_legalCrew[size_t(row)], m_pairing, m_day, false);
    const std::string_view message = AssignResultMessage(result);
    if (!message.empty())
        m_ui.Message(kCaption, message, Icon::Warning);
    if (result == AssignResult::Done || result == AssignResult::ReserveDeclined)
        accept();
}

} // namespace tl::ui
