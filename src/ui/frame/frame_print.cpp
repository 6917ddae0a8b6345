// Printing: the blocks and the visual pairings, through a preview from
// which they go to a printer or to a PDF file, and the page setup.
#include "ui/frame/tmaindecframewin.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "output/print_pages.h"
#include "storage/settings.h"
#include "ui/dialogs/printblocksdialog.h"
#include "ui/grid/grid_filters.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"
#include "ui/print/print_painter.h"

#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace tl::ui {

namespace {

// A PDF writer is always there, so the preview is offered even where no
// printer is set up: from it the printout can be saved as a PDF file.
template <class Page>
void Preview(QPrinter& printer, const std::vector<Page>& pages, Interaction& ui, QWidget* parent)
{
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Print Preview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, parent,
                     [&pages, &ui](QPrinter* device) {
                         if (!PrintPages(*device, pages))
                             ui.Message(kCaption, "The printout could not be made.", Icon::Error);
                     });
    preview.exec();
}

} // namespace

QPrinter& TMainDecFrameWin::Printer()
{
    if (!m_printer) {
        m_printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        SetPrintLayout(*m_printer);
    }
    return *m_printer;
}

void TMainDecFrameWin::InstallPrintCommands()
{
    m_handlers.insert(CmPrintBlocks, [this] {
        ScheduleDocument& doc = m_client->Document();
        const bool fa = doc.CrewKind == kFlightAttendants;
        BlocksPrintOptions options;
        options.Draft =
            fa ? m_ui.AskYes("Print ONLY Displayed Blocks",
                             "Is this a DRAFT Printout of the Currently Displayed Blocks")
               : m_ui.AskYes("Tessara Lines - Print Blocks", "Is this a DRAFT Printout");
        PrintBlocksDialog range(doc.CrewCount, this);
        if (range.exec() != QDialog::Accepted)
            return;
        options.OpenFlying = range.OpenFlying();
        options.PrintXes = PrintXesForPrinting(m_settings);
        // Flight attendants print the blocks the grid shows.
        std::vector<int> shown;
        if (fa)
            shown = DisplayOrder(doc, m_client->Grid()->Flags());
        const std::vector<BlocksPage> pages = BlocksPrintout(
            doc, PrintSelection(doc, range.From(), range.To(), fa ? &shown : nullptr), options,
            m_ui);
        // Each printed block was credited again on the way.
        emit m_client->DocumentChanged();
        Preview(Printer(), pages, m_ui, this);
    });
    m_handlers.insert(CmPrintPairings, [this] {
        Preview(Printer(), VisualPairingsPrintout(m_client->Document()), m_ui, this);
    });
    m_handlers.insert(CmPrintSetup, [this] {
        QPageSetupDialog setup(&Printer(), this);
        setup.exec();
    });
}

} // namespace tl::ui
