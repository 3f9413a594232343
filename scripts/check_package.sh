#!/usr/bin/env bash
# Checks the Debian package without installing it: unpacks it into a
# temporary folder and checks its fields, files, metadata, manual pages and
# completion, runs both programs from there and asks lintian.
#   scripts/check_package.sh [PACKAGE.deb]   (default: the one package.sh made)
# Prints one line a check and exits non-zero if any fails.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ $# -gt 0 ]; then
  deb="$1"
else
  debs=("$ROOT"/build/package/quorvane_*.deb)
  deb="${debs[0]}"
fi
[ -f "$deb" ] || { echo "check_package.sh: no package: $deb" >&2; exit 1; }

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
tree="$tmp/root"
dpkg-deb -x "$deb" "$tree"

failed=0
pass() { echo "ok: $1"; }
fail() { echo "FAIL: $1" >&2; failed=$((failed + 1)); }
# check NAME COMMAND...: passes when COMMAND succeeds and prints nothing.
check() {
  local name="$1" out
  shift
  if out="$("$@" 2>&1)" && [ -z "$out" ]; then pass "$name"; else
    fail "$name"
    printf '%s\n' "$out" >&2
  fi
}

# --- Control fields -------------------------------------------------------
version="$(sed -n 's/^project(Quorvane VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorvane ] && pass "package name" || fail "package name: $(field Package)"
case "$(field Version)" in
  "$version"-*) pass "version $(field Version) from CMake's $version" ;;
  *) fail "version $(field Version) is not CMake's $version" ;;
esac
depends="$(field Depends)"
missing=""
# The font is named by hand; the libraries must come from the binaries.
for dep in fonts-ipafont-gothic libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 libqt6svg6; do
  [[ ", $depends," == *", $dep "* || ", $depends," == *", $dep,"* ]] || missing+=" $dep"
done
[ -z "$missing" ] && pass "depends on the font and the libraries" ||
  fail "Depends lacks$missing: $depends"
[ "$(field Description | wc -l)" -ge 3 ] && pass "short and long description" ||
  fail "description: $(field Description)"

# --- Files ----------------------------------------------------------------
doc=usr/share/doc/quorvane
expected=(usr/bin/quorvane usr/bin/quorvane-report
  usr/share/applications/quorvane.desktop
  usr/share/man/man1/quorvane.1.gz usr/share/man/man1/quorvane-report.1.gz
  usr/share/man/ja/man1/quorvane.1.gz usr/share/man/ja/man1/quorvane-report.1.gz
  usr/share/locale/en/LC_MESSAGES/quorvane.mo
  usr/share/bash-completion/completions/quorvane-report
  usr/share/bash-completion/completions/quorvane
  $doc/copyright $doc/changelog.Debian.gz $doc/examples/sample-10km.txt)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/quorvane.png")
done
missing=""
for f in "${expected[@]}"; do [ -f "$tree/$f" ] || missing+=" $f"; done
[ -z "$missing" ] && pass "installed files" || fail "missing:$missing"
outside="$(cd "$tree" && find . -mindepth 1 -maxdepth 1 ! -name usr)"
[ -z "$outside" ] && pass "everything under /usr" || fail "outside /usr: $outside"
cmp -s "$ROOT/examples/sample-10km.txt" "$tree/$doc/examples/sample-10km.txt" &&
  pass "sample race unchanged" || fail "sample race differs from examples/"
grep -q "^License: Expat" "$tree/$doc/copyright" &&
  grep -q "^Permission is hereby granted" "$ROOT/LICENSE" &&
  pass "copyright names the licence" || fail "copyright or LICENSE"

# --- Desktop entry and AppStream metadata ----------------------------------
desktop="$tree/usr/share/applications/quorvane.desktop"
check "desktop-file-validate" desktop-file-validate "$desktop"
icon="$(sed -n 's/^Icon=//p' "$desktop")"
[ -n "$icon" ] && [ -f "$tree/usr/share/icons/hicolor/48x48/apps/$icon.png" ] &&
  pass "the desktop entry's icon is installed" || fail "no icon named \"$icon\""
