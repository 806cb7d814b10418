#!/usr/bin/env bash
# Builds the game and its benchmarks in Release (preset "bench", build/bench-release)
# and prints one table: every figure is the median of repeated runs, with the
# smallest and largest run as its spread, next to its target. Benchmarks
# measure; this script never fails because a figure misses its target.
#   ./bench.sh            (QUELLOR_BENCH_REPS=n sets the repetitions, default 9)
# QUELLOR_BENCH_MEMORY_MINUTES=n sets the length of the real game's memory run
# (default 10). The F1 toggle with real mode switches needs Xorg's dummy
# driver (tools/deps/xorg-tests.txt) and, for the Windows figures, Wine and
# the cross build (preset windows, built here).
# The browser build's figures (its download, and its start, pace and busy
# main thread measured in the page in headless Chromium) need the browser
# build and its tests' packages (tools/deps/web.txt, browser-tests.txt).
# Raw results are kept in build/bench-release/results.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh all
cmake --preset bench >/dev/null
cmake --build --preset bench --target quellor game_bench render_bench shell_bench swap_probe >/dev/null

reps="${QUELLOR_BENCH_REPS:-9}"
bin=build/bench-release
out="$bin/results"
rm -rf "$out"
mkdir -p "$out"
probe="$PWD/$bin/bench/libswap_probe.so"
game="$PWD/$bin/quellor"

# Google Benchmark results as "figure value" lines in the target's unit,
# one line per repetition (wall-clock time).
benchmark_figures() {  # csv-file benchmark-name figure unit
  awk -F, -v name="\"$2\"" -v figure="$3" -v unit="$4" '
    $1 == name && $9 != "true" {
      scale = 1
      if ($5 == "ns") scale = 1e-9; else if ($5 == "us") scale = 1e-6; else if ($5 == "ms") scale = 1e-3; else if ($5 == "s") scale = 1
      want = 1
      if (unit == "ns") want = 1e-9; else if (unit == "us") want = 1e-6; else if (unit == "ms") want = 1e-3
      printf "%s %.6f\n", figure, $3 * scale / want
    }' "$1"
}

echo "Game rules ..." >&2
"$bin/bench/game_bench" --benchmark_repetitions="$reps" --benchmark_format=csv >"$out/game.csv" 2>/dev/null
echo "Frames and glyph lists on Xvfb ..." >&2
tools/with-xvfb.sh "$bin/bench/render_bench" --benchmark_repetitions="$reps" --benchmark_format=csv \
  >"$out/render.csv" 2>/dev/null

# The real game, with the probe preloaded: launches to the first frame
# shown, then 500 idle passes of one run.
echo "The real game: start-up and pacing ..." >&2
launches=$((reps * 2 + 1))
tools/with-xvfb.sh bash -c '
  for i in $(seq 1 '"$launches"'); do
    QUELLOR_PROBE_SWAPS=1 QUELLOR_PROBE_OUT='"$out"'/start-$i.txt LD_PRELOAD='"$probe"' \
      QUELLOR_PROBE_START=$EPOCHREALTIME '"$game"' >/dev/null 2>&1 || true
  done
  QUELLOR_PROBE_SWAPS=501 QUELLOR_PROBE_OUT='"$out"'/passes.txt LD_PRELOAD='"$probe"' \
    QUELLOR_PROBE_START=$EPOCHREALTIME '"$game"' >/dev/null 2>&1 || true'

echo "The F1 toggle and memory, in-process ..." >&2
tools/with-xvfb.sh --screen 640x480x24 "$bin/bench/shell_bench" "$reps" >"$out/shell-fullscreen.txt"
tools/with-xvfb.sh --screen 1024x768x24 "$bin/bench/shell_bench" "$reps" >"$out/shell-refused.txt"

minutes="${QUELLOR_BENCH_MEMORY_MINUTES:-10}"
echo "The real game's resident memory over $minutes minutes ..." >&2
tools/with-xvfb.sh bench/memory-run.sh "$game" "$minutes" 10 >"$out/memory.txt" || true

# The same F1 toggles, with real mode switches, by the Linux build and by
# the Windows build under Wine on one Xorg server with the dummy driver.
echo "The F1 toggle with real mode switches, Linux and Wine ..." >&2
exe=build/windows/quellor.exe
if command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null; then
  { cmake --preset windows && cmake --build --preset windows --target quellor; } >/dev/null || true
fi
bench/modes-toggle.sh "$reps" "$game" "$exe" >"$out/modes.txt" 2>"$out/modes.err" || true

