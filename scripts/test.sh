#!/usr/bin/env bash
# Runs every test: the logic natively under AddressSanitizer and UBSan, then the logic,
# the components and the end-to-end tests under Wine on private Xvfb displays, against
# both the Debug and the Release build of Tessarin.exe.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" || exit 1

status=0
passed=0
failed=0
run_ctest() {  # tree, extra ctest arguments…
  local tree=$1; shift
  local log=$here/build/$tree/ctest.log
  ctest --test-dir "$here/build/$tree" --output-on-failure "$@" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  [ "$rc" -eq 0 ] || status=1
}

# The committed Unicode tables must be what the generator writes from the pinned sources today.
echo "== generated tables"
tables=$(mktemp -d)
tables_stale=0
if python3 "$here/scripts/gen_unicode_tables.py" /usr/share/unicode "$tables" >/dev/null; then
  for table in "$tables"/*.inc; do
    committed=$here/core/unicode/$(basename "$table")
    if ! cmp -s "$table" "$committed"; then
      echo "$committed differs from what scripts/gen_unicode_tables.py writes:"
      diff -u "$committed" "$table" | head -n 20
      status=1; tables_stale=1
    fi
  done
else
  echo "scripts/gen_unicode_tables.py failed"
  status=1; tables_stale=1
fi
rm -rf "$tables"

for tree in host win-debug win-release; do
  echo "== build $tree"
  "$here/scripts/build.sh" "$tree" >"$here/build-$tree.log" 2>&1 || {
    cat "$here/build-$tree.log"; echo "build of $tree failed"; rm -f "$here/build-$tree.log"; exit 1; }
  rm -f "$here/build-$tree.log"
done

echo "== host tests"
run_ctest host -j2
echo "== Windows tests (Debug build)"
run_ctest win-debug -j2
echo "== Windows tests (Release build)"
run_ctest win-release -j2 -L release
# Never leave a wineserver or Xvfb behind, whatever happened.
TESSARIN_WINE_ROOT=$here/build/wine "$here/scripts/winenv.sh" stopall >/dev/null 2>&1 || true

echo "$passed passed, $failed failed"
[ "$tables_stale" -eq 0 ] || echo "the committed Unicode tables are not what the generator writes (see above)"
exit $status