# The record types: a MIME database of the shared types and ours tells a
# watch's FIT file from a FITS image of the same extension by its content.
mime="$(mktemp -d)"
mkdir -p "$mime/mime/packages" "$mime/files"
cp /usr/share/mime/packages/freedesktop.org.xml \
   "$tree"/usr/share/mime/packages/quorvane.xml "$mime/mime/packages/"
printf '\016\020\000\000\000\000\000\000.FIT\000\000' >"$mime/files/run.fit"
printf 'SIMPLE  =                    T\n' >"$mime/files/sky.fit"
printf '<?xml version="1.0"?>\n<TrainingCenterDatabase xmlns="http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2"/>\n' \
  >"$mime/files/run.tcx"
types=""
if update-mime-database "$mime/mime" 2>/dev/null; then
  for f in run.fit sky.fit run.tcx; do
    types+="$(XDG_DATA_DIRS="$mime" XDG_DATA_HOME="$mime/none" gio info \
      -a standard::content-type "$mime/files/$f" | sed -n 's/.*content-type: //p') "
  done
fi
rm -rf "$mime"
[ "$types" = "application/vnd.ant.fit application/fits application/vnd.garmin.tcx+xml " ] &&
  grep -q '^MimeType=.*application/vnd.ant.fit;' "$desktop" &&
  pass "FIT and TCX records known by their content" ||
  fail "record MIME types: $types"
