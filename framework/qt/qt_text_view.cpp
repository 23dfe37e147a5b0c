#include "framework/qt/qt_text_view.hpp"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <string_view>
#include <utility>

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextLayout>
#include <QTextOption>
#include <QTimerEvent>

#include "framework/qt/qt_conversions.hpp"

namespace framework {

namespace {

// How often the view scrolls while the mouse selects outside it.
constexpr int kDragScrollMs = 50;
// The horizontal step of an arrow key, in pixels, as a plain-text editor has it.
constexpr int kHorizontalStep = 20;

// The first `byte` at or after `from`, or `end`.
const char* Find(const char* from, const char* end, char byte) {
  const void* found = std::memchr(from, byte, static_cast<std::size_t>(end - from));
  return found != nullptr ? static_cast<const char*>(found) : end;
}

int ClampToInt(std::size_t value) { return static_cast<int>(std::min<std::size_t>(value, INT_MAX)); }

// A single line of `text` laid out without wrapping, for the positions inside a cell.
class CellLayout {
 public:
  CellLayout(const QString& text, const QFont& font) : m_layout(text, font) {
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    m_layout.setTextOption(option);
    m_layout.beginLayout();
    m_line = m_layout.createLine();
    m_layout.endLayout();
  }
  qreal X(qsizetype column) const { return m_line.cursorToX(static_cast<int>(column)); }
  qsizetype Column(qreal x) const { return m_line.xToCursor(x, QTextLine::CursorBetweenCharacters); }

