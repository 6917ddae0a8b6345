#include "ui/windows/pairtextwin.h"

#include "model/schedule_document.h"
#include "ui/seam/qtinteraction.h"
#include "ui/windows/framedock.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

namespace tl::ui {

QPlainTextEdit* ShowPairingText(QWidget* owner, const ScheduleDocument& doc, int pairing, int day)
{
    FrameDock* dock = FindDock(owner, PairTextDockName());
    if (dock == nullptr || pairing < 0 || pairing >= ScheduleDocument::kPairCapacity)
        return nullptr;
    auto* text = qobject_cast<QPlainTextEdit*>(dock->widget());
    if (text == nullptr) {
        text = new QPlainTextEdit(dock);
        text->setObjectName(QStringLiteral("PairTextWin"));
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        dock->setWidget(text);
    }
    text->setPlainText(FromCoreText(doc.Pairs[size_t(pairing)].PairText));
    text->setProperty("pairing", pairing);
    text->setProperty("day", day);
    dock->show();
    dock->raise();
    return text;
}

void ClosePairingText(QWidget* owner)
{
    if (FrameDock* dock = FindDock(owner, PairTextDockName()))
        dock->hide();
}

} // namespace tl::ui
