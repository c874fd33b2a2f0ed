#!/usr/bin/env bash
# Installs the built program into a temporary root as the package lays it out, makes the
# program folder read-only and runs the commands and the offscreen program as an ordinary user
# (nobody, when started as root) with a fresh HOME: the data folder is prepared, and the order
# settings file and imported Bible files land in the user's copy of the program folder.
# Arguments: the build folder, the install probe (the program pressing "save" once shown).
set -euo pipefail
build=$1
probe=$2

root=$(mktemp -d)
chmod 755 "$root"
cleanup() {
  [ -n "${program_pid:-}" ] && kill "$program_pid" 2>/dev/null || true
  chmod -R u+w "$root" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FEHLER: $*" >&2; exit 1; }

DESTDIR="$root/install" cmake --install "$build" --prefix /usr >/dev/null
prefix="$root/install/usr"
program_dir="$prefix/lib/pergolan"
for command in pergolan pergolan-kirchenjahr pergolan-bibel-import; do
  [ "$(readlink -f "$prefix/bin/$command")" = "$program_dir/$command" ] \
    || fail "/usr/bin/$command führt nicht in den Programmordner"
done
for file in libpergol.so libpergolan_webview.so libpergolan_office.so libpergolan_sword.so \
  libpergolan_network.so hilfe/index.html Texte; do
  [ -e "$program_dir/$file" ] || fail "$file fehlt im Programmordner"
done
[ ! -e "$program_dir/libs" ] || fail "leerer Ordner libs im Programmordner"
cp "$probe" "$program_dir/pergolan-probe"
chmod -R a-w "$program_dir"

home="$root/home"
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
as_the_user=(env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$home" LANG=de_DE.UTF-8
  QT_QPA_PLATFORM=offscreen ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS}
  ${UBSAN_OPTIONS:+UBSAN_OPTIONS=$UBSAN_OPTIONS} "${as_user[@]}")
run() { "${as_the_user[@]}" "$@"; }
overlay="$home/.local/share/Pergolan/Pergolan/programm"

# The church year on the command line.
out=$(run pergolan-kirchenjahr 10.02.2026)
[ "$(tail -n 1 <<<"$out")" = "Ausgewählt: 15.02.2026 - Estomihi" ] \
  || fail "pergolan-kirchenjahr: $(tail -n 1 <<<"$out")"

# A Bible import without a target folder goes to the user's copy.
source="$root/quelle"
mkdir -p "$source"
cat >"$source/mark.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<osis xmlns="http://www.bibletechnologies.net/2003/OSIS/namespace"><osisText><div type="book" osisID="Mark"><chapter osisID="Mark.1"><verse osisID="Mark.1.1">Anfang</verse></chapter></div></osisText></osis>
XML
chmod -R a+rX "$source"
run pergolan-bibel-import "$source" >/dev/null 2>&1 || fail "pergolan-bibel-import endete mit Fehler"
[ -f "$overlay/libs/Bibel/Mk.lib" ] || fail "Mk.lib fehlt in der benutzereigenen Kopie"
# The SWORD plugin of pergolan-sword loads from the installed program folder (it answers with
# the modules, or that none are installed; without it the command ends with 2).
run pergolan-bibel-import --sword-list >/dev/null 2>&1 \
  || fail "pergolan-bibel-import --sword-list: das SWORD-Zusatzmodul lädt nicht"

# The program itself starts from the read-only folder and prepares the data folder (an
# argument skips the update check); it is ended by its process id once that is done.
# Started as a plain command (not through the function, which would put a shell between), so
# that the id held is the program's own and ending it leaves nothing running.
"${as_the_user[@]}" pergolan --ohne-update >"$root/pergolan.log" 2>&1 &
program_pid=$!
for _ in $(seq 1 120); do
  [ -d "$home/Documents/Pergol" ] && break
  kill -0 "$program_pid" 2>/dev/null || fail "pergolan endete vorzeitig: $(cat "$root/pergolan.log")"
  sleep 0.5
done
kill "$program_pid" 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true
program_pid=
[ -d "$home/Documents/Pergol" ] || fail "der Datenordner wurde nicht angelegt"

# Saving writes Ablauf.ini into the user's copy and the preparation into the data folder.
run "$program_dir/pergolan-probe" --ohne-update || fail "das Speichern misslang"
[ -f "$overlay/libs/Ablauf.ini" ] || fail "Ablauf.ini fehlt in der benutzereigenen Kopie"
[ -n "$(find "$home/Documents/Pergol" -name '*.ini' -print -quit)" ] \
  || fail "kein gespeicherter Gottesdienstablauf im Datenordner"
[ ! -e "$program_dir/libs/Ablauf.ini" ] || fail "Ablauf.ini liegt im Programmordner"
echo "Installation als Benutzer geprüft."
