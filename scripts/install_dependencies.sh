#!/usr/bin/env bash
# Installs the Debian packages Quillorn needs, and only those that are missing. Safe to run again.
#   install_dependencies.sh run    what building and running the program needs
#   install_dependencies.sh test   that, and what the tests, the benchmarks and the fuzzing build need
set -euo pipefail

purpose=${1:-test}

# The program: the compiler and build tools, Qt 6 with its platform plugins and its own texts in
# Japanese, libxcb (the program asks the display itself whether it answers) and a font for Japanese.
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libxcb1-dev qt6-translations-l10n
  fonts-noto-cjk
)
case "$purpose" in
  run) ;;
  # The tests and benchmarks; clang for the fuzzing build; a virtual display to try the program on;
  # the locales for the test that a decimal comma changes no number.
  test) packages+=(libgtest-dev libgmock-dev libbenchmark-dev clang xvfb xauth locales) ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac

# Through sudo when not root; sudo starts commands with a clean environment, so the variable that
# keeps apt-get from asking questions goes through env.
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then as_root=(sudo); else as_root=(none); fi
fi

missing_of() {
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then echo "$p"; fi
  done
}

# The clang runtime (libFuzzer and the sanitizers) must be the one of the installed clang, whose
# version is the release's default; before clang is installed, the version apt would install.
clang_runtime() {
  local major=""
  if command -v clang >/dev/null 2>&1; then
    major=$(clang -dumpversion | cut -d. -f1)
  else
    major=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1)
  fi
  echo "libclang-rt-${major:-N}-dev"
}

install_missing() {
  local missing
  mapfile -t missing < <(missing_of "$@")
  ((${#missing[@]})) || return 0
  if [ "${as_root[0]:-}" = none ]; then
    local wanted=("${missing[@]}")
    if [ "$purpose" = test ] && ! printf '%s\n' "${wanted[@]}" | grep -q '^libclang-rt-'; then
      mapfile -t -O "${#wanted[@]}" wanted < <(missing_of "$(clang_runtime)")
    fi
    echo "Not root and no sudo: as root, run: apt-get install ${wanted[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"
[ "$purpose" = test ] || exit 0

install_missing "$(clang_runtime)"

# The tests show that a desktop whose locale writes a decimal comma changes no number's text.
# grep reads the whole list: one that stopped at the match (-q) could end `locale -a` by a broken
# pipe, and pipefail would then count an installed locale as missing.
if ! locale -a 2>/dev/null | grep -i '^de_DE\.utf-\?8$' >/dev/null; then
  if [ "${as_root[0]:-}" = none ] || ! "${as_root[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8; then
    echo "note: could not generate de_DE.UTF-8; the locale test will generate or skip it"
  fi
fi
