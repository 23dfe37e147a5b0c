#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

// Ends the whole test program when a test runs past its time limit: a solver
// that never returns must show up as a failure, not as a hung test run.
class Watchdog {
 public:
  Watchdog(std::chrono::seconds limit, std::string what)
      : m_what(std::move(what)), m_thread([this, limit] { Watch(limit); }) {}

  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_done = true;
    }
    m_wake.notify_one();
    m_thread.join();
  }

 private:
  void Watch(std::chrono::seconds limit) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_wake.wait_for(lock, limit, [this] { return m_done; })) {
      std::fprintf(stderr, "Watchdog: %s did not finish within %lld s\n", m_what.c_str(),
                   static_cast<long long>(limit.count()));
      std::fflush(stderr);
      std::abort();
    }
  }

  std::string m_what;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_done = false;
  std::thread m_thread;
};
