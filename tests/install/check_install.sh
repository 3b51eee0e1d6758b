#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and checks what lands there:
#   check_install.sh <build dir> <source dir> <expect program: 0|1>
# Every installed file is accounted for; the desktop entry and the MIME type are
# validated with the freedesktop tools; the icons have their stated sizes; the
# web pages are the repository's and link only to files that exist.
set -uo pipefail

build="$1"
source="$2"
expect_program="$3"

failures=0
checks=0
pass() { checks=$((checks + 1)); }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "FAIL: $*"; }
check() { # check <description> <command...>
    local what="$1"; shift
    if "$@"; then pass; else fail "$what"; fi
}

for tool in desktop-file-validate xmllint update-mime-database; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
prefix="$stage/prefix"

if ! cmake --install "$build" --prefix "$prefix" >"$stage/install.log" 2>&1; then
    cat "$stage/install.log"
    echo "FAIL: cmake --install into $prefix"
    exit 1
fi

data="$prefix/share"
sizes=(16 32 48 64 128 256)

# --- the list of what must be installed, and nothing else ----------------------
expected=(
    share/applications/quillet.desktop
    share/mime/packages/quillet.xml
    share/icons/hicolor/scalable/apps/quillet.svg
)
for s in "${sizes[@]}"; do expected+=("share/icons/hicolor/${s}x${s}/apps/quillet.png"); done
# The pages the program opens by name, then whatever else the site holds.
pages=(index.html company/eula.html forum/redirs/quillet.html tools/quillet/doc/index.html
       tools/quillet/thesaurus.html tools/quillet/dictionary.html tools/quillet/search.html)
while IFS= read -r page; do
    printf '%s\n' "${pages[@]}" | grep -qxF "$page" || pages+=("$page")
done < <(cd "$source/site" && find . -type f | sed 's|^\./||' | sort)
for page in "${pages[@]}"; do expected+=("share/quillet/site/$page"); done
[ "$expect_program" = 1 ] && expected+=(bin/quillet)

for f in "${expected[@]}"; do
    check "installed: $f" test -f "$prefix/$f"
done

# A plain install also refreshes the prefix's MIME and desktop caches; those
# generated files are the only others allowed.
generated='^share/mime/(globs2?|magic|aliases|subclasses|types|icons|generic-icons|treemagic|XMLnamespaces|mime\.cache|version|application/x-quillet\.xml)$|^share/applications/mimeinfo\.cache$'
while IFS= read -r f; do
    printf '%s\n' "${expected[@]}" | grep -qxF "$f" && continue
    [[ "$f" =~ $generated ]] && continue
    fail "unexpected installed file: $f"
done < <(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)

if [ "$expect_program" = 1 ]; then
    check "bin/quillet is executable" test -x "$prefix/bin/quillet"
fi

# --- web pages: the repository's own, and their local links resolve ------------
check "installed pages equal the repository's" diff -r "$source/site" "$data/quillet/site"
while IFS= read -r page; do
    dir="$(dirname "$page")"
    while IFS= read -r ref; do
        case "$ref" in
            '#'* | '') continue ;;
            *://* | //* | mailto:* | javascript:* | data:*)
                fail "$page refers outside the shipped pages: $ref"
                continue ;;
        esac
        target="${ref%%#*}"
        target="${target%%\?*}"
        [ -z "$target" ] && continue
        check "$page links to an existing $ref" test -e "$dir/$target"
    done < <(grep -oE '(href|src)="[^"]*"' "$page" | sed -E 's/^(href|src)="//; s/"$//')
done < <(find "$data/quillet/site" -name '*.html')

# --- desktop entry ---------------------------------------------------------------
desktop="$data/applications/quillet.desktop"
if out="$(desktop-file-validate "$desktop" 2>&1)"; then
    # The tool exits 0 on warnings; those count as failures here, hints do not.
    if grep -qE 'error|warning' <<<"$out"; then fail "desktop-file-validate: $out"; else pass; fi
else
    fail "desktop-file-validate: $out"
fi
entry() { sed -n "s/^$1=//p" "$desktop"; }
check "desktop entry runs quillet with a file" test "$(entry Exec)" = "quillet %f"
check "desktop entry names the icon" test "$(entry Icon)" = "quillet"
check "desktop entry handles .quillet documents" grep -qx 'MimeType=application/x-quillet;' "$desktop"
check "desktop entry is an application" test "$(entry Type)" = "Application"

# --- MIME type ---------------------------------------------------------------------
mimexml="$data/mime/packages/quillet.xml"
xpath_matches() { xmllint --noout --xpath "$1" "$2" >/dev/null 2>&1; }
check "MIME file is well-formed XML" xmllint --noout "$mimexml"
# Validate against the freedesktop schema when a copy is installed; Debian's
# shared-mime-info ships none, so update-mime-database below is the real judge.
for schema in /usr/share/xml/shared-mime-info/shared-mime-info.rng \
              /usr/share/shared-mime-info/shared-mime-info.rng; do
    [ -f "$schema" ] && check "MIME file matches $schema" xmllint --noout --relaxng "$schema" "$mimexml"
done
check "MIME file declares application/x-quillet" \
    xpath_matches '//*[local-name()="mime-type"][@type="application/x-quillet"]/*[local-name()="glob"][@pattern="*.quillet"]' "$mimexml"
check "MIME file has a comment" \
    xpath_matches '//*[local-name()="mime-type"]/*[local-name()="comment"][normalize-space()!=""]' "$mimexml"

# shared-mime-info's own compiler must accept it and map *.quillet to the type.
# It exits 0 even after errors in a file, so what it prints is checked too; with
# the scratch folder on its search path it has nothing else to say.
mimedb="$stage/data/mime"
mkdir -p "$mimedb/packages"
cp "$mimexml" "$mimedb/packages/"
if XDG_DATA_HOME="$stage/data" update-mime-database "$mimedb" >"$stage/mime.log" 2>&1; then pass; else fail "update-mime-database failed"; fi
check "update-mime-database reported nothing: $(cat "$stage/mime.log")" test ! -s "$stage/mime.log"
check "*.quillet maps to application/x-quillet" grep -qx 'application/x-quillet:\*\.quillet' "$mimedb/globs"

# The install itself refreshed the prefix's caches.
check "installed MIME cache knows *.quillet" grep -q 'application/x-quillet:\*\.quillet' "$data/mime/globs2"
check "installed desktop cache maps the type to quillet.desktop" \
    grep -qx 'application/x-quillet=quillet.desktop;' "$data/applications/mimeinfo.cache"

# --- icons ---------------------------------------------------------------------------
png_size() { # prints "<width>x<height>" from a PNG's header
    local w h
    read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$1")
    echo "${w}x${h}"
}
for s in "${sizes[@]}"; do
    icon="$data/icons/hicolor/${s}x${s}/apps/quillet.png"
    [ -f "$icon" ] || continue
    check "$icon is a PNG" test "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a"
    check "$icon is ${s}x${s}" test "$(png_size "$icon")" = "${s}x${s}"
done
check "scalable icon is well-formed SVG" xmllint --noout "$data/icons/hicolor/scalable/apps/quillet.svg"
check "scalable icon is square" grep -q 'viewBox="0 -40 480 480"' "$data/icons/hicolor/scalable/apps/quillet.svg"

echo "install checks: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
