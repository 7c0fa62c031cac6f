# Installs the Debian packages the build needs when they are missing (only as root).
quintara_install_deps() {
    local packages=(cmake ninja-build g++ pkg-config libssl-dev zlib1g-dev libgtest-dev libgmock-dev
                    libbenchmark-dev binutils)
    local missing=()
    for p in "${packages[@]}"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing packages: ${missing[*]} (run as root to install them)" >&2
        return 1
    fi
    echo "installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}
