#include "ui/windows/toolboxwindow.h"

#include "actions/toolbox_drop.h"
#include "model/activity_codes.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "ui/seam/qtinteraction.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tl::ui {

namespace {

constexpr int kItemRole = Qt::UserRole + 1;

QString ActivityText(const ToolBoxActivityItem& item)
{
    const std::string credit = item.Credit > 0 ? FormatHoursMinutes(item.Credit, true) : "     ";
    return QStringLiteral("%1 %2 %3  %4")
        .arg(FromCoreText(item.Activity).leftJustified(3),
             FromCoreText(item.TrackingCode).leftJustified(2), FromCoreText(credit),
             FromCoreText(item.Description));
}

} // namespace

ToolBoxList::ToolBoxList(QWidget* parent) : QListWidget(parent)
{
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

QStringList ToolBoxList::mimeTypes() const
{
    return {QString::fromLatin1(kToolBoxItemMime)};
}

QMimeData* ToolBoxList::mimeData(const QList<QListWidgetItem*>& items) const
{
    if (items.isEmpty() || !items.front()->data(kItemRole).isValid())
        return nullptr;
    auto* payload = new QMimeData;
    payload->setData(QString::fromLatin1(kToolBoxItemMime),
                     items.front()->data(kItemRole).toByteArray());
    return payload;
}

ToolBoxWindow::ToolBoxWindow(ScheduleDocument& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("ToolBoxWindow"));
    setWindowTitle(QStringLiteral("ToolBox"));
    m_list = new ToolBoxList(this);
    m_list->setObjectName(QStringLiteral("ToolBoxItems"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_list);
    resize(300, 520);
}

namespace {

QString FillKey(const ScheduleDocument& doc)
{
    return QStringLiteral("%1|%2|%3")
        .arg(FromCoreText(ToolBoxHeading(doc)))
        .arg(doc.CrewKind)
        .arg(ToolBoxActivityItems(doc).size());
}

} // namespace

void ToolBoxWindow::Sync()
{
    if (FillKey(m_doc) != m_filled)
        Refill();
}

void ToolBoxWindow::Refill()
{
    m_filled = FillKey(m_doc);
    m_list->clear();
    auto add = [this](const QString& text, const ToolBoxItemRef& ref) {
        auto* item = new QListWidgetItem(text, m_list);
        item->setData(kItemRole, QByteArray::fromStdString(EncodeToolBoxItem(ref)));
        item->setToolTip(QStringLiteral("Drag onto a day of a block"));
    };
    const auto requests = ToolBoxRequestItems();
    for (size_t i = 0; i < requests.size(); ++i)
        add(FromCoreText(requests[i].Label), {ToolBoxItemRef::Kind::Request, static_cast<int>(i)});

    auto* heading = new QListWidgetItem(FromCoreText(ToolBoxHeading(m_doc)), m_list);
    heading->setFlags(Qt::ItemIsEnabled); // shown, not picked or dragged
    QFont bold = m_list->font();
    bold.setBold(true);
    heading->setFont(bold);

    const auto activities = ToolBoxActivityItems(m_doc);
    for (size_t i = 0; i < activities.size(); ++i)
        add(ActivityText(activities[i]), {ToolBoxItemRef::Kind::Activity, static_cast<int>(i)});
}

void ToolBoxWindow::showEvent(QShowEvent* event)
{
    Sync();
    QWidget::showEvent(event);
}

} // namespace tl::ui
