# Shared by scripts/run and scripts/test: install what is missing, configure, build.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build}"

PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libqt6sql6-sqlite qt6-multimedia-dev qt6-translations-l10n
    libxss-dev libx11-dev clang-format clang-tidy
    fonts-noto-cjk fonts-arphic-gbsn00lp fonts-arphic-gkai00mp
    mdbtools-dev libquazip1-qt6-dev libxlsxwriter-dev qt6-charts-dev libqt6opengl6-dev
    libsqlite3-dev libqt6sql6-psql postgresql-15
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"
    fi
}

# Configures $BUILD once (extra CMake arguments may follow) and builds it.
build_all() {
    if [ ! -f "$BUILD/build.ninja" ]; then
        local launcher=()
        if command -v ccache >/dev/null; then
            launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        fi
        cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
    fi
    cmake --build "$BUILD"
}
