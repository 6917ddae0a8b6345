#include "ui/dialogs/rosterdialog.h"

#include "actions/roster_edit.h"
#include "model/schedule_document.h"
#include "ui/seam/qtinteraction.h"

#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace tl::ui {

namespace {

QLineEdit* DigitsEdit(int digits, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(digits);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), edit));
    return edit;
}

void FillLines(QListWidget* list, const std::vector<RosterLine>& lines)
{
    list->clear();
    for (const RosterLine& line : lines)
        list->addItem(FromCoreText(line.Text));
}

} // namespace

RosterList::RosterList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

int RosterList::LineAt(QPoint pos) const
{
    const QModelIndex index = indexAt(pos);
    if (index.isValid())
        return index.row();
    // Below the last line still means the end of the roster.
    return viewport()->rect().contains(pos) && count() > 0 ? count() - 1 : -1;
}

void RosterList::startDrag(Qt::DropActions actions)
{
    m_dragged = currentRow();
    QListWidget::startDrag(actions);
    m_dragged = -1;
    emit DragOver(-1, -1);
}

void RosterList::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this && m_dragged >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void RosterList::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() != this || m_dragged < 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit DragOver(m_dragged, LineAt(event->position().toPoint()));
}

void RosterList::dragLeaveEvent(QDragLeaveEvent* event)
{
    emit DragOver(m_dragged, -1);
    event->accept();
}

void RosterList::dropEvent(QDropEvent* event)
{
    const int target = LineAt(event->position().toPoint());
    if (event->source() != this || m_dragged < 0 || target < 0) {
        event->ignore();
        return;
    }
    // The dialog moves the record and refills the list once the drag is
    // over; Qt must not move or remove the item itself.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    QMetaObject::invokeMethod(
        this, [this, dragged = m_dragged, target] { emit Dropped(dragged, target); },
        Qt::QueuedConnection);
}

RosterDialog::RosterDialog(ScheduleDocument& doc, Interaction& ui, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui)
{
    setObjectName(QStringLiteral("RosterDialog"));
    setWindowTitle(QStringLiteral("EDIT ROSTER"));

    m_list = new RosterList(this);
    m_list->setObjectName(QStringLiteral("RosterList"));
    m_list->setMinimumSize(360, 360);
    m_index = DigitsEdit(3, this);
    m_index->setObjectName(QStringLiteral("Index"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Name"));
    m_name->setMaxLength(19);
    m_emp = DigitsEdit(9, this);
    m_emp->setObjectName(QStringLiteral("EmpNumber"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setMinimumWidth(300);

    auto* insert = new QPushButton(QStringLiteral("Insert Employee"), this);
    auto* remove = new QPushButton(QStringLiteral("Delete Selected Employee"), this);
    auto* add =
        new QPushButton(QStringLiteral("Add to roster From another Tessara Lines File"), this);
    add->setEnabled(false);
    add->setToolTip(QStringLiteral("Comes with the block import"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setAutoDefault(false);
    insert->setAutoDefault(false);
    remove->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Index"), m_index);
    form->addRow(QStringLiteral("Name"), m_name);
    form->addRow(QStringLiteral("Emp # 9 digits max"), m_emp);

    auto* side = new QVBoxLayout;
    side->addLayout(form);
    side->addWidget(insert);
    side->addSpacing(12);
    side->addWidget(remove);
    side->addWidget(add);
    side->addStretch(1);
    side->addWidget(
        new QLabel(QStringLiteral("Note: Changing the Roster with Erase Undo Data"), this));
    side->addWidget(ok);

    auto* top = new QHBoxLayout;
    top->addWidget(m_list, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_status);

    connect(insert, &QPushButton::clicked, this, &RosterDialog::Insert);
    // Enter in an edit inserts rather than closing the editor half-typed.
    for (QLineEdit* edit : {m_index, m_name, m_emp})
        connect(edit, &QLineEdit::returnPressed, this, &RosterDialog::Insert);
    connect(remove, &QPushButton::clicked, this, &RosterDialog::DeleteSelected);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &RosterList::DragOver, this, [this](int dragged, int over) {
        m_status->setText(FromCoreText(RosterDragStatus(m_doc, dragged, over)));
    });
    connect(m_list, &RosterList::Dropped, this, &RosterDialog::DropLine);

    Refill();
    if (parent != nullptr)
        move(parent->geometry().center() - rect().center());
}

QString RosterDialog::StatusText() const
{
    return m_status->text();
}

void RosterDialog::Refill()
{
    FillLines(m_list, RosterEditorLines(m_doc));
}

void RosterDialog::ClearEdits()
{
    m_index->clear();
    m_name->clear();
    m_emp->clear();
}

void RosterDialog::Insert()
{
    const InsertOutcome outcome =
        InsertEmployee(m_doc, m_ui, Utf8ToCoreText(m_index->text()), Utf8ToCoreText(m_name->text()),
                       Utf8ToCoreText(m_emp->text()));
    if (outcome.Inserted) {
        ClearEdits();
        Refill();
    }
    QLineEdit* focus = outcome.Focus == RosterField::Name        ? m_name
                       : outcome.Focus == RosterField::EmpNumber ? m_emp
                                                                 : m_index;
    focus->setFocus();
}

void RosterDialog::DeleteSelected()
{
    const int line = m_list->currentItem() != nullptr && m_list->currentItem()->isSelected()
                         ? m_list->currentRow()
                         : -1;
    if (DeleteSelectedEmployee(m_doc, m_ui, line)) {
        ClearEdits();
        Refill();
    }
}

void RosterDialog::DropLine(int dragged, int target)
{
    const std::string status = DropRosterLine(m_doc, dragged, target);
    if (status.empty())
        return;
    Refill();
    m_list->setCurrentRow(target);
    m_status->setText(FromCoreText(status));
}

bool RunMoveEmployeeDialog(ScheduleDocument& doc, int crew, QWidget* parent)
{
    if (crew < 0 || crew >= doc.CrewCount)
        return false;
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("MoveEmployeeDialog"));
    dialog.setWindowTitle(QStringLiteral("Tessara Lines Move Employee on Roster"));
    auto* list = new QListWidget(&dialog);
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    FillLines(list, MoveEmployeeLines(doc));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(FromCoreText(MoveEmployeeCaption(doc, crew)), &dialog));
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(320, 420);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const int chosen = list->currentItem() != nullptr && list->currentItem()->isSelected()
                           ? list->currentRow()
                           : -1;
    return MoveEmployee(doc, crew, chosen);
}

} // namespace tl::ui
