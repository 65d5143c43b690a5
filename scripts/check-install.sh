#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a user gets.
# Usage: scripts/check-install.sh BUILD tree           the installed files, their links, a fixture import
#        scripts/check-install.sh BUILD ifmib SHARED   the installed oidwright-import on SHARED/mibs/IF-MIB.mib
#        scripts/check-install.sh BUILD deb            cpack's .deb: its files and dependencies
# Exit status 77: skipped (SHARED has no IF-MIB.mib).
set -euo pipefail
build=$1
mode=$2
source=$(cd "$(dirname "$0")/.." && pwd)

if [ "$mode" = ifmib ] && [ ! -f "$3/mibs/IF-MIB.mib" ]; then
  echo "skipped: $3/mibs/IF-MIB.mib is not present (real MIB collection absent in this clone)"
  exit 77
fi

fail() { echo "FAIL: $*" >&2; exit 1; }
# Everything installed must be one of these: no test binary, tool or build file slips in.
allowed='^(bin/oidwright|bin/oidwright-import|bin/oidwright-check|lib/oidwright/oidwright|lib/oidwright/oidwright-import|lib/oidwright/oidwright-check|lib/oidwright/replacelist\.txt|lib/oidwright/stdmib/[^/]+\.mib|lib/oidwright/doc/[^/]+|share/applications/oidwright\.desktop|share/icons/hicolor/scalable/apps/oidwright\.svg|share/mime/packages/oidwright-oidlib\.xml)$'
# Fails naming every line of the file list on standard input that allowed does not match.
only_allowed() {
  local unexpected
  unexpected=$(grep -Ev "$allowed" || true)
  [ -z "$unexpected" ] || fail "installed but not part of the program:"$'\n'"$unexpected"
}

if [ "$mode" = deb ]; then
  (cd "$build" && cpack -G DEB > cpack.log) || fail "cpack failed, see $build/cpack.log"
  deb=$(ls -t "$build"/oidwright_*.deb | head -1)
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | only_allowed
  depends=$(dpkg-deb -f "$deb" Depends)
  packages=(libc6 libsnmp40)
  [ -e "$build/bin/oidwright" ] && packages+=(libqt6widgets6 libqt6svg6 qt6-qpa-plugins)
  for package in "${packages[@]}"; do
    grep -q "\b$package\b" <<< "$depends" || fail "$deb does not depend on $package: $depends"
  done
  # Caches of file types and desktop entries are the business of their packages' file triggers.
  dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Eq 'post(inst|rm)$' && fail "$deb has maintainer scripts"
  echo "$(basename "$deb") ok, depends on: $depends"
  exit 0
fi

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null || fail "cmake --install into $prefix failed"
export XDG_CACHE_HOME="$prefix/cache"  # the module index stays out of the user's cache

if [ "$mode" = ifmib ]; then
  "$prefix/bin/oidwright-import" -q -o "$prefix/if.oidlib" "$3/mibs/IF-MIB.mib" || fail "IF-MIB import exit $?"
  entries=$(grep -c "<entry>" "$prefix/if.oidlib" || true)
  [ "$entries" -gt 0 ] || fail "IF-MIB gave no entries"
  # grep reads to the end (no -q): tr must not meet a closed pipe, which pipefail counts as failure.
  tr -d '\r ' < "$prefix/if.oidlib" | grep -x "1.3.6.1.2.1.2.2.1.10" > /dev/null || fail "ifInOctets (1.3.6.1.2.1.2.2.1.10) missing"
  echo "installed oidwright-import: IF-MIB gave $entries entries"
  exit 0
fi

installed=$(cd "$prefix" && find . -path ./cache -prune -o \( -type f -o -type l \) -print | sed 's|^\./||' | sort)
only_allowed <<< "$installed"
for file in lib/oidwright/oidwright-import lib/oidwright/oidwright-check lib/oidwright/stdmib/VELTRANE-STANDARD-MIB.mib \
            lib/oidwright/replacelist.txt lib/oidwright/doc/VeltraneOidwright.htm; do
  [ -e "$prefix/$file" ] || fail "$file is missing"
done
if [ -e "$build/bin/oidwright" ]; then
  for file in lib/oidwright/oidwright share/applications/oidwright.desktop \
              share/icons/hicolor/scalable/apps/oidwright.svg share/mime/packages/oidwright-oidlib.xml; do
    [ -e "$prefix/$file" ] || fail "$file is missing"
  done
  desktop-file-validate "$prefix/share/applications/oidwright.desktop" || fail "the desktop entry is not valid"
  # The entry opens the file type the package registers, and gets the file's name.
  grep -qx 'Exec=oidwright %f' "$prefix/share/applications/oidwright.desktop" || fail "the desktop entry passes no file"
  grep -qx 'MimeType=application/x-oidlib;' "$prefix/share/applications/oidwright.desktop" ||
    fail "the desktop entry names no .oidlib type"
  # What the file trigger makes of the type: a database that knows *.oidlib (built in a copy).
  mkdir "$prefix/data" && cp -r "$prefix/share/mime" "$prefix/data/"
  XDG_DATA_HOME="$prefix/data" update-mime-database "$prefix/data/mime" 2>&1 | grep . &&
    fail "update-mime-database refused the type"
  grep -qx 'application/x-oidlib:\*\.oidlib' <(cut -d: -f2- "$prefix/data/mime/globs2") ||
    fail "the type does not claim *.oidlib"
  rm -rf "$prefix/data"
fi
for link in "$prefix"/bin/*; do
  [ -L "$link" ] && [ "$(readlink "$link")" = "../lib/oidwright/$(basename "$link")" ] ||
    fail "$link is not a relative link into lib/oidwright"
done

# Through the link, the program finds stdmib/ and replacelist.txt beside its real file.
"$prefix/bin/oidwright-import" -q -o "$prefix/tables.oidlib" "$source/tests/data/import/FIXTURE-TABLES-MIB.mib" ||
  fail "fixture import exit $?"
grep -q "<entry>" "$prefix/tables.oidlib" || fail "fixture import gave no entries"
"$prefix/bin/oidwright-check" --help | grep -q "^Usage: oidwright-check" || fail "oidwright-check does not run"
echo "install tree ok: $(wc -l <<< "$installed") files"