 private:
  QTextLayout m_layout;
  QTextLine m_line;
};

}  // namespace

QtTextView::QtTextView(QWidget* parent) : QAbstractScrollArea(parent) {
  viewport()->setCursor(Qt::IBeamCursor);
  MeasureColumns();
  UpdateScrollBars();
}

// ---------------------------------------------------------------------------------------------
// The text and its lines
// ---------------------------------------------------------------------------------------------

void QtTextView::SetText(std::string utf8) {
  m_text = std::move(utf8);
  m_line_starts.clear();
  m_line_starts.push_back(0);
  m_longest_line = 0;

  // One pass over the bytes, with memchr doing the searching: a table has a CR every sixty bytes
  // and no LF at all.
  const char* const begin = m_text.data();
  const char* const end = begin + m_text.size();
  const char* cr = Find(begin, end, '\r');
  const char* lf = Find(begin, end, '\n');
  std::size_t longest = 0;
  for (;;) {
    const char* line_break = std::min(cr, lf);
    const auto length = static_cast<std::size_t>(line_break - begin) - m_line_starts.back();
    if (length > longest) {
      longest = length;
      m_longest_line = m_line_starts.size() - 1;
    }
    if (line_break == end) break;
    const char* next = line_break + 1;
    if (*line_break == '\r' && next != end && *next == '\n') ++next;
    m_line_starts.push_back(static_cast<std::size_t>(next - begin));
    if (cr < next) cr = Find(next, end, '\r');
    if (lf < next) lf = Find(next, end, '\n');
  }

  m_anchor = m_cursor = Position{};
  m_selecting = false;
  m_drag_scroll.stop();
  MeasureColumns();
  UpdateScrollBars();
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  viewport()->update();
}

std::size_t QtTextView::LineEnd(std::size_t line) const {
  if (line + 1 >= m_line_starts.size()) return m_text.size();
  std::size_t end = m_line_starts[line + 1] - 1;
  if (m_text[end] == '\n' && end > m_line_starts[line] && m_text[end - 1] == '\r') --end;
  return end;
}

QString QtTextView::Line(std::size_t line) const {
  if (line >= LineCount()) return QString();
  const std::size_t begin = LineBegin(line);
  return qt::FromUtf8(std::string_view(m_text).substr(begin, LineEnd(line) - begin));
}

std::size_t QtTextView::LineAt(int y) const {
  const auto row = static_cast<long long>(std::floor(static_cast<double>(y - kMargin) / m_line_height));
  const long long line = verticalScrollBar()->value() + row;
  return static_cast<std::size_t>(std::clamp<long long>(line, 0, static_cast<long long>(LineCount()) - 1));
}

// ---------------------------------------------------------------------------------------------
// Columns and lines laid out
// ---------------------------------------------------------------------------------------------

std::vector<QtTextView::Cell> QtTextView::Cells(const QString& line) const {
  const QFontMetricsF metrics(font());
  std::vector<Cell> cells;
  qsizetype begin = 0;
  for (;;) {
    const qsizetype tab = line.indexOf(QLatin1Char('\t'), begin);
    const qsizetype end = tab < 0 ? line.size() : tab;
    Cell cell{begin, end, line.mid(begin, end - begin)};
    if (!cell.text.isEmpty()) cell.width = metrics.horizontalAdvance(cell.text);
    cells.push_back(std::move(cell));
    if (tab < 0) return cells;
    begin = tab + 1;
  }
}

void QtTextView::MeasureColumns() {
  const QFontMetricsF metrics(font());
  m_gap = 2.0 * metrics.horizontalAdvance(QLatin1Char('0'));
  m_line_height = std::max(1, static_cast<int>(std::ceil(metrics.height())));
  m_ascent = metrics.ascent();

  // The widest cell that a TAB ends, per column; and of each sampled line, its number of TABs and
  // the width of its last cell, which give its width once the columns are known.
  std::vector<qreal> widest;
  std::vector<std::pair<std::size_t, qreal>> tails;
  const auto sample = [&](std::size_t line) {
    const std::vector<Cell> cells = Cells(Line(line));
    const std::size_t tabs = cells.size() - 1;
    if (widest.size() < tabs) widest.resize(tabs, 0.0);
    for (std::size_t column = 0; column < tabs; ++column) widest[column] = std::max(widest[column], cells[column].width);
    tails.emplace_back(tabs, cells.back().width);
  };
  const std::size_t lines = LineCount();
  const std::size_t head = std::min(lines, kSampledLines);
  for (std::size_t line = 0; line < head; ++line) sample(line);
  for (std::size_t line = std::max(head, lines - std::min(lines, kSampledLines)); line < lines; ++line) sample(line);

  // The same additions, in the same order, as LayOut makes for a line that fits its columns, so
  // that such a line's cells fall exactly on the column starts.
  m_column_starts.assign(1, 0.0);
  for (const qreal width : widest) m_column_starts.push_back(m_column_starts.back() + width + m_gap);

  m_content_width = 0.0;
  for (const auto& [column, width] : tails) m_content_width = std::max(m_content_width, m_column_starts[column] + width);
  if (m_longest_line >= head && m_longest_line + kSampledLines < lines) {
    m_content_width = std::max(m_content_width, LineWidth(LayOut(Line(m_longest_line))));
  }
}

std::vector<QtTextView::Cell> QtTextView::LayOut(const QString& line) const {
  std::vector<Cell> cells = Cells(line);
  qreal x = 0.0;
  for (std::size_t column = 0; column < cells.size(); ++column) {
    cells[column].x = x;
    // A cell wider than its column pushes the rest of its line, never into it.
    x = x + cells[column].width + m_gap;
    if (column + 1 < m_column_starts.size()) x = std::max(x, m_column_starts[column + 1]);
  }
  return cells;
}

qreal QtTextView::CellX(std::size_t line, std::size_t cell) const {
  if (line >= LineCount()) return -1.0;
  const std::vector<Cell> cells = LayOut(Line(line));
  return cell < cells.size() ? cells[cell].x : -1.0;
}

qreal QtTextView::ColumnX(const std::vector<Cell>& cells, qsizetype column) const {
  for (const Cell& cell : cells) {
    if (column > cell.end) continue;
    if (column <= cell.begin) return cell.x;
    if (column == cell.end) return cell.x + cell.width;
    return cell.x + CellLayout(cell.text, font()).X(column - cell.begin);
  }
  return LineWidth(cells);
}

qsizetype QtTextView::ColumnAt(const std::vector<Cell>& cells, qreal x) const {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const Cell& cell = cells[i];
    const bool last = i + 1 == cells.size();
    if (!last && x >= cells[i + 1].x) continue;
    if (x <= cell.x) return cell.begin;
    const qreal cell_end = cell.x + cell.width;
    if (x >= cell_end) {
      // In the space of a TAB: the nearer of its two sides.
      if (last || x < (cell_end + cells[i + 1].x) / 2.0) return cell.end;
      return cells[i + 1].begin;
    }
    return cell.begin + CellLayout(cell.text, font()).Column(x - cell.x);
  }
  return 0;  // no cells: never, a line has at least one
}

