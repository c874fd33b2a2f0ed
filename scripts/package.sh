#!/usr/bin/env bash
# Builds the Debian packages of the release this system runs (Debian 12 or 13) into dist/:
# pergolan, pergolan-webview, pergolan-office and pergolan-sword, each named
# <package>_<version>~deb<release>_<arch>.deb, so that the packages of both releases can lie in
# one folder. The packages are described in packaging/control; their files are the install
# components of the same name (packaging/CMakeLists.txt). As Debian's own tools build a
# package: the binaries stripped as dh_strip does, the dependencies computed by
# dpkg-shlibdeps, the control file written by dpkg-gencontrol. Then checked with lintian,
# desktop-file-validate and appstreamcli, and what installing each would pull in.
# Uses the build folder build/ (or BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
./scripts/setup-packaging.sh

export BUILD_DIR=${BUILD_DIR:-build}
./scripts/build.sh -DPERGOLAN_WERROR=ON

release=$(. /etc/os-release && echo "${VERSION_ID:-}")
[ -n "$release" ] || { echo "FEHLER: Die Debian-Version dieses Systems ist unbekannt." >&2; exit 1; }
upstream=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
version="$upstream~deb$release"
arch=$(dpkg --print-architecture)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# dpkg-shlibdeps and dpkg-gencontrol work in a source tree: debian/control, debian/changelog,
# one folder debian/<package> per package.
mkdir -p "$work/debian"
cp packaging/control "$work/debian/control"
cp packaging/changelog "$work/debian/changelog"

mkdir -p dist
rm -f dist/pergolan*_"$version"_"$arch".deb
packages=()
for component in pergolan webview office sword; do
  package=pergolan-$component
  [ "$component" = pergolan ] && package=pergolan
  root=$work/debian/$package
  DESTDIR=$root cmake --install "$BUILD_DIR" --component "$component" --prefix /usr >/dev/null

  # Stripped as dh_strip does: no symbols, no .comment and .note sections.
  while IFS= read -r -d '' file; do
    [ "$(head -c 4 "$file" | od -An -tx1 | tr -d ' \n')" = 7f454c46 ] || continue
    case $file in
      *.so | *.so.*) strip --remove-section=.comment --remove-section=.note --strip-unneeded "$file" ;;
      *) strip --remove-section=.comment --remove-section=.note "$file" ;;
    esac
  done < <(find "$root" -type f -print0)

  mkdir -p "$root/DEBIAN"
  mapfile -t elves < <(find "$root" -type f \( -perm -u+x -o -name '*.so*' \) ! -path '*/DEBIAN/*' \
    -exec sh -c 'head -c 4 "$1" | od -An -tx1 | tr -d " \n" | grep -qx 7f454c46' _ {} \; -print)
  if [ "${#elves[@]}" -gt 0 ]; then
    # The program's own library libpergol.so lies in the program folder of this package.
    (cd "$work" && dpkg-shlibdeps -T"debian/$package.substvars" -l"debian/pergolan/usr/lib/pergolan" \
      "${elves[@]#"$work"/}")
  fi
  (cd "$root" && find . -type f ! -path './DEBIAN/*' -printf '%P\0' | LC_ALL=C sort -z \
    | xargs -0r md5sum > DEBIAN/md5sums)
  (cd "$work" && dpkg-gencontrol -p"$package" -P"debian/$package" -T"debian/$package.substvars" \
    -v"$version")
  chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"
  deb=dist/${package}_${version}_${arch}.deb
  dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
  packages+=("$deb")
done

desktop-file-validate packaging/*.desktop
appstreamcli validate --no-net packaging/*.metainfo.xml
# Every tag fails the build but the overrides, each of which gives its reason.
lintian --fail-on error,warning,info --display-info --tag-display-limit 0 "${packages[@]}"

# What "apt install" of each package pulls in on a fresh system, Recommends included: no Bible
# program (libsword recommends a SWORD front end: pergolan-sword is one), no terminal, no image
# viewer.
for deb in "${packages[@]}"; do
  ./scripts/check-install-closure.sh "$deb" "${packages[@]}"
done
echo "Pakete: ${packages[*]}"
