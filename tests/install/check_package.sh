#!/usr/bin/env bash
# Makes the Debian package the way `cmake --workflow --preset package` does, from an
# optimised build of this source tree in a scratch folder, and checks what users get: the
# file name, every file it installs, its control fields, that its programs find their
# libraries, and lintian's verdict where lintian is installed.
# Usage: check_package.sh SOURCE_DIR SCRATCH_DIR VERSION APP_ID
set -euo pipefail
src=$1 scratch=$(realpath -m "$2") version=$3 appId=$4
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
run() {
    # Quiet unless it fails.
    "$@" >"$scratch/step.log" 2>&1 || { tail -40 "$scratch/step.log"; fail "$*"; }
}

mkdir -p "$scratch"
build=$scratch/build out=$scratch/out root=$scratch/root
if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
(cd "$src" && run cmake --preset app -B "$build")
run cmake --build "$build" -j"$(nproc)"
rm -rf "$out" "$root"
(cd "$build" && run cpack -G DEB -B "$out")

deb=$out/vendrel_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb; cpack made: $(ls "$out")"

# Every file, and nothing else, all under /usr.
icons=usr/share/icons/hicolor
expected=(
    usr/bin/vendrel usr/bin/vendrel-pack
    "usr/share/applications/$appId.desktop" "usr/share/metainfo/$appId.metainfo.xml"
    "$icons/scalable/apps/$appId.svg"
    usr/share/man/man1/vendrel.1.gz usr/share/man/man1/vendrel-pack.1.gz
    usr/share/bash-completion/completions/vendrel-pack
    usr/share/zsh/vendor-completions/_vendrel-pack
    usr/share/fish/vendor_completions.d/vendrel-pack.fish
    usr/share/doc/vendrel/copyright usr/share/doc/vendrel/changelog.gz
    usr/share/mime/packages/vendrel.xml
    "$icons/scalable/mimetypes/application-x-vendrel-package.svg"
    usr/share/kio/servicemenus/vendrel.desktop usr/share/nemo/actions/vendrel.nemo_action
)
for size in 16 32 48 64 128; do
    expected+=("$icons/${size}x$size/apps/$appId.png")
    expected+=("$icons/${size}x$size/mimetypes/application-x-vendrel-package.png")
done
listed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$listed" = "$wanted" ] || fail "files differ (< in the package, > expected):
$(diff <(echo "$listed") <(echo "$wanted") || true)"
outside=$(dpkg-deb -c "$deb" | awk '$6 !~ /^\.\/(usr\/.*)?$/ { print $6 }')
[ -z "$outside" ] || fail "installed outside /usr: $outside"

# The control fields; Depends comes from the binaries, runtime libraries only.
field() { dpkg-deb -f "$deb" "$1"; }
depends=$(field Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libminizip1 zlib1g; do
    [[ $depends == *"$lib "* ]] || fail "Depends does not name $lib: $depends"
done
! grep -Eq -- '-dev([ ,(]|$)' <<<"$depends" || fail "Depends names a -dev package: $depends"
[ "$(field Section)" = utils ] || fail "Section is '$(field Section)'"
[[ $(field Maintainer) == *"<"*@*">" ]] || fail "Maintainer is '$(field Maintainer)'"
[[ $(field Homepage) =~ ^https://[a-z.]+\.example/ ]] || fail "Homepage is '$(field Homepage)'"
[ "$(field Description | wc -l)" -gt 2 ] || fail "no long description: $(field Description)"

# The packaged programs find every library they link to, and run.
dpkg-deb -x "$deb" "$root"
for program in vendrel vendrel-pack; do
    ! ldd "$root/usr/bin/$program" | grep -q "not found" || fail "$program: $(ldd "$root/usr/bin/$program")"
done
[ "$("$root/usr/bin/vendrel-pack" --version)" = "vendrel-pack $version" ] || fail "vendrel-pack --version"

if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings"
else
    echo "lintian is not installed (tools/install-deps.sh): not run"
fi
echo "package $(basename "$deb") checked"