// ---------------------------------------------------------------------------------------------
// Selection and copying
// ---------------------------------------------------------------------------------------------

QtTextView::Position QtTextView::PositionAt(QPointF viewport_point) const {
  const std::size_t line = LineAt(static_cast<int>(std::floor(viewport_point.y())));
  const qreal x = viewport_point.x() - kMargin + horizontalScrollBar()->value();
  return Position{line, ColumnAt(LayOut(Line(line)), x)};
}

std::size_t QtTextView::ByteOffset(Position position) const {
  const std::size_t begin = LineBegin(position.line);
  const auto prefix = static_cast<std::size_t>(Line(position.line).left(position.column).toUtf8().size());
  return begin + std::min(prefix, LineEnd(position.line) - begin);
}

QString QtTextView::SelectedText() const {
  if (!HasSelection()) return QString();
  const auto [from, to] = std::minmax(m_anchor, m_cursor);
  const std::size_t begin = ByteOffset(from);
  return qt::DisplayText(std::string_view(m_text).substr(begin, ByteOffset(to) - begin));
}

void QtTextView::SelectAll() {
  const std::size_t last = LineCount() - 1;
  m_anchor = Position{};
  m_cursor = Position{last, Line(last).size()};
  viewport()->update();
}

void QtTextView::Copy() const {
  if (HasSelection()) QGuiApplication::clipboard()->setText(SelectedText());
}

// ---------------------------------------------------------------------------------------------
// Painting and scrolling
// ---------------------------------------------------------------------------------------------

void QtTextView::UpdateScrollBars() {
  const QSize area = viewport()->size();
  const int visible = std::max(1, (area.height() - kMargin) / m_line_height);
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, ClampToInt(LineCount() - std::min<std::size_t>(LineCount(), static_cast<std::size_t>(visible))));
  vertical->setPageStep(visible);
  vertical->setSingleStep(1);
  QScrollBar* horizontal = horizontalScrollBar();
  const int width = static_cast<int>(std::ceil(m_content_width)) + 2 * kMargin;
  horizontal->setRange(0, std::max(0, width - area.width()));
  horizontal->setPageStep(area.width());
  horizontal->setSingleStep(kHorizontalStep);
}

