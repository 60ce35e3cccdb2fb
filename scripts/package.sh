#!/usr/bin/env bash
# Builds the Debian package build/tagloom_<version>_<arch>.deb and checks what it
# declares. Install it with: sudo apt install ./build/tagloom_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
cd build
rm -f tagloom_*.deb
cpack -G DEB >cpack.log || { cat cpack.log; exit 1; }
deb=$(ls tagloom_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
contents=$(dpkg-deb -c "$deb")
# The editor component is linked in (third_party/qscintilla).
for lib in libqt6widgets6 libqt6gui6; do
  grep -q "$lib" <<<"$depends" || { echo "$deb: Depends lacks $lib: $depends"; exit 1; }
done
for f in ./usr/bin/tagloom ./usr/share/tagloom/Tagloom.colors ./usr/share/tagloom/Tagloom.js ./usr/share/applications/org.tagloom.Tagloom.desktop \
         ./usr/share/doc/tagloom/copyright; do
  grep -q " $f\$" <<<"$contents" || { echo "$deb: $f missing"; exit 1; }
done
echo "Built build/$deb"
echo "Depends: $depends"