metainfo=("$tree"/usr/share/metainfo/*.metainfo.xml)
if [ "${#metainfo[@]}" -eq 1 ] && [ -f "${metainfo[0]}" ]; then
  metainfo="${metainfo[0]}"
  if out="$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1)" &&
     ! grep -q '^[EW]:' <<<"$out"; then
    pass "appstreamcli validate"
  else
    fail "appstreamcli validate"
    printf '%s\n' "$out" >&2
  fi
  missing=""
  for element in '<launchable type="desktop-id">quorvane.desktop</launchable>' \
                 '<project_license>MIT</project_license>' \
                 '<content_rating type="oars-1.1"' '<screenshot type="default">'; do
    grep -qF "$element" "$metainfo" || missing+=" $element"
  done
  [ -z "$missing" ] && grep -q '^MIT License' "$ROOT/LICENSE" &&
    pass "metadata: launchable, licence, content rating, screenshot" ||
    fail "metadata lacks$missing"
  grep -q "<release version=\"$version\"" "$metainfo" &&
    pass "metadata release $version" || fail "metadata release is not $version"
  missing=""
  for tag in name summary p li caption; do
    grep -q "<$tag>" "$metainfo" || missing+=" $tag"
    grep -q "<$tag xml:lang=\"ja\">" "$metainfo" || missing+=" $tag[ja]"
  done
  [ -z "$missing" ] && pass "metadata in English and Japanese" || fail "metadata lacks$missing"
else
  fail "one metainfo file expected: ${metainfo[*]}"
fi

# --- Manual pages ----------------------------------------------------------
man1="$tree/usr/share/man/man1"
jaman1="$tree/usr/share/man/ja/man1"
for page in quorvane quorvane-report; do
  check "mandoc lint $page(1)" mandoc -T lint -W warning "$man1/$page.1.gz"
  check "mandoc lint Japanese $page(1)" mandoc -T lint -W warning "$jaman1/$page.1.gz"
  # The Japanese page is a translation, not a copy of the English one.
  if [ -f "$jaman1/$page.1.gz" ] &&
     zcat "$jaman1/$page.1.gz" | grep -q '言語' &&
     ! cmp -s <(zcat "$man1/$page.1.gz") <(zcat "$jaman1/$page.1.gz"); then
    pass "Japanese $page(1) is in Japanese"
  else
    fail "Japanese $page(1) is missing or not in Japanese"
  fi
done
# man takes the Japanese page under a Japanese locale and the English one
# otherwise. The Japanese locale is made in the temporary folder (LOCPATH),
# so the system's locales stay as they are; without man-db or the locales'
# sources, say so.
if command -v man >/dev/null && command -v localedef >/dev/null &&
   [ -f /usr/share/i18n/locales/ja_JP ]; then
  mkdir -p "$tmp/locale"
  localedef -i ja_JP -f UTF-8 "$tmp/locale/ja_JP.UTF-8" >/dev/null 2>&1 || true
  man_in() {
    env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u MANOPT LOCPATH="$tmp/locale" \
      LANG="$1" MANPATH="$tree/usr/share/man" man -w quorvane-report 2>&1 || true
  }
  ja_found="$(man_in ja_JP.UTF-8)"
  en_found="$(man_in C)"
  [ "$ja_found" = "$jaman1/quorvane-report.1.gz" ] &&
    [ "$en_found" = "$man1/quorvane-report.1.gz" ] &&
    pass "man finds the Japanese page under a Japanese locale" ||
    fail "man -w: ja_JP.UTF-8 gives $ja_found, C gives $en_found"
else
  echo "note: man, localedef or the ja_JP locale's source is missing; the pages' lookup is not checked"
fi

# --- Translations -----------------------------------------------------------
# The English catalogue: a valid one (msgunfmt reads it back), in UTF-8,
# the very one res/po/en.po makes, and translating the totals row.
mo="$tree/usr/share/locale/en/LC_MESSAGES/quorvane.mo"
if po="$(msgunfmt "$mo" 2>&1)"; then
  pass "msgunfmt reads the English catalogue"
  grep -q 'charset=UTF-8' <<<"$po" && pass "the English catalogue is in UTF-8" ||
    fail "the English catalogue's header names no UTF-8 charset"
  grep -A1 -x 'msgid "全区間"' <<<"$po" | grep -qx 'msgstr "Total"' &&
    pass "the catalogue translates 全区間 as Total" ||
    fail "the catalogue has no 全区間 -> Total"
else
  fail "msgunfmt on the English catalogue"
  printf '%s\n' "$po" >&2
fi
if msgfmt -o "$tmp/en.mo" "$ROOT/res/po/en.po" 2>"$tmp/err" &&
   cmp -s "$tmp/en.mo" "$mo"; then
  pass "the packaged catalogue is res/po/en.po's"
else
  fail "the packaged catalogue differs from res/po/en.po's"
  cat "$tmp/err" >&2
fi

# Every option --help lists must be in the manual page's option list and
# offered by the completion.
# option_words: the option names in the lines given.
option_words() {
  grep -oE '(^|[[:space:],])--?[[:alpha:]][[:alnum:]-]*' |
    sed 's/^[[:space:],]*//' | sort -u
}
report="$tree/usr/bin/quorvane-report"
help="$("$report" --help)" || fail "quorvane-report --help"
options="$(grep -E '^[[:space:]]+-' <<<"$help" | option_words)"
if ! grep -qx -- '--help' <<<"$options"; then
  fail "no options found in --help"
  printf '%s\n' "$help" >&2
fi
# The page's option list: its items' headings, indented by five.
page_options="$(mandoc -T ascii "$man1/quorvane-report.1.gz" | sed 's/.\x08//g' |
  grep -E '^ {5}-' | option_words)"
completion="$tree/usr/share/bash-completion/completions/quorvane-report"
# complete WORD...: what the completion offers for the last WORD.
complete_words() {
  bash -c 'source "$1"; shift
    COMP_WORDS=(quorvane-report "$@"); COMP_CWORD=$#
    _quorvane_report; printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@"
}
offered="$(complete_words -)"
missing_page="" missing_completion=""
for opt in $options; do
  grep -qx -- "$opt" <<<"$page_options" || missing_page+=" $opt"
  grep -qx -- "$opt" <<<"$offered" || missing_completion+=" $opt"
done
[ -z "$missing_page" ] && pass "manual page lists every option of --help" ||
  fail "quorvane-report(1) lacks:$missing_page"
ja_page_options="$(mandoc -T utf8 "$jaman1/quorvane-report.1.gz" | sed 's/.\x08//g' |
  grep -E '^ {5}-' | option_words)"