void QtTextView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QPalette::ColorGroup group =
      !isEnabled() ? QPalette::Disabled : (isActiveWindow() ? QPalette::Active : QPalette::Inactive);
  const QPalette& colours = palette();
  const QRect area = event->rect();
  painter.fillRect(area, colours.color(group, QPalette::Base));
  painter.setFont(font());

  const auto [from, to] = std::minmax(m_anchor, m_cursor);
  const qreal left = kMargin - horizontalScrollBar()->value();
  const auto first = static_cast<std::size_t>(verticalScrollBar()->value());
  const qreal break_width = QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' '));
  qreal widest = m_content_width;
  // A selected line restores this pen after painting its highlighted part.
  painter.setPen(colours.color(group, QPalette::Text));

  for (std::size_t line = first; line < LineCount(); ++line) {
    const int top = kMargin + static_cast<int>(line - first) * m_line_height;
    if (top >= area.bottom() + 1) break;
    if (top + m_line_height <= area.top()) continue;
    const std::vector<Cell> cells = LayOut(Line(line));
    widest = std::max(widest, LineWidth(cells));
    const qreal baseline = top + m_ascent;
    const auto draw_cells = [&]() {
      for (const Cell& cell : cells) {
        if (!cell.text.isEmpty()) painter.drawText(QPointF(left + cell.x, baseline), cell.text);
      }
    };
    draw_cells();

    if (!HasSelection() || line < from.line || line > to.line) continue;
    const qreal start = ColumnX(cells, line == from.line ? from.column : 0);
    // A selected line break shows as a space's width past the line's end.
    const qreal stop = line == to.line ? ColumnX(cells, to.column) : LineWidth(cells) + break_width;
    if (stop <= start) continue;
    const QRectF selected(left + start, top, stop - start, m_line_height);
    painter.save();
    painter.fillRect(selected, colours.color(group, QPalette::Highlight));
    painter.setClipRect(selected);
    painter.setPen(colours.color(group, QPalette::HighlightedText));
    draw_cells();
    painter.restore();
  }

  // A line wider than any measured one widens the scroll range, after this paint: a scroll bar
  // that appears now would resize the viewport being painted.
  if (widest > m_content_width) {
    m_content_width = widest;
    if (!m_scroll_bars_pending) {
      m_scroll_bars_pending = true;
      QMetaObject::invokeMethod(this, [this]() {
        m_scroll_bars_pending = false;
        UpdateScrollBars();
      }, Qt::QueuedConnection);
    }
  }
}

void QtTextView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void QtTextView::scrollContentsBy(int, int) { viewport()->update(); }

void QtTextView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    MeasureColumns();
    UpdateScrollBars();
    viewport()->update();
  }
}

// ---------------------------------------------------------------------------------------------
// Keys and mouse
// ---------------------------------------------------------------------------------------------

bool QtTextView::event(QEvent* event) {
  // Copy and Select All belong to the focused text, before any menu shortcut, as in Qt's editors.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
      event->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

void QtTextView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::SelectAll)) {
    SelectAll();
    return;
  }
  if (event->matches(QKeySequence::Copy)) {
    Copy();
    return;
  }
  const bool control = event->modifiers().testFlag(Qt::ControlModifier);
  if (event->key() == Qt::Key_Home || event->key() == Qt::Key_End) {
    verticalScrollBar()->triggerAction(event->key() == Qt::Key_Home ? QAbstractSlider::SliderToMinimum
                                                                     : QAbstractSlider::SliderToMaximum);
    if (control) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    return;
  }
  // Arrows and pages.
  QAbstractScrollArea::keyPressEvent(event);
}

void QtTextView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  m_mouse = event->position();
  m_cursor = PositionAt(m_mouse);
  if (!event->modifiers().testFlag(Qt::ShiftModifier)) m_anchor = m_cursor;
  m_selecting = true;
  viewport()->update();
}

void QtTextView::mouseMoveEvent(QMouseEvent* event) {
  if (!m_selecting || !event->buttons().testFlag(Qt::LeftButton)) {
    QAbstractScrollArea::mouseMoveEvent(event);
    return;
  }
  m_mouse = event->position();
  m_cursor = PositionAt(m_mouse);
  if (viewport()->rect().contains(m_mouse.toPoint())) {
    m_drag_scroll.stop();
  } else if (!m_drag_scroll.isActive()) {
    m_drag_scroll.start(kDragScrollMs, this);
  }
  viewport()->update();
}

void QtTextView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseReleaseEvent(event);
    return;
  }
  m_selecting = false;
  m_drag_scroll.stop();
}

void QtTextView::timerEvent(QTimerEvent* event) {
  if (event->timerId() != m_drag_scroll.timerId()) {
    QAbstractScrollArea::timerEvent(event);
    return;
  }
  ScrollDuringSelection();
}

void QtTextView::ScrollDuringSelection() {
  if (!m_selecting) {
    m_drag_scroll.stop();
    return;
  }
  const QRect area = viewport()->rect();
  if (m_mouse.y() < area.top()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (m_mouse.y() > area.bottom()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  if (m_mouse.x() < area.left()) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (m_mouse.x() > area.right()) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  m_cursor = PositionAt(m_mouse);
  viewport()->update();
}

}  // namespace framework
