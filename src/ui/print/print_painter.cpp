#include "ui/print/print_painter.h"

#include "ui/seam/qtinteraction.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace tl::ui {

namespace {

namespace g = print_geometry;

// Logical units: the fonts are sized in them, so the text scales with the page.
QFont PrintFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QPen SolidPen()
{
    return QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap);
}
QPen ThinPen()
{
    return QPen(Qt::black, 0, Qt::SolidLine);
}
QPen DottedPen()
{
    return QPen(Qt::black, 0, Qt::DotLine);
}

// Draws a text within `room`, squeezed sideways when it is wider, so that
// it never runs into the next cell.
void Fitted(QPainter& p, const QRectF& room, Qt::Alignment alignment, const std::string& coreText)
{
    const int flags = static_cast<int>(alignment.toInt());
    const QString text = FromCoreText(coreText);
    const qreal width = QFontMetricsF(p.font(), p.device()).horizontalAdvance(text);
    if (width <= room.width() || width <= 0) {
        p.drawText(room, flags, text);
        return;
    }
    p.save();
    const qreal scale = room.width() / width;
    p.translate(room.left(), room.top());
    p.scale(scale, 1);
    p.drawText(QRectF(0, 0, width, room.height()), flags, text);
    p.restore();
}

void Begin(QPainter& p, const QRect& target)
{
    p.save();
    p.setViewport(target);
    p.setWindow(0, 0, g::kWidth, g::kHeight);
    p.setFont(PrintFont(9));
    p.setPen(ThinPen());
}

// Day number and name, weekends shaded, from `left` at `top`, a cell a day.
void DayHeadings(QPainter& p, const std::vector<PrintDayHeading>& days, int left, int top)
{
    for (size_t d = 0; d < days.size(); ++d) {
        const QRectF cell(left + static_cast<int>(d) * g::kCell, top, g::kCell, g::kCell);
        if (days[d].Weekend)
            p.fillRect(cell, QColor(215, 215, 215));
        Fitted(p, cell.adjusted(0, 4, 0, 0), Qt::AlignHCenter | Qt::AlignTop, days[d].Number);
        Fitted(p, cell.adjusted(0, 16, 0, 0), Qt::AlignHCenter | Qt::AlignTop, days[d].Name);
    }
}

// The lines between the days, a thick one before each Monday.
void DayLines(QPainter& p, const std::vector<PrintDayHeading>& days, int left, int top, int bottom)
{
    for (size_t d = 0; d <= days.size(); ++d) {
        const int x = left + static_cast<int>(d) * g::kCell;
        const bool week = d == 0 || d == days.size() || days[d].WeekStart;
        p.setPen(week ? SolidPen() : DottedPen());
        p.drawLine(x, top, x, bottom);
    }
    p.setPen(ThinPen());
}

} // namespace

void PaintBlocksPage(QPainter& p, const QRect& target, const BlocksPage& page)
{
    Begin(p, target);
    const int left = g::kDayColumn * g::kCell;
    const int days = static_cast<int>(page.Days.size());
    const int right = left + days * g::kCell;
    const Qt::Alignment top = Qt::AlignLeft | Qt::AlignTop;
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;

    Fitted(p, QRectF(2, g::kHeaderY + 8, g::kWidth - 4, g::kLine + 4), top, page.Header);
    const QRectF names(2, g::kHeadingsY, left - 4, g::kCell);
    Fitted(p, names.adjusted(0, 4, 0, 0), top, "EMP NAME");
    Fitted(p, names.adjusted(0, 16, 0, 0), top, "BLK HRS");
    DayHeadings(p, page.Days, left, g::kHeadingsY);

    int y = g::kFirstRowY;
    for (const PrintCrewRow& row : page.Rows) {
        p.drawLine(0, y, right, y);
        Fitted(p, QRectF(2, y + 2, left - 4, g::kLine), top, row.Label);
        Fitted(p, QRectF(2, y + 2 + g::kLine, left - 4, g::kLine), top, row.Hours);
        for (int d = 0; d < days && d < static_cast<int>(row.Days.size()); ++d) {
            const PrintDayCell& cell = row.Days[static_cast<size_t>(d)];
            const int x = left + d * g::kCell;
            int line = 0;
            if (cell.Continued) {
                // The pairing's bar runs on where its number would stand.
                p.drawLine(x + 1, y + 7, x + g::kCell - 1, y + 7);
                line = 1;
            }
            for (const std::string& text : cell.Lines) {
                if (line == 3)
                    break;
                Fitted(p, QRectF(x + 1, y + 2 + line * g::kLine, g::kCell - 2, g::kLine), centred,
                       text);
                ++line;
            }
        }
        y += g::kCell;
    }
    int bottom = y;
    if (page.HasReserves) {
        p.setPen(SolidPen());
        p.drawLine(0, page.ReservesY, right, page.ReservesY);
        p.setPen(ThinPen());
        Fitted(p, QRectF(2, page.ReservesY + 10, left - 4, g::kLine), top, "RESERVES");
        for (int d = 0; d < days && d < static_cast<int>(page.Reserves.size()); ++d)
            Fitted(p, QRectF(left + d * g::kCell, page.ReservesY + 10, g::kCell, g::kLine), centred,
                   page.Reserves[static_cast<size_t>(d)]);
        bottom = page.ReservesY + g::kCell;
    }
    p.setPen(SolidPen());
    p.drawLine(0, g::kHeadingsY, right, g::kHeadingsY);
    p.drawLine(0, g::kFirstRowY, right, g::kFirstRowY);
    p.drawLine(0, bottom, right, bottom);
    p.drawLine(0, g::kHeadingsY, 0, bottom);
    DayLines(p, page.Days, left, g::kHeadingsY, bottom);

    if (page.HasOpen) {
        Fitted(p, QRectF(2, page.OpenY, left - 4, g::kLine), top, "OPEN");
        for (int d = 0; d < days && d < static_cast<int>(page.Open.size()); ++d) {
            int lineY = page.OpenY;
            for (const std::string& number : page.Open[static_cast<size_t>(d)]) {
                Fitted(p, QRectF(left + d * g::kCell, lineY, g::kCell, g::kLine), centred, number);
                lineY += g::kLine;
            }
        }
    }
    p.restore();
}

