#!/usr/bin/env bash
# Installs the build into a temporary folder, as `cmake --install` does for a
# user, and checks the installed tree: every file where the desktop and the
# program look for it, valid desktop, MIME and metainfo files, a man page that
# names every option of --help, and the installed program drawing an example.
#
#   check-install.sh CMAKE BUILD_DIR
set -uo pipefail

cmake_command=$1
build_dir=$2
prefix=$(mktemp -d "${TMPDIR:-/tmp}/quantiview-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! "$cmake_command" --install "$build_dir" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log"
  rm -f "$prefix.log"
  echo "FAIL: cmake --install"
  exit 1
fi
rm -f "$prefix.log"

app_id=org.quantiview.Quantiview
expected=(
  bin/quantiview
  share/quantiview/quantiview.qch
  share/quantiview/quantiview.qhc
  share/quantiview/screenshot.png
  share/quantiview/examples/resistor-lot.qvw
  share/quantiview/examples/lot-thickness.csv
  share/quantiview/validation/statistics.cases
  share/quantiview/validation/lots/one_to_five.txt
  share/icons/hicolor/scalable/apps/quantiview.svg
  share/icons/hicolor/scalable/mimetypes/application-x-quantiview-project.svg
  share/applications/$app_id.desktop
  share/mime/packages/quantiview.xml
  share/metainfo/$app_id.metainfo.xml
  share/man/man1/quantiview.1.gz
)
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/quantiview" ] || fail "bin/quantiview is not executable"

# The installed program, started from another folder, draws the example project.
cd "$prefix" || exit 1
report=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/quantiview" --report \
           "$prefix/share/quantiview/examples/resistor-lot.qvw")
status=$?
[ "$status" -eq 0 ] || fail "the installed program exited with $status on the example project"
grep -q '"outcome": *"drawn"' <<<"$report" || fail "the example project was not drawn: $report"
grep -q '"window_title": *"Quantiview 3.0 (' <<<"$report" ||
  fail "the report has no window title of a loaded file"

# The installed program proves its numbers with the corpus installed beside it,
# and a corpus file changed after installing fails the run and is named.
validate_report=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/quantiview" --validate "$prefix/v.pdf" 2>&1)
status=$?
[ "$status" -eq 0 ] || fail "the installed program's validation exited with $status: $validate_report"
[ -s "$prefix/v.pdf" ] || fail "the validation report was not written"
echo 99 >>"$prefix/share/quantiview/validation/lots/one_to_five.txt"
validate_report=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/quantiview" --validate "$prefix/v.pdf" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "a changed corpus file left the validation with exit status $status"
grep -q 'lots/one_to_five.txt changed' <<<"$validate_report" ||
  fail "the validation does not name the changed corpus file: $validate_report"

# The menu entry opens project files with the installed program.
desktop="$prefix/share/applications/$app_id.desktop"
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $app_id.desktop"
  grep -qx 'Exec=quantiview %f' "$desktop" || fail "the menu entry does not pass the file to quantiview"
  grep -qx 'MimeType=application/x-quantiview-project;' "$desktop" ||
    fail "the menu entry does not name the project file type"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
    fail "the menu entry's icon $icon is not installed"
fi

# The file type database built from the package knows both spellings of the extension.
if [ -f "$prefix/share/mime/packages/quantiview.xml" ]; then
  mime=$(mktemp -d "${TMPDIR:-/tmp}/quantiview-mime.XXXXXX")
  mkdir -p "$mime/packages"
  cp "$prefix/share/mime/packages/quantiview.xml" "$mime/packages/"
  if update-mime-database "$mime" >/dev/null 2>&1; then
    for glob in '\*\.qvw' '\*\.QVW'; do
      grep -q "^[0-9]*:application/x-quantiview-project:$glob" "$mime/globs2" ||
        fail "the project file type has no glob ${glob//\\/}"
    done
  else
    fail "update-mime-database rejects quantiview.xml"
  fi
  rm -rf "$mime"
fi

metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" >/dev/null || {
    appstreamcli validate --no-net "$metainfo"
    fail "appstreamcli rejects the metainfo file"
  }
fi

# The man page comes from --help: every option the program lists is in it.
man_page="$prefix/share/man/man1/quantiview.1.gz"
if [ -f "$man_page" ]; then
  page=$(gzip -dc "$man_page" | sed 's/\\-/-/g')
  grep -q '^\.TH QUANTIVIEW "1"' <<<"$page" || fail "the man page has no title line"
  options=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/quantiview" --help 2>/dev/null |
              grep -o -- '--[a-z][a-z-]*' | sort -u)
  [ -n "$options" ] || fail "--help lists no options"
  for option in $options; do
    grep -q -- "$option" <<<"$page" || fail "the man page does not name $option"
  done
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the installed tree failed"
  exit 1
fi
echo "The installed tree under a temporary prefix is complete"
