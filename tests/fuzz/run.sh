# Builds the libFuzzer targets with clang (and libclang-rt-14-dev) and runs each for SECONDS on its
# seeds.
# usage: run.sh SECONDS BUILD_DIR [TARGET...], the targets being record, timeparse and soundsetting
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$2" && cd "$2"
flags="-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer-no-link,address,undefined -I$src"
flags+=" $(pkg-config --cflags Qt6Core)"
printf '%s\n' store/{recordcodec,codepage,reminderrecord,soundsetting,fileslot} \
    platform/{wholewrite,regularfile,datetime} alarm/{alarmtexts,rules} summary/listing |
    xargs -P2 -I{} sh -c "clang++ $flags -c $src/{}.cpp -o \$(basename {}).o"
for target in "${@:3}"; do
    clang++ $flags -fsanitize=fuzzer -DFUZZ_${target^^} "$src/tests/fuzz/fuzzers.cpp" ./*.o \
        $(pkg-config --libs Qt6Core) -o "$target"
    # By full path: a target changes folder.
    rm -rf corpus && cp -r "$src/tests/fuzz/corpus/$target" corpus
    "./$target" -max_total_time="$1" -print_final_stats=1 "$PWD/corpus" 2>&1 |
        grep -E "executed_units|ERROR|SUMMARY"
done
