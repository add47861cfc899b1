#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree a desktop needs: the program,
# its menu entry, icons, file types, manual page, help page and udev rule, and that the
# installed program finds its help page without a display.
# Usage: CheckInstalledTree.sh <build folder> <program version>
set -uo pipefail
build=$1
version=$2

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
has_file() { [ -f "$prefix/$1" ] || fail "$1 is not installed"; }

if ! cmake --install "$build" --prefix "$prefix" >"$prefix/install.log" 2>&1; then
    cat "$prefix/install.log"
    echo "FAIL: cmake --install failed (is qx574 built?)"
    exit 1
fi

# The program, started without any display, finds the help page installed beside it.
[ -x "$prefix/bin/qx574" ] || fail "bin/qx574 is not an installed program"
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
help=$("${no_display[@]}" "$prefix/bin/qx574" --help) || fail "qx574 --help failed"
help_page=$prefix/share/qx574/QX574Help.htm
has_file share/qx574/QX574Help.htm
grep -qxF "Help page: $help_page" <<<"$help" || fail "the installed program looks for its help page elsewhere: $help"
grep -q -- "--simulate" <<<"$help" || fail "--help does not list --simulate"
[ "$("${no_display[@]}" "$prefix/bin/qx574" --version)" = "QX574 $version" ] \
    || fail "qx574 --version does not print QX574 $version"
# The windows module, which the installed program finds for the windows and report --pdf (the
# report of a missing file fails after the module is loaded).
module=$(find "$prefix/lib"* -path '*/qx574/qx574-windows.so' | head -n 1)
[ -f "$module" ] || fail "the windows module is not installed under lib/qx574"
pdf_err=$("${no_display[@]}" "$prefix/bin/qx574" report "$prefix/missing.REC" --pdf "$prefix/missing.pdf" 2>&1)
grep -q "Cannot load the windows" <<<"$pdf_err" && fail "the installed program does not find its windows: $pdf_err"
grep -q "missing.REC" <<<"$pdf_err" || fail "the installed report --pdf did not run: $pdf_err"
# Run from the build folder, the program keeps finding the help page beside itself.
built_help=$("${no_display[@]}" "$build/src/app/qx574" --help)
grep -qxF "Help page: $build/src/app/QX574Help.htm" <<<"$built_help" \
    || fail "the program in the build folder looks for its help page elsewhere: $built_help"

# The menu entry: valid, starting the program with the files to open, for both file types.
desktop=share/applications/qx574.desktop
has_file "$desktop"
desktop-file-validate "$prefix/$desktop" || fail "$desktop does not validate"
grep -qx "Exec=qx574 %F" "$prefix/$desktop" || fail "$desktop does not pass the files to open (%F)"
grep -qx "GenericName=Sound Level Meter" "$prefix/$desktop" || fail "$desktop lacks its generic name"
grep -qx "Icon=qx574" "$prefix/$desktop" || fail "$desktop does not name the icon qx574"

# The icons under the name the entry gives.
has_file share/icons/hicolor/scalable/apps/qx574.svg
grep -q "<svg" "$prefix/share/icons/hicolor/scalable/apps/qx574.svg" || fail "the scalable icon is no SVG"
has_file share/icons/hicolor/256x256/apps/qx574.png
file "$prefix/share/icons/hicolor/256x256/apps/qx574.png" | grep -q "PNG image data, 256 x 256" \
    || fail "the 256 px icon is no 256 x 256 PNG"

# The file types: the database built from the installed package maps the graph, collection
# (in either case) and survey extensions, and they are the very types the menu entry opens.
has_file share/mime/packages/qx574.xml
mime=$prefix/mime-check
mkdir -p "$mime/packages"
cp "$prefix/share/mime/packages/qx574.xml" "$mime/packages/"
# (It notes on its error output that the folder is not one the desktop searches.)
mime_out=$(update-mime-database "$mime" 2>&1) || fail "update-mime-database rejects qx574.xml: $mime_out"
graph_type=$(awk -F: '$3 == "*.ghf" { print $2 }' "$mime/globs2")
collection_type=$(awk -F: '$3 == "*.rec" { print $2 }' "$mime/globs2")
survey_type=$(awk -F: '$3 == "*.qxs" { print $2 }' "$mime/globs2")
[ -n "$graph_type" ] || fail "no file type for *.ghf"
[ -n "$collection_type" ] || fail "no file type for *.rec and *.REC"
[ -n "$survey_type" ] || fail "no file type for *.qxs"
for type in $graph_type $collection_type $survey_type; do
    grep -q "^MimeType=.*$type;" "$prefix/$desktop" || fail "$desktop does not open $type"
done

# The manual page reads without warnings.
has_file share/man/man1/qx574.1
warnings=$(groff -man -ww -z "$prefix/share/man/man1/qx574.1" 2>&1)
[ -z "$warnings" ] || fail "the manual page has warnings: $warnings"

# The udev rule: on the meter's hidraw node, for the logged-in user, and numbered before
# systemd's 73-seat-late.rules, which grants the access only to nodes tagged by then.
rules=("$prefix"/lib/udev/rules.d/*qx574*.rules)
if [ ! -f "${rules[0]}" ]; then
    fail "no udev rule under lib/udev/rules.d"
else
    rule=${rules[0]}
    number=$(basename "$rule" | grep -o '^[0-9]*')
    [ -n "$number" ] && [ "$((10#$number))" -lt 73 ] || fail "$(basename "$rule") comes after 73-seat-late.rules"
    line=$(grep -v '^#' "$rule")
    for part in 'SUBSYSTEM=="hidraw"' 'KERNEL=="hidraw*"' 'ATTRS{idVendor}=="04d9"' \
                'ATTRS{idProduct}=="e000"' 'TAG+="uaccess"'; do
        grep -qF "$part" <<<"$line" || fail "the udev rule lacks $part"
    done
fi

# The user service of qx574 watch: one instance a meter, its options from the user's file, back
# after a failure, ended by SIGTERM, which watch takes as the end of its run.
unit=lib/systemd/user/qx574-watch@.service
has_file "$unit"
if [ -f "$prefix/$unit" ]; then
    for line in 'ExecStart=qx574 watch --serial %i $QX574_WATCH_OPTIONS' \
                'EnvironmentFile=%E/qx574/watch-%i.conf' 'Restart=on-failure' 'KillSignal=SIGTERM' \
                'WantedBy=default.target'; do
        grep -qxF "$line" "$prefix/$unit" || fail "$unit lacks $line"
    done
    # systemd reads it without complaint (the program is found on the PATH once installed).
    if command -v systemd-analyze >/dev/null 2>&1; then
        units=$(mktemp -d)
        cp "$prefix/$unit" "$units/"
        complaints=$(systemd-analyze verify --man=no "$units/qx574-watch@QX1.service" 2>&1 \
                     | grep -v 'Command qx574 is not executable')
        rm -rf "$units"
        [ -z "$complaints" ] || fail "systemd-analyze finds faults in $unit: $complaints"
    fi
fi

[ "$failures" -eq 0 ] || exit 1
echo "The installed tree is complete."
