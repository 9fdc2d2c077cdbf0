#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Vellox need.
# As root it installs what is missing with apt-get; otherwise it prints the
# apt-get line to run and stops.
set -euo pipefail

packages=(
    locales cmake ninja-build g++ pkg-config
    qt6-base-dev libqt6svg6 libgif-dev libjpeg-dev libimagequant-dev
    qt6-charts-dev libqt6opengl6-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdg-utils fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

# Number text must never follow the user's locale; the tests prove it under a
# decimal-comma locale, which must therefore exist.
need_locale=0
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    need_locale=1
fi

if ((${#missing[@]} == 0 && need_locale == 0)); then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them with:" >&2
    if ((${#missing[@]})); then
        echo "  sudo apt-get install -y ${missing[*]}" >&2
    fi
    if ((need_locale)); then
        echo "and generate the de_DE.UTF-8 locale the tests use:" >&2
        echo "  sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen && sudo locale-gen" >&2
    fi
    exit 1
fi

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if ((need_locale)); then
    if grep -q 'de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    else
        echo 'de_DE.UTF-8 UTF-8' >>/etc/locale.gen
    fi
    locale-gen
fi
