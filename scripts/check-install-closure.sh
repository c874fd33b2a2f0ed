#!/usr/bin/env bash
# Fails when installing the given .deb on a fresh Debian (Recommends included, as apt does by
# default) would pull in a Bible program, a terminal or an image viewer. apt simulates the
# install against an empty package status, so what this machine has installed hides nothing.
# The other .debs given are the package's siblings from the same build: those it depends on or
# recommends (directly or through each other) are installed with it, as apt would take them
# from an archive holding all of them. Prints how many packages the install brings and their
# installed size, with and without Recommends.
# Usage: scripts/check-install-closure.sh dist/pergolan_<version>_<arch>.deb [sibling.deb ...]
set -euo pipefail
deb=$(realpath "$1")
shift
declare -A sibling=()
for other in "$@"; do
  sibling[$(dpkg-deb -f "$other" Package)]=$(realpath "$other")
done
status=$(mktemp)
trap 'rm -f "$status"' EXIT

# The .debs an install of $deb takes from this build: itself and the siblings its Depends (and,
# with "recommends", its Recommends) name, followed through those.
with_siblings() {
  local fields=Depends
  [ "$1" = recommends ] && fields="Depends Recommends"
  local -a todo=("$deb") taken=()
  declare -A seen=()
  while [ "${#todo[@]}" -gt 0 ]; do
    local file=${todo[0]}
    todo=("${todo[@]:1}")
    [ -z "${seen[$file]:-}" ] || continue
    seen[$file]=1
    taken+=("$file")
    local field name
    for field in $fields; do
      for name in $(dpkg-deb -f "$file" "$field" | tr ',|' '\n\n' | sed 's/(.*//; s/ //g'); do
        [ -n "${sibling[$name]:-}" ] && todo+=("${sibling[$name]}")
      done
    done
  done
  printf '%s\n' "${taken[@]}"
}

# The packages apt would install, one "name" a line.
simulate() {
  local recommends=$1
  shift
  apt-get install --simulate -o Dir::State::status="$status" \
    -o APT::Install-Recommends="$recommends" "$@" | awk '$1 == "Inst" { print $2 }'
}

# Installed size in MB of the packages named: ours from their .debs, the others from apt.
installed_mb() {
  local -a from_archive=()
  local name kb=0 size
  for name in "$@"; do
    if [ -n "${sibling[$name]:-}" ] || [ "$name" = "$(dpkg-deb -f "$deb" Package)" ]; then
      size=$(dpkg-deb -f "${sibling[$name]:-$deb}" Installed-Size)
      kb=$((kb + size))
    else
      from_archive+=("$name")
    fi
  done
  if [ "${#from_archive[@]}" -gt 0 ]; then
    size=$(apt-cache show --no-all-versions "${from_archive[@]}" \
      | awk '/^Installed-Size:/ { s += $2 } END { print s + 0 }')
    kb=$((kb + size))
  fi
  echo $(((kb + 512) / 1024))
}

mapfile -t with_recommends < <(with_siblings recommends)
mapfile -t pulled < <(simulate true "${with_recommends[@]}")
[ "${#pulled[@]}" -gt 0 ] || { echo "apt würde nichts installieren?" >&2; exit 1; }
mapfile -t without_recommends < <(with_siblings depends)
mapfile -t pulled_bare < <(simulate false "${without_recommends[@]}")

# xdg-open shows the manual and opens documents and addresses; every Debian desktop has it.
# Through its recommendations (libfile-mimeinfo-perl -> libfile-desktopentry-perl, which
# recommends some x-terminal-emulator for desktop entries that run in a terminal) an empty
# system would get a terminal, which a desktop already has. What xdg-utils pulls on its own is
# therefore the baseline; everything beyond it is checked, but our own packages.
mapfile -t baseline < <(simulate true xdg-utils)
declare -A in_baseline=()
for package in "${baseline[@]}"; do in_baseline[$package]=1; done
for package in "${!sibling[@]}" "$(dpkg-deb -f "$deb" Package)"; do in_baseline[$package]=1; done
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
if [ "${#own[@]}" -gt 0 ]; then
  while read -r package provides; do
    for virtual in ${provides//,/ }; do
      [[ $virtual =~ $unwanted_provides ]] && bad+=("$package ($virtual)")
    done
  done < <(apt-cache show --no-all-versions "${own[@]}" 2>/dev/null \
    | awk '/^Package:/ { p = $2 } /^Provides:/ { sub(/^Provides: */, ""); gsub(/ \([^)]*\)/, ""); print p, $0 }')
fi

echo "Eine Installation von $(basename "$deb") zieht ${#pulled[@]} Pakete nach," \
  "$(installed_mb "${pulled[@]}") MB (${#baseline[@]} davon bringt schon xdg-utils mit);" \
  "ohne empfohlene Pakete ${#pulled_bare[@]} Pakete, $(installed_mb "${pulled_bare[@]}") MB."
if [ "${#bad[@]}" -gt 0 ]; then
  echo "FEHLER: Die Installation zöge fremde Programme nach: ${bad[*]}" >&2
  exit 1
fi