void PaintVisualPairingsPage(QPainter& p, const QRect& target, const VisualPairingsPage& page)
{
    Begin(p, target);
    const int left = g::kBoardLeft;
    const int days = static_cast<int>(page.Days.size());
    const int right = left + days * g::kCell;
    const Qt::Alignment top = Qt::AlignLeft | Qt::AlignTop;

    p.setFont(PrintFont(12, true));
    Fitted(p, QRectF(left, 2, g::kWidth - left, 14), top, page.Title);
    p.setFont(PrintFont(9));
    for (size_t i = 0; i < page.Legend.size(); ++i)
        Fitted(p, QRectF(left, 18 + static_cast<int>(i) * g::kLine, g::kWidth - left, g::kLine),
               top, page.Legend[i]);
    DayHeadings(p, page.Days, left, g::kBoardHeadingsY);

    int y = g::kBoardFirstRowY;
    for (const auto& row : page.Rows) {
        p.setPen(DottedPen());
        p.drawLine(left, y, right, y);
        p.setPen(ThinPen());
        for (int d = 0; d < days && d < static_cast<int>(row.size()); ++d) {
            const auto& lines = row[static_cast<size_t>(d)];
            for (size_t k = 0; k < lines.size() && k < 3; ++k)
                Fitted(p,
                       QRectF(left + d * g::kCell + 1, y + 4 + static_cast<int>(k) * g::kLine,
                              g::kCell - 2, g::kLine),
                       Qt::AlignHCenter | Qt::AlignTop, lines[k]);
        }
        y += g::kCell;
    }
    p.setPen(SolidPen());
    p.drawLine(left, g::kBoardHeadingsY, right, g::kBoardHeadingsY);
    p.drawLine(left, g::kBoardFirstRowY, right, g::kBoardFirstRowY);
    p.drawLine(left, y, right, y);
    DayLines(p, page.Days, left, g::kBoardHeadingsY, y);
    Fitted(p, QRectF(left, g::kBoardFooterY + 4, g::kWidth - left, g::kLine + 4), top, page.Footer);
    p.restore();
}

namespace {

template <class Page, class Paint>
bool PaintAll(QPagedPaintDevice& device, const std::vector<Page>& pages, Paint paint)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRect target(0, 0, device.width(), device.height());
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        paint(painter, target, pages[i]);
    }
    return painter.end();
}

template <class Page> QByteArray Pdf(const std::vector<Page>& pages, const QString& title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tessara Lines"));
        SetPrintLayout(writer);
        if (!PrintPages(writer, pages))
            return {};
    }
    return buffer.data();
}

} // namespace

bool PrintPages(QPagedPaintDevice& device, const std::vector<BlocksPage>& pages)
{
    return PaintAll(device, pages, PaintBlocksPage);
}

bool PrintPages(QPagedPaintDevice& device, const std::vector<VisualPairingsPage>& pages)
{
    return PaintAll(device, pages, PaintVisualPairingsPage);
}

QByteArray PdfDocument(const std::vector<BlocksPage>& pages, const QString& title)
{
    return Pdf(pages, title);
}

QByteArray PdfDocument(const std::vector<VisualPairingsPage>& pages, const QString& title)
{
    return Pdf(pages, title);
}

void SetPrintLayout(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                     QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter));
}

} // namespace tl::ui
