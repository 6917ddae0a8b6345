#include "ui/grid/grid_paint.h"

#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "ui/grid/grid_layout.h"
#include "ui/grid/grid_style.h"
#include "ui/grid/grid_text.h"
#include "ui/grid/gridview.h"
#include "ui/seam/qtinteraction.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>

namespace tl::ui {

namespace {

const QColor kLightGreen(196, 255, 128);
const QColor kCornerBlue(102, 178, 255);
const QColor kCornerPink(255, 51, 153);
const QColor kOrange(255, 184, 113);
const QColor kLightYellow(255, 255, 128);
const QColor kPurple(153, 50, 204);
const QColor kDarkGreen(0, 100, 0);
const QColor kLabelBlue(0, 0, 255);
// Minutes a bar may reach beyond its day: every slot and then some, so
// hostile times stay in pixel range.
constexpr int32_t kMinuteLimit = 64 * kMinutesPerDay;

int32_t Minutes(int32_t value)
{
    return std::clamp(value, -kMinuteLimit, kMinuteLimit);
}

bool Contains(const std::string& text, const char* what)
{
    return text.find(what) != std::string::npos;
}

// Pixels a lock mark takes at the start of a bar; the number starts after it.
constexpr int kLockEdge = 3;

int XAt(const GridLayout& l, int column, int32_t minutes)
{
    return l.ColumnX(column) + static_cast<int>(Minutes(minutes) * l.MinuteWidth());
}

int BarTop(const GridLayout& l, int row)
{
    return l.RowY(row) + 3;
}

int BarHeight(const GridLayout& l)
{
    return std::max(1, l.RowHeight - 6);
}

// Where a pairing started on day `d` lies on its row: duty, then rest.
struct Bar {
    int From = 0;
    int To = 0;
    int RestWidth = 0;
};

Bar BarOf(const ScheduleDocument& doc, const GridLayout& l, int pairing, int d)
{
    const TPair& pair = doc.Pairs[Ix(pairing)];
    const int length = DrawnLength(doc, pairing);
    Bar bar;
    bar.From = XAt(l, d, pair.OnTime);
    bar.To = std::max(bar.From + 1, XAt(l, length - 1 + d, pair.OffTime));
    const int32_t rest = doc.CrewKind == kFlightAttendants ? kAttendantMinRest : kPilotMinRest;
    bar.RestWidth = std::max(1, XAt(l, length - 1 + d, Minutes(pair.OffTime) + rest) - bar.To);
    return bar;
}

bool Locked(const TPilot& crew, int d)
{
    return d >= 0 && d < TPilot::kSlots && crew.DayLocked[Ix(d)];
}

// The pairing number over its bar and rest, coloured by its credit class.
FittedText PairingNumber(const ScheduleDocument& doc, const GridStyle& style, const GridLayout& l,
                         int row, const TPilot& crew, int pairing, int d)
{
    const TPair& pair = doc.Pairs[Ix(pairing)];
    QString number = QString::asprintf("%04d", pair.PairNumber);
    if (doc.CrewKind == kFlightAttendants && Contains(pair.PairText, "FRENCH PAIRING"))
        number += QStringLiteral(" F");
    const Bar bar = BarOf(doc, l, pairing, d);
    const int left = bar.From + 1 + (Locked(crew, d) ? kLockEdge : 0);
    const int width = QFontMetrics(style.Font).horizontalAdvance(number);
    const int right =
        style.ShowFullPair ? left + width : std::min(left + width, bar.To + bar.RestWidth);
    return FitText(style.Font, number,
                   QRect(left, BarTop(l, row), std::max(0, right - left), BarHeight(l)));
}

FittedText LabelText(const ScheduleDocument& doc, const GridStyle& style, const GridLayout& l,
                     int row, const TPilot& crew)
{
    return FitText(style.Font, FromCoreText(RowLabelText(doc, crew, row)),
                   l.LabelRect(row).adjusted(style.XPadding, 0, -2, 0));
}

// An other assignment's code in its box on day `d`.
FittedText OtherCode(const GridLayout& l, const GridStyle& style, int row, const TPilot& crew,
                     int d)
{
    return FitText(style.Font, FromCoreText(crew.DayCode[Ix(d)].substr(0, 40)),
                   l.CellRect(row, d).adjusted(1, 3, -1, -3));
}

// Last month's entry on extended slot `e`: a pairing's identifier over its
// bar, kept in view and inside the band, or a code in its cell. Full is
// empty for a day without an entry.
FittedText LastMonthEntry(const GridStyle& style, const GridLayout& l, int row, const TPilot& crew,
                          int e)
{
    const TPilot::SlotValues& v = crew.DayCarry[Ix(e)];
    const std::string text(crew.DayText[Ix(e)]);
    if (text.empty())
        return {};
    const QString full = FromCoreText(text.substr(0, 40));
    const int col = l.LastMonthView ? e : e - 31;
    if (text.size() > 3 && v[CarryValue::PairingTafb] > 0) {
        const int from = XAt(l, col, v[CarryValue::PairingStart]);
        const int to = std::max(from + 1, XAt(l, col,
                                              Minutes(v[CarryValue::PairingStart]) +
                                                  Minutes(v[CarryValue::PairingTafb])));
        // Keep the name in view when the bar starts left of what is shown.
        const int textX = std::max({from + 1, l.ColumnX(l.FirstColumn()) + 1, l.FixedWidth() + 1});
        const int end = l.LastMonthView ? to : std::min(to, l.ColumnX(0) - 2);
        const QRect room(textX, BarTop(l, row), std::max(0, end - textX), BarHeight(l));
        if (room.width() <= l.ColWidth / 3)
            return {full, QString(), room};
        return FitText(style.Font, full, room);
    }
    return FitText(style.Font, full, l.CellRect(row, col));
}

QRect GroupNameRoom(const GridStyle& style, const GridLayout& l)
{
    return QRect(style.XPadding, l.RowHeight, l.FixedWidth() - style.XPadding, l.RowHeight);
}

class Painter {
public:
    Painter(QPainter& p, const ScheduleDocument& doc, const GridStyle& style,
            const GridLayout& layout, const QRect& dirty, bool allCredits)
        : m_p(p), m_doc(doc), m_style(style), m_l(layout), m_dirty(dirty), m_allCredits(allCredits),
          m_fa(doc.CrewKind == kFlightAttendants)
    {
    }

