#include "ui/windows/tfilterwin.h"

#include "actions/pairing_filters.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "ui/dialogs/filterwizdialog.h"
#include "ui/seam/qtinteraction.h"
#include "ui/windows/filtergrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tl::ui {

void FillFilterHistory(QComboBox& combo, const ScheduleDocument& doc)
{
    const QString text = combo.currentText();
    combo.clear();
    for (const std::string& entry : doc.FilterWords)
        if (!entry.empty())
            combo.addItem(FromCoreText(entry));
    combo.setEditText(text);
}

TFilterWin::TFilterWin(ScheduleDocument& doc, Interaction& ui, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_doc(doc), m_ui(ui)
{
    setObjectName(QStringLiteral("TFilterWin"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Pairing Filters"));

    m_text = new QComboBox(this);
    m_text->setObjectName(QStringLiteral("FilterText"));
    m_text->setEditable(true);
    m_text->setInsertPolicy(QComboBox::NoInsert);
    m_text->lineEdit()->setMaxLength(int(kFilterTextLength) + 1);
    m_text->setFixedWidth(300);
    FillFilterHistory(*m_text, doc);
    m_text->setEditText(QString());

    m_crew = new QComboBox(this);
    m_crew->setObjectName(QStringLiteral("FilterCrew"));
    m_crew->setFixedWidth(159);
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int c = 0; c < crewCount; ++c)
        // The chooser's entries hold 25 characters.
        m_crew->addItem(
            FromCoreText(Format("%d %s", c + 1, doc.Crew[size_t(c)].Name.c_str()).substr(0, 25)));
    m_crew->setCurrentIndex(doc.FilterCrew < crewCount ? doc.FilterCrew : -1);

    m_grid = new FilterGrid(doc, DistinctPairings(doc), [this](int index) {
        const int first = m_grid->Numbers()[size_t(index)].FirstPair;
        return m_doc.Pairs[size_t(first)].Mark == kMarkByNumber;
    });
    m_grid->setParent(this);
    connect(m_grid, &FilterGrid::cellClicked, this, [this](int index) {
        ToggleFilterNumber(m_doc, m_grid->Numbers()[size_t(index)].Number);
    });

    auto* top = new QHBoxLayout;
    top->addWidget(m_text);
    top->addWidget(m_crew);
    top->addStretch();
    auto* row = new QHBoxLayout;
    const std::pair<const char*, void (TFilterWin::*)()> buttons[] = {
        {"Save", &TFilterWin::Save},           {"Recall", &TFilterWin::Recall},
        {"Apply Filters", &TFilterWin::Apply}, {"Remove Filters", &TFilterWin::Remove},
        {"Invert", &TFilterWin::Invert},       {"Wizard", &TFilterWin::Wizard}};
    for (const auto& [text, slot] : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        row->addWidget(button);
    }
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(m_grid);
    layout->addLayout(row);
    // Enter in the text field applies it.
    connect(m_text->lineEdit(), &QLineEdit::returnPressed, this, &TFilterWin::Apply);
    adjustSize();
}

QPushButton* TFilterWin::Button(const QString& text) const
{
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

void TFilterWin::Apply()
{
    std::string text = Utf8ToCoreText(m_text->currentText());
    const QString caption = windowTitle();
    setWindowTitle(QStringLiteral("Working!!!"));
    const bool applied =
        ApplyTextFilter(m_doc, m_ui, text, m_crew->currentIndex(), [this](int32_t number) {
            setWindowTitle(QString::asprintf("Scanning Pair %d", int(number)));
        });
    m_text->setEditText(FromCoreText(text));
    if (!applied) {
        setWindowTitle(caption);
        return;
    }
    FillFilterHistory(*m_text, m_doc);
    close();
}

void TFilterWin::Remove()
{
    RemoveFilters(m_doc);
    m_text->setEditText(QString());
    close();
}

void TFilterWin::Invert()
{
    InvertFilterMarks(m_doc);
    m_grid->update();
}

void TFilterWin::Save()
{
    std::string caption;
    if (!SaveFilters(m_doc, m_ui, m_crew->currentIndex(), Utf8ToCoreText(m_text->currentText()),
                     caption))
        return;
    setWindowTitle(FromCoreText(caption));
    emit filtersSaved();
}

void TFilterWin::Recall()
{
    std::string text, caption;
    const bool recalled = RecallFilters(m_doc, m_ui, m_crew->currentIndex(), text, caption);
    if (!caption.empty())
        setWindowTitle(FromCoreText(caption));
    if (!recalled)
        return;
    m_text->setEditText(FromCoreText(text));
    m_grid->update();
}

void TFilterWin::Wizard()
{
    m_text->setEditText(RunFilterWizard(m_ui, this));
}

} // namespace tl::ui
