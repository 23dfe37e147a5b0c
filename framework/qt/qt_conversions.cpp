#include "framework/qt/qt_conversions.hpp"

#include <algorithm>
#include <cmath>

#include <QFontDatabase>
#include <QRawFont>
#include <QStringList>

namespace framework::qt {

QString FromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString DisplayText(std::string_view utf8) {
  QString text = FromUtf8(utf8);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar(u'\r'), QChar(u'\n'));
  return text;
}

std::string ModelText(const QString& text) {
  QString model = text;
  model.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
  model.replace(QChar(u'\n'), QChar(u'\r'));
  // QPlainTextEdit hands back paragraph separators for the line breaks it holds.
  model.replace(QChar(QChar::ParagraphSeparator), QChar(u'\r'));
  model.replace(QChar(QChar::LineSeparator), QChar(u'\r'));
  return model.toStdString();
}

QString ToolTip(std::string_view help_tag) { return DisplayText(help_tag); }

QString Caption(std::string_view utf8) {
  QString text = FromUtf8(utf8);
  text.replace(QChar(u'&'), QStringLiteral("&&"));
  return text;
}

QKeySequence KeySequence(std::string_view shortcut) {
  if (shortcut.empty()) return QKeySequence();
  // Qt reads "Ctrl" as the command key on every platform, which is what "Cmd" means here.
  QStringList parts = FromUtf8(shortcut).split(QChar(u'+'));
  for (QString& part : parts) {
    if (part.compare(QStringLiteral("Cmd"), Qt::CaseInsensitive) == 0) part = QStringLiteral("Ctrl");
  }
  return QKeySequence::fromString(parts.join(QChar(u'+')), QKeySequence::PortableText);
}

int Alpha(double opacity_percent) {
  if (!(opacity_percent > 0.0)) return 0;  // NaN included
  if (opacity_percent >= 100.0) return 255;
  return static_cast<int>(std::lround(opacity_percent * 255.0 / 100.0));
}

QColor ColourAt(Colour colour, double opacity_percent) {
  return QColor(colour.red, colour.green, colour.blue, Alpha(opacity_percent));
}

bool FontCovers(const QFont& font, const QString& text) {
  const QRawFont raw = QRawFont::fromFont(font);
  if (!raw.isValid()) return false;
  for (const char32_t code : text.toUcs4()) {
    if (!raw.supportsCharacter(static_cast<uint>(code))) return false;
  }
  return true;
}

namespace {

// Kana, kanji and the full-width punctuation that Japanese texts use.
QString JapaneseProbe() {
  return QStringLiteral(u"あいうアイウ漢字表示円軌道（）：、。「」＝÷１≦");
}

int FamilyPreference(const QString& family) {
  static const QStringList preferred = {
      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
      QStringLiteral("Source Han Sans JP"), QStringLiteral("IPAexGothic"),
      QStringLiteral("IPAGothic"), QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic")};
  const qsizetype index = preferred.indexOf(family);
  if (index >= 0) return static_cast<int>(index);
  if (family.contains(QStringLiteral("Sans"), Qt::CaseInsensitive) ||
      family.contains(QStringLiteral("Gothic"), Qt::CaseInsensitive)) {
    return 100;
  }
  return 200;
}

}  // namespace

QFont JapaneseCapableFont(const QFont& base) {
  const QString probe = JapaneseProbe();
  if (FontCovers(base, probe)) return base;
  QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
  std::stable_sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
    return FamilyPreference(a) < FamilyPreference(b);
  });
  for (const QString& family : families) {
    QFont candidate = base;
    candidate.setFamilies(QStringList{family});
    if (FontCovers(candidate, probe)) return candidate;
  }
  return base;
}

}  // namespace framework::qt
