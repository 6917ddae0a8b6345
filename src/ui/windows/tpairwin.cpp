#include "ui/windows/tpairwin.h"

#include "actions/pairing_filters.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "ui/seam/qtinteraction.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace tl::ui {

namespace {

constexpr int kBackground = 12; // "Pairing Window Background"

QColor ColourOf(const Rgb& rgb)
{
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

const QColor kOpenCell(255, 255, 255);
const QColor kAssignedText(96, 96, 96);
const QColor kCurrentCell(255, 255, 0);
const QColor kLastAssignedCell(153, 204, 255);

} // namespace

PairingsBoardModel::PairingsBoardModel(const ScheduleDocument& doc, const GridColours& colours,
                                       QObject* parent)
    : QAbstractTableModel(parent), m_doc(&doc), m_colours(colours)
{
    m_board = LayOutPairingsBoard(doc, doc.ShowOnlyOpenPairings);
}

void PairingsBoardModel::Relayout()
{
    beginResetModel();
    m_board = m_doc ? LayOutPairingsBoard(*m_doc, m_doc->ShowOnlyOpenPairings) : PairingsBoard{};
    endResetModel();
}

void PairingsBoardModel::Detach()
{
    beginResetModel();
    m_doc = nullptr;
    m_board = {};
    endResetModel();
}

void PairingsBoardModel::Repaint()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

BoardCell PairingsBoardModel::Cell(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    return m_board.Rows[size_t(index.row())][size_t(index.column())];
}

int PairingsBoardModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_board.Rows.size());
}

int PairingsBoardModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_board.Days;
}

QVariant PairingsBoardModel::data(const QModelIndex& index, int role) const
{
    const BoardCell cell = Cell(index);
    if (!m_doc)
        return {};
    const ScheduleDocument& doc = *m_doc;
    if (cell.Empty() || cell.Pairing >= ScheduleDocument::kPairCapacity) {
        if (role == Qt::BackgroundRole)
            return QBrush(ColourOf(m_colours[kBackground]));
        return {};
    }
    const TPair& pair = doc.Pairs[size_t(cell.Pairing)];
    const int ops = pair.OpsCount[size_t(cell.StartDay)];
    const bool open = ops == kOpsOpen || ops == kOpsOpenFlagged;
    switch (role) {
    case Qt::DisplayRole:
        return FromCoreText(BoardCellText(doc, cell));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (cell.Pairing == doc.CurrentPair && cell.StartDay == doc.CurrentPairDay)
            return QBrush(kCurrentCell);
        if (cell.Pairing == doc.LastAssignedPair && cell.StartDay == doc.LastAssignedDay)
            return QBrush(kLastAssignedCell);
        return QBrush(open ? kOpenCell : ColourOf(m_colours[kBackground]).lighter(112));
    case Qt::ForegroundRole:
        if (!open)
            return QBrush(kAssignedText);
        if (pair.CreditClass >= 0 && pair.CreditClass <= 3)
            return QBrush(ColourOf(m_colours[size_t(pair.CreditClass)]));
        return {};
    case Qt::FontRole: {
        QFont font;
        font.setBold(open);
        font.setItalic(ops < 0); // a copy for extra crew
        return font;
    }
    case Qt::ToolTipRole:
        return QString::asprintf("Pair %04d", pair.PairNumber) +
               FromCoreText("  On " + FormatHoursMinutes(pair.OnTime, true) + "  Off " +
                            FormatHoursMinutes(pair.OffTime, true) + "  Credit " +
                            FormatHoursMinutes(pair.Credit, true) +
                            (open ? "  Open" : "  Assigned"));
    default:
        return {};
    }
}

QVariant PairingsBoardModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_doc || orientation != Qt::Horizontal || section < 0 || section >= m_board.Days)
        return {};
    if (role == Qt::DisplayRole)
        return QString::asprintf("%02d\n%s", m_doc->DayDate[size_t(section)].Day,
                                 m_doc->DayName[size_t(section)].data());
    if (role == Qt::ForegroundRole && m_doc->Weekend[size_t(section)])
        return QBrush(QColor(200, 0, 0));
    return {};
}

TPairWin::TPairWin(const ScheduleDocument& doc, const GridColours& colours, QWidget* parent)
    : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("TPairWin"));
    m_model = new PairingsBoardModel(doc, colours, this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("PairingsBoard"));
    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation(false);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setDefaultSectionSize(44);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(2 * m_view->fontMetrics().height() + 4);
    m_view->setShowGrid(true);
    m_view->setStyleSheet(QStringLiteral("QTableView { selection-background-color: #0050c8; "
                                         "selection-color: white; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    // Enter on a cell and a double click both arrive as activated.
    connect(m_view, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        const BoardCell cell = m_model->Cell(index);
        if (!cell.Empty())
            emit PairingChosen(cell.Pairing, cell.StartDay);
    });
    connect(m_view, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        const BoardCell cell = m_model->Cell(index);
        if (!cell.Empty())
            emit PairingClicked(cell.Pairing, cell.StartDay);
    });

    UpdateCaption();
    resize(44 * 31 + 24, 360);
}

void TPairWin::Relayout()
{
    // Laid out again even when all pairings show: crew complement adds and
    // drops pairings. Keep the view where it was and the selection on the same pairing day
    // when it is still on the board.
    const BoardCell selected = m_model->Cell(m_view->currentIndex());
    const int x = m_view->horizontalScrollBar()->value();
    const int y = m_view->verticalScrollBar()->value();
    m_model->Relayout();
    int row = 0;
    if (!selected.Empty() && m_model->Board().Find(selected.Pairing, selected.StartDay, row))
        m_view->setCurrentIndex(m_model->index(row, selected.StartDay));
    m_view->horizontalScrollBar()->setValue(x);
    m_view->verticalScrollBar()->setValue(y);
}

void TPairWin::UpdateCaption()
{
    setWindowTitle(FromCoreText(PairingsCaption(m_doc)));
}

void TPairWin::ClearSelection()
{
    m_view->setCurrentIndex(QModelIndex());
    m_view->clearSelection();
}

bool TPairWin::SelectPairing(int pairing, int day)
{
    int row = 0;
    if (!m_model->Board().Find(pairing, day, row))
        return false;
    const QModelIndex index = m_model->index(row, day);
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index);
    return true;
}

} // namespace tl::ui
