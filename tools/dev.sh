#!/usr/bin/env bash
# Sets up a Debian 12 machine for Mnemora, builds it, and runs the program or the tests.
#   tools/dev.sh run    install what is missing, build, start on the sample deck
#   tools/dev.sh test   install what is missing, build, run every test (also the sanitizer build)
#   tools/dev.sh deb    install what is missing, build for /usr and make build-deb/mnemora_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
    local missing=()
    while read -r pkg; do
        [ -z "$pkg" ] && continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' debian-packages.txt)
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
    # The translation tests need a German locale; a fresh machine has only C.UTF-8.
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
        as_root sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
        as_root locale-gen >/dev/null
    fi
}

build() { # build folder, extra cmake arguments...
    local dir=$1; shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

case "${1:-}" in
run)
    install_packages
    build "$ROOT/build"
    cd "$ROOT/build"
    exec ./src/mnemora "$ROOT/resources/sample/capitals.mnd"
    ;;
test)
    install_packages
    build "$ROOT/build"
    (cd "$ROOT/build" && ctest --output-on-failure)
    "$ROOT/fuzz/run-ci.sh"
    echo "== Sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer)"
    build "$ROOT/build-asan" -DMNEMORA_SANITIZE=ON -DMNEMORA_BENCH=OFF
    (cd "$ROOT/build-asan" && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure)
    ;;
deb)
    install_packages
    build "$ROOT/build-deb" -DCMAKE_INSTALL_PREFIX=/usr -DMNEMORA_TESTS=OFF -DMNEMORA_BENCH=OFF
    (cd "$ROOT/build-deb" && rm -f mnemora_*.deb && cpack -G DEB)
    ls "$ROOT"/build-deb/mnemora_*.deb
    ;;
*)
    echo "usage: tools/dev.sh run|test|deb" >&2
    exit 2
    ;;
esac
