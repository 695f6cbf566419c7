#!/usr/bin/env python3
"""Runs the benchmark (see bench/run): builds, makes the registries, measures, reports."""

import argparse
import datetime
import os
import pathlib
import statistics
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "bench"
# bench/run says which build Wine can run here (tools/common.sh): the shipped 32-bit one in 32-bit
# prefixes where this machine runs 32-bit Linux programs, else the 64-bit build in 64-bit prefixes.
BITS = os.environ.get("VELMORA_WINE_BITS", "32")
WINE = os.environ.get("VELMORA_WINE", "wine")
TOOLCHAIN = ROOT / "cmake" / ("mingw-w64-i686.cmake" if BITS == "32" else "mingw-w64-x86_64.cmake")
BENCH_TREE = "win32" if BITS == "32" else "win64"  # the benchmark build, under build/bench
RELEASE_TREE = "release" if BITS == "32" else "release64"  # the plain Release build
PREFIX_ARCH = f"win{BITS}"
BUILD_SAID = os.environ.get("VELMORA_WINE_SAID", f"the {BITS}-bit build in {BITS}-bit prefixes")
WAIT_MS = 1200  # the main window's prescribed wait before the promotional window goes

UNINSTALL = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall"
RUN = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run"

# Extension keys under HKEY_CLASSES_ROOT (a tenth with a "ShellNew" key), uninstall entries, Run values,
# added to Wine's own registry.
SIZES = {
    "default": (0, 0, 0),
    "middle": (5000, 500, 100),
    "large": (50000, 5000, 1000),
}

LOADS = ["New", "Add/Remove", "Folders/Run"]

# What the user met before the lists were read on a thread of their own (bench/results.md of 2026-12-08,
# bench/run --rounds 5): the window at the default size, each list's load at the large size, and the
# footprint. The goals are measured against these.
BEFORE = {
    "window default": 742.9,  # ms to the window shown and painted, less the 1,200 ms wait
    "New large": 23041.3,  # ms, the New page's load
    "Add/Remove large": 2282.5,  # ms, the Add/Remove page's load
    "peak middle": 25.2 * 1048576,  # bytes, peak working set at middle
    "exe": 384000,  # bytes, the Release exe
}
CALL_KINDS = ["open", "create", "close", "query", "set", "delete value", "delete key", "enum value", "enum key"]

# The programs run in a Wine desktop window of their own. Straight on Xvfb, which has no window manager,
# Wine waits up to two seconds for a manager to acknowledge each top-level window it hides, and Velmora
# hides its promotional window during start-up: that wait is the X server's, not the program's.
DESKTOP = [WINE, "explorer", "/desktop=velmora-bench,1024x768"]


def log(text):
    print(text, file=sys.stderr, flush=True)


def run(command, **kwargs):
    return subprocess.run(command, check=True, **kwargs)


def build():
    """The benchmark build (timing marks and the benchmark programs) and the plain Release build."""
    jobs = os.environ.get("VELMORA_BENCH_JOBS", "2")
    for name, extra in ((BENCH_TREE, ["-DVELMORA_BENCH=ON"]), (RELEASE_TREE, [])):
        tree = BUILD / name
        log(f"building {tree}")
        run(["cmake", "-S", str(ROOT), "-B", str(tree), f"-DCMAKE_TOOLCHAIN_FILE={TOOLCHAIN}",
             "-DCMAKE_BUILD_TYPE=Release", *extra], stdout=subprocess.DEVNULL)
        targets = (["Velmora", "MinimalDialog", "RegistryFloor", "Launch", "BarePages", "BarePagesTips",
                    "BarePagesReader"] if extra else ["Velmora"])
        run(["cmake", "--build", str(tree), "-j", jobs, "--target", *targets], stdout=subprocess.DEVNULL)


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def reg_file(size, path):
    """Writes the .reg file that grows Wine's registry to `size`."""
    extensions, programs, runs = SIZES[size]
    lines = ["REGEDIT4", ""]
    for i in range(extensions):
        ext = f".vb{i:05d}"
        file_type = f"vbfile{i:05d}"
        lines += [f"[HKEY_CLASSES_ROOT\\{ext}]", f'@="{file_type}"', ""]
        if i % 10 == 0:
            # Half of the "New" entries directly under the extension, half under its file type subkey.
            shell_new = ext if i % 20 == 0 else f"{ext}\\{file_type}"
            lines += [f"[HKEY_CLASSES_ROOT\\{shell_new}\\ShellNew]", '"NullFile"=""', ""]
            lines += [f"[HKEY_CLASSES_ROOT\\{file_type}]", f'@="Bench document {i:05d}"', ""]
    for i in range(programs):
        lines += [f"[{UNINSTALL}\\BenchProgram{i:05d}]", f'"DisplayName"="Bench Program {i:05d}"',
                  f'"UninstallString"="C:\\\\Program Files\\\\Bench {i:05d}\\\\uninstall.exe"',
                  '"DisplayVersion"="1.0"', '"Publisher"="Bench"', ""]
    if runs:
        lines.append(f"[{RUN}]")
        lines += [f'"BenchRun{i:04d}"="C:\\\\bench\\\\run{i:04d}.exe /quiet"' for i in range(runs)]
        lines.append("")
    path.write_text("\r\n".join(lines) + "\r\n", encoding="latin-1")


