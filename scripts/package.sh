#!/usr/bin/env bash
# Builds the Debian package into build-package/ (Release with Debian's
# hardening flags, warnings not fatal) and checks it: lintian must report no
# error and no warning, and the package unpacked into a temporary root must
# run as an installed copy with its manual page and completion. Extra
# arguments go to cmake's configure step, e.g.
#   scripts/package.sh -DKESTRUM_PACKAGE_MAINTAINER="Name <address>" -DKESTRUM_SUPPORT_ADDRESS=address
# (the maintainer also comes from DEBFULLNAME and DEBEMAIL).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
build_dir=${KESTRUM_PACKAGE_BUILD_DIR:-build-package}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DKESTRUM_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_SHARED_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_MODULE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "$@" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
rm -f "$build_dir"/kestrum_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls "$build_dir"/kestrum_*.deb)

# Without a configured maintainer the package names the account that built
# it, an address that is not reachable from outside: lintian is told so.
lintian_args=(--fail-on error,warning --info)
[[ $(id -u) -eq 0 ]] && lintian_args+=(--allow-root)
local_account="$(id -un) <$(id -un)@$(hostname -f)>"
if [[ $(dpkg-deb -f "$deb" Maintainer) == "$local_account" ]]; then
    echo "No maintainer configured (KESTRUM_PACKAGE_MAINTAINER or DEBFULLNAME/DEBEMAIL):" \
        "the package names $local_account, and lintian does not check that address."
    lintian_args+=(--suppress-tags bogus-mail-host,bogus-mail-host-in-debian-changelog,root-in-contact,no-phrase)
fi
lintian "${lintian_args[@]}" "$deb"

tests/packaging/check_deb.sh "$deb"
echo "$deb"
