#pragma once

// How the model's values read in Qt: texts, line breaks, colours with opacity, shortcuts, fonts.
// Pure functions, so that they can be checked without a window.

#include <string>
#include <string_view>

#include <QColor>
#include <QFont>
#include <QKeySequence>
#include <QString>

#include "framework/colour.hpp"

namespace framework::qt {

// UTF-8 as a Qt string, unchanged.
QString FromUtf8(std::string_view utf8);

// The model's multi-line texts break lines with CR; Qt's text widgets and tooltips break them
// with LF. CR, LF and the pair CR LF each become one line break, so that one CR is one line.
QString DisplayText(std::string_view utf8);

// The reverse, for text the user typed: every line break becomes one CR.
std::string ModelText(const QString& text);

// A help tag as a tooltip: its lines on lines of their own; an empty tag gives no tooltip.
QString ToolTip(std::string_view help_tag);

// A caption as a button, check box or menu shows it: Qt would take '&' as a mnemonic marker.
QString Caption(std::string_view utf8);

// "Cmd+Q" as Qt's key sequence: "Cmd" is the platform's command key, which Qt calls Ctrl.
// An empty text gives an empty sequence.
QKeySequence KeySequence(std::string_view shortcut);

// An opacity in percent (0 to 100, clamped; NaN counts as 0) as an alpha from 0 to 255.
int Alpha(double opacity_percent);

// A model colour at an opacity in percent.
QColor ColourAt(Colour colour, double opacity_percent = 100.0);

// Whether the font that Qt actually picks for `font` draws every character of `text`.
bool FontCovers(const QFont& font, const QString& text);

// `base` if its font already draws Japanese; otherwise the same font in an installed family
// that does (a sans-serif one if there is one); `base` again if none is installed.
QFont JapaneseCapableFont(const QFont& base);

}  // namespace framework::qt
