#!/usr/bin/env bash
# Builds the Debian package and the portable folder (.tar.gz) into dist/: a Release build
# (-O3) in build-package/, installed under /usr, packaged by CPack.
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package
# Debian's hardening flags (fortified functions, stack protector, read-only relocations, bind
# now) without -g; CMake's -O3 for Release comes after them and wins over their -O2.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS | sed "s/-g //")"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
scripts/build.sh build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=OFF
rm -rf build-package/packages dist
(cd build-package && cpack >cpack.log 2>&1) || { cat build-package/cpack.log; exit 1; }
mkdir -p dist
cp build-package/packages/*.deb build-package/packages/*.tar.gz dist/
ls -l dist
