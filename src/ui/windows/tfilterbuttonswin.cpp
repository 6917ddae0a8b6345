#include "ui/windows/tfilterbuttonswin.h"

#include "model/schedule_document.h"
#include "ui/dialogs/filterwizdialog.h"
#include "ui/seam/qtinteraction.h"
#include "ui/windows/filtergrid.h"
#include "ui/windows/tfilterwin.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tl::ui {

TFilterButtonsWin::TFilterButtonsWin(ScheduleDocument& doc, Interaction& ui, int crew,
                                     QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui), m_crew(crew), m_buttons(LoadFilterButtons(doc, crew))
{
    setObjectName(QStringLiteral("TFilterButtonsWin"));
    m_text = new QComboBox(this);
    m_text->setObjectName(QStringLiteral("FilterText"));
    m_text->setEditable(true);
    m_text->setInsertPolicy(QComboBox::NoInsert);
    m_text->lineEdit()->setMaxLength(int(kFilterTextLength) + 1);
    m_text->setFixedWidth(300);
    FillFilterHistory(*m_text, doc);
    m_text->setEditText(FromCoreText(m_buttons.Text));

    m_grid = new FilterGrid(doc, m_buttons.Numbers,
                            [this](int index) { return m_buttons.Selected[size_t(index)] != 0; });
    m_grid->setParent(this);
    connect(m_grid, &FilterGrid::cellClicked, this,
            [this](int index) { m_buttons.Selected[size_t(index)] ^= 1; });

    auto* row = new QHBoxLayout;
    const std::pair<const char*, void (TFilterButtonsWin::*)()> buttons[] = {
        {"OK", &TFilterButtonsWin::accept},
        {"Cancel", &TFilterButtonsWin::reject},
        {"Clear", &TFilterButtonsWin::Clear},
        {"Invert", &TFilterButtonsWin::Invert},
        {"Wizard", nullptr}};
    for (const auto& [text, slot] : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setFixedSize(100, 28);
        button->setAutoDefault(false);
        if (slot)
            connect(button, &QPushButton::clicked, this, slot);
        else
            connect(button, &QPushButton::clicked, this,
                    [this] { m_text->setEditText(RunFilterWizard(m_ui, this)); });
        row->addWidget(button);
    }
    row->addStretch();
    // Enter in the text field confirms the window.
    connect(m_text->lineEdit(), &QLineEdit::returnPressed, this, &TFilterButtonsWin::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(m_text);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(m_grid);
    layout->addLayout(row);
    adjustSize();
}

QPushButton* TFilterButtonsWin::Button(const QString& text) const
{
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

void TFilterButtonsWin::accept()
{
    m_buttons.Text = Utf8ToCoreText(m_text->currentText());
    StoreFilterButtons(m_doc, m_crew, m_buttons);
    QDialog::accept();
}

void TFilterButtonsWin::Clear()
{
    std::fill(m_buttons.Selected.begin(), m_buttons.Selected.end(), 0);
    m_text->setEditText(QString());
    m_grid->update();
}

void TFilterButtonsWin::Invert()
{
    for (uint8_t& selected : m_buttons.Selected)
        selected ^= 1;
    m_grid->update();
}

bool RunFilterButtons(ScheduleDocument& doc, Interaction& ui, int crew, QWidget* parent)
{
    if (crew < 0 || crew >= std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity))
        return false;
    TFilterButtonsWin window(doc, ui, crew, parent);
    window.setWindowTitle(QStringLiteral("Filters for ") +
                          FromCoreText(doc.Crew[size_t(crew)].Name));
    return window.exec() == QDialog::Accepted;
}

} // namespace tl::ui
