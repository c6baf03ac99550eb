#!/bin/bash
# Builds and runs every benchmark, then writes one short table to stdout
# and to build/bench-results.md. Raw outputs stay in build/bench/. Progress
# goes to stderr. See bench/README.md for how to read the table.
#
# Knobs (environment): QUENDREL_STARTUP_RUNS (launches of each program,
# default 21), QUENDREL_PHASE_RUNS (timed-phase launches of each, default
# 7), QUENDREL_CONVERSIONS (default 100000), QUENDREL_HOVERS
# (default 10000), QUENDREL_TYPING_SAMPLES (default 1000),
# QUENDREL_CALLGRIND_COUNT (conversions per callgrind run, default 1000).
# `bench/run.sh --table` measures nothing: it prints the table again from
# the raw outputs of the last run.
set -uo pipefail
cd "$(dirname "$0")/.."
RAW=build/bench
STARTUP_RUNS=${QUENDREL_STARTUP_RUNS:-21}
PHASE_RUNS=${QUENDREL_PHASE_RUNS:-7}
CONVERSIONS=${QUENDREL_CONVERSIONS:-100000}
HOVERS=${QUENDREL_HOVERS:-10000}
TYPING_SAMPLES=${QUENDREL_TYPING_SAMPLES:-1000}
CALLGRIND_COUNT=${QUENDREL_CALLGRIND_COUNT:-1000}

windows_path() { echo "Z:$(realpath "$1" | tr / '\\')"; }

# The Win32 part, run inside one Wine session (see the end of this file).
if [ "${1:-}" = --inside-wine ]; then
  echo "start-up: $STARTUP_RUNS launches of each program..." >&2
  wine build/win32/bench/startup_bench.exe "$STARTUP_RUNS" \
    "$(windows_path build/win32/app/Quendrel.exe)" "$(windows_path build/win32/bench/reference.exe)" \
    "$(windows_path build/win32/bench/reference_texts.exe)" \
    >"$RAW/startup.txt" 2>&1
  echo "start-up phases: $PHASE_RUNS launches of each..." >&2
  for ((run = 0; run < PHASE_RUNS; run++)); do
    for program in quendrel reference reference_texts; do
      wine build/win32/bench/phases_bench.exe "$program" >>"$RAW/phases.txt" 2>&1
    done
  done
  echo "typing round trip: $TYPING_SAMPLES keystrokes..." >&2
  wine build/win32/bench/typing_bench.exe "$TYPING_SAMPLES" >"$RAW/typing.txt" 2>&1
  echo "memory and handles: $CONVERSIONS conversions, $HOVERS hover cycles..." >&2
  wine build/win32/bench/resources_bench.exe "$CONVERSIONS" "$HOVERS" >"$RAW/resources.txt" 2>&1
  exit 0
fi

build() {
  echo "building..." >&2
  { cmake --preset host && cmake --build --preset host && cmake --preset win32 && cmake --build --preset win32; } \
    >"$RAW/build.log" 2>&1 || { echo "build failed: see $RAW/build.log" >&2; exit 1; }
}

# 3a. Instructions per conversion (native, callgrind).
CASES="cm-5-at-96 cm-21-at-300 cm-123456789-at-300 px-3508-at-300"
count_instructions() {
  echo "instructions per conversion under callgrind..." >&2
  nm -C --defined-only build/host/libconverter.a |
    sed -n 's/^[0-9a-f]* [TtWw] //p' | sort -u >"$RAW/converter.names"
  nm -C --defined-only build/host/tests/libtest_support.a |
    sed -n 's/^[0-9a-f]* [TtWw] //p' | sort -u >"$RAW/kit.names"
  for c in $CASES; do
    valgrind --tool=callgrind --toggle-collect='*DriveConversions*' --compress-strings=no --compress-pos=no \
      --callgrind-out-file="$RAW/callgrind.$c.out" build/host/bench/conversion_cost "$c" "$CALLGRIND_COUNT" \
      >"$RAW/conversion.$c.txt" 2>"$RAW/valgrind.$c.log"
    build/host/bench/callgrind_split "$RAW/callgrind.$c.out" DriveConversions "$RAW/converter.names" \
      "$RAW/kit.names" >>"$RAW/conversion.$c.txt" 2>&1
  done
}

