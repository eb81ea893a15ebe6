#!/usr/bin/env bash
# The Debian package as scripts/package.sh makes it: built by CPack from this build,
# holding the installed layout under /usr, declaring the libraries it links against
# (found by dpkg-shlibdeps) and what Qt loads at run time, and free of lintian errors.
set -euo pipefail
build="$KOLVANE_PROGRAM_DIR"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/kolvane_*.deb)
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$out/files"
id=org.example.kolvane
for f in /usr/bin/kolvane /usr/share/kolvane/app.ico \
  /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/$id.svg \
  /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$id.png \
  /usr/share/man/man1/kolvane.1.gz /usr/share/doc/kolvane/copyright /usr/share/doc/kolvane/changelog.gz \
  /usr/share/kolvane/ocr-models/ppocrv4_det.onnx /usr/share/kolvane/ocr-models/NOTICE; do
  grep -qx "$f" "$out/files" || fail "missing $f"
done
# Nothing outside /usr, nothing of the build or tests.
if grep -v '^/usr' "$out/files" | grep -vx '/' ; then fail "files outside /usr"; fi
if grep -Ei 'test|bench|make_icon|\.a$' "$out/files"; then fail "build leftovers"; fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libxcb1 libxcb-shm0 \
  libpulse0 libtiff6 libgif7 libisal2 libwayland-client0 qt6-qpa-plugins libopencv-dnn406; do
  tr ',' '\n' <<<"$depends" | awk '{print $1}' | grep -qxF "$lib" || fail "Depends lacks $lib"
done
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"

# The program in the package is stripped and runs from its own layout.
mkdir "$out/root"
dpkg-deb -x "$deb" "$out/root"
file "$out/root/usr/bin/kolvane" | grep -q 'stripped' || fail "not stripped"
file "$out/root/usr/bin/kolvane" | grep -q 'not stripped' && fail "not stripped"
[ "$("$out/root/usr/bin/kolvane" --version)" = "kolvane $(dpkg-deb -f "$deb" Version)" ] ||
  fail "version differs from the package's"

lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$out/lintian.log" || fail "lintian errors"
if grep -q '^E:' "$out/lintian.log"; then fail "lintian errors"; fi
echo "ok"
