#!/usr/bin/env bash
# Two releases of the same sources, each built from a clean tree, the second
# from a copy of the sources in another folder (with a space in its path),
# are the same bytes: the zip and the MSI have the same SHA-256.
#   reproducible_test.sh SOURCE_DIR FIRST_DIST_DIR WORK_DIR
set -u
source=$(realpath "$1") first=$(realpath "$2") work=$(realpath -m "$3")
# The copy has no history to read the time from: both releases take the same.
: "${SOURCE_DATE_EPOCH:=$(git -C "$source" log -1 --format=%ct)}"
export SOURCE_DATE_EPOCH

rm -rf "$work"
copy="$work/another source folder"
mkdir -p "$copy"
# The sources as the first release saw them: the checkout's files, with
# their local changes.
(cd "$source" && git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$copy" || {
  echo "FAILED: copying the sources" >&2
  exit 1
}
if ! "$copy/scripts/release" --build-dir "$work/build" --out "$work/dist" >"$work/release.log" 2>&1; then
  tail -20 "$work/release.log" >&2
  echo "FAILED: the second release" >&2
  exit 1
fi

if ! diff -u "$first/SHA256SUMS" "$work/dist/SHA256SUMS"; then
  # Where the two differ, for whoever mends it.
  for file in $(awk '{ print $2 }' "$first/SHA256SUMS"); do
    cmp "$first/$file" "$work/dist/$file" >&2
  done
  echo "FAILED: the two releases differ" >&2
  exit 1
fi
rm -rf "$work"
echo "two releases, the same bytes:"
cat "$first/SHA256SUMS"
