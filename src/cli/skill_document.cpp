#include "cli/skill_document.hpp"

namespace tessan {

const std::string_view SKILL_DOCUMENT = R"skill(---
name: tessan
description: Cross-source consensus check for the library data of one electronic part. Reads the datasheet extract of quarn (symbol and footprint JSON) and the KiCad, EAGLE and Altium libraries that harvo fetched into a chip directory, compares them along seven axes (pad count, pad numbers, symbol pin count, pin names, pin-to-pad map, package family, body dimensions), explains benign differences as variants, and writes <MPN>-tessan.result.json with a status and machine-readable hints. Statuses and exit codes are golden 0, golden_with_variants 0, divergent 2, unrecoverable 3 (a usage error also exits 2). Use it to verify, validate, cross-check or gate a chip's symbol, footprint or pinout before downstream use. Trigger words - tessan, consensus check, cross-source check, golden library, verify footprint, verify symbol, pinout mismatch, pad count mismatch, KiCad vs EAGLE vs Altium, quarn, harvo, drawlet.
---

# tessan — cross-source consensus check for chip libraries

Place in the chain: `harvo` (fetches the libraries) → `quarn` (extracts symbol and footprint from the datasheet, status `ok`) → **`tessan`** (checks that all sources agree, status `golden`) → downstream tools such as `drawlet`.

`tessan` reads files, writes one result document per run and uses no network. The exit code and the result document are the contract; console lines are for logs.

## Outputs

One JSON file per chip: `<MPN>-tessan.result.json`, in the chip directory (or in `--out-dir`). `<MPN>` is `--mpn`, else the name of the resolved chip directory. The file is replaced whole on every full run and is also the cache of the next run.

It always has these eleven keys, in this order: `schema_version` ("1"), `status`, `exit_code`, `mpn`, `summary`, `sources_compared`, `sources_missing`, `axes`, `variants`, `hints`, `extractor_version` ("0.8.0"). Source names are `quarn`, `kicad`, `eagle`, `altium`, always in that order. Each axis has `axis`, `verdict` (`agree`, `source_missing`, `disagree`), `values` (source name → what that source shows), `conflicts` (texts explaining a disagreement) and `severity`. Each variant has a `kind` tag and each hint an `action` tag, followed by the fields listed below; match on the tag, not on the position of keys.

Example (a WSON motor driver: the EAGLE footprint leaves out the exposed pad and names the package by its vendor outline code, and the KiCad symbol writes the active-low pin nSLEEP as `~{SLEEP}`; all three differences are benign):

```json
{
  "schema_version": "1",
  "status": "golden_with_variants",
  "exit_code": 0,
  "mpn": "DRV8837DSGR",
  "summary": "DRV8837DSGR — GOLDEN with variants [variants: ep,label_only,naming_convention]. Sources: [quarn,kicad,eagle] (missing: altium). Axes: 2 agree, 5 disagree, 0 source-missing.",
  "sources_compared": [
    "quarn",
    "kicad",
    "eagle"
  ],
  "sources_missing": [
    "altium"
  ],
  "axes": [
    {
      "axis": "pad_count",
      "verdict": "disagree",
      "values": {
        "eagle": "8",
        "kicad": "9",
        "quarn": "9"
      },
      "conflicts": [
        "Pad counts differ across sources: [9, 9, 8]"
      ],
      "severity": 3
    },
    {
      "axis": "pad_numbers",
      "verdict": "disagree",
      "values": {
        "eagle": "8 pads (1…8)",
        "kicad": "9 pads (1…9)",
        "quarn": "9 pads (1…9)"
      },
      "conflicts": [
        "quarn has pads 9 that eagle is missing"
      ],
      "severity": 3
    },
    {
      "axis": "symbol_pin_count",
      "verdict": "disagree",
      "values": {
        "eagle": "8",
        "kicad": "9",
        "quarn": "9"
      },
      "conflicts": [
        "Pin counts differ across sources: [9, 9, 8]"
      ],
      "severity": 3
    },
    {
      "axis": "pin_names",
      "verdict": "disagree",
      "values": {
        "eagle": "8 named pins",
        "kicad": "9 named pins",
        "quarn": "9 named pins"
      },
      "conflicts": [
        "pin 7: quarn=NSLEEP but kicad=~{SLEEP}",
        "pin 9 present in quarn (PAD) but missing in eagle"
      ],
      "severity": 3
    },
    {
      "axis": "pin_to_pad_map",
      "verdict": "agree",
      "values": {
        "eagle": "8 mappings",
        "kicad": "9 mappings",
        "quarn": "9 mappings"
      },
      "conflicts": [],
      "severity": 3
    },
    {
      "axis": "package_family",
      "verdict": "disagree",
      "values": {
        "eagle": "DSG0008A → family=UNKNOWN",
        "kicad": "Texas_WSON-8-1EP_2x2mm_P0.5mm_EP0.9x1.6mm → family=WSON",
        "quarn": "WSON-8 → family=WSON"
      },
      "conflicts": [
        "Package families disagree across sources: quarn=WSON, kicad=WSON, eagle=UNKNOWN"
      ],
      "severity": 3
    },
    {
      "axis": "body_dims",
      "verdict": "agree",
      "values": {
        "eagle": "1.90×1.50 mm",
        "quarn": "2.00×2.00 mm"
      },
      "conflicts": [],
      "severity": 2
    }
  ],
  "variants": [
    {
      "kind": "exposed_pad_variant",
      "sources_with_ep": [
        "quarn",
        "kicad"
      ],
      "sources_without_ep": [
        "eagle"
      ]
    },
    {
      "kind": "label_only_mismatch",
      "notes": "eagle: DSG0008A → family=UNKNOWN | kicad: Texas_WSON-8-1EP_2x2mm_P0.5mm_EP0.9x1.6mm → family=WSON | quarn: WSON-8 → family=WSON"
    },
    {
      "kind": "naming_convention_mismatch",
      "examples": [
        "pin 7: quarn=NSLEEP ↔ kicad=~{SLEEP}"
      ]
    }
  ],
  "hints": [],
  "extractor_version": "0.8.0"
}
```

## Commands

- `tessan check <CHIP_DIR> [options]` — run the check, print a summary, write the result document, exit with the status's exit code.
- `tessan inspect <CHIP_DIR>` — print a one-screen summary of `<CHIP_DIR>/<dir name>-tessan.result.json`; exit 0 when it could be read (whatever its status), 1 otherwise. It finds only documents named after the directory itself (no `--mpn`, no `--out-dir`).
- `tessan health` — prints `OK: tessan 0.8.0 ready (parsers: quarn, kicad, eagle, altium)` and exits 0.
- `tessan install` — writes this document to `~/.claude/skills/brel-tessan/SKILL.md` (replacing it); exit 0, or 1 with an `ERROR:` line.

Options of `check` (all optional; without them the files are found by name in the chip directory):

- `--quarn-symbol <path>` — quarn symbol JSON (default `<MPN>-symbol.extracted.json`).
- `--quarn-footprint <path>` — quarn footprint JSON (default `<MPN>-footprint.extracted.json`).
- `--kicad-sym <path>` — KiCad symbol library (default `<MPN>.kicad_sym`).
- `--kicad-mod <path>` — KiCad footprint (default `<MPN>.kicad_mod`).
- `--eagle <path>` — EAGLE / Fusion 360 library (default `<MPN>.lbr`).
- `--altium <path>` — Altium footprint library (default `<MPN>.PcbLib`; `<MPN>.SchLib` and `<MPN>.IntLib` are found by name only).
- `--mpn <text>` — the part number used for file names and the document (default: the chip directory's name).
- `--out-dir <dir>` — where the result document goes (default: the chip directory; it is not created).
- `--json-only` — no progress and no `WARN:` lines; `OK:` and `ERROR:` lines still appear.
- `--force` — ignore an existing result document and run the check again.

When a readable result document already exists, `check` prints `OK: <MPN> — cached tessan result at <path> (use --force to re-run)` and exits with that document's `exit_code` without reading any library. Always pass `--force` after a refetch or a quarn rerun, so that the new files are judged.

Console lines: `OK:` and progress on standard output; `ERROR:`, `WARN:` and `Hint:` on standard error. A failed source read is not a console error; it shows up as a `source_parse_failed` hint.

## Status ladder

| Exit code | Status | Meaning | Caller action |
|---|---|---|---|
| 0 | `golden` | At least two sources were compared; every compared axis agrees and no variant was needed. | Accept the libraries. |
| 0 | `golden_with_variants` | Some axes disagree, but every disagreement is explained by a benign variant. | Accept; keep the `variants` as notes. If a `ul_symbol_has_stub_names` hint is present, mark the chip's symbol source as quarn-preferred. |
| 2 | `divergent` | At least one axis disagrees and no variant explains it. | Walk the `hints` (see the recipe). |
| 3 | `unrecoverable` | Fewer than two sources could be read, every axis lacked data, or the chip directory could not be resolved (then no document is written). | Fetch the missing sources or hand over to a person. |
| 2 | — | Command-line usage error (no document is written or changed). | Fix the call; compare the document's `exit_code`, not only the process status. |
| 1 | — | `inspect` or `install` failed. | Read the `ERROR:` line. |

## Variants

A variant explains a difference that is not a real defect. It never changes a verdict; it only decides which disagreeing axes count as explained.

| `kind` | Applies when | Meaning | Fields | Explains axes |
|---|---|---|---|---|
| `exposed_pad_variant` | pad counts disagree and the largest and smallest differ by exactly 1 | one library counts the exposed thermal pad, the other does not | `sources_with_ep`, `sources_without_ep` | pad_count, pad_numbers, symbol_pin_count, pin_names, pin_to_pad_map |
| `module_extra_pads` | pad counts differ by more than 1 and a source with the fewest pads is a module package | the module footprint carries mounting pads the pinout does not list | `sources_with_extras`, `sources_without_extras`, `extra_count` | pad_count, pad_numbers, symbol_pin_count, pin_names, pin_to_pad_map |
| `label_only_mismatch` | package families disagree but the pad geometry agrees | a vendor outline code versus a generic package name for the same land pattern | `notes` (each source's package and family) | package_family |
| `stub_symbol_pin_names` | pin names disagree and some symbol's names are mostly pin numbers | a library bundle (typically Ultra Librarian) shipped a symbol without real pin names | `stub_sources`, `canonical_sources` | pin_names, pin_to_pad_map |
| `body_dim_measurement_artifact` | body dimensions disagree but the pad geometry agrees | the tools measured the body differently (for example lead tips against body) | `notes` (each source's body size) | body_dims |
| `naming_convention_mismatch` | every differing pin name is the same name written another way | OUT1 against 1OUT, V+ against VCC, active-low and underscore forms | `examples` (at most 4) | pin_names, pin_to_pad_map |
| `kelvin_sense_representation` | pad counts disagree between a four-terminal Kelvin symbol (I+, I-, V+, V-) and a two-terminal one | a sense resistor drawn with and without Kelvin connections | `sources_with_kelvin`, `sources_without_kelvin`, `kelvin_pin_names` | pad_count, pad_numbers, symbol_pin_count, pin_names, pin_to_pad_map, body_dims |

## Comparison axes

Each axis compares the sources that carry its data; with fewer than two of them the verdict is `source_missing`.

1. `pad_count` — number of footprint pads per source.
2. `pad_numbers` — the set of pad labels (upper-cased), against the first source with pads.
3. `symbol_pin_count` — number of symbol pins per source.
4. `pin_names` — normalized pin name per pin number; stub-named symbols are reported, not compared.
5. `pin_to_pad_map` — which pad each named pin sits on.
6. `package_family` — the package family classified from each package name (SOIC, VSSOP, QFN, WSON, SOT, …).
7. `body_dims` — body X and Y in millimetres; differences above 0.5 mm disagree.

## Hints

Hints come in this order: one `source_parse_failed` per source that could not be read, then, axis by axis, the hints of each disagreement. The `accept_with_caveats` and `human_review` actions belong to the format but are not produced by this version; handle them anyway.

| `action` | Fields after `action` | What the caller should do |
|---|---|---|
| `refetch_library_source` | `format` (`kicad_sym`, `kicad_mod` or `unknown`), `suspect` (the axis), `notes` (the conflict), `suggested_sources` (list of upstreams to try, in order), `expected_resolution` | Refetch the library of that `format` from the first suggested upstream not yet tried, then run `tessan check --force` again. |
| `ul_symbol_has_stub_names` | `source`, `pin_count` (integer), `suggestion`, `harvo_action` | Do not refetch the symbol. Mark the chip's symbol source as quarn-preferred so that downstream tools take pin names from quarn's JSON. |
| `rerun_quarn_with_stronger_model` | `reason`, `suspect_field` (an axis name or a quarn field), `suggested_model` | quarn is the lone disagreer: rerun quarn on the datasheet with `suggested_model`, then run `tessan check --force`. |
| `accept_with_caveats` | `caveats` (list) | Accept, and record the caveats with the chip. |
| `human_review` | `reason`, `notes` | Stop and hand over to a person with `reason` and `notes`. |
| `source_parse_failed` | `format` (`quarn`, `kicad`, `eagle`, `altium`), `path`, `error` | That file could not be read; the source counts as missing. Refetch or regenerate that file. |

A refetch hint looks like this (shortened):

```json
{"action":"refetch_library_source","format":"kicad_mod","suspect":"package_family","notes":"Package families disagree across sources: quarn=VSSOP, kicad=SOIC","suggested_sources":["Manufacturer site: …","Ultra Librarian: …","SnapMagic / SnapEDA: …","Mouser / DigiKey: …","Component Search Engine (…): …"],"expected_resolution":"Re-run `tessan check` after refetch; axis 'package_family' should change from 'disagree' to 'agree' (or be covered by a benign variant)."}
```

## Calling recipe

1. Make sure the chip directory holds the libraries from `harvo`, then run `quarn` on the datasheet and wait for its status `ok`.
2. Run `tessan check --force <CHIP_DIR>` (add `--json-only` to keep logs short) and read `<MPN>-tessan.result.json`.
3. On `golden` or `golden_with_variants` (exit 0): accept. When the hints hold `ul_symbol_has_stub_names`, mark the chip's symbol source as quarn-preferred. Done.
4. On `divergent` (exit 2): walk the hints in order and act on the first one you have not yet acted on:
   - `rerun_quarn_with_stronger_model`: rerun `quarn` with `suggested_model` (once per chip);
   - `refetch_library_source`: refetch the library of `format` from the next untried entry of `suggested_sources`;
   - `source_parse_failed`: refetch or regenerate that file.
   Try each format from each upstream once and rerun quarn once; after each action go back to step 2.
5. Hand over to a person when the status is `unrecoverable` (exit 3), when a `human_review` hint appears, or when every suggestion has been tried and the status is still `divergent`. Give them the `summary`, the disagreeing axes with their `conflicts`, and what was tried.

## Out of scope

- Fetching libraries (that is `harvo`) or reading datasheets (that is `quarn`).
- Repairing, converting or writing library files; `tessan` only judges them.
- Electrical checks, simulation, 3D models, pad geometry beyond counts, labels and body size.
- Choosing among several parts; one run checks one chip directory.
- Network access of any kind.

## Related

- `quarn` skill document — the datasheet extractor that writes `<MPN>-symbol.extracted.json` and `<MPN>-footprint.extracted.json`, and how to rerun it with another model.
- `harvo` skill document — the library fetcher that fills the chip directory, its upstream sources, refetching, and the quarn-preferred marking.
)skill";

}  // namespace tessan
