#include "ui/dialogs/crewcomplementdialog.h"

#include "model/schedule_document.h"
#include "ui/seam/qtinteraction.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tl::ui {

CrewComplementDialog::CrewComplementDialog(ScheduleDocument& doc, Interaction& ui, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui), m_opened(OpenCrewComplement(doc))
{
    setObjectName(QStringLiteral("CrewComplementDialog"));
    setWindowTitle(FromCoreText(m_opened.Caption));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ComplementList"));
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (const ComplementLine& line : m_opened.Lines) {
        auto* item = new QListWidgetItem(FromCoreText(line.Text), m_list);
        item->setSelected(line.Selected);
    }
    auto* doneButton = new QPushButton(QStringLiteral("Done"), this);
    doneButton->setDefault(true);
    connect(doneButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(FromCoreText(m_opened.Instruction), this));
    layout->addWidget(m_list, 1);
    layout->addWidget(doneButton, 0, Qt::AlignRight);
    resize(520, 560);
}

CrewComplementDialog::~CrewComplementDialog()
{
    // Destroyed without being closed (its parent went first): the marks
    // must still be put back.
    if (!m_applied && !Apply())
        m_applied = CrewComplementDone(m_doc, m_ui, m_opened.Lines);
}

bool CrewComplementDialog::Apply()
{
    std::vector<ComplementLine> lines = m_opened.Lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        const QListWidgetItem* item = m_list->item(static_cast<int>(i));
        lines[i].Selected = item != nullptr && item->isSelected();
    }
    m_applied = CrewComplementDone(m_doc, m_ui, lines);
    return m_applied;
}

void CrewComplementDialog::done(int result)
{
    if (!m_applied && !Apply()) {
        // Done keeps the dialog open so the scheduler can select fewer days;
        // any other way out puts back the days as they were when it opened.
        if (result == QDialog::Accepted)
            return;
        m_applied = CrewComplementDone(m_doc, m_ui, m_opened.Lines);
    }
    QDialog::done(result);
}

} // namespace tl::ui
