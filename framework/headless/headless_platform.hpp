#pragma once

// The headless platform, for tests: no display. Time is a virtual clock that the test advances;
// repaints wait in a queue until the test flushes them, and each paint is recorded as data; the
// event loop runs work the test posted.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics.hpp"
#include "framework/platform.hpp"

namespace framework {

// One primitive as a Graphics drew it.
struct DrawnPrimitive {
  enum class Kind { Line, Oval };
  Kind kind = Kind::Line;
  // Line: from (x1, y1) to (x2, y2). Oval: centre (x1, y1), width x2, height y2.
  double x1 = 0.0;
  double y1 = 0.0;
  double x2 = 0.0;
  double y2 = 0.0;
  ShapeStyle style;

  friend bool operator==(const DrawnPrimitive&, const DrawnPrimitive&) = default;
};

// A Graphics that records what is drawn on it.
class RecordingGraphics : public Graphics {
 public:
  const std::vector<DrawnPrimitive>& Primitives() const { return m_primitives; }
  void Clear() { m_primitives.clear(); }

 protected:
  void DrawLine(double x1, double y1, double x2, double y2, const ShapeStyle& style) override;
  void DrawOval(double centre_x, double centre_y, double width, double height,
                const ShapeStyle& style) override;

 private:
  std::vector<DrawnPrimitive> m_primitives;
};

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // Platform.
  void WindowShown(Window& window) override;
  void WindowClosed(Window& window) override;
  void WindowChanged(Window& window) override;
  void ControlChanged(Control& control) override;
  void RepaintRequested(Canvas& canvas) override;
  void TimerChanged(Timer& timer) override;
  void StandardMenuAction(MenuItem& item) override;
  // Runs the posted work in order until Quit is called or no work is left.
  void Run() override;
  void Quit() override;

  // Work for the event loop.
  void Post(std::function<void()> work);

  // The virtual clock, in milliseconds. Advancing it is time in which the event loop was away; the
  // loop then delivers what fell due meanwhile, in time order: every tick of a timer that is at
  // most 20 ms behind its schedule, a single tick (and the schedule started again from now) of one
  // further behind. Advancing the clock from a handler makes that handler slow.
  std::int64_t Now() const { return m_now_ms; }
  void AdvanceClock(std::int64_t ms);

  // Paints every canvas that asked for a repaint, once each, in the order they asked.
  void FlushRepaints();
  std::size_t PendingRepaints() const;
  // What the last paint of `canvas` drew; an empty record if it was never painted.
  const std::vector<DrawnPrimitive>& LastPaint(const Canvas& canvas) const;
  std::int32_t PaintCount(const Canvas& canvas) const;

  // What the platform was told, for tests.
  std::int32_t WindowShownCount(const Window& window) const;
  const std::vector<std::string>& StandardMenuActions() const { return m_menu_actions; }
  bool QuitCalled() const { return m_quit; }

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  std::int64_t m_now_ms = 0;
  bool m_quit = false;
  std::vector<std::string> m_menu_actions;
};

}  // namespace framework
