#pragma once

// A read-only, non-wrapping view of a long text: what the Qt platform shows for a text area that
// is ReadOnly with a horizontal scroll bar (the result window's table of up to a million lines).
// A QPlainTextEdit makes one block object per line, seconds for a million lines; this view keeps
// the text once, as the UTF-8 it was given, plus the byte offset where each line starts, found in
// one pass, and lays out and paints only the lines on screen.
//
// Supported
//  [x] Lines broken by CR, LF or CR LF, one line per break; a text that ends with a break ends
//      with an empty line, as in a plain-text editor.
//  [x] The widget's font, palette (Text on Base, Highlight for the selection) and frame; the text
//      starts four pixels in from the top left corner, as in a plain-text editor.
//  [x] TABs as columns. Each TAB moves to the start of the next column. Column 0 starts at the left
//      edge; column c starts where column c - 1 starts, plus the widest cell of column c - 1 that a
//      TAB ends, plus a gap of two '0' widths. Only the first and the last kSampledLines lines are
//      measured (a table's widest cells are its header and its last, longest row numbers), so
//      setting a text costs the same for any length. A cell that still reaches past the next
//      column's start pushes the rest of its own line to a gap past its end; the other lines stay
//      aligned.
//  [x] Scroll bars: the vertical one counts lines; the horizontal one spans the widest line known.
//      Measuring every line would cost as much as the editor this view replaces, and a longest line
//      by character count times the widest character overshoots a table of digits by half; so the
//      measured lines are the sampled ones and the line with the most bytes, and a wider line met
//      while painting widens the range then.
//  [x] Selection by mouse: press and drag (scrolling while the mouse is outside), Shift+click
//      extends it. Ctrl+A selects all, Ctrl+C copies with every line break as "\n"; SelectAll and
//      Copy are there for the Edit menu.
//  [x] Keys scroll: arrows by a line or a step, PageUp/PageDown by a page, Home/End to the first or
//      last line, Ctrl+Home/Ctrl+End there and to the left edge. The wheel scrolls.
//  [ ] Not here: editing, word wrap, a text cursor, double-click selection, a context menu, the
//      X11 primary selection. Lines are laid out whole: a single line of millions of characters
//      paints slowly.

#include <cstddef>
#include <compare>
#include <string>
#include <vector>

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPointF>
#include <QString>

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QResizeEvent;
class QTimerEvent;

namespace framework {

class QtTextView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Lines measured at each end of the text for the column starts.
  static constexpr std::size_t kSampledLines = 2000;
  // The space around the text inside the frame, in pixels.
  static constexpr int kMargin = 4;

  explicit QtTextView(QWidget* parent = nullptr);

  // Replaces the whole text, clears the selection and shows the first line at the left edge.
  void SetText(std::string utf8);
  // The text as it was given.
  const std::string& Text() const { return m_text; }

  std::size_t LineCount() const { return m_line_starts.size(); }
  // Line `line` without its break; empty past the end.
  QString Line(std::size_t line) const;
  // The left edge of cell `cell` (0 before the first TAB) of line `line`, in pixels from the
  // text's left edge; -1 when the line has no such cell.
  qreal CellX(std::size_t line, std::size_t cell) const;
  // The starts of the columns, column 0 first, in pixels from the text's left edge.
  const std::vector<qreal>& ColumnStarts() const { return m_column_starts; }
  // The widest line known so far, in pixels.
  qreal ContentWidth() const { return m_content_width; }
  int LineHeight() const { return m_line_height; }
  // The line shown at `y` pixels from the top of the viewport, clamped to the text's lines.
  std::size_t LineAt(int y) const;

  bool HasSelection() const { return m_anchor != m_cursor; }
  // The selected text with line breaks as "\n".
  QString SelectedText() const;
  void SelectAll();
  // Puts the selected text on the clipboard; without a selection the clipboard stays as it was.
  void Copy() const;

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  // A place between two characters: a line and a UTF-16 index into that line's QString.
  struct Position {
    std::size_t line = 0;
    qsizetype column = 0;
    auto operator<=>(const Position&) const = default;
  };
  // The text between two TABs (or a line's ends): its UTF-16 range in the line, the text itself,
  // where it is drawn and how wide it is.
  struct Cell {
    qsizetype begin = 0;
    qsizetype end = 0;
    QString text;
    qreal x = 0.0;
    qreal width = 0.0;
  };

  // Byte range of a line's text, its break excluded.
  std::size_t LineBegin(std::size_t line) const { return m_line_starts[line]; }
  std::size_t LineEnd(std::size_t line) const;
  // A line's cells, measured, each at x 0; there is always at least one.
  std::vector<Cell> Cells(const QString& line) const;
  // A line's cells, placed on the columns.
  std::vector<Cell> LayOut(const QString& line) const;
  qreal LineWidth(const std::vector<Cell>& cells) const { return cells.empty() ? 0.0 : cells.back().x + cells.back().width; }
  // The x of `column` within a laid-out line, and the reverse.
  qreal ColumnX(const std::vector<Cell>& cells, qsizetype column) const;
  qsizetype ColumnAt(const std::vector<Cell>& cells, qreal x) const;
  Position PositionAt(QPointF viewport_point) const;
  std::size_t ByteOffset(Position position) const;

  // The column starts and the widths known, measured anew after a new text or font.
  void MeasureColumns();
  void UpdateScrollBars();
  void ScrollDuringSelection();

  std::string m_text;
  std::vector<std::size_t> m_line_starts{0};
  std::size_t m_longest_line = 0;  // the line with the most bytes
  std::vector<qreal> m_column_starts{0.0};
  qreal m_gap = 0.0;
  qreal m_content_width = 0.0;
  int m_line_height = 1;
  qreal m_ascent = 0.0;

  Position m_anchor;
  Position m_cursor;
  bool m_selecting = false;
  QPointF m_mouse;  // the last mouse position while selecting, in viewport pixels
  QBasicTimer m_drag_scroll;
  bool m_scroll_bars_pending = false;
};

}  // namespace framework
