#pragma once

// When a window may paint: at most once per display refresh. A screen shows no more frames than
// its refresh rate, so a window that repaints on every tick of a 1 ms timer spends its time on
// frames nobody sees. A request that comes within one refresh interval of the last paint is held
// and painted when the interval has passed; requests meanwhile join it. Since the held paint
// draws whatever the model holds then, it shows the latest frame, and the last one before the
// model goes quiet is never lost. A request after a quiet spell paints at once.
//
// Times are in nanoseconds of any monotonic clock; the pacer reads no clock itself.

#include <cstdint>

namespace framework::qt {

class PaintPacer {
 public:
  // The refresh interval of a screen that reports `refresh_hz`; a report of 0 or one no screen
  // has (some drivers say 0, 1 or thousands) counts as 60 Hz.
  static std::int64_t IntervalNs(double refresh_hz);

  // A repaint is asked for at `now_ns`. True: paint now (the pacer counts it as painted). False:
  // the request is held; the caller paints it by calling Release at DueNs() (or later).
  bool Request(std::int64_t now_ns, std::int64_t interval_ns);
  // Paints the held request at `now_ns` (at or after DueNs()); false if none is held.
  bool Release(std::int64_t now_ns);

  bool Holding() const { return m_holding; }
  // When the held request may be painted.
  std::int64_t DueNs() const { return m_due_ns; }

 private:
  bool m_painted = false;
  bool m_holding = false;
  std::int64_t m_last_paint_ns = 0;
  std::int64_t m_due_ns = 0;
  std::int64_t m_interval_ns = 0;
};

}  // namespace framework::qt
