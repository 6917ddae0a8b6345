#include "ui/dialogs/colourlegenddialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tl::ui {

namespace {

// What a sample shows besides its fill and text.
enum class Mark { None, Bar, Strike, OrangeBox, BlueFrame, DayStrip, Corner, Lock, Frame };

struct Entry {
    QString Name;
    QString Meaning;
    QColor Fill;  // the sample's own colour (a bar, a label, a day)
    QColor Ink;   // its text; invalid for none
    QString Text; // its text
    Mark Decoration = Mark::None;
};

QPixmap Sample(const GridStyle& style, const Entry& e)
{
    const int w = 96;
    const int h = 22;
    QPixmap pixmap(w, h);
    pixmap.fill(style.Colour(kBlockWindowBackground));
    QPainter p(&pixmap);
    p.setFont(style.Font);
    QRect text(4, 0, w - 8, h);
    switch (e.Decoration) {
    case Mark::Bar:
    case Mark::Lock:
    case Mark::Frame:
        p.fillRect(QRect(4, 3, w - 30, h - 6), e.Fill);
        p.fillRect(QRect(w - 26, 3, 22, h - 6), style.Colour(kRestTime));
        text = QRect(e.Decoration == Mark::Lock ? 9 : 6, 3, w - 12, h - 6);
        if (e.Decoration == Mark::Lock) {
            p.fillRect(QRect(4, 0, w - 30, 3), Qt::black);
            p.fillRect(QRect(4, 0, 3, h - 3), Qt::black);
        } else if (e.Decoration == Mark::Frame) {
            p.setPen(QPen(Qt::black, 2));
            p.drawRect(QRect(4, 3, w - 30, h - 6).adjusted(1, 1, -1, -1));
        }
        break;
    case Mark::DayStrip:
        p.fillRect(QRect(4, h - 3, 30, 3), e.Fill);
        break;
    case Mark::Corner: {
        p.setPen(Qt::NoPen);
        p.setBrush(e.Fill);
        p.drawPolygon(QPolygon({QPoint(4, 0), QPoint(12, 0), QPoint(4, 8)}));
        break;
    }
    default:
        if (e.Fill.isValid())
            p.fillRect(QRect(0, 0, w, h), e.Fill);
        break;
    }
    if (e.Decoration == Mark::OrangeBox)
        p.fillRect(QRect(w - 30, 0, 30, h), QColor(255, 184, 113));
    if (e.Decoration == Mark::BlueFrame) {
        p.setPen(QColor(102, 178, 255));
        p.drawRect(QRect(0, 0, w - 1, h - 3));
    }
    if (e.Ink.isValid()) {
        p.setPen(e.Ink);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, e.Text);
    }
    if (e.Decoration == Mark::Strike) {
        p.setPen(e.Ink);
        p.drawLine(3, h / 2, w - 4, h / 2);
    }
    p.setPen(Qt::gray);
    p.drawRect(0, 0, w - 1, h - 1);
    return pixmap;
}