missing_page=""
for opt in $options; do
  grep -qx -- "$opt" <<<"$ja_page_options" || missing_page+=" $opt"
done
[ -z "$missing_page" ] && pass "Japanese manual page lists every option of --help" ||
  fail "Japanese quorvane-report(1) lacks:$missing_page"
[ -z "$missing_completion" ] && pass "completion offers every option of --help" ||
  fail "completion lacks:$missing_completion"
# "--unit km|400m|..." in --help: the completion offers exactly these values.
while read -r opt values; do
  want="$(tr '|' '\n' <<<"$values" | sort)"
  got="$(complete_words "$opt" "" | sort)"
  [ "$want" = "$got" ] && pass "completion of $opt values" ||
    fail "completion of $opt: $(echo $got), --help: $(echo $want)"
done < <(grep -oE -- '--[[:alnum:]-]+ [[:alnum:]]+(\|[[:alnum:]]+)+' <<<"$help" || true)
# Documented but not listed by this build's --help: a note for whoever
# updates the program or the documents.
for opt in $(sort -u <<<"$offered"$'\n'"$page_options"); do
  grep -qx -- "$opt" <<<"$options" ||
    echo "note: $opt is documented but not listed by this build's --help"
done

# The window's own options: in its page and offered by its completion; its
# help needs no display.
app="$tree/usr/bin/quorvane"
if app_help="$(env -u DISPLAY -u WAYLAND_DISPLAY "$app" --help)"; then
  app_options="$(grep -E '^[[:space:]]+-' <<<"$app_help" | option_words)"
  app_page="$(mandoc -T ascii "$man1/quorvane.1.gz" | sed 's/.\x08//g' |
    grep -E '^ {5}-' | option_words)"
  app_offered="$(bash -c 'source "$1"; COMP_WORDS=(quorvane -); COMP_CWORD=1
    _quorvane; printf "%s\n" "${COMPREPLY[@]}"' _ \
    "$tree/usr/share/bash-completion/completions/quorvane")"
  missing=""
  for opt in $app_options; do
    grep -qx -- "$opt" <<<"$app_page" || missing+=" page:$opt"
    grep -qx -- "$opt" <<<"$app_offered" || missing+=" completion:$opt"
  done
  [ -n "$app_options" ] && [ -z "$missing" ] &&
    pass "quorvane's options in its page and completion" ||
    fail "quorvane's options:$missing"
else
  fail "quorvane --help"
fi

# --- The programs, run from the unpacked tree ------------------------------
sample="$tree/$doc/examples/sample-10km.txt"
# No display and no platform chosen: the report tool needs neither.
if list="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
             "$report" --pdf "$tmp/sample.pdf" "$sample" 2>"$tmp/err")"; then
  rows="$(wc -l <<<"$list")"
  total="$(tail -n 1 <<<"$list")"
  cells="$(awk -F'\t' '{print NF}' <<<"$list" | sort -u)"
  # The sample's five sections and the totals row, whose arrival is the
  # race's time.
  if [ "$rows" = 6 ] && [ "$cells" = 8 ] && [[ $total == 全区間$'\t'* ]] &&
     [[ $total == *00時40分58秒20* ]]; then
    pass "quorvane-report lists the sample race"
  else
    fail "quorvane-report list"
    printf '%s\n' "$list" >&2
  fi
  pdf_text="$(pdftotext "$tmp/sample.pdf" - 2>&1 || true)"
  if [[ $pdf_text == *"みなと湖畔ロードレース"* && $pdf_text == *全区間* &&
        $pdf_text == *00時40分58秒20* ]]; then
    pass "quorvane-report prints the sample race to PDF"
  else
    fail "PDF text"
    printf '%s\n' "$pdf_text" | head -20 >&2
  fi
else
  fail "quorvane-report on the sample race"
  cat "$tmp/err" >&2
fi

