#pragma once

#include "ui/grid/grid_style.h"

#include <QDialog>

namespace tl::ui {

// What the grid's colours and marks mean, each drawn as the grid draws it
// in the colours of the settings.
class ColourLegendDialog : public QDialog {
    Q_OBJECT
public:
    explicit ColourLegendDialog(const GridStyle& style, QWidget* parent = nullptr);
};

} // namespace tl::ui
