#include "framework/qt/qt_paint_pacer.hpp"

#include <cmath>

namespace framework::qt {

std::int64_t PaintPacer::IntervalNs(double refresh_hz) {
  constexpr double kFallbackHz = 60.0;
  const bool sane = std::isfinite(refresh_hz) && refresh_hz >= 10.0 && refresh_hz <= 1000.0;
  return std::llround(1e9 / (sane ? refresh_hz : kFallbackHz));
}

bool PaintPacer::Request(std::int64_t now_ns, std::int64_t interval_ns) {
  if (m_holding) return false;
  if (!m_painted || now_ns - m_last_paint_ns >= interval_ns) {
    m_painted = true;
    m_last_paint_ns = now_ns;
    return true;
  }
  m_holding = true;
  m_interval_ns = interval_ns;
  m_due_ns = m_last_paint_ns + interval_ns;
  return false;
}

bool PaintPacer::Release(std::int64_t now_ns) {
  if (!m_holding) return false;
  m_holding = false;
  m_painted = true;
  // A held paint that comes a little late (a timer wakes on whole milliseconds) keeps the
  // refresh grid, or the window would paint a few frames a second fewer than the screen shows;
  // much later, the grid starts again from now.
  m_last_paint_ns = now_ns - m_due_ns < m_interval_ns ? m_due_ns : now_ns;
  return true;
}

}  // namespace framework::qt
