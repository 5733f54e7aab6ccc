#include "report/page_style.hpp"

namespace tessan::report {

std::string_view page_style() {
  return R"css(
:root { color-scheme: light; --ink: #1f2937; --muted: #6b7280; --line: #e5e7eb;
  --benign: #e0f2fe; --benign-ink: #075985; --real: #fee2e2; --real-ink: #991b1b;
  --warn: #f59e0b; }
* { box-sizing: border-box; }
body { margin: 0; padding: 24px 32px 48px; font: 14px/1.45 system-ui, "DejaVu Sans", sans-serif;
  color: var(--ink); background: #f8fafc; }
main { max-width: 1180px; margin: 0 auto; }
h1 { font-size: 26px; margin: 0 12px 0 0; display: inline-block; vertical-align: middle; }
h2 { font-size: 17px; margin: 0 0 12px; }
h3 { font-size: 14px; margin: 0 0 8px; font-family: ui-monospace, "DejaVu Sans Mono", monospace; }
section, header { background: #fff; border: 1px solid var(--line); border-radius: 10px;
  padding: 18px 20px; margin: 0 0 18px; }
.note { color: var(--muted); font-size: 12px; }
.badge { display: inline-block; vertical-align: middle; padding: 3px 12px; border-radius: 999px;
  font-weight: 600; color: #fff; letter-spacing: .02em; }
.status-golden { background: #15803d; }
.status-golden_with_variants { background: #0e7490; }
.status-divergent { background: #c2410c; }
.status-unrecoverable { background: #4b5563; }
.summary { margin: 10px 0 12px; }
.sources { border-collapse: collapse; }
.sources td, .sources th { padding: 3px 14px 3px 0; text-align: left; vertical-align: top; }
.sources code, dd code { font-size: 12px; word-break: break-all; }
.state-read { color: #15803d; } .state-missing { color: var(--muted); }
.state-failed { color: var(--real-ink); }
.toggle { position: absolute; opacity: 0; pointer-events: none; }
.fp-layout { display: flex; gap: 24px; align-items: flex-start; flex-wrap: wrap; }
svg.overlay { max-width: 100%; height: auto; background: #fcfcfd; border: 1px solid var(--line);
  border-radius: 6px; }
.pad { fill: var(--c); fill-opacity: .26; stroke: var(--c); stroke-width: 1.4px;
  vector-effect: non-scaling-stroke; }
.pad.light { fill-opacity: .07; stroke-dasharray: 3 2; stroke-opacity: .7; }
.pad.conflict { stroke: var(--warn); stroke-width: 3px; }
.drill { fill: #fff; stroke: var(--c); stroke-width: 1px; vector-effect: non-scaling-stroke; }
.label.shared { fill: var(--ink); }
.label { fill: var(--c); text-anchor: middle; dominant-baseline: central; font-weight: 600;
  font-family: "DejaVu Sans", sans-serif; pointer-events: none; }
.scale-bar path { fill: none; stroke: var(--ink); stroke-width: 1.5px;
  vector-effect: non-scaling-stroke; }
.scale-bar text { fill: var(--ink); dominant-baseline: central; }
text.empty { fill: var(--muted); text-anchor: middle; }
.legend { list-style: none; padding: 0; margin: 0; min-width: 240px; }
.legend li { margin: 0 0 8px; }
.legend label { cursor: pointer; font-weight: 600; }
.legend .key { color: var(--muted); font-size: 12px; }
.swatch, .dot { display: inline-block; width: 14px; height: 14px; border-radius: 3px;
  margin-right: 6px; vertical-align: -2px; background: var(--c, #fff);
  border: 1.5px solid var(--c, #9ca3af); }
.no-geometry .swatch { border-style: dashed; }
.no-geometry { color: var(--muted); }
.swatch.key-conflict { border: 3px solid var(--warn); background: #fff; }
.swatch.key-light { border: 1.5px dashed #9ca3af; background: #f3f4f6; }
.dot { width: 10px; height: 10px; border-radius: 50%; }
#fp-show-0:not(:checked) ~ .fp-layout svg.overlay .src-0, #fp-show-1:not(:checked) ~ .fp-layout svg.overlay .src-1,
#fp-show-2:not(:checked) ~ .fp-layout svg.overlay .src-2, #fp-show-3:not(:checked) ~ .fp-layout svg.overlay .src-3,
#fp-show-4:not(:checked) ~ .fp-layout svg.overlay .src-4, #fp-show-5:not(:checked) ~ .fp-layout svg.overlay .src-5
{ display: none; }
#fp-show-0:not(:checked) ~ .fp-layout label[for=fp-show-0],
#fp-show-1:not(:checked) ~ .fp-layout label[for=fp-show-1],
#fp-show-2:not(:checked) ~ .fp-layout label[for=fp-show-2],
#fp-show-3:not(:checked) ~ .fp-layout label[for=fp-show-3],
#fp-show-4:not(:checked) ~ .fp-layout label[for=fp-show-4],
#fp-show-5:not(:checked) ~ .fp-layout label[for=fp-show-5]
{ opacity: .45; text-decoration: line-through; }
.toggle:focus-visible + * { outline: 2px solid #2563eb; }
.fp-side { flex: 1 1 260px; }
.fp-singles { display: flex; gap: 14px; flex-wrap: wrap; margin-top: 20px; }
.fp-single { margin: 0; text-align: center; font-size: 12px; color: var(--muted); }
.fp-single svg { display: block; background: #fcfcfd; border: 1px solid var(--line);
  border-radius: 6px; }
table.pin-table, table.axis-table { border-collapse: collapse; width: 100%; }
.pin-table th, .pin-table td, .axis-table th, .axis-table td { border-bottom: 1px solid var(--line);
  padding: 5px 10px; text-align: left; vertical-align: top; }
.pin-table thead th, .axis-table thead th { font-size: 12px; color: var(--muted);
  font-weight: 600; }
.pin-table tbody th { font-family: ui-monospace, "DejaVu Sans Mono", monospace; width: 4em; }
.cell .name { font-family: ui-monospace, "DejaVu Sans Mono", monospace; font-weight: 600;
  white-space: pre-wrap; word-break: break-all; }
.cell .pads, .cell .rule { display: block; font-size: 11px; color: var(--muted); }
.cell.benign { background: var(--benign); } .cell.benign .rule { color: var(--benign-ink); }
.cell.real { background: var(--real); } .cell.real .rule { color: var(--real-ink);
  font-weight: 600; }
.cell.unmatched { background: repeating-linear-gradient(135deg, #fff, #fff 6px, #f3f4f6 6px,
  #f3f4f6 12px); }
.pin-key .cell { display: inline-block; padding: 1px 8px; border-radius: 4px; margin: 0 4px 0 12px;
  border: 1px solid var(--line); }
.pin-key .cell:first-child { margin-left: 0; }
.pin-key { font-size: 12px; color: var(--muted); margin: 10px 0 0; }
.verdict { font-weight: 600; font-size: 12px; padding: 1px 8px; border-radius: 4px; }
.verdict-agree .verdict { background: #dcfce7; color: #166534; }
.verdict-disagree .verdict { background: var(--real); color: var(--real-ink); }
.verdict-source_missing .verdict { background: #f3f4f6; color: var(--muted); }
.axis-values { display: grid; grid-template-columns: auto 1fr; gap: 0 10px; margin: 0; }
.axis-values dt { color: var(--muted); } .axis-values dd { margin: 0; word-break: break-word; }
ul.conflicts, ul.values { margin: 0; padding-left: 18px; }
.cards { display: grid; grid-template-columns: repeat(auto-fill, minmax(320px, 1fr)); gap: 12px; }
.card { border: 1px solid var(--line); border-radius: 8px; padding: 12px 14px; }
.card dl { margin: 0; } .card dt { font-size: 12px; color: var(--muted); }
.card dd { margin: 0 0 6px; word-break: break-word; }
.hints .card { border-left: 4px solid #c2410c; } .variants .card { border-left: 4px solid #0e7490; }
footer { color: var(--muted); font-size: 12px; text-align: center; }
)css";
}

}  // namespace tessan::report
