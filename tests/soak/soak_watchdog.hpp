#pragma once

// Ends the test program when one user action of a soak does not return: a hang must show up as a
// failure that names the run (seed) and the action, not as a test run that ctest kills silently.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace soak {

class ActionWatchdog {
 public:
  ActionWatchdog(std::chrono::seconds limit, std::string run)
      : m_limit(limit), m_run(std::move(run)), m_thread([this] { Watch(); }) {}
  ActionWatchdog(const ActionWatchdog&) = delete;
  ActionWatchdog& operator=(const ActionWatchdog&) = delete;
  ~ActionWatchdog() {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_done = true;
    }
    m_wake.notify_one();
    m_thread.join();
  }

  void Begin(std::uint64_t index, const std::string& what) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_index = index;
    m_what = what;
    m_started = std::chrono::steady_clock::now();
    m_active = true;
  }
  void End() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_active = false;
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_wake.wait_for(lock, std::chrono::milliseconds(250), [this] { return m_done; })) {
      if (m_active && std::chrono::steady_clock::now() - m_started > m_limit) {
        std::fprintf(stderr,
                     "Soak watchdog: %s: action #%llu (%s) did not return within %lld s; replay with "
                     "QUILLORN_SOAK_ACTIONS=%llu and that seed\n",
                     m_run.c_str(), static_cast<unsigned long long>(m_index), m_what.c_str(),
                     static_cast<long long>(m_limit.count()), static_cast<unsigned long long>(m_index + 1));
        std::fflush(stderr);
        std::abort();
      }
    }
  }

  const std::chrono::seconds m_limit;
  const std::string m_run;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_done = false;
  bool m_active = false;
  std::uint64_t m_index = 0;
  std::string m_what;
  std::chrono::steady_clock::time_point m_started;
  std::thread m_thread;  // last: it starts once everything it reads exists
};

}  // namespace soak
