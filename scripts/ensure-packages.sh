# Sourced by ./run and ./test: installs the Debian packages a step needs, only when missing.
# Usage: ensure_packages PACKAGE...

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo="sudo"
        else
            echo "error: need root (or sudo) to install: ${missing[*]}" >&2
            return 1
        fi
    fi
    # Refresh the package lists once per machine, or when they are older than a day.
    local stamp=/var/lib/apt/periodic/update-success-stamp
    if [ ! -d /var/lib/apt/lists/partial ] || [ -z "$(find /var/lib/apt/lists -maxdepth 1 -name '*Packages*' -mtime -1 2>/dev/null | head -n 1)" ]; then
        $sudo apt-get update -qq || true
    fi
    : "$stamp"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building the program needs (the release build also compiles the benchmarks).
RANKHALL_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libpugixml-dev nlohmann-json3-dev
    libcli11-dev qt6-base-dev qt6-qpa-plugins libgl-dev libbenchmark-dev qt6-httpserver-dev
    qt6-websockets-dev libqrencode-dev)
# What the tests need on top: GoogleTest, Chromium for the page tests, curl for the server test,
# locales for the money-format test, poppler's pdftotext and pdfinfo to read the printed PDFs
# back, and clang with its libFuzzer and sanitizer runtimes.
RANKHALL_TEST_PACKAGES=(libgtest-dev libgmock-dev chromium curl locales poppler-utils clang
    libclang-rt-14-dev)
# What building the Debian package needs on top (cpack's dpkg-shlibdeps).
RANKHALL_PACKAGE_PACKAGES=(dpkg-dev file)