# The language: the outputs follow --lang (Japanese by default, whatever
# the locale), the messages the locale. The programs find the catalogue
# beside themselves (../share/locale), so nothing from the build or the
# environment may point elsewhere.
in_locale() {
  local lang="$1"
  shift
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u QUORVANE_LOCALEDIR \
    -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANG="$lang" "$@"
}
if list_en="$(in_locale en_US.UTF-8 "$report" --lang en "$sample" 2>"$tmp/err")"; then
  total="$(tail -n 1 <<<"$list_en")"
  if [[ $total == Total$'\t'* && $total == *$'\t'0:40:58.20$'\t'* ]] &&
     ! LC_ALL=C grep -q $'[^\t -~]' <<<"$list_en" &&
     [ "$(wc -l <<<"$list_en")" = 6 ]; then
    pass "quorvane-report --lang en lists the sample in English"
  else
    fail "quorvane-report --lang en"
    printf '%s\n' "$list_en" >&2
  fi
else
  fail "quorvane-report --lang en on the sample race"
  cat "$tmp/err" >&2
fi
list_c="$(in_locale C "$report" "$sample" 2>&1)" || true
list_en_default="$(in_locale en_US.UTF-8 "$report" "$sample" 2>&1)" || true
if [[ "$(tail -n 1 <<<"$list_c")" == 全区間$'\t'* ]] &&
   [ "$list_c" = "$list_en_default" ]; then
  pass "without --lang the list is Japanese, whatever the locale"
else
  fail "the list without --lang under LANG=C and LANG=en_US.UTF-8"
  printf '%s\n--\n%s\n' "$list_c" "$list_en_default" >&2
fi
# A file that cannot be opened: named in the locale's language, status 1.
missing_file="$tmp/no such race.txt"
set +e
in_locale en_US.UTF-8 "$report" "$missing_file" >/dev/null 2>"$tmp/err.en"
status_en=$?
in_locale C "$report" "$missing_file" >/dev/null 2>"$tmp/err.c"
status_c=$?
set -e
if [ "$status_en" = 1 ] && [ "$status_c" = 1 ] &&
   grep -qF "cannot be opened" "$tmp/err.en" &&
   grep -qF "ファイルが開けません" "$tmp/err.c"; then
  pass "quorvane-report's messages follow the locale"
else
  fail "quorvane-report's messages: status $status_en/$status_c"
  cat "$tmp/err.en" "$tmp/err.c" >&2
fi
# The window's help, which needs no display, in the locale's language.
help_en="$(in_locale en_US.UTF-8 "$app" --help 2>&1)" || true
help_c="$(in_locale C "$app" --help 2>&1)" || true
if [[ $help_en == *"Opens the window"* && $help_c == *"ウィンドウを開きます"* ]]; then
  pass "quorvane's help follows the locale"
else
  fail "quorvane --help in English and Japanese"
  printf '%s\n--\n%s\n' "$help_en" "$help_c" >&2
fi

# The window program, started by the desktop entry's command with a file
# (offscreen); still running after a while means it started.
exec_line="$(sed -n 's/^Exec=//p' "$desktop")"
program="${exec_line%% *}"
# Field codes as a file manager fills them in (%f: one file).
read -ra args <<<"${exec_line#"$program"}"
args=("${args[@]//%f/$sample}")
if [ -x "$tree/usr/bin/$program" ]; then
  set +e
  PATH="$tree/usr/bin:$PATH" QT_QPA_PLATFORM=offscreen \
    timeout 3 "$program" "${args[@]}" >"$tmp/window.log" 2>&1
  status=$?
  set -e
  if [ "$status" = 124 ]; then
    pass "\"$exec_line\" starts the window"
  else
    fail "\"$exec_line\" ended with status $status"
    cat "$tmp/window.log" >&2
  fi
else
  fail "the desktop entry runs $program, which the package lacks"
fi

# --- lintian ----------------------------------------------------------------
if lint="$(lintian --fail-on error "$deb" 2>&1)"; then
  pass "lintian: no errors"
else
  fail "lintian"
fi
grep -v 'running with root privileges' <<<"$lint" || true

if [ "$failed" -gt 0 ]; then
  echo "check_package.sh: $failed check(s) failed" >&2
  exit 1
fi
echo "check_package.sh: all checks passed for $(basename "$deb")"
