#!/usr/bin/env bash
# Builds expat as a static library for 64-bit Windows into a cache folder:
#   build-mingw-expat.sh CACHE TOOLCHAIN_FILE
# leaves CACHE/include/expat.h and CACHE/lib/libexpat.a, and CACHE/version
# naming the Debian source version they come from. Nothing is done when that
# version is already there.
#
# Debian packages no expat for mingw-w64. The source is Debian's own source
# package of the version the host's libexpat1-dev has (with its security
# patches), fetched by apt from the Debian archives this machine already uses,
# through a private list of source entries: apt checks every file against the
# archive's signed index, and the system's apt configuration stays as it is.
# When that exact version is no longer in the archive, the newest 2.5.0
# build of the same Debian release that is there is taken, and said so.
set -euo pipefail

cache=$1
toolchain=$(realpath "$2")
package=expat

host_version=$(dpkg-query -W -f='${source:Version}' libexpat1-dev 2>/dev/null || true)
if [ -z "$host_version" ]; then
  echo "build-mingw-expat: libexpat1-dev is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
if [ "$(cat "$cache/version" 2>/dev/null)" = "$host_version" ] && [ -f "$cache/lib/libexpat.a" ]; then
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/mingw-expat.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Runs a step, showing its output only when it fails.
quietly() {
  "$@" >"$work/step.log" 2>&1 || { cat "$work/step.log" >&2; exit 1; }
}
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/source"

# Source entries for the Debian archives that binary packages come from now.
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
    'Created-By: Packages' 'Origin: Debian' 'Trusted: yes' | sort -u |
  while read -r uri release component; do
    [ -n "$uri" ] &&
      echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $release $component"
  done >"$work/sources.list"
if [ ! -s "$work/sources.list" ]; then
  echo "build-mingw-expat: apt knows no Debian archive to take the source from" \
    "(its package lists may be missing: apt-get update)" >&2
  exit 1
fi

apt_private=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/none"
  -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o Debug::NoLocking=1
  -o APT::Sandbox::User=root -qq)
echo "build-mingw-expat: fetching Debian's $package source ($host_version) for the Windows build"
quietly apt-get "${apt_private[@]}" update

# The host's version first, then the newest of the same upstream release.
mapfile -t versions < <(
  echo "$host_version"
  apt-cache "${apt_private[@]}" showsrc "$package" | sed -n 's/^Version: //p' |
    grep -F "${host_version%%+*}" | sort -Vr -u
)
used=""
cd "$work/source"
for version in "${versions[@]}"; do
  if apt-get "${apt_private[@]}" source --download-only "$package=$version" >/dev/null 2>&1; then
    used=$version
    break
  fi
  rm -f ./*
done
if [ -z "$used" ]; then
  echo "build-mingw-expat: no $package source of the host's release could be fetched" >&2
  exit 1
fi
if [ "$used" != "$host_version" ]; then
  echo "build-mingw-expat: warning: $package $host_version's source is not in the archive;" \
    "building $used instead" >&2
fi
# Unpacking checks the files against the .dsc and applies Debian's patches.
quietly dpkg-source -x ./*.dsc tree
# Debian builds expat with its configure script, whose config.h defines
# XML_DTD and XML_NS as 1, and its security patches test `XML_DTD == 1`;
# CMake's template defines them empty. Give them configure's value.
sed -i 's/^#cmakedefine \(XML_DTD\|XML_NS\)$/#cmakedefine \1 1/' tree/expat/expat_config.h.cmake

quietly cmake -S tree/expat -B build -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$work/install" -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF \
  -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF \
  -DEXPAT_BUILD_PKGCONFIG=OFF
quietly cmake --build build -j "$(nproc)"
quietly cmake --install build

rm -rf "$cache"
mkdir -p "$cache/include" "$cache/lib"
cp "$work/install/include/expat.h" "$work/install/include/expat_external.h" "$cache/include/"
cp "$work/install/lib/libexpat.a" "$cache/lib/"
echo "$used" >"$cache/built-from"
echo "$host_version" >"$cache/version"
