#!/usr/bin/env bash
# Runs every benchmark executable of a release build (`make bench` calls this), then prints a
# summary: per reader, MB/s and peak memory on the largest corpus files and on generated inputs
# of about 50 MB; the wall time of whole `check --force` runs next to `tessan health` (medians
# of interleaved runs) and of `report` next to `check --force`; and the peak memory of `check` reading one large library alone.
#
#   bench/run.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: bench/run.sh BUILD_DIR}
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

shopt -s nullglob
executables=("$build"/bench/*_bench)
if [ ${#executables[@]} -eq 0 ]; then
  echo "no benchmark executables in $build/bench" >&2
  exit 1
fi

for executable in "${executables[@]}"; do
  name=$(basename "$executable")
  echo "== $name"
  TESSAN_BINARY="$build/tessan" "$executable" --benchmark_out="$results/$name.json" \
    --benchmark_out_format=json
  echo
done

# The benchmarks of every JSON report: the library writes one member per line, so each
# benchmark is read member by member until its closing brace.
summarise() {
  awk '
    function value(key) { return (key in member) ? member[key] : "" }
    FNR == 1 { inside = 0 }
    /^  "benchmarks": \[/ { inside = 1; next }
    !inside { next }
    /^    {/ { delete member; next }
    /^      "[^"]+": / {
      key = $0; sub(/^ *"/, "", key); sub(/".*$/, "", key)
      text = $0; sub(/^ *"[^"]+": /, "", text); sub(/,$/, "", text)
      if (text ~ /^".*"$/) text = substr(text, 2, length(text) - 2)
      member[key] = text
      next
    }
    /^    }/ {
      name = value("name"); sub(/\/iterations:[0-9]+$/, "", name)
      if (value("error_occurred") == "true") {
        skipped[++skips] = sprintf("  %-44s skipped: %s", name, value("error_message"))
      } else if (name ~ /^eagle_stream_against_tree\//) {
        limit_ok = value("peak_MiB") <= value("peak_limit_MiB") ? "within" : "OVER"
        speed_ok = value("x_faster") >= 3 ? "" : "  BELOW 3 x"
        against[++against_rows] = sprintf("  %-44s %6.2f x the tree parse (%.0f ms against %.0f ms)%s; peak %.1f MiB, %s %.1f MiB", name, value("x_faster"), value("stream_ms"), value("tree_parse_ms"), speed_ok, value("peak_MiB"), limit_ok, value("peak_limit_MiB"))
      } else if (value("bytes_per_second") != "") {
        peak = value("peak_MiB") == "" ? "" : sprintf("%8.1f MiB %6.1f x file", value("peak_MiB"), value("peak_x_file"))
        readers[++reader_rows] = sprintf("  %-44s %9.1f MB/s %s", name, value("bytes_per_second") / 1e6, peak)
      } else if (name == "BM_CheckAgainstStartUp") {
        runs[++run_rows] = sprintf("  %-44s %8.1f ms", "tessan health", value("health_ms"))
        runs[++run_rows] = sprintf("  %-44s %8.1f ms  (%.2f x health)", "check --force examples/DRV8837DSGR", value("example_ms"), value("example_x_health"))
        if (value("corpus_ms") != "") {
          part = value("label"); sub(/^largest corpus part: /, "", part)
          runs[++run_rows] = sprintf("  %-44s %8.1f ms  (%.2f x health)", "check --force corpus " part, value("corpus_ms"), value("corpus_x_health"))
        }
      } else if (name == "BM_ReportAgainstCheck") {
        part = value("label"); sub(/^part: /, "", part)
        runs[++run_rows] = sprintf("  %-44s %8.1f ms  (%.2f x check --force, %.0f KiB page)", "report " part, value("report_ms"), value("report_x_check"), value("page_KiB"))
      } else if (name ~ /^BM_CheckPeakMemory\//) {
        sub(/^BM_CheckPeakMemory\//, "", name)
        peaks[++peak_rows] = sprintf("  %-20s %7.1f MiB file %8.1f MiB peak %6.1f x file %8.1f ms", name, value("file_MiB"), value("peak_MiB"), value("peak_x_file"), value("check_ms"))
      }
    }
    END {
      print "== Summary"
      print "Readers: throughput and peak memory (1 MB = 10^6 bytes)"
      for (i = 1; i <= reader_rows; i++) print readers[i]
      print "EAGLE stream read against the tree parse it replaced (CPU time, in turns)"
      for (i = 1; i <= against_rows; i++) print against[i]
      print "Whole runs, medians of interleaved rounds"
      for (i = 1; i <= run_rows; i++) print runs[i]
      print "check reading one library alone: peak resident size above tessan health"
      for (i = 1; i <= peak_rows; i++) print peaks[i]
      if (skips > 0) print "Skipped"
      for (i = 1; i <= skips; i++) print skipped[i]
    }
  ' "$results"/*.json
}

summarise
