#!/usr/bin/env bash
# Builds the Debian package, installs it into the system, checks where its files went and that
# the installed program starts and closes, and removes it again.
# Usage: package.sh BUILD_DIR
# Exits 77 (skipped) where this machine does not let it install packages.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! sudo -n true 2>/dev/null; then
        echo "SKIP: installing a package needs root or password-less sudo"
        exit 77
    fi
    sudo=(sudo -n)
fi
if ! command -v dpkg >/dev/null || ! command -v apt-get >/dev/null; then
    echo "SKIP: this is not a Debian system"
    exit 77
fi
if dpkg-query -W -f='${Status}' quillmark 2>/dev/null | grep -q 'ok installed'; then
    echo "SKIP: a quillmark package is installed already; not touching it"
    exit 77
fi

fail()
{
    echo "FAIL [package]: $*" >&2
    exit 1
}
out=$(mktemp -d)
cleanup()
{
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq quillmark >/dev/null 2>&1
    rm -rf "$out"
}
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$out" >/dev/null) || fail "cpack -G DEB failed"
deb=$(ls "$out"/quillmark_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no quillmark_*.deb"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt[56]' <<<"$depends" || fail "the package does not depend on Qt: '$depends'"
echo "package: $(basename "$deb"), Depends: $depends"

"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null ||
    fail "the package did not install"
[ -x /usr/bin/quillmark ] || fail "/usr/bin/quillmark is not there"
desktop=/usr/share/applications/quillmark.desktop
[ -f "$desktop" ] || fail "$desktop is not there"
desktop-file-validate "$desktop" || fail "the installed desktop entry does not validate"

"$here/e2e.sh" /usr/bin/quillmark close_esc || fail "the installed program did not start and close"

"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq quillmark >/dev/null ||
    fail "the package did not uninstall"
[ ! -e /usr/bin/quillmark ] && [ ! -e "$desktop" ] || fail "files are left after uninstalling"
echo "installed, ran and removed cleanly"
