// quillorn_qt_measure: figures of the real program that a benchmark loop cannot take (frames per
// second with the real timer and paints, the result table shown, the start-up, the memory of long
// runs). Each measurement runs in a fresh process, several times; the figures are printed as
// medians with their spread. Nothing here passes or fails: it is run on demand.
//
//   quillorn_qt_measure [--runs K] [--seconds S] [--frames F] [--grab-to DIR] [scenario ...]
//
// With no scenario named, all run; those on a real display (x11-*) only when DISPLAY is set, e.g.
//   xvfb-run -a -s "-screen 0 1280x800x24" build/bench/quillorn_qt_measure --runs 3 x11-typed-1000
// --grab-to DIR saves what the display shows of the main window at a few moments of a frame-rate
// run, named after the step the model was on (to watch the animation; it costs the run time).
// A child process is this program with --child SCENARIO.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "measure_support.hpp"
#include "qt_scenarios.hpp"

extern char** environ;

namespace {

struct Scenario {
  const char* name;
  bool qt;
  const char* what;
  bool needs_display = false;  // runs on the X display that DISPLAY names (e.g. under xvfb-run)
};

const Scenario kScenarios[] = {
    {"fps-slider-30", true, "N 300, slSpeed at 30 (period 33 ms); goal >= 29.5 steps/s"},
    {"fps-typed-1000", true, "N 300, 1000 typed into tFrameRate before Start (period 1 ms); goal >= 990 steps/s"},
    {"fps-n100000", true, "N 100000 at 30 frames/s, second revolution after a fill by OneStep; goal >= 29.5"},
    {"x11-slider-30", true, "on X, N 300, slSpeed at 30, from Start; goal 30.3 steps/s", true},
    {"x11-typed-1000", true, "on X, N 300, 1000 typed, from Start; goals >= 990 steps/s, main thread <= 0.30, paints <= refresh + 5 %", true},
    {"x11-typed-1000-n100000", true, "on X, N 100000, 1000 typed, from Start; goal >= 990 steps/s", true},
    {"x11-typed-1000-n300000", true, "on X, N 300000, 1000 typed, from Start; goal >= 990 steps/s", true},
    {"x11-typed-1000-n1000000", true, "on X, N 1000000, 1000 typed, 125 s from Start; goal >= 950 steps/s", true},
    {"table-1e6", true, "1000000 in tDivision, pWrite, scrolled to the end, painted; goal shown_s <= text_alone_s + 1"},
    {"startup", true, "process start to the end of cOrbit's first paint; goal <= 150 ms"},
    {"rss-n300-qt", true, "N 300, timer at 1 ms, real paints; goal rss_growth_mib <= 5"},
    {"rss-n300-headless", false, "N 300, stepped by the virtual clock, painted; goal rss_growth_mib <= 5"},
    {"rss-huge-headless", false, "1e9 frames per revolution, 1e6 frames: memory per frame"},
};

const Scenario* FindScenario(std::string_view name) {
  for (const Scenario& scenario : kScenarios) {
    if (name == scenario.name) return &scenario;
  }
  return nullptr;
}

struct Options {
  int runs = 5;
  measure::ScenarioOptions scenario;
  std::string child;
  std::vector<std::string> names;
};

Options ParseArguments(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::runtime_error(std::string(argument) + " needs a value");
      return argv[++i];
    };
    if (argument == "--runs") {
      options.runs = std::max(1, std::stoi(value()));
    } else if (argument == "--seconds") {
      options.scenario.seconds = std::stod(value());
    } else if (argument == "--frames") {
      options.scenario.frames = std::stoll(value());
    } else if (argument == "--child") {
      options.child = value();
    } else if (argument == "--grab-to") {
      options.scenario.grab_dir = value();
    } else if (argument == "--spawned-at") {
      options.scenario.spawned_ns = std::stoll(value());
    } else if (!argument.empty() && argument[0] == '-') {
      throw std::runtime_error("unknown option " + std::string(argument));
    } else {
      if (FindScenario(argument) == nullptr) throw std::runtime_error("no scenario " + std::string(argument));
      options.names.emplace_back(argument);
    }
  }
  return options;
}

// Runs one child and collects its RESULT lines; its other output and its errors pass through.
std::map<std::string, double> RunChild(const std::string& name, const Options& options) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) throw std::runtime_error("no pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
  posix_spawn_file_actions_addclose(&actions, pipe_ends[1]);

  const std::int64_t spawned = measure::MonotonicNs();
  std::vector<std::string> arguments = {"/proc/self/exe", "--child", name,
                                        "--seconds", std::to_string(options.scenario.seconds),
                                        "--frames", std::to_string(options.scenario.frames),
                                        "--spawned-at", std::to_string(spawned)};
  if (!options.scenario.grab_dir.empty()) {
    arguments.emplace_back("--grab-to");
    arguments.push_back(options.scenario.grab_dir);
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_ends[1]);
  if (failed != 0) {
    close(pipe_ends[0]);
    throw std::runtime_error("could not start a child");
  }

  std::string output;
  char buffer[4096];
  for (ssize_t got = 0; (got = read(pipe_ends[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<std::size_t>(got));
  close(pipe_ends[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(name + ": the child failed");

  std::map<std::string, double> figures;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string tag, key;
    double value = 0.0;
    if (words >> tag >> key >> value && tag == "RESULT") {
      figures[key] = value;
    } else {
      std::printf("  | %s\n", line.c_str());
    }
  }
  return figures;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

int RunParent(const Options& options) {
  std::vector<std::string> names = options.names;
  if (names.empty()) {
    const char* display = std::getenv("DISPLAY");
    const bool have_display = display != nullptr && display[0] != '\0';
    for (const Scenario& scenario : kScenarios) {
      if (!scenario.needs_display || have_display) names.emplace_back(scenario.name);
    }
  }
  for (const std::string& name : names) {
    std::printf("%s: %s\n", name.c_str(), FindScenario(name)->what);
    std::fflush(stdout);
    std::map<std::string, std::vector<double>> figures;
    std::vector<std::string> order;
    for (int run = 0; run < options.runs; ++run) {
      for (const auto& [key, value] : RunChild(name, options)) {
        if (figures.find(key) == figures.end()) order.push_back(key);
        figures[key].push_back(value);
      }
    }
    std::printf("  %-32s %14s %14s %14s %5s\n", "figure", "median", "min", "max", "runs");
    for (const std::string& key : order) {
      const std::vector<double>& values = figures[key];
      std::printf("  %-32s %14.6g %14.6g %14.6g %5zu\n", key.c_str(), Median(values),
                  *std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()),
                  values.size());
    }
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::int64_t main_ns = measure::MonotonicNs();
  try {
    Options options = ParseArguments(argc, argv);
    if (options.child.empty()) return RunParent(options);
    options.scenario.main_ns = main_ns;
    const Scenario* scenario = FindScenario(options.child);
    if (scenario == nullptr) throw std::runtime_error("no scenario " + options.child);
    if (scenario->qt) {
      measure::RunQtScenario(options.child, options.scenario);
    } else {
      measure::RunHeadlessScenario(options.child, options.scenario);
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quillorn_qt_measure: %s\n", error.what());
    return 1;
  }
}
