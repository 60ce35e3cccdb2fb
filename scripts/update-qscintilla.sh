#!/usr/bin/env bash
# Rebuilds third_party/qscintilla from the unchanged upstream source: Debian 12's
# qscintilla2 source package, checked against the checksums below, with Debian's
# header patch, then our patches/ (*.patch in name order, then *.ed scripts).
# Usage: scripts/update-qscintilla.sh [--check]
# Without an argument the imported files in the tree are replaced by the result
# (after editing the tree, regenerate the patch first, or the edit is lost).
# --check changes nothing and fails if the tree differs from the result, so the
# bundled source never drifts from what patches/ says. Needs the network.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "Usage: scripts/update-qscintilla.sh [--check]" >&2; exit 2 ;;
esac
scripts/install-packages.sh curl ca-certificates patch ed xz-utils diffutils

pool=https://deb.debian.org/debian/pool/main/q/qscintilla2
orig=qscintilla2_2.13.3+dfsg.orig.tar.gz
orig_sha256=ac0ad6e9fe452b56d8b6fd887a685edde4494b76ce40535a13073bcd45befdf1
debian=qscintilla2_2.13.3+dfsg-3.debian.tar.xz
debian_sha256=6d5ff194a4db9fa739e5ab9444ed3ffb52b32d8cb775693c7e37ab4c3bc96009
debian_patches=(0010-Add-import-QUrl.patch)
tree=third_party/qscintilla
# Ours, not imported: the build, the library's replacement for the lexers, notes, patches.
ours='^(CMakeLists\.txt|NoLexers\.cpp|README\.md|patches/.*)$'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for f in "$orig" "$debian"; do
  if ! curl -fsSL --retry 3 --connect-timeout 20 -o "$work/$f" "$pool/$f"; then
    echo "update-qscintilla: could not download $pool/$f (no network, or Debian moved it);" \
         "the bundled source was NOT checked." >&2
    exit 1
  fi
done
sha256sum --quiet -c - <<<"$orig_sha256  $work/$orig
$debian_sha256  $work/$debian" || {
  echo "update-qscintilla: the downloaded source does not have the expected checksum." >&2
  exit 1
}

mkdir "$work/src" "$work/debian" "$work/import"
tar xzf "$work/$orig" -C "$work/src" --strip-components=1
tar xJf "$work/$debian" -C "$work/debian" --strip-components=1
# The imported files are those the tree holds: lexers, docs and bindings stay out.
mapfile -t files < <(git ls-files -- "$tree" | sed "s|^$tree/||" | grep -Ev "$ours")
(cd "$work/src" && tar cf - "${files[@]}") | tar xf - -C "$work/import"
for p in "${debian_patches[@]}"; do
  patch -s -p1 -N -d "$work/import" <"$work/debian/patches/$p"
done
for p in "$tree"/patches/*.patch; do
  patch -s -p1 -N -d "$work/import" <"$p" || { echo "update-qscintilla: $p does not apply" >&2; exit 1; }
done
for p in "$tree"/patches/*.ed; do
  [ -e "$p" ] || continue
  (cd "$work/import" && ed -s) <"$p" || { echo "update-qscintilla: $p does not apply" >&2; exit 1; }
done
find "$work/import" \( -name '*.orig' -o -name '*.rej' \) -delete

if [ $check -eq 1 ]; then
  differ=()
  for f in "${files[@]}"; do
    cmp -s "$work/import/$f" "$tree/$f" || differ+=("$f")
  done
  if [ ${#differ[@]} -gt 0 ]; then
    echo "third_party/qscintilla differs from the upstream source with patches/ applied:"
    for f in "${differ[@]}"; do diff -u "$work/import/$f" "$tree/$f" | sed "s|$work/import/|upstream+patches: |" | head -40; done
    echo "Put the change into a patch in $tree/patches/ (see its README), or undo it."
    exit 1
  fi
  echo "third_party/qscintilla: ${#files[@]} files are the upstream source with patches/ applied."
else
  for f in "${files[@]}"; do cp "$work/import/$f" "$tree/$f"; done
  echo "third_party/qscintilla: ${#files[@]} files refreshed from upstream with patches/ applied."
fi
