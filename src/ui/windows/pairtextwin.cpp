#include "ui/windows/pairtextwin.h"

#include "model/schedule_document.h"
#include "ui/seam/qtinteraction.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace tl::ui {

namespace {

const QString kName = QStringLiteral("PairTextWin");

QWidget* Find(QWidget* owner)
{
    if (!owner)
        return nullptr;
    return owner->window()->findChild<QWidget*>(kName, Qt::FindDirectChildrenOnly);
}

} // namespace

QPlainTextEdit* ShowPairingText(QWidget* owner, const ScheduleDocument& doc, int pairing, int day)
{
    if (!owner || pairing < 0 || pairing >= ScheduleDocument::kPairCapacity)
        return nullptr;
    QWidget* window = Find(owner);
    QPlainTextEdit* text = nullptr;
    if (window) {
        text = window->findChild<QPlainTextEdit*>();
    } else {
        window = new QWidget(owner->window(), Qt::Tool);
        window->setObjectName(kName);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QStringLiteral("Pair"));
        text = new QPlainTextEdit(window);
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(text);
        const QFontMetrics metrics(text->font());
        window->resize(metrics.horizontalAdvance(QLatin1Char('M')) * 84, metrics.height() * 24);
        // Top right over the grid, left of where the toolbox opens.
        const QRect area = owner->window()->geometry();
        window->move(std::max(area.left(), area.right() - window->width() - 380), area.top() + 80);
    }
    text->setPlainText(FromCoreText(doc.Pairs[size_t(pairing)].PairText));
    text->setProperty("pairing", pairing);
    text->setProperty("day", day);
    window->show();
    window->raise();
    return text;
}

void ClosePairingText(QWidget* owner)
{
    if (QWidget* window = Find(owner))
        window->close();
}

} // namespace tl::ui
