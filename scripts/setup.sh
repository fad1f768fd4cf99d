# Shared set-up of scripts/run and scripts/test: install what is missing
# (Debian packages only), configure and build. Sourced, not run.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

# Everything the kit needs to build, test, benchmark and fuzz, and to check
# its installation and its Debian package.
VK_PACKAGES=(cmake ninja-build g++ clang clang-format clang-tidy libclang-rt-14-dev libgtest-dev libgmock-dev
             libbenchmark-dev nlohmann-json3-dev rapidjson-dev
             qt6-base-dev qt6-svg-dev qt6-qpa-plugins libqt6svg6 fonts-dejavu-core
             desktop-file-utils shared-mime-info man-db dpkg-dev lintian)
# The Windows build (scripts/test-windows): the MinGW-w64 cross compiler, Wine
# to run its tests, and GoogleTest's sources to build them with it.
VK_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine64 googletest)
# Only scripts/screenshots needs these: a virtual display and a window manager.
VK_SCREENSHOT_PACKAGES=(xvfb xauth openbox)

# vk_install_missing [packages...] (default: the kit's packages)
vk_install_missing() {
    local missing=() wanted=("$@")
    ((${#wanted[@]})) || wanted=("${VK_PACKAGES[@]}")
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing missing packages: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

# vk_build DIR [cmake args...]
vk_build() {
    local dir="$1"; shift
    cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja "$@"
    cmake --build "$ROOT/$dir" -j "$JOBS"
}
