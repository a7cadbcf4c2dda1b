# Sourced by the build scripts: installs Debian packages that are missing, as root or with sudo.

# ensure_packages PACKAGE... : installs whichever of the packages are not installed yet.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "drav: missing packages (${missing[*]}) and neither root nor sudo to install them" >&2
            return 1
        fi
        sudo="sudo"
    fi
    echo "drav: installing missing Debian packages: ${missing[*]}"
    if [ -z "${DRAV_APT_UPDATED:-}" ]; then
        $sudo apt-get update -qq || return 1
        DRAV_APT_UPDATED=1
    fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}

# try_packages PACKAGE... : like ensure_packages, but a failure only disables the optional step.
try_packages() {
    ensure_packages "$@" || { echo "drav: could not install $*; skipping what needs them" >&2; return 1; }
}

# libpng and giflib encode screenshots and clips on Linux; stb's header-only PNG writer serves
# the Windows and browser builds (and is checked against libpng in the native tests). help2man
# makes the manual pages from the programs' --help.
BUILD_PACKAGES=(cmake g++ make libgtest-dev libbenchmark-dev libpng-dev libgif-dev libstb-dev
    libcli11-dev python3 help2man)
# The demo's window and input (also pulls in the X11 headers the end-to-end helper needs).
APP_PACKAGES=(libsdl2-dev libx11-dev)
# The end-to-end tests: a virtual X server, input and window queries, screenshots, and a
# window manager to carry out fullscreen requests.
E2E_PACKAGES=(xvfb xdotool imagemagick x11-utils openbox)
# Making the packages and checking the .deb: dpkg-shlibdeps and file find its library
# dependencies, lintian checks it, and the validators its desktop entry and metainfo.
PACKAGING_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream)

# Cross-building the Windows program and running it under Wine; optional. The POSIX-threads
# compiler and GoogleTest's sources build the backend checks; the X tools are those above.
WINDOWS_PACKAGES=(mingw-w64 g++-mingw-w64-x86-64-posix googletest wine wine64)

# The fuzz targets: clang with libFuzzer and its sanitizer runtimes; optional.
FUZZ_PACKAGES=(clang libfuzzer-14-dev libclang-rt-14-dev)
