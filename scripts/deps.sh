# Shared by run.sh and test.sh: installs the Debian packages that are missing.
# Usage: install_packages pkg...

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

BUILD_PACKAGES=(g++ cmake ninja-build pkgconf qt6-base-dev libgl-dev libqt6sql6-sqlite
                libqt6sql6-psql libsodium-dev fonts-wqy-zenhei libzint-dev)
TEST_PACKAGES=(postgresql libzxing-dev)

build_project() {
    if [ ! -f build/build.ninja ]; then
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build build
}