std::vector<Entry> Entries(const GridStyle& s)
{
    auto c = [&s](GridColour which) { return s.Colour(which); };
    const QColor name(0, 100, 0);
    const QColor none;
    std::vector<Entry> entries = {
        {GridColourName(kLowCreditPairings),
         QStringLiteral("Pairing number: under 5:00 credit a day"), c(kDutyTime),
         c(kLowCreditPairings), QStringLiteral("0101"), Mark::Bar},
        {GridColourName(kMediumCreditPairings),
         QStringLiteral("Pairing number: 5:00 to 5:59 a day"), c(kDutyTime),
         c(kMediumCreditPairings), QStringLiteral("0102"), Mark::Bar},
        {GridColourName(kHighCreditPairings), QStringLiteral("Pairing number: 6:00 to 6:59 a day"),
         c(kDutyTime), c(kHighCreditPairings), QStringLiteral("0103"), Mark::Bar},
        {GridColourName(kVeryHighCreditPairings),
         QStringLiteral("Pairing number: 7:00 or more a day"), c(kDutyTime),
         c(kVeryHighCreditPairings), QStringLiteral("0104"), Mark::Bar},
        {GridColourName(kDutyTime), QStringLiteral("A pairing's bar, from report to release"),
         c(kDutyTime), none, QString(), Mark::Bar},
        {GridColourName(kRestTime), QStringLiteral("The rest after the release (right of the bar)"),
         c(kDutyTime), none, QString(), Mark::Bar},
        {GridColourName(kPairOverRequestedDayOff),
         QStringLiteral("A pairing on a day the crew member asked off; its text colours request "
                        "codes (X1 ...) on free days"),
         c(kPairOverRequestedDayOff), c(kLowCreditPairings), QStringLiteral("0105"), Mark::Bar},
        {GridColourName(kBlockHolder),
         QStringLiteral("Codes of other assignments, last month's entries, layovers, headings"),
         none, c(kBlockHolder), QStringLiteral("VAC"), Mark::None},
        {GridColourName(kReserve),
         QStringLiteral("Reserve codes; the credit of a crew member who bids reserve or is on "
                        "leave"),
         none, c(kReserve), QStringLiteral("RA  85:00"), Mark::None},
        {GridColourName(kBlkTotalInRange), QStringLiteral("A block credit inside its limits"), none,
         c(kBlkTotalInRange), QStringLiteral("75:30"), Mark::None},
        {GridColourName(kBlkTotalOutsideRange),
         QStringLiteral("A block credit outside its limits; the name of a crew member with "
                        "illegalities; weekend days"),
         none, c(kBlkTotalOutsideRange), QStringLiteral("4:00"), Mark::None},
        {GridColourName(kBlockWindowBackground), QStringLiteral("The grid"),
         c(kBlockWindowBackground), none, QString(), Mark::None},
        {GridColourName(kPairingWindowBackground),
         QStringLiteral("Assigned pairings on the pairings board"),
         c(kPairingWindowBackground).lighter(112), QColor(96, 96, 96), QStringLiteral("0106"),
         Mark::None},
        // The marks the settings do not colour.
        {QStringLiteral("Yellow name"), QStringLiteral("60+"), QColor(255, 255, 128), name,
         QStringLiteral("4 A NAME"), Mark::None},
        {QStringLiteral("Cyan name, #"), QStringLiteral("LTC"), QColor(128, 255, 255), name,
         QStringLiteral("5 # A NAME"), Mark::None},
        {QStringLiteral("Pink name, + or :"), QStringLiteral("Check B"), QColor(255, 128, 192),
         name, QStringLiteral("6 + A NAME"), Mark::None},
        {QStringLiteral("Green name, @"), QStringLiteral("Checker"), QColor(128, 255, 128), name,
         QStringLiteral("7 @ A NAME"), Mark::None},
        {QStringLiteral("Orange box"), QStringLiteral("Training (TRN) or No TZ"), none, name,
         QStringLiteral("8 A NAME"), Mark::OrangeBox},
        {QStringLiteral("Blue frame"), QStringLiteral("A maximum block of its own"), none, name,
         QStringLiteral("9 A NAME"), Mark::BlueFrame},
        {QStringLiteral("Struck through"), QStringLiteral("Med"), none, name,
         QStringLiteral("10 A NAME"), Mark::Strike},
        {QStringLiteral("Purple name"), QStringLiteral("A simulator bid without time bank"), none,
         QColor(153, 50, 204), QStringLiteral("11 A NAME"), Mark::None},
        {QStringLiteral("Red strip"), QStringLiteral("An illegal day"), c(kBlkTotalOutsideRange),
         none, QString(), Mark::DayStrip},
        {QStringLiteral("Orange strip"), QStringLiteral("A day with a warning"),
         QColor(255, 184, 113), none, QString(), Mark::DayStrip},
        {QStringLiteral("Light green day"), QStringLiteral("Recurrent LKC"), QColor(196, 255, 128),
         none, QString(), Mark::None},
        {QStringLiteral("Blue corner"), QStringLiteral("Line indoctrination"),
         QColor(102, 178, 255), none, QString(), Mark::Corner},
        {QStringLiteral("Pink corner"), QStringLiteral("Line check"), QColor(255, 51, 153), none,
         QString(), Mark::Corner},
        {QStringLiteral("White bar"), QStringLiteral("A copy for a second captain or extra crew"),
         Qt::white, c(kLowCreditPairings), QStringLiteral("0107"), Mark::Bar},
        {QStringLiteral("Black bracket"), QStringLiteral("Locked in: cannot be dragged"),
         c(kDutyTime), c(kLowCreditPairings), QStringLiteral("0108"), Mark::Lock},
        {QStringLiteral("Black frame"), QStringLiteral("The pairing chosen on the pairings board"),
         c(kDutyTime), c(kLowCreditPairings), QStringLiteral("0109"), Mark::Frame},
        {QStringLiteral("<-"), QStringLiteral("Last month's activity runs into this day"), none,
         ReadableOn(c(kDutyTime), c(kBlockWindowBackground)), QStringLiteral("<-"), Mark::None},
    };
    return entries;
}

} // namespace

ColourLegendDialog::ColourLegendDialog(const GridStyle& style, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ColourLegendDialog"));
    setWindowTitle(tr("Colour Legend"));
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(10);
    int row = 0;
    for (const Entry& e : Entries(style)) {
        auto* sample = new QLabel(page);
        sample->setPixmap(Sample(style, e));
        auto* name = new QLabel(e.Name, page);
        name->setObjectName(QStringLiteral("LegendName"));
        QFont bold = name->font();
        bold.setBold(true);
        name->setFont(bold);
        auto* meaning = new QLabel(e.Meaning, page);
        meaning->setWordWrap(true);
        grid->addWidget(sample, row, 0);
        grid->addWidget(name, row, 1);
        grid->addWidget(meaning, row, 2);
        ++row;
    }
    grid->setColumnStretch(2, 1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addWidget(buttons);
    resize(720, 640);
}

} // namespace tl::ui
