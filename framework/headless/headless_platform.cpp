#include "framework/headless/headless_platform.hpp"

// The headless platform keeps every model object it hears of weakly: a window or a control that
// goes away simply drops out of its queues and records.
//
// The virtual clock. Virtual time passes while the event loop is away: AdvanceClock moves the
// clock, and only then does the loop look at the timers, as a platform waking late would. Each
// running timer keeps a TickSchedule; the loop delivers every tick that is due, one at a time, in
// order of due time (ties in the order the timers were scheduled). So a jump within 20 ms of a
// timer's due time gives every tick that fell due, and a longer one gives a single tick after which
// the schedule starts again. A handler that advances the clock is a slow handler: it only moves the
// time. The outermost AdvanceClock delivers the ticks due at the time it reached; those that fall
// due while their handlers run wait for the next AdvanceClock, as they wait for the event loop's
// next turn on a real platform.

#include <algorithm>
#include <chrono>
#include <deque>
#include <limits>
#include <utility>

#include "framework/controls.hpp"
#include "framework/menu_item.hpp"
#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"
#include "framework/scoped_assignment.hpp"
#include "framework/tick_catch_up.hpp"
#include "framework/tick_schedule.hpp"
#include "framework/timer.hpp"
#include "framework/window.hpp"

namespace framework {

namespace {

using Milliseconds = std::chrono::milliseconds;

struct TimerRecord {
  std::weak_ptr<Control> timer;
  const Timer* address = nullptr;
  // A timer that belonged to a window stops with that window's close.
  std::weak_ptr<Window> window;
  bool had_window = false;
  TickSchedule<Milliseconds> schedule;
  std::uint64_t order = 0;
};

// Records are kept by the object's address, which a later object may reuse once the recorded one
// has gone: a record belongs to `object` only while its weak reference still leads there.
struct PaintRecord {
  std::weak_ptr<Control> object;
  std::vector<DrawnPrimitive> primitives;
  std::int32_t count = 0;
};

struct ShownRecord {
  std::weak_ptr<Window> object;
  std::int32_t count = 0;
};

// The record of `object`, or null if it has none.
template <class Object, class Record>
const Record* RecordOf(const std::map<const Object*, Record>& records, const Object& object) {
  auto found = records.find(&object);
  if (found == records.end() || found->second.object.lock().get() != &object) return nullptr;
  return &found->second;
}

// The record of `object`, started afresh if the address held another object's.
template <class Object, class Record, class Owner>
Record& RecordFor(std::map<const Object*, Record>& records, const Object& object, std::weak_ptr<Owner> weak) {
  Record& record = records[&object];
  if (record.object.lock().get() != &object) record = Record{};
  record.object = std::move(weak);
  return record;
}

}  // namespace

struct HeadlessPlatform::Impl {
  std::vector<TimerRecord> timers;
  std::uint64_t next_order = 0;
  bool delivering_ticks = false;

  std::vector<std::weak_ptr<Control>> repaints;
  std::map<const Canvas*, PaintRecord> paints;
  std::map<const Window*, ShownRecord> shown;
  std::deque<std::function<void()>> work;

  void DropExpiredTimers() {
    std::erase_if(timers, [](const TimerRecord& entry) { return entry.timer.expired(); });
  }

  TimerRecord* Find(const Timer& timer) {
    DropExpiredTimers();
    for (auto& entry : timers) {
      if (entry.address == &timer) return &entry;
    }
    return nullptr;
  }

  void Schedule(Timer& timer, std::int64_t now_ms) {
    std::weak_ptr<Control> weak = timer.weak_from_this();
    if (weak.expired()) {
      throw RuntimeException("the headless platform schedules only timers owned by a std::shared_ptr");
    }
    TimerRecord* entry = Find(timer);
    if (entry == nullptr) entry = &timers.emplace_back();
    entry->timer = std::move(weak);
    entry->address = &timer;
    auto window = timer.WindowOrNull();
    entry->window = window;
    entry->had_window = window != nullptr;
    entry->schedule.Start(Milliseconds(now_ms), Milliseconds(timer.Period()));
    entry->order = next_order++;
  }

  void Unschedule(const Timer& timer) {
    std::erase_if(timers, [&timer](const TimerRecord& entry) { return entry.address == &timer; });
  }

