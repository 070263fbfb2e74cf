#include "shell/theme_colours.h"

#include <cmath>

namespace quarvel {

namespace {

struct Variants {
    QRgb onLight;
    QRgb onDark;
};

Variants VariantsOf(ThemeRole role)
{
    switch (role) {
    case ThemeRole::Error: return {qRgb(0xc0, 0x10, 0x10), qRgb(0xff, 0x7a, 0x7a)};
    case ThemeRole::Warning:
    case ThemeRole::Finding: return {qRgb(0xa8, 0x60, 0x00), qRgb(0xff, 0xb8, 0x4d)};
    case ThemeRole::Success: return {qRgb(0x1a, 0x7a, 0x1a), qRgb(0x7a, 0xdc, 0x7a)};
    }
    return {qRgb(0, 0, 0), qRgb(0xff, 0xff, 0xff)};
}

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(const QColor &colour)
{
    return 0.2126 * Linear(colour.redF()) + 0.7152 * Linear(colour.greenF()) + 0.0722 * Linear(colour.blueF());
}

QColor Mixed(const QColor &from, const QColor &to, double share)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

} // namespace

double ContrastRatio(const QColor &first, const QColor &second)
{
    const double a = RelativeLuminance(first) + 0.05;
    const double b = RelativeLuminance(second) + 0.05;
    return a > b ? a / b : b / a;
}

QColor ThemeColour(const QPalette &palette, ThemeRole role, QPalette::ColorRole background)
{
    const QColor back = palette.color(background);
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    const bool dark = ContrastRatio(white, back) > ContrastRatio(black, back);
    const Variants variants = VariantsOf(role);
    const QColor variant(dark ? variants.onDark : variants.onLight);
    // A background between light and dark moves the colour towards white or black until it
    // reads; white or black itself always does on the side it was chosen for.
    for (int step = 0; step <= 10; ++step) {
        const QColor colour = Mixed(variant, dark ? white : black, step / 10.0);
        if (ContrastRatio(colour, back) >= MinimumContrast)
            return colour.toRgb();
    }
    return dark ? white : black;
}

QColor ThemeBand(const QPalette &palette, ThemeRole role, QPalette::ColorRole background)
{
    return Mixed(palette.color(background), ThemeColour(palette, role, background), 0.18).toRgb();
}

} // namespace quarvel
