#!/usr/bin/env bash
# The scripts that check the tree and install what it needs, each run on a small tree or a machine
# made up for the case: the fault a check guards against must make it fail, and a machine that has
# everything must be left alone.
#   scripts_test.sh CASE
set -euo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A git checkout with the project's folders and `script` in its scripts folder; the case runs in it.
make_tree() {
  mkdir -p "$work/tree/scripts"
  cp "$scripts/$1" "$work/tree/scripts/"
  cd "$work/tree"
  mkdir -p orbit_math framework/headless framework/qt shell_parts orbit_window app tests bench fuzz
  git init -q
}

# Runs a command and stops the case unless it ends as `expected` (pass or fail) says.
expect() {
  local expected=$1 actual=pass
  shift
  "$@" >"$work/out" 2>&1 || actual=fail
  if [ "$actual" != "$expected" ]; then
    echo "expected $expected, got $actual: $*"
    cat "$work/out"
    exit 1
  fi
}

case ${1:-} in
  IncludeGraphFailsOnAHeaderOfAHigherLayerQuotedOrInAngleBrackets)
    make_tree include_graph.sh
    echo '#pragma once' >orbit_window/main_window.hpp
    printf '#include <sys/prctl.h>\n#include "framework/window.hpp"\n' >shell_parts/probe.cpp
    expect pass bash scripts/include_graph.sh
    for include in '"orbit_window/main_window.hpp"' '<orbit_window/main_window.hpp>'; do
      printf '#include %s\n' "$include" >shell_parts/probe.cpp
      expect fail bash scripts/include_graph.sh
    done
    ;;
  SourcesListedFailsOnAFileNamedOnlyInAComment)
    make_tree sources_listed.sh
    : >CMakeLists.txt
    printf 'add_library(parts STATIC\n  parts.cpp\n)\n' >shell_parts/CMakeLists.txt
    : >shell_parts/parts.cpp
    expect pass bash scripts/sources_listed.sh
    : >shell_parts/probe.cpp
    expect fail bash scripts/sources_listed.sh
    sed -i '1i # probe.cpp is built once it is done' shell_parts/CMakeLists.txt
    expect fail bash scripts/sources_listed.sh
    sed -i 's/^  parts\.cpp$/  parts.cpp\n  probe.cpp/' shell_parts/CMakeLists.txt
    expect pass bash scripts/sources_listed.sh
    ;;
  NoTestPlatformFailsOnABinaryThatHoldsAHeadlessType)
    make_tree no_test_platform.sh
    printf 'namespace framework {\n\nclass ProbePlatform {\n public:\n  static int Frames();\n};\n\n}\n' \
      >framework/headless/probe_platform.hpp
    printf '#include "framework/headless/probe_platform.hpp"\nint framework::ProbePlatform::Frames() { return 1; }\n' \
      >framework/headless/probe_platform.cpp
    printf 'int Frames() { return 1; }\n' >clean.cpp
    "${CXX:-c++}" -c -I. clean.cpp -o clean.o
    "${CXX:-c++}" -c -I. framework/headless/probe_platform.cpp -o probe.o
    expect pass bash scripts/no_test_platform.sh clean.o
    # The holder first: the verdict must not be the last binary's alone.
    expect fail bash scripts/no_test_platform.sh probe.o clean.o
    ;;
  InstallDependenciesLeavesAMachineThatHasEverythingAlone)
    # Root, every package installed, and more locales than a pipe holds, the German one among them.
    stubs=$work/bin
    mkdir -p "$stubs"
    stub() {
      printf '#!/bin/sh\n%s\n' "$2" >"$stubs/$1"
      chmod +x "$stubs/$1"
    }
    stub id 'echo 0'
    stub dpkg-query "printf 'install ok installed'"
    stub clang 'echo 14.0.6'
    stub locale "printf 'C\\nde_DE.utf8\\n'; seq 1 20000 | sed 's/^/xx_XX.utf8 /'"
    for command in apt-get sudo localedef; do stub "$command" "echo $command >>'$work/called'; exit 1"; done
    PATH="$stubs:$PATH" expect pass bash "$scripts/install_dependencies.sh" test
    if [ -e "$work/called" ]; then
      echo "ran on a machine that has everything: $(paste -sd' ' "$work/called")"
      exit 1
    fi
    ;;
  *)
    echo "usage: $0 CASE (see the cases in this file)" >&2
    exit 2
    ;;
esac
echo "$1: as expected"