if [ "${1:-}" != --table ]; then
  mkdir -p "$RAW"
  rm -f "$RAW"/*.txt
  build
  count_instructions
  ./scripts/wine-session.sh "$0" --inside-wine  # 2, 3b and 4
fi

# 1. Size.
QUENDREL=build/win32/app/Quendrel.exe
REFERENCE=build/win32/bench/reference.exe
quendrel_bytes=$(stat -c %s "$QUENDREL")
reference_bytes=$(stat -c %s "$REFERENCE")
i686-w64-mingw32-objdump -h "$QUENDREL" >"$RAW/sections.txt"
section() {  # the size in bytes of one section, 0 when absent
  local hex
  hex=$(awk -v name="$1" '$2 == name { print $3 }' "$RAW/sections.txt")
  echo $((16#${hex:-0}))
}
other_sections=""
while read -r _ name size _; do
  case "$name" in .text | .rdata | .rsrc | .bss) continue ;; esac
  other_sections="${other_sections:+$other_sections, }$name $((16#$size))"
done < <(awk '$1 ~ /^[0-9]+$/' "$RAW/sections.txt")

# --- The table ---------------------------------------------------------------
value() {  # value FILE AWK-PATTERN FIELD: the field of the first matching line, or n/a
  local found
  found=$(awk "$2 { print \$$3; exit }" "$1" 2>/dev/null)
  echo "${found:-n/a}"
}
verdict() {  # verdict FIGURE OPERATOR LIMIT
  awk -v x="$1" -v limit="$3" -v op="$2" 'BEGIN {
    if (x == "n/a" || x == "") { print "no figure"; exit }
    ok = (op == "<=") ? (x + 0 <= limit + 0) : (x + 0 == limit + 0)
    print ok ? "met" : "missed" }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "n/a" || b == "n/a" || b == 0) print "n/a"; else printf "%.3f", a / b }'; }

size_ratio=$(ratio "$quendrel_bytes" "$reference_bytes")
q_start=$(value "$RAW/startup.txt" '/^startup_median_ms Quendrel/' 3)
r_start=$(value "$RAW/startup.txt" '/^startup_median_ms reference\.exe/' 3)
t_start=$(value "$RAW/startup.txt" '/^startup_median_ms reference_texts/' 3)
start_ratio=$(value "$RAW/startup.txt" '/^startup_ratio reference\.exe/' 3)
texts_ratio=$(value "$RAW/startup.txt" '/^startup_ratio reference_texts/' 3)
typing=$(value "$RAW/typing.txt" '/^typing_round_trip_us median/' 3)
typing_p90=$(value "$RAW/typing.txt" '/^typing_round_trip_us p90/' 3)
slot_verdict() {  # met when the USER free slot did not move and no window was left
  [ "$(growth "$1" 11)" = same ] && [ "$(verdict "$(growth "$1" 13)" "==" 0)" = met ] && echo met || echo missed
}
median() {  # median of the numbers on stdin, or n/a
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else if (NR % 2) print v[(NR + 1) / 2];
    else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
phase() {  # phase KIND PROGRAM NAME: the median of one timed phase or class
  awk -v kind="$1" -v program="$2" -v name="$3" '$1 == kind && $2 == program && $3 == name { print $4 }' \
    "$RAW/phases.txt" 2>/dev/null | median
}
phases() {  # phases KIND NAME: Quendrel / reference / reference with texts
  echo "$(phase "$1" quendrel "$2") / $(phase "$1" reference "$2") / $(phase "$1" reference_texts "$2")"
}
census() { value "$RAW/resources.txt" "/^census $1 /" "$2"; }
per_conversion=$(value "$RAW/resources.txt" '/^conversions /' 6 | tr -d '(')
growth() { value "$RAW/resources.txt" "/^growth_$1 /" "$2"; }
gdi_source="GetGuiResources"
user_note=""
if grep -q "GetGuiResources returned 0" "$RAW/resources.txt" 2>/dev/null; then
  gdi_source="live entries of the GDI handle table (Wine's GetGuiResources returns 0)"
  user_note=" (Wine's GetGuiResources returns 0: the free-slot probe and the window count stand in)"
fi

{
  echo "# Quendrel benchmarks"
  echo
  echo "Figures under Wine are emulated: Wine runs here under a user-mode CPU emulator (qemu-i386)."
  echo "Raw outputs: build/bench/. How to read this: bench/README.md."
  echo
  echo "| Measure | Figure | Goal | Verdict |"
  echo "|---|---|---|---|"
  echo "| Size of Quendrel.exe, with icons | $quendrel_bytes bytes | at most 40960 bytes | $(verdict "$quendrel_bytes" "<=" 40960) |"
  echo "| Size of the reference program | $reference_bytes bytes | | |"
  echo "| Size ratio Quendrel / reference | $size_ratio | | |"
  echo "| Sections of Quendrel.exe | .text $(section .text), .rdata $(section .rdata), .rsrc $(section .rsrc) bytes; others: $other_sections | | |"
  echo "| Start-up to window shown and idle, Quendrel, median of $STARTUP_RUNS (emulated) | $q_start ms | | |"
  echo "| Start-up, reference, median of $STARTUP_RUNS (emulated) | $r_start ms | | |"
  echo "| Start-up ratio Quendrel / reference | $start_ratio | at most 1.10 | $(verdict "$start_ratio" "<=" 1.10) |"
  echo "| Start-up, the reference drawing the program's texts, median of $STARTUP_RUNS (emulated) | $t_start ms | | |"
  echo "| Start-up ratio Quendrel / reference drawing the same texts | $texts_ratio | | |"
  echo "| Start-up phases in one process, median of $PHASE_RUNS (emulated), Quendrel / reference / reference with texts: a first window (any program pays it) | $(phases phase first_window_ms) ms | | |"
  echo "| Phases: OLE initialisation and program folder (PrepareFrame) | $(phases phase prepare_frame_ms) ms | | |"
  echo "| Phases: the window built and shown | $(phases phase load_window_ms) ms | | |"
  echo "| Phases: the first messages (painting), all / labels / edit boxes / link | $(phases phase first_messages_ms) ms; $(phase class quendrel QuendrelLabel) / $(phase class quendrel Edit) / $(phase class quendrel QuendrelHyperlink) ms in Quendrel | | |"
  for c in $CASES; do
    total=$(value "$RAW/conversion.$c.txt" '/^instructions_per_conversion total/' 3)
    own=$(value "$RAW/conversion.$c.txt" '/^instructions_per_conversion converter/' 3)
    echo "| Instructions per conversion, $c: total / in the converter | $total / $own | converter at most 2000 | $(verdict "$own" "<=" 2000) |"
  done
  echo "| Typed character to the pixel box's new text, median / p90 of $TYPING_SAMPLES (emulated) | $typing / $typing_p90 µs | | |"
  echo "| Heap busy blocks: start / after $CONVERSIONS conversions / after $HOVERS hover cycles | $(census start 4) / $(census after_conversions 4) / $(census after_hover 4) | no growth | |"
  echo "| Heap growth over the conversions / over the hover cycles | $(growth conversions 3) / $(growth hover 3) blocks | 0 / 0 | $(verdict "$(growth conversions 3)" "==" 0) / $(verdict "$(growth hover 3)" "==" 0) |"
  echo "| GDI objects, $gdi_source: start / after conversions / after hovers | $(census start 8) / $(census after_conversions 8) / $(census after_hover 8) | no growth | $(verdict "$(growth conversions 5)" "==" 0) / $(verdict "$(growth hover 5)" "==" 0) |"
  if [ -z "$user_note" ]; then
    echo "| USER objects: start / after conversions / after hovers | $(census start 10) / $(census after_conversions 10) / $(census after_hover 10) | no growth | $(verdict "$(growth conversions 7)" "==" 0) / $(verdict "$(growth hover 7)" "==" 0) |"
  else
    echo "| USER objects$user_note: the free slot, start / after conversions / after hovers; windows likewise | slot $(census start 14) / $(census after_conversions 14) / $(census after_hover 14); windows $(census start 16) / $(census after_conversions 16) / $(census after_hover 16) | no growth: the same slot, the same windows | $(slot_verdict conversions) / $(slot_verdict hover) |"
  fi
  echo "| One conversion in the real window, WM_CHAR/WM_SETTEXT-driven (emulated) | $per_conversion µs | | |"
} | tee build/bench-results.md
