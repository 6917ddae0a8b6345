#include "ui/grid/grid_style.h"

#include "ui/seam/qtinteraction.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tl::ui {

namespace {

QFont MakeFont(const GridFont& stored, int weight)
{
    GridFont f = UsableFont(stored);
    QFont font(FromCoreText(f.FaceName));
    font.setPixelSize(std::max(1, std::abs(f.Height)));
    font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(f.Italic);
    if (f.Width > 0) {
        // The stored width is an average character width; Qt scales by stretch.
        int natural = QFontMetrics(font).averageCharWidth();
        if (natural > 0)
            font.setStretch(std::clamp(f.Width * 100 / natural, 50, 200));
    }
    return font;
}

double Linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c)
{
    return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}

} // namespace

QString GridColourName(int which)
{
    static const char* const kNames[kGridColours] = {"Low Credit Pairings",
                                                     "Medium Credit Pairings",
                                                     "High Credit Pairings",
                                                     "Very High Credit Pairings",
                                                     "Duty Time",
                                                     "Rest Time",
                                                     "Pair Over Requested Day Off",
                                                     "Block Holder",
                                                     "Reserve",
                                                     "Blk Total in Specified Range",
                                                     "Blk Total outside Specified Range",
                                                     "Block Window Background",
                                                     "Pairing Window Background"};
    if (which < 0 || which >= kGridColours)
        return QString();
    return QString::fromLatin1(kNames[which]);
}

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& text, const QColor& background)
{
    const QColor target = Luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    QColor c = text;
    for (int step = 1; step <= 20 && ContrastRatio(c, background) < kReadableContrast; ++step) {
        auto mix = [step](int from, int to) { return from + (to - from) * step / 20; };
        c = QColor(mix(text.red(), target.red()), mix(text.green(), target.green()),
                   mix(text.blue(), target.blue()));
    }
    return c;
}

GridStyle GridStyle::FromPreferences(const Preferences& preferences)
{
    GridStyle style;
    GridColours colours = ParseCustomColors(preferences.CustomColors);
    for (int i = 0; i < kGridColours; ++i)
        style.Colours[static_cast<size_t>(i)] =
            QColor(colours[static_cast<size_t>(i)].Red, colours[static_cast<size_t>(i)].Green,
                   colours[static_cast<size_t>(i)].Blue);
    style.Font = MakeFont(preferences.Font, UsableFont(preferences.Font).Weight);
    style.BoldFont = MakeFont(preferences.Font, 700);
    style.XPadding = std::clamp(preferences.XPadding, 0, 9);
    style.YPadding = std::clamp(preferences.YPadding, 0, 9);
    style.GridLines = preferences.Grid;
    style.Layovers = preferences.Layovers;
    style.ShowFullPair = preferences.ShowFullPair;
    style.ShowFullLayOver = preferences.ShowFullLayOver;
    style.HoldCtrlKey = preferences.HoldCtrlKey;
    style.AllowIllegal = preferences.AllowIllegal;
    return style;
}

} // namespace tl::ui