def prefix_env(prefix):
    env = dict(os.environ)
    env["WINEPREFIX"] = str(prefix)
    # A 32-bit Windows, like the systems the program is made for, or a 64-bit one for the 64-bit build.
    env["WINEARCH"] = PREFIX_ARCH
    return env


def make_prefix(size):
    """One sandbox prefix per size, made and filled once."""
    prefix = BUILD / f"prefix-{size}"
    done = prefix / ".velmora-bench-filled"
    system_reg = prefix / "system.reg"
    if system_reg.exists() and f"#arch={PREFIX_ARCH}" not in system_reg.read_text(errors="replace").splitlines():
        log(f"{prefix} is not a {BITS}-bit prefix; making it again")
        subprocess.run(["rm", "-rf", str(prefix)], check=True)
    if done.exists():
        return prefix
    env = prefix_env(prefix)
    log(f"making {prefix}")
    run([WINE, "wineboot", "-i"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    run(["wineserver", "-w"], env=env)
    if any(SIZES[size]):
        reg = BUILD / f"{size}.reg"
        reg_file(size, reg)
        log(f"filling {prefix} from {reg}")
        run([WINE, "regedit", "/S", windows_path(reg)], env=env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        run(["wineserver", "-w"], env=env)
    done.write_text("filled\n")
    return prefix


def read_marks(path):
    """The single values (counts as "count <name>", the memory at a step as "ws <step>" and "private
    <step>"), the marks by name (the first of a name) and all marks in order."""
    values, marks, ordered = {}, {}, []
    for line in pathlib.Path(path).read_text().splitlines():
        parts = line.split("\t")
        if parts[0] == "mark":
            marks.setdefault(parts[1], int(parts[2]))
            ordered.append((parts[1], int(parts[2])))
        elif parts[0] == "count":
            values["count " + parts[1]] = int(parts[2])
        elif parts[0] == "memory":
            values.setdefault("ws " + parts[1], int(parts[2]))
            values.setdefault("private " + parts[1], int(parts[3]))
        else:
            values[parts[0]] = int(parts[1])
    return values, marks, ordered


def fill_time(ordered, begin, end):
    """Milliseconds spent filling list boxes between two marks (counted back from "written")."""
    total, started = 0, None
    for name, back in ordered:
        if name == "fill begin" and end <= back <= begin:
            started = back
        elif name == "fill end" and started is not None:
            total += started - back
            started = None
    return total / 1000.0


def floor_spans(ordered):
    """The (begin, end) of each floor measured inside a program, counted back from "written"."""
    spans, begun = [], None
    for name, back in ordered:
        if name.startswith("floor ") and name.endswith(" begin"):
            begun = back
        elif name.startswith("floor ") and name.endswith(" end") and begun is not None:
            spans.append((begun, back))
            begun = None
    return spans


def measure(size, rounds):
    """Runs every program `rounds` times in the prefix of `size`; the marks go to build/bench/marks."""
    prefix = make_prefix(size)
    env = prefix_env(prefix)
    marks = BUILD / "marks" / size
    marks.mkdir(parents=True, exist_ok=True)
    tree = BUILD / BENCH_TREE
    programs = [tree / "app" / "Velmora.exe", tree / "bench" / "MinimalDialog.exe",
                tree / "bench" / "BarePages.exe", tree / "bench" / "BarePagesTips.exe",
                tree / "bench" / "BarePagesReader.exe", tree / "bench" / "RegistryFloor.exe"]
    launch = tree / "bench" / "Launch.exe"
    subprocess.Popen(["wineserver", "-p"], env=env).wait()
    try:
        # The first program of a fresh server also starts the prefix's own services: not measured.
        log(f"{size}: warm-up")
        run([*DESKTOP, str(launch), "1", windows_path(marks), windows_path(programs[1])], env=env)
        log(f"{size}: {rounds} rounds")
        run([*DESKTOP, str(launch), str(rounds), windows_path(marks), *map(windows_path, programs)], env=env)
    finally:
        subprocess.run(["wineserver", "-k"], env=env)


def collect(size):
    """Per program, the list of measured runs (dicts of figures) of the last measurement of `size`."""
    marks = BUILD / "marks" / size
    results = {}
    for line in (marks / "launches.tsv").read_text().splitlines():
        program, _round, started, code, file = line.split("\t")
        unix_file = file[2:].replace("\\", "/")
        if code != "0" or not os.path.exists(unix_file):
            log(f"{size}: {program} run {_round} failed (exit {code})")
            continue
        values, spans, ordered = read_marks(unix_file)
        figures = {}
        # The floors the benchmark build measures right after its loads are no part of its start-up: their
        # time is taken out of every figure of the start-up that comes after them.
        floors = floor_spans(ordered)

        def before(back):
            return sum(begin - end for begin, end in floors if end >= back)

        # The marks are written when the window is painted and every list filled; the window counts as
        # shown at "painted" (the programs that wait for no list write at that moment).
        written = values["written"]
        painted = spans.get("painted", 0)
        if program != "RegistryFloor":
            figures["start"] = (written - painted - int(started) - before(painted)) / 1000.0
            figures["from creation"] = (written - painted - values["created"] - before(painted)) / 1000.0
            figures["peak"] = values["peak_working_set"]
            figures["peak private"] = values.get("peak_private", 0)
            figures["ws end"] = values.get("working_set", 0)
            figures["private end"] = values.get("private", 0)
            for key, value in values.items():
                if key.startswith(("ws ", "private ")):
                    figures[key] = value
            # Steps of the start-up, from process creation to each mark (the marks count back from "written").
            for name, back in spans.items():
                if not name.startswith("floor "):
                    figures[f"at {name}"] = (written - back - values["created"] - before(back)) / 1000.0
        for load in LOADS:
            if f"{load} begin" in spans:
                begin, end = spans[f"{load} begin"], spans[f"{load} end"]
                figures[load] = (begin - end) / 1000.0
                if program != "RegistryFloor":
                    figures[f"{load} fill"] = fill_time(ordered, begin, end)
                    figures[f"{load} less fill"] = figures[load] - figures[f"{load} fill"]
            if f"{load} filled" in spans:
                # From just before CreateProcess to the page's list box filled on the window's thread.
                back = spans[f"{load} filled"]
                figures[f"{load} filled"] = (written - back - int(started) - before(back)) / 1000.0
            if f"floor {load} begin" in spans:
                # The bare calls made inside Velmora's own process, after its start-up.
                figures[f"{load} floor"] = (spans[f"floor {load} begin"] - spans[f"floor {load} end"]) / 1000.0
            for kind in CALL_KINDS:
                key = f"count {load} calls {kind}"
                if key in values:
                    figures[f"{load} calls {kind}"] = values[key]
        if "count New extension keys" in values:
            figures["New extension keys"] = values["count New extension keys"]
        results.setdefault(program, []).append(figures)
    return results


def summary(runs, key):
    values = sorted(r[key] for r in runs if key in r)
    if not values:
        return None
    return statistics.median(values), values[0], values[-1], len(values)


def ms(stat):
    if stat is None:
        return "n/a"
    median, low, high, _ = stat
    return f"{median:,.1f} ({low:,.1f}\u2013{high:,.1f})"


def mib(stat):
    if stat is None:
        return "n/a"
    median, low, high, _ = stat
    return f"{median / 1048576:.1f} ({low / 1048576:.1f}\u2013{high / 1048576:.1f})"


def calls_per_key(stat, size):
    """The New walk's registry calls per extension key (total, and by kind), from the medians."""
    keys = stat(size, "Velmora", "New extension keys")
    if keys is None or keys[0] == 0:
        return None, {}
    by_kind = {}
    for kind in CALL_KINDS:
        value = stat(size, "Velmora", f"New calls {kind}")
        if value is not None and value[0]:
            by_kind[kind] = value[0] / keys[0]
    return sum(by_kind.values()), by_kind


def goals(stat, sizes, exe_size):
    """Each goal met or missed, and for a missed one what bounds it, from the medians measured."""
    lines = []

    def median(size, program, key):
        value = stat(size, program, key)
        return None if value is None else value[0]

    default = median("default", "Velmora", "start") if "default" in sizes else None
    for size in ("middle", "large"):
        shown = median(size, "Velmora", "start") if size in sizes else None
        if shown is None or default is None:
            continue
        extra = shown - default
        verdict = "met" if extra <= 150 else "MISSED"
        line = (f"- Window shown at {size} within 150 ms of default: {verdict} ({shown - WAIT_MS:,.1f} ms against "
                f"{default - WAIT_MS:,.1f} ms, less the wait; before: {BEFORE['window default']:,.1f} ms at default).")
        if extra > 150:
            init = median(size, "Velmora", "at init done")
            init_default = median("default", "Velmora", "at init done")
            if init is not None and init_default is not None:
                line += (f" The window's initialisation ends {init - init_default:,.1f} ms later than at default: "
                         "the reader thread's registry calls share the one registry server with the window's.")
        lines.append(line)
    if "large" in sizes:
        for load in ("New", "Add/Remove"):
            filled = median("large", "Velmora", f"{load} filled")
            walk = median("large", "Velmora", load)
            before = BEFORE[f"{load} large"]
            if filled is None:
                continue
            verdict = "met" if filled <= before else "MISSED"
            line = (f"- {load} list filled at large no later than its load before ({before:,.1f} ms): {verdict} "
                    f"(filled {filled:,.1f} ms after launch, the 1,200 ms wait included; its walk took "
                    f"{'n/a' if walk is None else f'{walk:,.1f}'} ms on the reader thread).")
            if filled > before and walk is not None:
                line += f" The walk itself takes {walk:,.1f} ms; the rest is the window's start-up before the list is shown."
            lines.append(line)
    for size in sizes:
        total, by_kind = calls_per_key(stat, size)
        if total is not None:
            kinds = ", ".join(f"{kind} {value:.2f}" for kind, value in by_kind.items())
            lines.append(f"- New walk at {size}: {total:.2f} registry calls per extension key ({kinds}); before: about 7.")
    if "middle" in sizes:
        w, mw = median("middle", "Velmora", "peak"), median("middle", "MinimalDialog", "peak")
        if w is not None:
            verdict = "met" if w <= BEFORE["peak middle"] else "MISSED"
            floor = "" if mw is None else f"; the minimal dialog alone peaks at {mw / 1048576:.1f} MiB"
            lines.append(f"- Peak working set at middle no worse than before ({BEFORE['peak middle'] / 1048576:.1f} MiB): "
                         f"{verdict} ({w / 1048576:.1f} MiB{floor}).")
    if "default" in sizes:
        pages = step_span(stat, "default", "Velmora", "init", "pages created")
        floor = step_span(stat, "default", "BarePages", "init", "pages created")
        if pages is not None and floor:
            verdict = "met" if pages <= 1.5 * floor else "MISSED"
            lines.append(f"- Page windows within 1.5 times their bare-template floor: {verdict} ({pages:,.1f} ms "
                         f"against {floor:,.1f} ms, {pages / floor:.2f} times).")
        v, m = median("default", "Velmora", "start"), median("default", "MinimalDialog", "start")
        f = median("default", "BarePages", "start")
        if v is not None and m is not None:
            above = v - WAIT_MS - m
            verdict = "met" if above <= 400 else "MISSED"
            line = f"- Window shown at most 400 ms after the minimal dialog's: {verdict} ({above:,.1f} ms after it"
            if f is not None:
                line += f"; the bare floor of the same steps is shown {f - WAIT_MS - m:,.1f} ms after it"
            lines.append(line + ").")
        v, m, f = (median("default", p, "peak") for p in ("Velmora", "MinimalDialog", "BarePages"))
        if v is not None and m is not None:
            verdict = "met" if v - m <= 4 * 1048576 else "MISSED"
            line = (f"- Peak working set at most 4 MiB above the minimal dialog's: {verdict} "
                    f"({(v - m) / 1048576:.2f} MiB above it")
            if f is not None:
                line += f"; the bare floor peaks {(f - m) / 1048576:.2f} MiB above it"
            lines.append(line + ").")
    verdict = "met" if exe_size <= BEFORE["exe"] else "MISSED"
    lines.append(f"- Exe size no worse than before ({BEFORE['exe']:,} bytes): {verdict} ({exe_size:,} bytes).")
    return lines


# The steps of the window's start, each as the span between two marks (ms); "painted" includes the
# prescribed wait, which is taken out.
STEPS = [
    ("before the initialisation: process creation to the main window's dialog initialisation", None, "init"),
    ("the page windows: the sheet and every page window created", "init", "pages created"),
    ("the rest of the initialisation: icon buttons, loads, controls set", "pages created", "init done"),
    ("the first paint: initialisation done to the window shown and painted, less the wait", "init done", "painted"),
    ("process creation to the window shown and painted, less the wait", None, "painted"),
]


def step_span(stat, size, program, begin, end):
    """The median span of one step of `program`, or None."""
    last = stat(size, program, f"at {end}")
    first = stat(size, program, f"at {begin}") if begin else (0.0,)
    if last is None or first is None:
        return None
    # The minimal dialog does not wait.
    waits = end == "painted" and program != "MinimalDialog"
    return last[0] - first[0] - (WAIT_MS if waits else 0)


def floors(stat, sizes):
    """Each step of Velmora's start beside its floor (BarePages.exe) and the minimal dialog's."""
    size = "default" if "default" in sizes else sizes[0]
    lines = [f"## Start-up steps against their floors ({size} size)", "",
             "Medians of each step's span, ms. The floor is BarePages.exe (bench/BarePages.cpp): what the "
             "window must do, done with bare Win32 calls: the faces made available and the promotional "
             "window shown before the main window's initialisation; Velmora's own templates for the main "
             "window and the pages it shows on this system (the Internet Explorer page's four panels in it), "
             "every page window created last to first with redrawing off; shown, the same wait, the "
             "promotional window dropped. No framework, subclassing, tooltips, icon buttons, data exchange "
             "or loads.", "",
             "| Step | Velmora | floor | Velmora / floor | minimal dialog |", "|---|---|---|---|---|"]
    for label, begin, end in STEPS:
        v = step_span(stat, size, "Velmora", begin, end)
        f = step_span(stat, size, "BarePages", begin, end)
        # The minimal dialog has only these two steps.
        m = step_span(stat, size, "MinimalDialog", begin, end) if begin is None else None
        # A step the floor does not have at all (under a millisecond) has no ratio.
        ratio = "n/a" if v is None or f is None or f < 1 else f"**{v / f:.2f}**"
        cell = lambda x: "n/a" if x is None else f"{x:,.1f}"
        lines.append(f"| {label} | {cell(v)} | {cell(f)} | {ratio} | {cell(m)} |")
    return lines


def memory(stat, sizes):
    """Velmora's memory at each step beside the floor's and the minimal dialog's, and what each step adds."""
    size = "default" if "default" in sizes else sizes[0]

    def median(program, key):
        value = stat(size, program, key)
        return None if value is None else value[0]

    def cell(x):
        return "n/a" if x is None else f"{x / 1048576:.2f}"

    lines = [f"## Memory by step ({size} size)", "",
             "MiB, medians; working set (WS) and private bytes (the process's committed memory of its own) "
             "when each step is reached, and what the step added since the one before. Velmora's steps "
             "beyond the floor's (icon buttons, loads, the lists read on their own thread and filled) are "
             "its own; the minimal dialog is the cost of any Win32 program with one window under this Wine.",
             "",
             "| Step reached | Velmora WS | added | floor WS | added | Velmora private | added | floor private | added | minimal WS | minimal private |",
             "|---|---|---|---|---|---|---|---|---|---|---|"]
    steps = [("main window's initialisation begins", "init"), ("page windows created", "pages created"),
             ("icon buttons set up", "buttons set up"), ("initialisation done", "init done"),
             ("shown, painted, every list filled (end)", "end")]
    before = {}
    for label, step in steps:
        row = [label]
        cells = {}
        for program in ("Velmora", "BarePages", "MinimalDialog"):
            for kind in ("ws", "private"):
                key = f"{kind} end" if step == "end" else f"{kind} {step}"
                value = median(program, key)
                previous = before.get((program, kind))
                added = None if value is None or previous is None else value - previous
                cells[(program, kind)] = (value, added)
                if value is not None:
                    before[(program, kind)] = value
        row += [cell(cells[("Velmora", "ws")][0]), cell(cells[("Velmora", "ws")][1]),
                cell(cells[("BarePages", "ws")][0]), cell(cells[("BarePages", "ws")][1]),
                cell(cells[("Velmora", "private")][0]), cell(cells[("Velmora", "private")][1]),
                cell(cells[("BarePages", "private")][0]), cell(cells[("BarePages", "private")][1]),
                cell(cells[("MinimalDialog", "ws")][0]), cell(cells[("MinimalDialog", "private")][0])]
        lines.append("| " + " | ".join(row) + " |")
    peaks = [("peak working set", "peak"), ("peak private bytes", "peak private")]
    for label, key in peaks:
        v, f, m = median("Velmora", key), median("BarePages", key), median("MinimalDialog", key)
        extra = "" if v is None or m is None else f"; Velmora less minimal: **{(v - m) / 1048576:.2f}**"
        floor_extra = "" if v is None or f is None else f", less floor: **{(v - f) / 1048576:.2f}**"
        lines.append(f"- {label}: Velmora {cell(v)}, floor {cell(f)}, minimal dialog {cell(m)}{extra}{floor_extra}.")
    return lines


def causes(stat, sizes):
    """What Velmora's start holds beyond the floor, by cause: each cause the difference of two programs
    that differ by it alone, at the step where it is paid."""
    size = "default" if "default" in sizes else sizes[0]

    def median(program, key):
        value = stat(size, program, key)
        return None if value is None else value[0]

    def added(program, kind, step, before):
        now, then = median(program, f"{kind} {step}"), median(program, f"{kind} {before}")
        return None if now is None or then is None else now - then

    def mib(x):
        return "n/a" if x is None else f"{x / 1048576:.2f}"

    def ms(x):
        return "n/a" if x is None else f"{x:,.1f}"

    def less(a, b):
        return None if a is None or b is None else a - b

    variants = ("Velmora", "BarePages", "BarePagesTips", "BarePagesReader")
    pages = {p: step_span(stat, size, p, "init", "pages created") for p in variants}
    grown = {(p, k): added(p, k, "pages created", "init") for p in variants for k in ("ws", "private")}
    # The reader runs while the page windows are made: its share of that step.
    thread = {k: less(grown[("BarePagesReader", k)], grown[("BarePages", k)]) for k in ("ws", "private")}
    peak = {(p, k): median(p, "peak" if k == "ws" else "peak private") for p in variants for k in ("ws", "private")}
    at_init = {(p, k): median(p, f"{k} init") for p in ("Velmora", "BarePages", "MinimalDialog") for k in ("ws", "private")}
    end = {(p, k): median(p, "peak" if k == "ws" else "peak private") for p in ("Velmora", "BarePages")
           for k in ("ws", "private")}
    rows = [
        ("the program before its window: its image, run time and static data, the faces and the promotional "
         "window (Velmora at its initialisation, less the floor)", None,
         less(at_init[("Velmora", "ws")], at_init[("BarePages", "ws")]),
         less(at_init[("Velmora", "private")], at_init[("BarePages", "private")])),
        ("the page windows' tooltip controls and their tools (BarePagesTips less BarePages, page windows step)",
         less(pages["BarePagesTips"], pages["BarePages"]),
         less(grown[("BarePagesTips", "ws")], grown[("BarePages", "ws")]),
         less(grown[("BarePagesTips", "private")], grown[("BarePages", "private")])),
        ("the list reader: its thread, started as the initialisation begins, and its walk (BarePagesReader "
         "less BarePages, page windows step)", less(pages["BarePagesReader"], pages["BarePages"]), thread["ws"],
         thread["private"]),
        ("the rest of Velmora's page creation: its framework (subclassing, the creation hook, the handle map), "
         "data exchange, each page's own initialisation (Velmora less BarePagesTips and the thread, page "
         "windows step)",
         less(pages["Velmora"], pages["BarePagesTips"]),
         less(less(grown[("Velmora", "ws")], grown[("BarePagesTips", "ws")]), thread["ws"]),
         less(less(grown[("Velmora", "private")], grown[("BarePagesTips", "private")]), thread["private"])),
        ("the icon buttons (their icons and off-screen drawing), Velmora's step of its own", None,
         added("Velmora", "ws", "buttons set up", "pages created"),
         added("Velmora", "private", "buttons set up", "pages created")),
    ]
    lines = [f"## What Velmora holds beyond the floor, by cause ({size} size)", "",
             "Each cause is the difference between two programs that differ by it alone, at the step where it "
             "is paid (medians; time in ms, memory in MiB added by the step). The required part of all of it "
             "is in the floor itself: the floor peaks above the minimal dialog by what the window must hold "
             "(sixteen pages' windows, the faces, the promotional window).", "",
             "| Cause | time | WS | private |", "|---|---|---|---|"]
    for label, time, ws, private in rows:
        lines.append(f"| {label} | {ms(time)} | {mib(ws)} | {mib(private)} |")
    lines.append(f"- at the peak, the list reader (BarePagesReader less BarePages): WS "
                 f"{mib(less(peak[('BarePagesReader', 'ws')], peak[('BarePages', 'ws')]))}, private "
                 f"{mib(less(peak[('BarePagesReader', 'private')], peak[('BarePages', 'private')]))} MiB.")
    lines.append(f"- at the peak, Velmora less the floor: WS {mib(less(end[('Velmora', 'ws')], end[('BarePages', 'ws')]))}, "
                 f"private {mib(less(end[('Velmora', 'private')], end[('BarePages', 'private')]))} MiB.")
    return lines


def report(all_results, sizes, rounds, command):
    exe = BUILD / RELEASE_TREE / "app" / "Velmora.exe"
    exe_size = exe.stat().st_size
    wine = subprocess.run([WINE, "--version"], capture_output=True, text=True).stdout.strip()
    cpus = os.cpu_count()
    head = "| Figure | " + " | ".join(sizes) + " |"
    rule = "|---|" + "---|" * len(sizes)
    rows = []

    def row(label, cells):
        rows.append(f"| {label} | " + " | ".join(cells) + " |")

    def stat(size, program, key):
        return summary(all_results[size].get(program, []), key)

    def shifted(value, by):
        return None if value is None else (value[0] - by, value[1] - by, value[2] - by, value[3])

    row("Velmora: window shown and painted, less the 1,200 ms wait (ms)",
        [ms(shifted(stat(s, "Velmora", "start"), WAIT_MS)) for s in sizes])
    row("Minimal dialog start-up (ms)", [ms(stat(s, "MinimalDialog", "start")) for s in sizes])
    cells = []
    for s in sizes:
        v, m = stat(s, "Velmora", "start"), stat(s, "MinimalDialog", "start")
        cells.append("n/a" if v is None or m is None else f"**{v[0] - WAIT_MS - m[0]:,.1f}**")
    row("Velmora less wait less minimal, medians (ms)", cells)
    cells = []
    for s in sizes:
        v, d = stat(s, "Velmora", "start"), stat("default", "Velmora", "start") if "default" in sizes else None
        cells.append("n/a" if v is None or d is None else f"**{v[0] - d[0]:,.1f}**")
    row("Window shown, this size less default, medians (ms; goal \u2264 150 at middle and large)", cells)
    row("Velmora: process creation to window shown, less wait (ms)",
        [ms(shifted(stat(s, "Velmora", "from creation"), WAIT_MS)) for s in sizes])
    for load in LOADS:
        row(f"{load} list filled, from launch, the wait included (ms)",
            [ms(stat(s, "Velmora", f"{load} filled")) for s in sizes])
        row(f"&nbsp;&nbsp;{load} walk on the reader thread (ms)", [ms(stat(s, "Velmora", load)) for s in sizes])
        row(f"&nbsp;&nbsp;{load} floor: bare registry calls in Velmora's process after start-up (ms)",
            [ms(stat(s, "Velmora", f"{load} floor")) for s in sizes])
        row(f"&nbsp;&nbsp;the same calls in a console process of their own (ms)",
            [ms(stat(s, "RegistryFloor", load)) for s in sizes])
        cells = []
        for s in sizes:
            a, f = stat(s, "Velmora", load), stat(s, "Velmora", f"{load} floor")
            cells.append("n/a" if a is None or f is None or f[0] == 0 else f"{a[0] / f[0]:.2f}")
        row(f"&nbsp;&nbsp;{load} walk / floor, medians", cells)
        cells = []
        for s in sizes:
            counts = {kind: stat(s, "Velmora", f"{load} calls {kind}") for kind in CALL_KINDS}
            total = sum(c[0] for c in counts.values() if c is not None)
            cells.append("n/a" if all(c is None for c in counts.values()) else f"{total:,.0f}")
        row(f"&nbsp;&nbsp;{load} walk: registry calls, medians", cells)
    cells = []
    for s in sizes:
        total, by_kind = calls_per_key(stat, s)
        cells.append("n/a" if total is None else
                     f"**{total:.2f}** (" + ", ".join(f"{k} {v:.2f}" for k, v in by_kind.items()) + ")")
    row("New walk: registry calls per extension key, medians (before: about 7)", cells)
    row("Peak working set, Velmora (MiB)", [mib(stat(s, "Velmora", "peak")) for s in sizes])
    row("Peak working set, minimal dialog (MiB)", [mib(stat(s, "MinimalDialog", "peak")) for s in sizes])

    steps = {
        "init": "main window's dialog initialisation begins (the reader thread starts)",
        "pages created": "every page window created",
        "buttons set up": "icon buttons set up",
        "init done": "dialog initialisation done",
        "painted": "window shown and painted (the wait included)",
        "Folders/Run end": "reader: Folders/Run read",
        "Add/Remove end": "reader: Add/Remove read",
        "New end": "reader: New read",
        "Folders/Run filled": "Folders/Run list filled",
        "Add/Remove filled": "Add/Remove list filled",
        "New filled": "New list filled",
    }
    step_rows = [f"| Minimal dialog: its dialog initialisation begins | "
                 + " | ".join(ms(stat(s, "MinimalDialog", "at init")) for s in sizes) + " |"]
    for step, label in steps.items():
        step_rows.append(f"| {label} | " + " | ".join(ms(stat(s, "Velmora", f"at {step}")) for s in sizes) + " |")
    step_rows.append("| window shown and painted, less the wait | "
                     + " | ".join(ms(shifted(stat(s, "Velmora", "from creation"), WAIT_MS)) for s in sizes) + " |")

    runs = {s: summary(all_results[s].get("Velmora", []), "start") for s in sizes}
    counts = ", ".join(f"{s}: {runs[s][3] if runs[s] else 0}" for s in sizes)
    text = "\n".join([
        "# Benchmark results",
        "",
        f"Command: `{command}`  ",
        f"Date: {datetime.datetime.now(datetime.timezone.utc):%Y-%m-%d %H:%M} UTC  ",
        f"Machine: {cpus} cores (whatever else runs on it while measuring adds noise)  ",
        f"Wine: {wine}; Windows version of the prefixes: Wine's default (Windows NT family)  ",
        f"Build measured: {BUILD_SAID}  ",
        f"Rounds: {rounds} per size after one warm-up round (Velmora runs counted: {counts})",
        "",
        "Registry sizes (added to Wine's own registry): " + "; ".join(
            f"{s}: nothing added" if not any(SIZES[s]) else
            f"{s}: {SIZES[s][0]:,} extension keys under HKEY_CLASSES_ROOT (a tenth with \"ShellNew\"), "
            f"{SIZES[s][1]:,} uninstall entries, {SIZES[s][2]:,} Run values" for s in sizes) + ".",
        "",
        "Each figure: median (minimum\u2013maximum). Start-up is from just before CreateProcess in the "
        "launcher to the first timer tick after the main window is shown and painted. The lists are read on a "
        "thread of their own from the start of the window's initialisation; each walk is timed on that thread, "
        "its registry calls counted by kind, and each list counts as filled when its page's list box is filled "
        "on the window's thread (from launch; the window's thread sleeps the prescribed 1,200 ms once it is "
        "shown, so a list read by then is filled just after it). A list's floor is the registry calls its load "
        "made, written down as the program's own code made them and made again straight to advapi32 by a loop "
        "that keeps nothing (bench/CallScript.h), inside the benchmark build of Velmora once the window is "
        "painted and every list filled; the same in a console process of its own (RegistryFloor.exe) is shown "
        "beside it.",
        "",
        head, rule, *rows,
        "",
        *floors(stat, sizes),
        "",
        *memory(stat, sizes),
        "",
        *causes(stat, sizes),
        "",
        "## Goals",
        "",
        *goals(stat, sizes, exe_size),
        "",
        "Notes:",
        "",
        "- A load and its floor run at different moments on a machine that may be shared with other builds "
        "and tests; ratios below 1 show how far that noise goes (compare the min\u2013max spreads), not a "
        "load cheaper than its calls.",
        "- The programs run in a Wine desktop window. Straight on Xvfb, which has no window manager, "
        "destroying the promotional window took 2.05\u20132.15 s (three runs, 2026-12-08; 0.05\u20130.16 s in "
        "a Wine desktop window), apparently Wine's X11 driver waiting for a window manager that is not there: "
        "a cost of the display, not of the program, so it is left out.",
        "- The Windows version of the prefixes is Wine's default (NT family), so the Security page is not "
        "loaded; the three list pages load on every system.",
        "",
        f"`Velmora.exe` (Release build, build/bench/{RELEASE_TREE}): {exe_size:,} bytes (goal < 1,048,576).",
        "",
        "Where Velmora's start-up goes, ms from process creation (GetProcessTimes) to each step "
        "(median, min\u2013max):",
        "",
        "| Step reached | " + " | ".join(sizes) + " |",
        rule, *step_rows,
        "",
    ])
    return text


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--sizes", default="default,middle,large")
    parser.add_argument("--no-build", action="store_true", help="use the build in build/bench as it is")
    parser.add_argument("--report-only", action="store_true",
                        help="report the marks of the last measurement again, without running anything")
    parser.add_argument("--output", default=str(ROOT / "bench" / "results.md"))
    args = parser.parse_args()
    sizes = args.sizes.split(",")
    if args.rounds < 5:
        parser.error("at least five rounds")
    if not args.no_build and not args.report_only:
        build()
    if not args.report_only:
        for size in sizes:
            measure(size, args.rounds)
    results = {size: collect(size) for size in sizes}
    command = "bench/run" + "".join(f" {a}" for a in sys.argv[1:] if a not in ("--no-build", "--report-only"))
    text = report(results, sizes, args.rounds, command)
    print(text)
    pathlib.Path(args.output).write_text(text)
    log(f"written to {args.output}")


if __name__ == "__main__":
    main()