# The browser build: what a first visit downloads (each file as served and
# gzipped), and the page in headless Chromium (bench/web-figures.cjs).
echo "The browser build in headless Chromium ..." >&2
web=build/web
if { tools/web-deps.sh && cmake --preset web && cmake --build --preset web --target quellor; } >"$out/web-build.log" 2>&1 &&
  { [ -d tests/browser/node_modules/puppeteer-core ] ||
    (cd tests/browser && npm ci --no-audit --no-fund --loglevel=error); } >>"$out/web-build.log" 2>&1; then
  for file in quellor.wasm quellor.js fonts/DejaVuSans-Bold.ttf index.html; do
    name=$(basename "$file" | tr '.-' '__')
    echo "size_$name $(wc -c <"$web/$file") gzip_$name $(gzip -9 -c "$web/$file" | wc -c)"
  done | awk '{printf "%s %.1f\n%s %.1f\n", $1, $2 / 1024, $3, $4 / 1024}' >"$out/web-sizes.txt"
  node bench/web-figures.cjs "$web" "$launches" >"$out/web.txt" 2>"$out/web.err" || true
fi

{
  benchmark_figures "$out/game.csv" "BM_StepWorld/8000" step us
  benchmark_figures "$out/game.csv" "BM_ApplySteering" steer ns
  for n in 10 1000 8000; do
    benchmark_figures "$out/render.csv" "BM_DrawFrame/$n/real_time" "draw$n" ms
  done
  benchmark_figures "$out/render.csv" "BM_BuildGlyphLists/real_time" glyphs ms
  cat "$out"/start-*.txt | awk '$1 == "first_frame_ms" {print "start", $2}'
  awk '$1 == "pass_ms" {print "pass", $2} $1 == "peak_rss_kb" {print "game_rss", $2 / 1024}' "$out/passes.txt"
  awk '$1 == "toggle_there_ms" {print "to_full", $2} $1 == "toggle_back_ms" {print "from_full", $2}
       $1 == "play_peak_rss_kb" {print "play_rss", $2 / 1024}
       $1 == "toggle_rss_before_kb" {b = $2} $1 == "toggle_rss_after_kb" {print "growth_full", ($2 - b) / 1024}' \
    "$out/shell-fullscreen.txt"
  awk '$1 == "toggle_there_ms" || $1 == "toggle_back_ms" {print "refused", $2}
       $1 == "toggle_rss_before_kb" {b = $2} $1 == "toggle_rss_after_kb" {print "growth_refused", ($2 - b) / 1024}' \
    "$out/shell-refused.txt"
  awk '$1 == "rss_slope_kb_per_min" {print "rss_slope", $2} $1 == "anon_slope_kb_per_min" {print "anon_slope", $2}
       $1 == "rss_growth_kb" {print "rss_growth", $2} $1 == "anon_growth_kb" {print "anon_growth", $2}' "$out/memory.txt"
  awk '$2 != "lost_press" {print $1 "_" $2, $3}' "$out/modes.txt"
  awk '$1 == "main_thread_busy" {print "busy", $2 * 100} $1 == "process_busy" {print "process_busy", $2 * 100}' "$out/passes.txt"
  cat "$out/web-sizes.txt" 2>/dev/null || true
  awk '$1 ~ /busy$/ {print $1, $2 * 100; next} {print}' "$out/web.txt" 2>/dev/null || true
} >"$out/figures.txt"

