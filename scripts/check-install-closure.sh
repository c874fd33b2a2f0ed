#!/usr/bin/env bash
# Fails when installing the given .deb on a fresh Debian (Recommends included, as apt does by
# default) would pull in a Bible program, a terminal or an image viewer. apt simulates the
# install against an empty package status, so what this machine has installed hides nothing.
# Usage: scripts/check-install-closure.sh dist/pergolan_<version>_<arch>.deb
set -euo pipefail
deb=$(realpath "$1")
status=$(mktemp)
trap 'rm -f "$status"' EXIT

simulate() {
  apt-get install --simulate -o Dir::State::status="$status" -o APT::Install-Recommends=true "$@" \
    | awk '$1 == "Inst" { print $2 }'
}
mapfile -t pulled < <(simulate "$deb")
[ "${#pulled[@]}" -gt 0 ] || { echo "apt würde nichts installieren?" >&2; exit 1; }

# xdg-open shows the manual and opens documents and addresses; every Debian desktop has it.
# Through its recommendations (libfile-mimeinfo-perl -> libfile-desktopentry-perl, which
# recommends some x-terminal-emulator for desktop entries that run in a terminal) an empty
# system would get a terminal, which a desktop already has. What xdg-utils pulls on its own is
# therefore the baseline; everything beyond it is checked.
mapfile -t baseline < <(simulate xdg-utils)
declare -A in_baseline=()
for package in "${baseline[@]}"; do in_baseline[$package]=1; done
own=()
for package in "${pulled[@]}"; do
  [ -n "${in_baseline[$package]:-}" ] || own+=("$package")
done

# Programs that are no part of preparing a service: SWORD front ends and other Bible programs,
# terminal emulators, image viewers; by the virtual package they provide or by name.
unwanted_provides='^(sword-frontend|x-terminal-emulator|terminal-emulator|image-viewer)$'
unwanted_names='^(bibletime|xiphos|bibledit.*|andbible|ezra-bible-app|eog|eom|gthumb|gwenview|ristretto|shotwell|feh|gpicview|geeqie|viewnior|nomacs|xviewer|mirage|qimgv|lximage-qt|loupe|xterm|gnome-terminal|konsole|xfce4-terminal|lxterminal|qterminal|mate-terminal|terminator|tilix|rxvt.*|kitty|alacritty|sakura)$'
bad=()
for package in "${own[@]}"; do
  if [[ $package =~ $unwanted_names ]]; then
    bad+=("$package")
    continue
  fi
done
while read -r package provides; do
  for virtual in ${provides//,/ }; do
    [[ $virtual =~ $unwanted_provides ]] && bad+=("$package ($virtual)")
  done
done < <(apt-cache show --no-all-versions "${own[@]}" 2>/dev/null \
  | awk '/^Package:/ { p = $2 } /^Provides:/ { sub(/^Provides: */, ""); gsub(/ \([^)]*\)/, ""); print p, $0 }')

echo "Eine Installation von $(basename "$deb") zieht ${#pulled[@]} Pakete nach" \
  "(${#baseline[@]} davon bringt schon xdg-utils mit)."
if [ "${#bad[@]}" -gt 0 ]; then
  echo "FEHLER: Die Installation zöge fremde Programme nach: ${bad[*]}" >&2
  exit 1
fi