    void Paint();

private:
    QColor C(GridColour which) const { return m_style.Colour(which); }
    int X(int column, int32_t minutes) const { return XAt(m_l, column, minutes); }
    bool ColumnInMonth(int column) const;
    // The fill of a day cell: out of the month, weekend or plain.
    QColor CellBackground(int column) const;
    bool WeekendColumn(int column) const;
    void PaintRow(int row);
    void PaintDayBackground(int row);
    void PaintMonthCells(int row, const TPilot& crew);
    void PaintPairing(int row, const TPilot& crew, int pairing, int day);
    void PaintLastMonth(int row, const TPilot& crew);
    void PaintLabel(int row, const TPilot& crew);
    void PaintCredit(int row, const TPilot& crew);
    void PaintFooter();
    void PaintHeader();
    void PaintWatermark();
    void Text(const QRect& rect, int flags, const QString& text, const QColor& colour);
    void Text(const FittedText& text, int flags, const QColor& colour);
    void PaintLockMark(int row, const Bar& bar);

    QPainter& m_p;
    const ScheduleDocument& m_doc;
    const GridStyle& m_style;
    const GridLayout& m_l;
    QRect m_dirty;
    bool m_allCredits;
    bool m_fa;
    int m_firstCol = 0;
    int m_lastCol = 0;
};

void Painter::Text(const QRect& rect, int flags, const QString& text, const QColor& colour)
{
    m_p.setPen(colour);
    m_p.drawText(rect, flags, text);
}

void Painter::Text(const FittedText& text, int flags, const QColor& colour)
{
    if (!text.Shown.isEmpty())
        Text(text.Room, flags, text.Shown, colour);
}

QColor Painter::CellBackground(int column) const
{
    const QColor background = C(kBlockWindowBackground);
    if (!ColumnInMonth(column))
        return background.darker(115);
    return WeekendColumn(column) ? background.darker(106) : background;
}

bool Painter::ColumnInMonth(int column) const
{
    if (m_l.LastMonthView)
        return column < 31;
    return column >= 0 && column < MonthDays(m_doc);
}

bool Painter::WeekendColumn(int column) const
{
    int slot = m_l.LastMonthView ? column - 31 : column;
    int weekday = ((m_doc.StartWeekday + slot) % 7 + 7) % 7;
    return weekday == 0 || weekday == 6;
}

void Painter::Paint()
{
    m_p.setFont(m_style.Font);
    m_p.fillRect(m_dirty, C(kBlockWindowBackground));
    // Columns touching the dirty area.
    int left = std::max(m_dirty.left(), m_l.FixedWidth());
    m_firstCol =
        std::max(m_l.FirstColumn(), (left - m_l.LeftMargin()) / std::max(1, m_l.ColWidth) - 1);
    m_lastCol = std::min(m_l.LastColumn(),
                         (m_dirty.right() - m_l.LeftMargin()) / std::max(1, m_l.ColWidth) + 1);

    int firstRow = m_l.FirstRow + std::max(0, m_dirty.top() - m_l.HeaderHeight()) / m_l.RowHeight;
    int lastRow =
        std::min(m_l.RowCount() - 1,
                 m_l.FirstRow + std::max(0, m_dirty.bottom() - m_l.HeaderHeight()) / m_l.RowHeight);
    for (int row = firstRow; row <= lastRow; ++row)
        PaintRow(row);
    PaintFooter();
    PaintWatermark();
    PaintHeader();
}

void Painter::PaintRow(int row)
{
    int crewIndex = m_l.Order[static_cast<size_t>(row)];
    if (crewIndex < 0 || crewIndex >= CrewRows(m_doc))
        return;
    const TPilot& crew = m_doc.Crew[Ix(crewIndex)];
    int y = m_l.RowY(row);
    m_p.save();
    m_p.setClipRect(QRect(m_l.FixedWidth(), y, m_l.ViewWidth, m_l.RowHeight).intersected(m_dirty));
    PaintDayBackground(row);
    if (m_l.LastMonthView) {
        PaintLastMonth(row, crew);
    } else {
        m_p.save();
        m_p.setClipRect(QRect(m_l.FixedWidth(), y, std::max(0, m_l.ColumnX(0) - m_l.FixedWidth()),
                              m_l.RowHeight),
                        Qt::IntersectClip);
        PaintLastMonth(row, crew);
        m_p.restore();
        PaintMonthCells(row, crew);
    }
    if (crewIndex == m_doc.BlockHolderCut) {
        // The last block holder: reserve holders start under this line.
        m_p.fillRect(QRect(m_l.FixedWidth(), y + m_l.RowHeight - 2, m_l.ViewWidth, 2),
                     C(kBlockHolder));
    }
    m_p.restore();
    m_p.save();
    m_p.setClipRect(QRect(0, y, m_l.FixedWidth(), m_l.RowHeight).intersected(m_dirty));
    PaintLabel(row, crew);
    PaintCredit(row, crew);
    if (crewIndex == m_doc.BlockHolderCut)
        m_p.fillRect(QRect(0, y + m_l.RowHeight - 2, m_l.FixedWidth(), 2), C(kBlockHolder));
    m_p.restore();
}

void Painter::PaintDayBackground(int row)
{
    QColor background = C(kBlockWindowBackground);
    QColor line = background.darker(140);
    for (int col = m_firstCol; col <= m_lastCol; ++col) {
        QRect cell = m_l.CellRect(row, col);
        const QColor fill = CellBackground(col);
        if (fill != background)
            m_p.fillRect(cell, fill);
        if (m_style.GridLines) {
            m_p.setPen(line);
            m_p.drawLine(cell.topRight(), cell.bottomRight());
            m_p.drawLine(cell.bottomLeft(), cell.bottomRight());
        }
    }
    if (!m_l.LastMonthView) {
        // The edge between last month and this one.
        m_p.fillRect(QRect(m_l.ColumnX(0) - 1, m_l.RowY(row), 2, m_l.RowHeight), line);
    }
}

void Painter::PaintMonthCells(int row, const TPilot& crew)
{
    const int y = m_l.RowY(row);
    const int first = std::max(0, m_firstCol);
    // Days covered by a pairing started on an earlier day.
    std::array<bool, TPilot::kSlots> covered{};
    for (int d = 0; d < TPilot::kSlots; ++d) {
        int p = crew.DaySlot[Ix(d)];
        if (!IsPairing(m_doc, p))
            continue;
        for (int k = 0; k < DrawnLength(m_doc, p) && d + k < TPilot::kSlots; ++k)
            covered[Ix(d + k)] = true;
    }
    for (int d = first; d <= m_lastCol; ++d) {
        QRect cell = m_l.CellRect(row, d);
        int slot = crew.DaySlot[Ix(d)];
        if (slot == kOtherSlot) {
            const SlotText& code2 = crew.DayCode2[Ix(d)];
            bool reserve = code2 == "RE" || code2 == "RA" || code2 == "RB";
            const FittedText code = OtherCode(m_l, m_style, row, crew, d);
            m_p.fillRect(code.Room, C(kBlockWindowBackground).lighter(115));
            Text(code, Qt::AlignCenter, reserve ? C(kReserve) : C(kBlockHolder));
        } else if (!covered[Ix(d)] && crew.DayFlag[Ix(d)] >= 1) {
            // The request's own colour, dark enough to read on the day.
            Text(FitText(m_style.Font, FromCoreText(DayRequestText(crew.DayFlag[Ix(d)])), cell),
                 Qt::AlignCenter, ReadableOn(C(kPairOverRequestedDayOff), CellBackground(d)));
        }
        // Last month's activity running into this day.
        if (d + 31 < TPilot::kSlots &&
            crew.DayCarry[Ix(d + 31)][CarryValue::DayKind] != kNothingCarried && !covered[Ix(d)] &&
            slot != kOtherSlot)
            Text(cell.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("<-"),
                 ReadableOn(C(kDutyTime), CellBackground(d)));
    }
    // Bars of pairings that start left of the dirty area may reach into it.
    for (int d = std::max(0, first - TPair::kDays); d <= m_lastCol; ++d) {
        if (IsPairing(m_doc, crew.DaySlot[Ix(d)]))
            PaintPairing(row, crew, crew.DaySlot[Ix(d)], d);
    }
    // Per-day marks of the legality checks, over everything else.
    for (int d = first; d <= m_lastCol; ++d) {
        QRect cell = m_l.CellRect(row, d);
        if (crew.DayIllegal[Ix(d)])
            m_p.fillRect(QRect(cell.left() + 1, y + m_l.RowHeight - 3, cell.width() - 2, 3),
                         C(kBlkTotalOutsideRange));
        else if (crew.DayWarning[Ix(d)])
            m_p.fillRect(QRect(cell.left() + 1, y + m_l.RowHeight - 3, cell.width() - 2, 3),
                         kOrange);
    }
}

void Painter::PaintPairing(int row, const TPilot& crew, int pairing, int d)
{
    const TPair& pair = m_doc.Pairs[Ix(pairing)];
    const int length = DrawnLength(m_doc, pairing);
    const int top = BarTop(m_l, row);
    const int height = BarHeight(m_l);
    const Bar bar = BarOf(m_doc, m_l, pairing, d);
    const bool twoCaptainCopy = d < TPair::kDays && pair.OpsCount[Ix(d)] < kNotOperating;

    if (d < TPair::kDays) {
        QRect cell = m_l.CellRect(row, d);
        switch (pair.DayOpsType[Ix(d)]) {
        case 3:
            m_p.fillRect(cell, kLightGreen);
            break;
        case 1:
        case 2: {
            int s = std::max(4, m_l.RowHeight / 3);
            QPolygon corner(
                {cell.topLeft(), cell.topLeft() + QPoint(s, 0), cell.topLeft() + QPoint(0, s)});
            m_p.setPen(Qt::NoPen);
            m_p.setBrush(pair.DayOpsType[Ix(d)] == 1 ? kCornerBlue : kCornerPink);
            m_p.drawPolygon(corner);
            m_p.setBrush(Qt::NoBrush);
            break;
        }
        default:
            break;
        }
    }
    // Rest after release.
    QColor restColour = m_fa && pair.PairType == "PU" ? C(kDutyTime) : C(kRestTime);
    m_p.fillRect(QRect(bar.To, top, bar.RestWidth, height), restColour);
    // Duty, day by day: a requested day off shows through.
    for (int k = 0; k < length && d + k < TPilot::kSlots; ++k) {
        int from = std::max(bar.From, m_l.ColumnX(d + k));
        int to = std::min(bar.To, m_l.ColumnX(d + k + 1));
        if (to <= from)
            continue;
        QColor fill = twoCaptainCopy                ? QColor(Qt::white)
                      : crew.DayFlag[Ix(d + k)] > 0 ? C(kPairOverRequestedDayOff)
                                                    : C(kDutyTime);
        m_p.fillRect(QRect(from, top, to - from, height), fill);
    }
    if (pairing == m_doc.CurrentPair && d == m_doc.CurrentPairDay) {
        m_p.setPen(QPen(Qt::black, 2));
        m_p.drawRect(QRect(bar.From, top, bar.To - bar.From, height).adjusted(1, 1, -1, -1));
    }
    if (Locked(crew, d))
        PaintLockMark(row, bar);

    const FittedText number = PairingNumber(m_doc, m_style, m_l, row, crew, pairing, d);
    int cls = std::clamp<int>(pair.CreditClass, 0, 3);
    Text(number, Qt::AlignLeft | Qt::AlignVCenter,
         C(static_cast<GridColour>(kLowCreditPairings + cls)));

    if (!m_style.Layovers)
        return;
    // Three letters per night, at the start of the next day, clear of the number.
    const QFontMetrics fm(m_style.Font);
    const int numberRight = number.Room.left() + fm.horizontalAdvance(number.Shown);
    for (int k = 0; k + 1 < length && d + k + 1 < TPilot::kSlots; ++k) {
        size_t at = static_cast<size_t>(k) * 3;
        if (at + 3 > pair.Layovers.size())
            break;
        QString station = FromCoreText(pair.Layovers.substr(at, 3)).trimmed();
        if (station.isEmpty())
            continue;
        int w = fm.horizontalAdvance(station);
        int x = std::max(m_l.ColumnX(d + k + 1) + 1, numberRight + 3);
        int room = std::min(bar.To, m_l.ColumnX(d + k + 2)) - x;
        if (w > room && !m_style.ShowFullLayOver)
            continue;
        Text(QRect(x, top, w + 1, height), Qt::AlignLeft | Qt::AlignVCenter, station,
             C(kBlockHolder));
    }
}

void Painter::PaintLockMark(int row, const Bar& bar)
{
    // A bracket over the bar's start: a bold left edge and a line along the
    // gap above the bar, outside the current pairing's frame and clear of
    // the number. Drawn in black or white, whichever the grid shows better.
    const QColor background = C(kBlockWindowBackground);
    const QColor ink = ContrastRatio(Qt::black, background) >= ContrastRatio(Qt::white, background)
                           ? QColor(Qt::black)
                           : QColor(Qt::white);
    const int y = m_l.RowY(row);
    const int width = std::max(bar.To - bar.From, m_l.ColWidth / 3);
    m_p.fillRect(QRect(bar.From, y, width, BarTop(m_l, row) - y), ink);
    m_p.fillRect(QRect(bar.From, y, kLockEdge, BarTop(m_l, row) - y + BarHeight(m_l)), ink);
}

void Painter::PaintLastMonth(int row, const TPilot& crew)
{
    auto column = [&](int extended) { return m_l.LastMonthView ? extended : extended - 31; };
    for (int e = 0; e < TPilot::kSlots; ++e) {
        const TPilot::SlotValues& v = crew.DayCarry[Ix(e)];
        const std::string text(crew.DayText[Ix(e)]);
        int col = column(e);
        QRect cell = m_l.CellRect(row, col);
        if (text.size() > 3 && v[CarryValue::PairingTafb] > 0) {
            // A pairing of last month: report time and time away from base.
            int from = X(col, v[CarryValue::PairingStart]);
            int to = std::max(from + 1, X(col, Minutes(v[CarryValue::PairingStart]) +
                                                   Minutes(v[CarryValue::PairingTafb])));
            m_p.fillRect(QRect(from, BarTop(m_l, row), to - from, BarHeight(m_l)), C(kDutyTime));
            Text(LastMonthEntry(m_style, m_l, row, crew, e), Qt::AlignLeft | Qt::AlignVCenter,
                 C(kBlockHolder));
        } else if (!text.empty()) {
            Text(LastMonthEntry(m_style, m_l, row, crew, e), Qt::AlignCenter,
                 v[CarryValue::DayKind] == kReserveDay ? C(kReserve) : C(kBlockHolder));
        }
        if (m_l.LastMonthView && e >= 31 && v[CarryValue::DayKind] != kNothingCarried &&
            text.empty())
            Text(cell.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("<-"),
                 ReadableOn(C(kDutyTime), CellBackground(col)));
    }
}

void Painter::PaintLabel(int row, const TPilot& crew)
{
    QRect label = m_l.LabelRect(row);
    int flag60 = crew.CarryIn[CarryInEntry::Flags];
    if (flag60 == kSixtyPlus || flag60 == kSixtyPlusAndMed)
        m_p.fillRect(label, kLightYellow);
    switch (crew.CarryIn[CarryInEntry::Qualification]) {
    case kLtc:
        m_p.fillRect(label, QColor(128, 255, 255));
        break;
    case kCheckB:
        m_p.fillRect(label, QColor(255, 128, 192));
        break;
    case kCheckPilot:
        m_p.fillRect(label, QColor(128, 255, 128));
        break;
    default:
        break;
    }
    if (crew.CarryIn[CarryInEntry::Training] != 0 || crew.CarryIn[CarryInEntry::NoYtz] != 0)
        m_p.fillRect(QRect(label.right() - 29, label.top(), 30, label.height()), kOrange);
    if (crew.CarryIn[CarryInEntry::MaxCredit] > 0 && crew.CarryIn[CarryInEntry::MaxCredit] < 4500) {
        m_p.setPen(kCornerBlue);
        m_p.drawRect(QRect(label.left(), label.top(), label.width() - 1, label.height() - 3));
    }
    QColor colour = kDarkGreen;
    const std::string& bid = crew.BidText;
    bool sim = Contains(bid, "SIM:");
    bool tbank = Contains(bid, "TBANK: 00.0") || Contains(bid, "TBANK:   ");
    if (!crew.Illegalities.empty())
        colour = C(kBlkTotalOutsideRange);
    else if (sim && !tbank)
        colour = kPurple;
    else if (sim)
        colour = C(kReserve);
    else if (tbank)
        colour = C(kBlkTotalInRange);
    Text(LabelText(m_doc, m_style, m_l, row, crew), Qt::AlignLeft | Qt::AlignVCenter, colour);
    if (flag60 == kMed || flag60 == kSixtyPlusAndMed) {
        int mid = label.center().y();
        m_p.setPen(colour);
        m_p.drawLine(label.left() + 3, mid, label.right() - 3, mid);
    }
    if (m_style.GridLines) {
        m_p.setPen(C(kBlockWindowBackground).darker(140));
        m_p.drawLine(label.bottomLeft(), label.bottomRight());
    }
}

void Painter::PaintCredit(int row, const TPilot& crew)
{
    QRect cell = m_l.CreditRect(row);
    int32_t credit = StoredBlockCredit(crew);
    CreditLimits limits = CreditLimitsOf(m_doc, crew);
    QColor colour = crew.BidReserveOrLoa || crew.BeyondBlockHolders ? C(kReserve)
                    : credit >= limits.Min && credit <= limits.Max  ? C(kBlkTotalInRange)
                                                                    : C(kBlkTotalOutsideRange);
    m_p.setFont(m_allCredits ? m_style.BoldFont : m_style.Font);
    Text(cell.adjusted(0, 0, -m_style.XPadding, 0), Qt::AlignRight | Qt::AlignVCenter,
         FromCoreText(FormatHoursMinutes(credit, true)), colour);
    m_p.setFont(m_style.Font);
    m_p.setPen(C(kBlockWindowBackground).darker(140));
    m_p.drawLine(cell.topRight(), cell.bottomRight());
}

void Painter::PaintFooter()
{
    const int top = m_l.RowY(m_l.RowCount());
    QRect area(0, top, m_l.ViewWidth, GridLayout::kFooterRows * m_l.RowHeight);
    if (!area.intersects(m_dirty) || m_l.LastMonthView)
        return;
    static const char* const kLabels[] = {"E RESERVE DAYS", "A RESERVE DAYS", "B RESERVE DAYS"};
    static const char* const kCodes[] = {"RE", "RA", "RB"};
    const int crewRows = CrewRows(m_doc);
    m_p.save();
    m_p.setClipRect(area.intersected(m_dirty));
    m_p.fillRect(area, C(kBlockWindowBackground));
    m_p.setPen(C(kBlockWindowBackground).darker(140));
    m_p.drawLine(area.topLeft(), area.topRight());
    for (int r = 0; r < 3; ++r) {
        QRect rowRect(0, top + (r + 1) * m_l.RowHeight, m_l.ViewWidth, m_l.RowHeight);
        Text(QRect(m_style.XPadding, rowRect.top(), m_l.FixedWidth(), m_l.RowHeight),
             Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(kLabels[Ix(r)]), kLabelBlue);
        m_p.save();
        m_p.setClipRect(QRect(m_l.FixedWidth(), rowRect.top(), m_l.ViewWidth, m_l.RowHeight)
                            .intersected(m_dirty));
        for (int d = std::max(0, m_firstCol); d <= std::min(m_lastCol, MonthDays(m_doc) - 1); ++d) {
            int count = 0;
            for (int c = 0; c < crewRows; ++c)
                count += m_doc.Crew[Ix(c)].DayCode2[Ix(d)] == kCodes[Ix(r)] ? 1 : 0;
            QString text = QString::number(count);
            int x = m_l.ColumnX(d) + (count < 10 ? 9 : 5);
            Text(QRect(x, rowRect.top(), m_l.ColWidth, m_l.RowHeight),
                 Qt::AlignLeft | Qt::AlignVCenter, text, C(kBlockHolder));
        }
        m_p.restore();
    }
    m_p.restore();
}

void Painter::PaintHeader()
{
    const int height = m_l.HeaderHeight();
    QRect area(0, 0, m_l.ViewWidth, height);
    if (!area.intersects(m_dirty))
        return;
    m_p.save();
    m_p.setClipRect(area.intersected(m_dirty));
    QColor background = C(kBlockWindowBackground).lighter(110);
    m_p.fillRect(area, background);
    QColor text = C(kBlockHolder);
    const int days = MonthDays(m_doc);

    // The corner: month, year and crew group.
    QRect corner(0, 0, m_l.FixedWidth(), height);
    m_p.setFont(m_style.BoldFont);
    Text(corner.adjusted(m_style.XPadding, 0, 0, -2 * m_l.RowHeight),
         Qt::AlignLeft | Qt::AlignVCenter,
         FromCoreText(std::string(m_doc.MonthName.data(), strnlen(m_doc.MonthName.data(), 6)) +
                      " " + std::string(m_doc.YearText.data(), strnlen(m_doc.YearText.data(), 6))),
         text);
    m_p.setFont(m_style.Font);
    Text(FitText(m_style.Font, FromCoreText(m_doc.GroupName.substr(0, 30)),
                 GroupNameRoom(m_style, m_l)),
         Qt::AlignLeft | Qt::AlignVCenter, text);
    Text(QRect(m_style.XPadding, 2 * m_l.RowHeight, m_l.NameWidth, m_l.RowHeight),
         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Balance"), text);
    Text(QRect(m_l.NameWidth, 2 * m_l.RowHeight, m_l.CreditWidth - m_style.XPadding, m_l.RowHeight),
         Qt::AlignRight | Qt::AlignVCenter,
         m_allCredits ? QStringLiteral("All") : QStringLiteral("Credit"), text);

    m_p.setClipRect(QRect(m_l.FixedWidth(), 0, m_l.ViewWidth, height).intersected(m_dirty));
    for (int col = m_firstCol; col <= m_lastCol; ++col) {
        int slot = m_l.LastMonthView ? col - 31 : col;
        TDate date{};
        if (slot >= 0)
            date = m_doc.DayDate[static_cast<size_t>(slot)];
        else if (slot >= -31)
            date = m_doc.PrevDate[static_cast<size_t>(slot + 31)];
        int weekday = ((m_doc.StartWeekday + slot) % 7 + 7) % 7;
        QRect dateCell = m_l.HeaderCellRect(0, col);
        if (!ColumnInMonth(col))
            m_p.fillRect(QRect(dateCell.left(), 0, m_l.ColWidth, height), background.darker(115));
        bool weekend = weekday == 0 || weekday == 6;
        Text(dateCell, Qt::AlignCenter, QString::number(date.Day), text);
        Text(m_l.HeaderCellRect(1, col), Qt::AlignCenter, QString::fromLatin1(WeekdayName(weekday)),
             weekend ? C(kBlkTotalOutsideRange) : text);
        if (slot >= 0 && slot < days) {
            int balance = m_doc.DayBalance[static_cast<size_t>(slot)];
            Text(m_l.HeaderCellRect(2, col), Qt::AlignCenter, QString::number(balance),
                 balance < 0 ? C(kBlkTotalOutsideRange) : C(kBlkTotalInRange));
        }
        m_p.setPen(background.darker(140));
        m_p.drawLine(dateCell.topRight(), QPoint(dateCell.right(), height - 1));
    }
    if (m_l.LastMonthView) {
        QRect band(m_l.ColumnX(0), 2 * m_l.RowHeight, 31 * m_l.ColWidth, m_l.RowHeight);
        m_p.setFont(m_style.BoldFont);
        Text(band, Qt::AlignCenter, QStringLiteral("L  A  S  T   M  O  N  T  H"), kLabelBlue);
        m_p.setFont(m_style.Font);
    } else {
        QRect band(m_l.ColumnX(-GridLayout::kBandDays), 2 * m_l.RowHeight,
                   GridLayout::kBandDays * m_l.ColWidth, m_l.RowHeight);
        Text(band, Qt::AlignCenter, QStringLiteral("LAST"), kLabelBlue);
    }
    m_p.restore();
    m_p.setPen(background.darker(160));
    m_p.drawLine(QPoint(0, height - 1), QPoint(m_l.ViewWidth, height - 1));
}

void Painter::PaintWatermark()
{
    std::string line = WatermarkText(m_doc.FileKind);
    if (line.empty())
        return;
    QColor colour = C(kBlockHolder);
    colour.setAlpha(70);
    QFont font = m_style.BoldFont;
    font.setPixelSize(std::max(12, m_l.RowHeight * 2));
    m_p.save();
    m_p.setFont(font);
    m_p.setClipRect(QRect(m_l.FixedWidth(), m_l.HeaderHeight(), m_l.ViewWidth, m_l.ViewHeight)
                        .intersected(m_dirty));
    // In the upper part, which the pairings window along the bottom leaves clear.
    int y = m_l.HeaderHeight() + (m_l.ViewHeight - m_l.HeaderHeight()) / 4;
    Text(QRect(m_l.FixedWidth(), y - m_l.RowHeight * 2, 100000, m_l.RowHeight * 4),
         Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(line.c_str()), colour);
    m_p.restore();
}

} // namespace

void PaintGrid(QPainter& painter, const ScheduleDocument& doc, const GridStyle& style,
               const GridLayout& layout, const QRect& dirty, bool allCredits)
{
    Painter(painter, doc, style, layout, dirty, allCredits).Paint();
}

FittedText FitText(const QFont& font, const QString& text, const QRect& room)
{
    const QFontMetrics fm(font);
    if (fm.horizontalAdvance(text) <= room.width())
        return {text, text, room};
    return {text, fm.elidedText(text, Qt::ElideRight, room.width()), room};
}

FittedText CutTextAt(const ScheduleDocument& doc, const GridStyle& style, const GridLayout& l,
                     QPoint point)
{
    const GridLayout::Hit hit = l.HitTest(point);
    auto cutHere = [&](const FittedText& text) { return text.Cut() && text.Room.contains(point); };
    if (hit.Where == GridLayout::Hit::Corner) {
        FittedText group =
            FitText(style.Font, FromCoreText(doc.GroupName.substr(0, 30)), GroupNameRoom(style, l));
        return cutHere(group) ? group : FittedText{};
    }
    if (hit.Crew < 0 || hit.Crew >= CrewRows(doc))
        return {};
    const TPilot& crew = doc.Crew[Ix(hit.Crew)];
    if (hit.Where == GridLayout::Hit::Label) {
        FittedText label = LabelText(doc, style, l, hit.Row, crew);
        return label.Cut() ? label : FittedText{};
    }
    if (hit.Where != GridLayout::Hit::Day)
        return {};
    for (int e = 0; e < TPilot::kSlots; ++e) {
        FittedText entry = LastMonthEntry(style, l, hit.Row, crew, e);
        // Only the band before day 0 shows last month beside this one.
        if (cutHere(entry) && (l.LastMonthView || entry.Room.right() < l.ColumnX(0)))
            return entry;
    }
    if (l.LastMonthView || hit.Column < 0)
        return {};
    if (crew.DaySlot[Ix(hit.Column)] == kOtherSlot) {
        FittedText code = OtherCode(l, style, hit.Row, crew, hit.Column);
        return cutHere(code) ? code : FittedText{};
    }
    for (int d = std::max(0, hit.Column - TPair::kDays); d <= hit.Column; ++d) {
        if (!IsPairing(doc, crew.DaySlot[Ix(d)]))
            continue;
        FittedText number = PairingNumber(doc, style, l, hit.Row, crew, crew.DaySlot[Ix(d)], d);
        if (cutHere(number))
            return number;
    }
    return {};
}

void GridView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    PaintGrid(painter, m_doc, m_style, m_layout, event->rect(), m_allCredits);
    PaintSelection(painter);
}

} // namespace tl::ui
