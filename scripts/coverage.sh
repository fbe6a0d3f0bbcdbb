#!/usr/bin/env bash
# Line coverage of the Qt-free core (logfiles/, logger/, logger/registry/, viewer/ without
# their windows) by the whole test suite, measured with gcov in build-cov/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
scripts/build.sh build-cov -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage
find build-cov -name '*.gcda' -delete
ctest --test-dir build-cov -j2 --timeout 300 >/dev/null || { echo "tests failed"; exit 1; }
root=$(pwd)
find build-cov -name '*.gcda' \( -path '*/logfiles.dir/*' -o -path '*/loggercore.dir/*' \
  -o -path '*/viewercore.dir/*' -o -path '*/registry.dir/*' \) | while read -r gcda; do
  (cd "$(dirname "$gcda")" && gcov -n "$(basename "$gcda")" 2>/dev/null)
done | python3 -c '
import re, sys
root = sys.argv[1]
files = {}
for block in sys.stdin.read().split("File ")[1:]:
    name = block.split("\n")[0].strip("\x27")
    m = re.search(r"Lines executed:([\d.]+)% of (\d+)", block)
    if not m or not name.startswith(root) or "/window/" in name or "/tests/" in name: continue
    total = int(m.group(2)); done = round(float(m.group(1)) * total / 100)
    if name not in files or files[name][1] < total: files[name] = (done, total)
done = sum(d for d, _ in files.values()); total = sum(t for _, t in files.values())
for name, (d, t) in sorted(files.items()):
    print(f"{100*d/t:6.1f}% of {t:5} lines  {name[len(root)+1:]}")
print(f"core line coverage: {100*done/total:.1f}% of {total} lines")
' "$root"
