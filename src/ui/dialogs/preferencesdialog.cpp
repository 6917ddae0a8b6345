#include "ui/dialogs/preferencesdialog.h"

#include "ui/grid/grid_style.h"
#include "ui/seam/qtinteraction.h"
#include "ui_preferencesdialog.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cstdlib>

namespace tl::ui {

namespace {

QIcon Swatch(const Rgb& c)
{
    QPixmap pixmap(24, 16);
    pixmap.fill(QColor(c.Red, c.Green, c.Blue));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 23, 15);
    return QIcon(pixmap);
}

} // namespace

PreferencesDialog::PreferencesDialog(const Preferences& preferences, QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<Ui::PreferencesDialog>()), m_preferences(preferences)
{
    m_preferences.Font = UsableFont(m_preferences.Font);
    m_form->setupUi(this);
    const Preferences& p = preferences;
    m_form->grid->setChecked(p.Grid);
    m_form->layovers->setChecked(p.Layovers);
    m_form->showFullPair->setChecked(p.ShowFullPair);
    m_form->showFullLayOver->setChecked(p.ShowFullLayOver);
    m_form->holdCtrlKey->setChecked(p.HoldCtrlKey);
    m_form->xPadding->setValue(p.XPadding);
    m_form->yPadding->setValue(p.YPadding);
    m_form->autoSave->setChecked(p.AutoSave);
    m_form->remindBackup->setChecked(p.RemindBackup);
    m_form->allowIllegal->setChecked(p.AllowIllegal);
    m_form->printXes->setChecked(p.PrintXes);
    m_form->disableFtp->setChecked(p.DisableFTP);
    m_form->debugFile->setChecked(p.DebugFile);
    m_colours = ParseCustomColors(p.CustomColors);
    // Wide enough for the longest name with its values.
    const QFontMetrics metrics(m_form->colours->font());
    m_form->colours->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral(
                                         "Blk Total outside Specified Range  (255, 255, 255)")) +
                                     m_form->colours->iconSize().width() + 48);
    m_form->colours->setMinimumHeight(metrics.height() * 14);
    ShowColours();
    ShowFont();

    connect(m_form->colours, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int index = m_form->colours->row(item);
        const Rgb& c = m_colours[static_cast<size_t>(index)];
        QColor chosen =
            QColorDialog::getColor(QColor(c.Red, c.Green, c.Blue), this, GridColourName(index));
        if (chosen.isValid())
            SetColour(index, Rgb{chosen.red(), chosen.green(), chosen.blue()});
    });
    connect(m_form->resetColours, &QPushButton::clicked, this, [this] {
        m_colours = ParseCustomColors(kDefaultCustomColors);
        ShowColours();
    });
    connect(m_form->fontButton, &QPushButton::clicked, this, [this] {
        QFont current(FromCoreText(m_preferences.Font.FaceName));
        // The font is usable (see UsableFont), so its height has a size.
        current.setPixelSize(std::max(1, std::abs(m_preferences.Font.Height)));
        current.setWeight(m_preferences.Font.Weight >= 700 ? QFont::Bold : QFont::Normal);
        bool ok = false;
        QFont chosen = QFontDialog::getFont(&ok, current, this, tr("Grid Font"));
        if (!ok)
            return;
        GridFont font = m_preferences.Font;
        font.FaceName = Utf8ToCoreText(chosen.family());
        font.Height = chosen.pixelSize() > 0
                          ? chosen.pixelSize()
                          : static_cast<int32_t>(std::clamp(chosen.pointSizeF() * 96.0 / 72.0, 1.0,
                                                            double(kMaxFontPixels)));
        font.Weight = chosen.bold() ? 700 : 400;
        font.Italic = chosen.italic();
        SetGridFont(font);
    });
}

PreferencesDialog::~PreferencesDialog() = default;

void PreferencesDialog::ShowColours()
{
    m_form->colours->clear();
    for (size_t i = 0; i < m_colours.size(); ++i) {
        const Rgb& c = m_colours[i];
        auto* item = new QListWidgetItem(
            Swatch(c),
            tr("%1  (%2, %3, %4)").arg(GridColourName(int(i))).arg(c.Red).arg(c.Green).arg(c.Blue));
        item->setToolTip(tr("Double-click to change"));
        m_form->colours->addItem(item);
    }
}

void PreferencesDialog::ShowFont()
{
    const GridFont& f = m_preferences.Font;
    m_form->fontText->setText(tr("%1, %2 px%3")
                                  .arg(FromCoreText(f.FaceName))
                                  .arg(std::abs(f.Height))
                                  .arg(f.Weight >= 700 ? tr(", bold") : QString()));
}

void PreferencesDialog::SetColour(int index, const Rgb& colour)
{
    if (index < 0 || index >= kGridColours)
        return;
    m_colours[static_cast<size_t>(index)] = colour;
    ShowColours();
}

void PreferencesDialog::SetGridFont(const GridFont& font)
{
    m_preferences.Font = UsableFont(font);
    ShowFont();
}

Preferences PreferencesDialog::Result() const
{
    Preferences p = m_preferences;
    p.Grid = m_form->grid->isChecked();
    p.Layovers = m_form->layovers->isChecked();
    p.ShowFullPair = m_form->showFullPair->isChecked();
    p.ShowFullLayOver = m_form->showFullLayOver->isChecked();
    p.HoldCtrlKey = m_form->holdCtrlKey->isChecked();
    p.XPadding = m_form->xPadding->value();
    p.YPadding = m_form->yPadding->value();
    p.AutoSave = m_form->autoSave->isChecked();
    p.RemindBackup = m_form->remindBackup->isChecked();
    p.AllowIllegal = m_form->allowIllegal->isChecked();
    p.PrintXes = m_form->printXes->isChecked();
    p.DisableFTP = m_form->disableFtp->isChecked();
    p.DebugFile = m_form->debugFile->isChecked();
    // Colours the user left alone keep their stored text as it was.
    if (ParseCustomColors(m_preferences.CustomColors) != m_colours)
        p.CustomColors = FormatCustomColors(m_colours);
    return p;
}

} // namespace tl::ui
