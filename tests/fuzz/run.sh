# Builds one libFuzzer target with clang and runs it for a bounded time on its seed corpus.
# usage: run.sh TARGET SECONDS [BUILD_DIR]
set -euo pipefail
target=$1 seconds=$2
for c in clang++ pkg-config; do
    command -v "$c" >/dev/null || { echo "FAIL: '$c' is not installed; tools/install-packages installs the test packages" >&2; exit 1; }
done
runtime=$(clang++ -print-resource-dir)/lib/linux/libclang_rt.fuzzer-x86_64.a
[ -e "$runtime" ] || { echo "FAIL: clang's fuzzer runtime is missing ($runtime): install libclang-rt-14-dev" >&2; exit 1; }
src=$(cd "$(dirname "$0")/../.." && pwd)
out=${3:-$(mktemp -d)}
mkdir -p "$out"
sources=(store/recordcodec.cpp store/codepage.cpp store/reminderrecord.cpp store/soundsetting.cpp
         store/fileslot.cpp store/writefault.cpp platform/wholewrite.cpp platform/datetime.cpp alarm/alarmtexts.cpp summary/listing.cpp)
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -I"$src" \
    $(pkg-config --cflags Qt6Core) "$src/tests/fuzz/${target}_fuzz.cpp" "${sources[@]/#/$src/}" \
    $(pkg-config --libs Qt6Core) -o "$out/${target}_fuzz"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp "$src/tests/fuzz/corpus/$target"/* "$corpus/"
"$out/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 "$corpus" 2>&1 \
    | grep -E "stat::number_of_executed_units|stat::average_exec_per_sec|ERROR|SUMMARY|Done" || true
test "${PIPESTATUS[0]}" -eq 0