  // Of the timers whose schedules run, the one whose next tick comes first (ties in the order
  // they were scheduled). Timers that are gone or stopped drop out.
  ScheduledTimer<Milliseconds> First() {
    std::erase_if(timers, [](const TimerRecord& entry) { return entry.timer.expired() || !entry.schedule.Running(); });
    TimerRecord* first = nullptr;
    for (auto& entry : timers) {
      if (first == nullptr || entry.schedule.NextDue() < first->schedule.NextDue() ||
          (entry.schedule.NextDue() == first->schedule.NextDue() && entry.order < first->order)) {
        first = &entry;
      }
    }
    if (first == nullptr) return {};
    return {std::static_pointer_cast<Timer>(first->timer.lock()), &first->schedule};
  }
};

HeadlessPlatform::HeadlessPlatform() : m_impl(std::make_unique<Impl>()) {}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::WindowShown(Window& window) {
  // Its timers are not the show's business: the model tells of them whether the window shows or not.
  ++RecordFor(m_impl->shown, window, window.weak_from_this()).count;
}

void HeadlessPlatform::WindowClosed(Window& window) {
  std::erase_if(m_impl->timers, [&window](const TimerRecord& entry) {
    return entry.had_window && entry.window.lock().get() == &window;
  });
  std::erase_if(m_impl->repaints, [&window](const std::weak_ptr<Control>& weak) {
    auto canvas = weak.lock();
    return !canvas || canvas->WindowOrNull().get() == &window;
  });
}

void HeadlessPlatform::WindowChanged(Window&) {}

void HeadlessPlatform::ControlChanged(Control&) {}

void HeadlessPlatform::RepaintRequested(Canvas& canvas) {
  std::weak_ptr<Control> weak = canvas.weak_from_this();
  if (weak.expired()) {
    throw RuntimeException("the headless platform repaints only canvases owned by a std::shared_ptr");
  }
  for (const auto& pending : m_impl->repaints) {
    if (pending.lock().get() == &canvas) return;
  }
  m_impl->repaints.push_back(std::move(weak));
}

void HeadlessPlatform::TimerChanged(Timer& timer) {
  if (timer.IsRunning()) {
    m_impl->Schedule(timer, m_now_ms);
  } else {
    m_impl->Unschedule(timer);
  }
}

void HeadlessPlatform::StandardMenuAction(MenuItem& item) { m_menu_actions.push_back(item.Name()); }

void HeadlessPlatform::Run() {
  while (!m_quit && !m_impl->work.empty()) {
    std::function<void()> work = std::move(m_impl->work.front());
    m_impl->work.pop_front();
    RunHandler(work);
  }
}

void HeadlessPlatform::Quit() { m_quit = true; }

void HeadlessPlatform::Post(std::function<void()> work) {
  if (work) m_impl->work.push_back(std::move(work));
}

void HeadlessPlatform::AdvanceClock(std::int64_t ms) {
  if (ms < 0) throw RuntimeException("AdvanceClock: the clock cannot go back");
  if (ms > std::numeric_limits<std::int64_t>::max() / 2 - m_now_ms) {
    throw RuntimeException("AdvanceClock: the clock would run past its range");
  }
  m_now_ms += ms;
  if (m_impl->delivering_ticks) return;
  const ScopedAssignment delivering(m_impl->delivering_ticks, true);
  DeliverDueTicks(
      Milliseconds(m_now_ms), [this] { return m_impl->First(); }, [this] { return Milliseconds(m_now_ms); },
      [](Timer& timer) { RunHandler([&timer] { timer.Tick(); }); });
}

void HeadlessPlatform::FlushRepaints() {
  std::erase_if(m_impl->paints, [](const auto& item) { return item.second.object.expired(); });
  // Repaints asked for while these paint wait for the next flush.
  std::vector<std::weak_ptr<Control>> queue = std::move(m_impl->repaints);
  m_impl->repaints.clear();
  for (const auto& weak : queue) {
    auto control = weak.lock();
    auto* canvas = dynamic_cast<Canvas*>(control.get());
    if (canvas == nullptr) continue;
    if (auto window = canvas->WindowOrNull(); window && !window->IsOpen()) continue;
    RecordingGraphics graphics;
    const std::vector<Rect> areas{Rect{0, 0, canvas->Width(), canvas->Height()}};
    RunHandler([canvas, &graphics, &areas] { canvas->Paint(graphics, areas); });
    PaintRecord& record = RecordFor(m_impl->paints, *canvas, std::weak_ptr<Control>(control));
    record.primitives = graphics.Primitives();
    ++record.count;
  }
}

std::size_t HeadlessPlatform::PendingRepaints() const {
  return static_cast<std::size_t>(std::count_if(m_impl->repaints.begin(), m_impl->repaints.end(),
                                                [](const std::weak_ptr<Control>& weak) { return !weak.expired(); }));
}

const std::vector<DrawnPrimitive>& HeadlessPlatform::LastPaint(const Canvas& canvas) const {
  static const std::vector<DrawnPrimitive> kNone;
  const PaintRecord* record = RecordOf(m_impl->paints, canvas);
  return record != nullptr ? record->primitives : kNone;
}

std::int32_t HeadlessPlatform::PaintCount(const Canvas& canvas) const {
  const PaintRecord* record = RecordOf(m_impl->paints, canvas);
  return record != nullptr ? record->count : 0;
}

std::int32_t HeadlessPlatform::WindowShownCount(const Window& window) const {
  const ShownRecord* record = RecordOf(m_impl->shown, window);
  return record != nullptr ? record->count : 0;
}

}  // namespace framework
