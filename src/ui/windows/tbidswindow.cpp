#include "ui/windows/tbidswindow.h"

#include "actions/bid_requests.h"
#include "actions/pairing_filters.h"
#include "model/schedule_document.h"
#include "storage/settings.h"
#include "ui/seam/qtinteraction.h"

#include <QDesktopServices>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace tl::ui {

namespace {

constexpr std::string_view kSection = "TL";
constexpr QSize kMinimumSize(820, 520);

QPlainTextEdit* Pane(const char* name, bool readOnly, QWidget* parent)
{
    auto* pane = new QPlainTextEdit(parent);
    pane->setObjectName(QLatin1String(name));
    pane->setReadOnly(readOnly);
    pane->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return pane;
}

} // namespace

TBidsWindow::TBidsWindow(ScheduleDocument& doc, Interaction& ui, SettingsStore& settings,
                         std::function<std::vector<int>()> order, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_doc(doc), m_ui(ui), m_settings(settings),
      m_order(std::move(order))
{
    setWindowTitle(QStringLiteral("Bids"));
    setObjectName(QStringLiteral("BidsWindow"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("CrewList"));
    m_bid = Pane("BidPane", false, this);
    m_bid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_guess = Pane("GuessPane", true, this);
    m_filter = Pane("FilterPane", true, this);
    m_filter->viewport()->installEventFilter(this);
    m_bid->installEventFilter(this);

    auto* panes = new QSplitter(Qt::Vertical, this);
    panes->addWidget(m_bid);
    auto* readings = new QSplitter(Qt::Horizontal, panes);
    readings->addWidget(m_guess);
    readings->addWidget(m_filter);
    panes->addWidget(readings);
    panes->setStretchFactor(0, 3);
    panes->setStretchFactor(1, 2);
    auto* lists = new QSplitter(Qt::Horizontal, this);
    lists->addWidget(m_list);
    lists->addWidget(panes);
    lists->setStretchFactor(1, 4);
    lists->setSizes({180, 640});

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* text, const char* name, auto slot) {
        auto* b = new QPushButton(QLatin1String(text), this);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    button("SET FILTERS", "SetFilters", [this] { SetFilters(); });
    button("SET DAY OFF REQ", "SetDayOffReq", [this] { SetDayOffRequests(); });
    m_filtersButton = button("SET FILTERS ON", "Filters", [this] { ToggleFilters(); });
    button("SELECT FILTERS", "SelectFilters", [this] {
        if (SelectedCrew() >= 0)
            emit selectFiltersRequested(SelectedCrew());
    });
    button("MORE OPTIONS", "MoreOptions",
           [this] { ContextMenu()->popup(m_bid->mapToGlobal(QPoint(5, 5))); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lists, 1);
    layout->addLayout(buttons);

    connect(m_bid, &QPlainTextEdit::customContextMenuRequested, this,
            [this](const QPoint& at) { ContextMenu()->popup(m_bid->mapToGlobal(at)); });
    connect(m_bid, &QPlainTextEdit::textChanged, this, [this] { ReadBid(); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { ShowCrew(); });

    // Where the scheduler left it, unless that is off the screen now.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    int x = m_settings.GetInt(kSection, "BidWinX", 200);
    int y = m_settings.GetInt(kSection, "BidWinY", 300);
    if (x > screen.width() - 30)
        x = 200;
    if (y > screen.height() - 30)
        y = 300;
    // The stored size, but never so small that the bid cannot be read beside
    // its reading: the first program's 300 by 200 fits none of the panes.
    setMinimumSize(kMinimumSize);
    const int w = std::max(m_settings.GetInt(kSection, "BidWinW", 300), kMinimumSize.width());
    const int h = std::max(m_settings.GetInt(kSection, "BidWinH", 200), kMinimumSize.height());
    setGeometry(x, y, w, h);

    // With filters on, showing the first crew member applies that one's.
    FillList();
}

TBidsWindow::~TBidsWindow()
{
    const QRect g = geometry();
    m_settings.SetInt(kSection, "BidWinX", g.x());
    m_settings.SetInt(kSection, "BidWinY", g.y());
    m_settings.SetInt(kSection, "BidWinW", g.width());
    m_settings.SetInt(kSection, "BidWinH", g.height());
}

int TBidsWindow::SelectedCrew() const
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return -1;
    const int crew = m_rows[static_cast<size_t>(row)];
    return crew < std::min(m_doc.CrewCount, ScheduleDocument::kCrewCapacity) ? crew : -1;
}

void TBidsWindow::FillList()
{
    const int32_t remembered = m_empNumber;
    m_rows = m_order();
    QSignalBlocker quiet(m_list);
    m_list->clear();
    int select = m_rows.empty() ? -1 : 0;
    for (size_t row = 0; row < m_rows.size(); ++row) {
        const TPilot& p = m_doc.Crew[static_cast<size_t>(m_rows[row])];
        m_list->addItem(QStringLiteral("%1. %2").arg(row + 1).arg(FromCoreText(p.Name)));
        if (p.EmpNumber == remembered && select == 0 && remembered != -1)
            select = static_cast<int>(row);
    }
    m_list->setCurrentRow(select);
    // Filters may have been turned off in the filter window meanwhile.
    m_filtersButton->setText(m_doc.FiltersOn ? QStringLiteral("SET FILTERS OFF")
                                             : QStringLiteral("SET FILTERS ON"));
    ShowCrew();
}

void TBidsWindow::ShowCrew()
{
    SaveBid();
    const int crew = SelectedCrew();
    m_shown = crew;
    QSignalBlocker quiet(m_bid);
    if (crew < 0) {
        m_bid->clear();
        m_filter->clear();
        ReadBid();
        return;
    }
    const TPilot& p = m_doc.Crew[static_cast<size_t>(crew)];
    m_loaded = p.BidText;
    m_bid->setPlainText(FromCoreText(p.BidText));
    m_filter->setPlainText(FromCoreText(DescribeStoredFilter(p.FilterText)));
    m_empNumber = p.EmpNumber;
    // The board follows the crew member shown.
    if (m_doc.FiltersOn)
        ApplyStoredFilters(m_doc, m_ui, p.EmpNumber);
    ReadBid();
}

void TBidsWindow::ReadBid()
{
    m_requests = GuessTheBid(m_doc, Utf8ToCoreText(m_bid->toPlainText()));
    m_guess->setPlainText(FromCoreText(GuessPaneText(m_requests)));
}

void TBidsWindow::SaveBid()
{
    // A month loaded or a roster edited since the pane was filled: the pane's
    // text is no longer this crew member's to store.
    if (m_shown < 0 || m_shown >= std::min(m_doc.CrewCount, ScheduleDocument::kCrewCapacity) ||
        m_doc.Crew[static_cast<size_t>(m_shown)].EmpNumber != m_empNumber ||
        m_doc.Crew[static_cast<size_t>(m_shown)].BidText != m_loaded)
        return;
    // The question takes the focus from the pane, which would save again.
    if (m_saving)
        return;
    m_saving = true;
    const BidSave saved = SaveBidText(m_doc, m_shown, Utf8ToCoreText(m_bid->toPlainText()), m_ui);
    m_saving = false;
    if (saved == BidSave::Stored) {
        m_loaded = m_doc.Crew[static_cast<size_t>(m_shown)].BidText;
        emit documentChanged();
    } else if (saved == BidSave::Discarded) {
        QSignalBlocker quiet(m_bid);
        m_bid->setPlainText(FromCoreText(m_doc.Crew[static_cast<size_t>(m_shown)].BidText));
        ReadBid();
    }
}

void TBidsWindow::SetFilters()
{
    const int crew = SelectedCrew();
    if (crew < 0 || !SetBidFilters(m_doc, crew, m_requests, m_ui))
        return;
    FilterEdited();
    emit documentChanged();
}

void TBidsWindow::SetDayOffRequests()
{
    const int crew = SelectedCrew();
    if (crew < 0 || !tl::SetDayOffRequests(m_doc, crew, m_requests, m_ui))
        return;
    emit documentChanged();
}

void TBidsWindow::ToggleFilters()
{
    if (m_doc.FiltersOn) {
        FiltersOff(m_doc);
        m_filtersButton->setText(QStringLiteral("SET FILTERS ON"));
    } else if (SelectedCrew() >= 0) {
        ApplyStoredFilters(m_doc, m_ui, m_doc.Crew[static_cast<size_t>(SelectedCrew())].EmpNumber);
        m_filtersButton->setText(QStringLiteral("SET FILTERS OFF"));
    }
}

void TBidsWindow::FilterEdited()
{
    const int crew = SelectedCrew();
    if (crew < 0)
        return;
    const TPilot& p = m_doc.Crew[static_cast<size_t>(crew)];
    m_filter->setPlainText(FromCoreText(DescribeStoredFilter(p.FilterText)));
    if (m_doc.FiltersOn)
        ApplyStoredFilters(m_doc, m_ui, p.EmpNumber);
}

QMenu* TBidsWindow::ContextMenu()
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Undo"), m_bid, &QPlainTextEdit::undo);
    menu->addAction(QStringLiteral("Cut"), m_bid, &QPlainTextEdit::cut);
    menu->addAction(QStringLiteral("Copy"), m_bid, &QPlainTextEdit::copy);
    menu->addAction(QStringLiteral("Paste"), m_bid, &QPlainTextEdit::paste);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Pilot Info Dialog"), this, [this] {
        const int crew = SelectedCrew();
        if (crew < 0)
            return;
        SaveBid();
        emit pilotInfoRequested(crew);
    });
    menu->addAction(QStringLiteral("eMail Pilot"), this, [this] { EmailPilot(); });
    return menu;
}

// A new message to the address the bid gives.
void TBidsWindow::EmailPilot()
{
    const int crew = SelectedCrew();
    if (crew < 0)
        return;
    const std::string& bid = m_doc.Crew[static_cast<size_t>(crew)].BidText;
    const size_t at = bid.find("EMAIL: ");
    std::string address;
    if (at != std::string::npos)
        address = bid.substr(at + 7, bid.find_first_of(" \n", at + 7) - at - 7);
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + FromCoreText(address).toLower()));
}

bool TBidsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_filter->viewport() && event->type() == QEvent::MouseButtonRelease &&
        SelectedCrew() >= 0) {
        emit selectFiltersRequested(SelectedCrew());
        return true;
    }
    // Leaving the bid pane keeps what was typed.
    if (watched == m_bid && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        SaveBid();
    return QWidget::eventFilter(watched, event);
}

void TBidsWindow::closeEvent(QCloseEvent* event)
{
    SaveBid();
    QWidget::closeEvent(event);
}

void TBidsWindow::mousePressEvent(QMouseEvent* event)
{
    SaveBid();
    QWidget::mousePressEvent(event);
}

} // namespace tl::ui
