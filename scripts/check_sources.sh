#!/usr/bin/env bash
# Compiles every source of the project on its own, as the file-by-file build (-DKORVANE_UNITY_BUILD=OFF) does,
# but only as far as the compiler's checks (-fsyntax-only): the default build puts each layer's files into one
# source, where a file that forgets a header still compiles on what the files before it included.
#   check_sources.sh [build folder, default build-files] [extra CMake options...]
# The folder is configured file by file and nothing in it is built; each source is checked once, with the command
# its first target compiles it with, in parallel (KORVANE_JOBS, default one a core). Fails naming every source
# that does not compile by itself, with the compiler's messages; a warning counts as a failure, as in the build.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build-files}"
[ $# -gt 0 ] && shift
{ command -v ninja && command -v cmake && command -v c++; } >/dev/null || "$top/scripts/install-deps.sh"
mkdir -p "$build"
build="$(cd "$build" && pwd)"
started=$SECONDS
cmake -S "$top" -B "$build" -G Ninja -DKORVANE_UNITY_BUILD=OFF "$@" >"$build/check_sources_configure.txt" ||
  { cat "$build/check_sources_configure.txt"; echo "FAIL: the file-by-file configure failed"; exit 1; }

# The precompiled headers are built first, as the build does: they hold the standard and test library headers
# every source reads, more than half of the time of the checks when read as text.
(cd "$build" && ninja -t targets all | grep -o '^[^:]*cmake_pch\.hxx\.gch' | xargs -r ninja >/dev/null) ||
  { echo "FAIL: the precompiled headers of the file-by-file build do not compile"; exit 1; }

# Ninja's compile commands, one a line, run from the build folder: "<compiler> <options> -MD -MT <object> -MF
# <dependency file> -o <object> -c <source>". The precompiled headers' own sources lie inside the build folder
# and are left out; so is every source after its first command.
commands="$build/check_sources_commands.txt"
(cd "$build" && ninja -t commands) | grep -E -- ' -c [^ ]+$' |
  awk -v build="$build/" '{ source = $NF; if (index(source, build) != 1 && !seen[source]++) print }' |
  sed -E 's/ -MD -MT [^ ]+ -MF [^ ]+//; s/ -o [^ ]+ -c / -fsyntax-only /' >"$commands"
count="$(wc -l <"$commands")"
[ "$count" -gt 0 ] || { echo "FAIL: the file-by-file configure lists no source to compile"; exit 1; }

results="$build/check_sources_results"
rm -rf "$results"
mkdir -p "$results"
# One command: its messages go to a file named after its line number; the file is kept only when it failed.
check_one() {
  local line="$1" command output
  command="$(sed -n "${line}p" "$commands")"
  output="$results/$line.txt"
  if (cd "$build" && eval "$command") >"$output" 2>&1 && [ ! -s "$output" ]; then
    rm -f "$output"
  else
    printf '%s\n' "${command##* }" >"$output.source"
  fi
}
export -f check_one
export commands results build
seq 1 "$count" | xargs -P "${KORVANE_JOBS:-$(nproc)}" -I{} bash -c 'check_one {}'

failed=0
for source_file in "$results"/*.source; do
  [ -e "$source_file" ] || continue
  failed=$((failed + 1))
  echo "FAIL: $(cat "$source_file") does not compile on its own:"
  sed 's/^/  /' "${source_file%.source}"
done
echo "$count sources compiled one by one (syntax only) in $((SECONDS - started)) s"
[ "$failed" -eq 0 ] || { echo "FAIL: $failed of $count sources do not compile on their own"; exit 1; }
