#!/usr/bin/env bash
# Installs the Debian packages that building (run), testing (test), fuzzing (fuzz),
# packaging (deb) or mutation testing (mutate) needs, only those that are missing. Uses sudo
# when not root.
set -euo pipefail

run_packages=(g++ make cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libqpdf-dev
    libglib2.0-dev libfontconfig-dev libfreetype-dev libharfbuzz-dev libfribidi-dev zlib1g-dev
    shared-mime-info fonts-liberation
    cups-client qt6-translations-l10n)
test_packages=(pdftk poppler-utils qpdf mupdf-tools time fontconfig fonts-dejavu-core fonts-noto-cjk
    cups printer-driver-cups-pdf desktop-file-utils appstream xvfb openbox xdotool dbus-daemon
    at-spi2-core python3-gi gir1.2-atspi-2.0)
fuzz_packages=(clang libclang-rt-14-dev)
deb_packages=(dpkg-dev file)
mutate_packages=(python3)

packages=("${run_packages[@]}")
case "${1:-run}" in
test) packages+=("${test_packages[@]}") ;;
fuzz) packages+=("${fuzz_packages[@]}") ;;
deb) packages+=("${deb_packages[@]}") ;;
mutate) packages+=("${test_packages[@]}" "${mutate_packages[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
