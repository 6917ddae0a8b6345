#pragma once

#include "output/print_pages.h"

#include <QByteArray>
#include <QRect>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace tl::ui {

// Paints one page of a printout into `target` (device coordinates), the
// logical page stretched onto it in both directions.
void PaintBlocksPage(QPainter& painter, const QRect& target, const BlocksPage& page);
void PaintVisualPairingsPage(QPainter& painter, const QRect& target,
                             const VisualPairingsPage& page);

// Every page onto a printer or PDF writer, one sheet each; false when the
// device would not start, take a page or finish.
bool PrintPages(QPagedPaintDevice& device, const std::vector<BlocksPage>& pages);
bool PrintPages(QPagedPaintDevice& device, const std::vector<VisualPairingsPage>& pages);

// The printout as a PDF document on US Letter, landscape; empty when it
// could not be made.
QByteArray PdfDocument(const std::vector<BlocksPage>& pages, const QString& title);
QByteArray PdfDocument(const std::vector<VisualPairingsPage>& pages, const QString& title);

// Lays a printer or PDF writer out as the printouts expect it: Letter,
// landscape, narrow margins.
void SetPrintLayout(QPagedPaintDevice& device);

} // namespace tl::ui
