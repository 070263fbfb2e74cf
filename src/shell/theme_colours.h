// The colours the desktop program marks text with, chosen for the palette in force: a dark
// window background gets light variants, a light one dark variants, each readable on it.
#pragma once

#include <QColor>
#include <QPalette>

namespace quarvel {

enum class ThemeRole {
    Error,   // error lines, a failed run; removed lines of a difference
    Warning, // warning lines
    Finding, // the report's findings, marked like warnings
    Success, // added lines of a difference
};

// The least contrast ratio between text and its background that the colours keep (the WCAG
// level for normal text).
inline constexpr double MinimumContrast = 4.5;

// The WCAG contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor &first, const QColor &second);

// The text colour of role on the palette's background, with at least MinimumContrast.
QColor ThemeColour(const QPalette &palette, ThemeRole role, QPalette::ColorRole background = QPalette::Base);

// A faint band of role's colour behind text of the palette's Text colour, as for the lines of
// a difference.
QColor ThemeBand(const QPalette &palette, ThemeRole role, QPalette::ColorRole background = QPalette::Base);

} // namespace quarvel