cpu=$(awk -F: '/model name/ {gsub(/^ +/, "", $2); print $2; exit}' /proc/cpuinfo)
echo
echo "Quellor benchmarks, $(date -u +%Y-%m-%d), $(nproc) cores ($cpu), Mesa software renderer on Xvfb"
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
sort -k1,1 -k2,2g "$out/figures.txt" | awk '
  function middle(key,  n) {
    n = count[key]
    if (n % 2) return v[key, (n + 1) / 2]
    return (v[key, n / 2] + v[key, n / 2 + 1]) / 2
  }
  function ratio(a, b, label, target) {
    if (count[a] == 0 || count[b] == 0 || middle(b) == 0) { printf "| %s | not measured | | | %s |\n", label, target; return }
    printf "| %s | %.3g | | %d, %d | %s |\n", label, middle(a) / middle(b), count[a], count[b], target
  }
  function row(key, label, unit, target, worst) {
    n = count[key]
    if (n == 0) { printf "| %s | not measured | | | %s |\n", label, target; return }
    median = middle(key)
    spread = sprintf("%.3g - %.3g", v[key, 1], v[key, n])
    if (worst) spread = spread sprintf(" (worst %.4g)", v[key, n])
    printf "| %s | %.4g %s | %s | %d | %s |\n", label, median, unit, spread, n, target
  }
  { count[$1]++; v[$1, count[$1]] = $2 }
  END {
    print "| figure | median | spread (min - max) | runs | target |"
    print "|---|---|---|---|---|"
    row("step", "StepWorld, one tick at snake length 8,000", "us", "<= 10 us")
    row("steer", "ApplySteering, one call", "ns", "<= 50 ns")
    row("draw10", "DrawFrame + glFinish, snake length 10", "ms", "<= 2 ms")
    row("draw1000", "DrawFrame + glFinish, snake length 1,000", "ms", "<= 5 ms")
    row("draw8000", "DrawFrame + glFinish, snake length 8,000", "ms", "<= 20 ms")
    row("glyphs", "BuildGlyphLists (codes 0-254, deviation 0)", "ms", "<= 12 ms")
    row("start", "process start to first frame shown (real binary, question answered at once)", "ms", "<= 150 ms")
    row("to_full", "F1 toggle, windowed to fullscreen (Xvfb 640x480)", "ms", "<= 100 ms")
    row("from_full", "F1 toggle, fullscreen back to windowed (Xvfb 640x480)", "ms", "<= 100 ms")
    row("refused", "F1 toggle, windowed to windowed after refusal (Xvfb 1024x768)", "ms", "<= 100 ms")
    row("pass", "idle-pass length, 500 passes of the real game", "ms", "median <= 40.05 ms, worst <= 41 ms", 1)
    row("game_rss", "peak resident memory, real game after 500 passes", "MiB", "reported")
    row("play_rss", "peak resident memory, 3,000 passes played in-process", "MiB", "reported")
    row("growth_full", "resident memory growth over 200 F1 toggles (fullscreen display)", "MiB", "<= 1 MiB")
    row("growth_refused", "resident memory growth over 200 F1 toggles (refusing display)", "MiB", "<= 1 MiB")
    row("rss_slope", "resident memory slope (VmRSS), real game idle, minute 1 to the end of the run", "kB/min", "about 0")
    row("anon_slope", "anonymous resident memory slope (RssAnon), same run", "kB/min", "about 0")
    row("rss_growth", "resident memory growth (VmRSS), minute 1 to the end of the run", "kB", "<= 1024 kB")
    row("linux_to_fullscreen_ms", "F1 toggle to fullscreen, real mode switch (Xorg dummy), Linux", "ms", "reported")
    row("wine_to_fullscreen_ms", "F1 toggle to fullscreen, real mode switch (Xorg dummy), Windows build under Wine", "ms", "reported")
    row("linux_to_windowed_ms", "F1 toggle back to windowed, real mode switch, Linux", "ms", "reported")
    row("wine_to_windowed_ms", "F1 toggle back to windowed, real mode switch, Windows build under Wine", "ms", "reported")
    ratio("linux_to_fullscreen_ms", "wine_to_fullscreen_ms", "F1 toggle to fullscreen, Linux / Wine (medians)", "reported")
    ratio("linux_to_windowed_ms", "wine_to_windowed_ms", "F1 toggle back to windowed, Linux / Wine (medians)", "reported")
    row("busy", "main thread busy over 500 passes, real game (the pacing busy-waits by design)", "%", "reported")
    row("process_busy", "processor time over 500 passes, all threads of the real game", "% of one", "reported")
    row("size_quellor_wasm", "browser build: quellor.wasm", "KiB", "reported")
    row("gzip_quellor_wasm", "browser build: quellor.wasm, gzipped", "KiB", "reported")
    row("size_quellor_js", "browser build: quellor.js", "KiB", "reported")
    row("gzip_quellor_js", "browser build: quellor.js, gzipped", "KiB", "reported")
    row("size_DejaVuSans_Bold_ttf", "browser build: the font (fonts/DejaVuSans-Bold.ttf, cut down)", "KiB", "reported")
    row("gzip_DejaVuSans_Bold_ttf", "browser build: the font, gzipped", "KiB", "reported")
    row("size_index_html", "browser build: index.html", "KiB", "reported")
    row("gzip_index_html", "browser build: index.html, gzipped", "KiB", "reported")
    row("web_ready", "browser: navigation to quellor.wasm fetched (cache off)", "ms", "reported")
    row("web_start", "browser: navigation to first frame (question answered at once, cache off)", "ms", "<= 1000 ms")
    row("web_pass", "browser: interval between buffer swaps, 500 passes", "ms", "median <= 40.05 ms, worst reported", 1)
    row("web_busy", "browser: page main thread busy over 500 passes (TaskDuration)", "%", "reported")
    row("web_hidden_busy", "browser: page main thread busy with the tab hidden, 5 s", "%", "reported")
  }'
