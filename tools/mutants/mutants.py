#!/usr/bin/env python3
"""Mutation testing: plants one fault at a time in a scratch copy of the
tree, rebuilds, runs the tests that reach the changed line and says whether
one of them failed (caught) or none did (MISSED).

Two kinds of fault run:
  - a seeded random sample drawn by rule from every .cpp of src/ and tools/
    (rules.py): relational and equality operators, constants off by one,
    negated conditions, && for ||, deleted statements, empty returns and
    swapped arguments. A drawn mutant that does not build is passed over;
  - the hand-written list of faults.txt, for the faults that matter most.

A survivor is either caught by a new test or claimed equivalent, with the
reason no input can tell it apart, in equivalent.txt (drawn mutants) or
faults.txt (the list). The score counts only the rest. A claimed
equivalent is counted as such without being planted; --claims plants and
tests the claims too, to find one a test now tells apart.

Which tests reach a line comes from a coverage build: the code of src/ and
tools/ is compiled with --coverage in the scratch build, every test runs
once on the unchanged tree in a profile folder of its own, and gcov says
which lines each one ran. A mutant runs only the tests that ran its line
(all that ran its file, for a line without code of its own), two at a
time: first those that caught an earlier fault in the same file
(remembered from run to run), then the fastest. It stops at the first
failure, and stops the test running beside it; a line no test runs is
missed once the mutant is shown to build.

The scratch copy, its build, the reach (keyed by the tree's content) and
the remembered killers live in TLPP_MUTANTS_DIR (default
/tmp/tlpp-mutants) and are kept between runs, so a second run starts at
once. ccache, when installed, answers for the file a mutant touched when
it is put back.

    tools/mutants/mutants.py                       100 drawn with seed 1, then the list
    tools/mutants/mutants.py --sample 50 --seed 7  50 drawn with seed 7, then the list
    tools/mutants/mutants.py --sample 0            the list only
    tools/mutants/mutants.py --no-list             the drawn sample only
    tools/mutants/mutants.py --mutant 1a2b3c4d     one drawn mutant, by the name a run printed
    tools/mutants/mutants.py --only 3,17           faults 3 and 17 of the list only
    tools/mutants/mutants.py --claims              as the first, the claimed equivalents planted too
    tools/mutants/mutants.py --check               the list and equivalents only: every entry found
    tools/mutants/mutants.py --matrix kills.json   as the first, and which one or two tests catch each fault
"""

import argparse
import concurrent.futures
import hashlib
import json
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import threading
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import rules  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parents[2]
HERE = ROOT / "tools" / "mutants"
WORK = pathlib.Path(os.environ.get("TLPP_MUTANTS_DIR", "/tmp/tlpp-mutants"))
TREE = WORK / "tree"
BUILD = WORK / "build"
PROFILES = WORK / "profiles"
JOBS = int(os.environ.get("JOBS", "2"))

# The gtest programs, and the CTest tests that are not gtest cases but run
# the library's code (hosts, the Python module, the real window). Left out:
# checks of the build itself (ABI, symbols, packaging, the schema file, the
# installed tree) and the fuzzers' replays, which build a tree of their own.
PROGRAMS = ["platform_tests", "plugin_tests", "catalogue_tests", "staging_tests", "dialog_tests", "check_tests",
            "tools_tests", "server_tests", "dialog_qt_tests"]
CTEST_PREFIXES = ("python.", "host.publish_", "server.no_widget_toolkit", "dialog_qt.real_window")
ENVIRONMENT = dict(os.environ, QT_QPA_PLATFORM="offscreen")


# ---------------------------------------------------------------- the faults

class Fault:
    """A fault of the hand-written list: an anchor found once in its file,
    and a change inside it."""

    def __init__(self, number, path, fields):
        self.number = number
        self.path = path
        self.anchor = fields.get("at", "")
        self.old = fields.get("old", "")
        self.new = fields.get("new", "")
        self.equivalent = fields.get("equivalent")
        self.line = 0
        self.lines = []

    def name(self):
        return f"#{self.number}"

    def describe(self):
        return f"{self.path}:{self.line}  {self.old.strip()!r} -> {self.new.strip()!r}"

    def reproduce(self):
        return f"tools/mutants/mutants.py --only {self.number}"

    def planted(self, text):
        """The file's text with the fault in it; raises ValueError when the
        anchor is not there exactly once or does not hold the old text."""
        if text.count(self.anchor) != 1:
            raise ValueError(f"anchor found {text.count(self.anchor)} times: {self.anchor!r}")
        if self.old not in self.anchor:
            raise ValueError(f"old text not in the anchor: {self.old!r}")
        at = text.index(self.anchor)
        self.line = text.count("\n", 0, at) + 1
        self.lines = list(range(self.line, self.line + self.anchor.count("\n") + 1))
        return text[:at] + self.anchor.replace(self.old, self.new, 1) + text[at + len(self.anchor):]


def read_blocks(path):
    """The blocks of a list file: a path line, then `key: value` lines."""
    blocks = []
    for block in path.read_text().split("\n\n"):
        lines = [line for line in block.splitlines() if line and not line.startswith("#")]
        if not lines:
            continue
        fields = {}
        for line in lines[1:]:
            key, _, value = line.partition(":")
            fields[key.strip()] = value.lstrip(" ").replace("\\n", "\n")
        blocks.append((lines[0].strip(), fields))
    return blocks


def read_faults(path):
    return [Fault(number, name, fields) for number, (name, fields) in enumerate(read_blocks(path), 1)]


def read_equivalents(path):
    """The drawn mutants claimed equivalent: (path, line, mutant) -> reason."""
    return {(name, fields["line"].strip(), fields["mutant"].strip()): fields["equivalent"]
            for name, fields in read_blocks(path)}


class Drawn:
    """A mutant drawn by rule, as the runner plants it."""

    def __init__(self, mutant):
        self.mutant = mutant
        self.path = mutant.path
        self.line = mutant.line
        self.lines = [mutant.line]
        self.equivalent = None

    def name(self):
        return self.mutant.name()

    def describe(self):
        return self.mutant.describe()

    def reproduce(self):
        return f"tools/mutants/mutants.py --mutant {self.name()}"

    def planted(self, text):
        return self.mutant.planted(text)


# ------------------------------------------------------------ tree and build

def sync_tree():
    """Copies the working tree's files into the scratch copy, touching only
    those that differ, and removes files that are gone."""
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=ROOT,
                            check=True, capture_output=True).stdout.decode().split("\0")
    wanted = {name for name in listed if name and (ROOT / name).is_file()}
    for name in wanted:
        source, target = ROOT / name, TREE / name
        if target.is_file() and target.read_bytes() == source.read_bytes():
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(source, target)
    for target in TREE.rglob("*"):
        if target.is_file() and str(target.relative_to(TREE)) not in wanted:
            target.unlink()
    digest = hashlib.sha1()
    for name in sorted(wanted):
        digest.update(name.encode() + b"\0" + (TREE / name).read_bytes())
    return digest.hexdigest()


def configure():
    """A build without optimisation, the code of src/ and tools/ compiled
    for coverage, with Ninja, gold, the outside headers precompiled, no
    manual page, and ccache where it is installed; test programs are not
    linked again when only the library changed. Configured again when these
    settings change."""
    launcher = shutil.which("ccache") or ""
    linker = "--coverage -fuse-ld=gold"
    settings = ["-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_CXX_FLAGS_RELEASE=-O0",
                "-DCMAKE_C_FLAGS_RELEASE=-O0",
                f"-DCMAKE_PROJECT_TLPaymentPlugIns_INCLUDE={TREE / 'tools' / 'mutants' / 'coverage.cmake'}",
                f"-DCMAKE_EXE_LINKER_FLAGS={linker}", f"-DCMAKE_SHARED_LINKER_FLAGS={linker}",
                f"-DCMAKE_MODULE_LINKER_FLAGS={linker}", "-DCMAKE_LINK_DEPENDS_NO_SHARED=ON",
                "-DCMAKE_INTERPROCEDURAL_OPTIMIZATION=OFF", "-DTLPP_PRECOMPILE_HEADERS=ON",
                "-DHELP2MAN=HELP2MAN-NOTFOUND",  # no manual page made again each time tlpp is linked
                f"-DCMAKE_CXX_COMPILER_LAUNCHER={launcher}", f"-DCMAKE_C_COMPILER_LAUNCHER={launcher}"]
    stamp = BUILD / "mutants-settings.json"
    if (BUILD / "build.ninja").exists() and stamp.exists() and json.loads(stamp.read_text()) == settings:
        return
    subprocess.run(["cmake", "-S", str(TREE), "-B", str(BUILD), *settings], check=True, stdout=subprocess.DEVNULL)
    stamp.write_text(json.dumps(settings))


def build():
    # ccache answers for a file put back as it was. In its depend mode it
    # never runs the preprocessor, which a mutant, new each time, would pay
    # for in full; the runner writes whole files before each build, so a
    # file's time need not be trusted, and precompiled headers are allowed.
    environment = dict(os.environ, CCACHE_BASEDIR=str(WORK), CCACHE_DEPEND="1",
                       CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime")
    result = subprocess.run(["ninja", "-C", str(BUILD), "-j", str(JOBS)], env=environment,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    return result.returncode == 0, result.stdout.decode(errors="replace")


# ------------------------------------------------------------------ the tests

class Test:
    def __init__(self, program, name):
        self.program = program  # a gtest program, or None for a CTest test
        self.name = name
        self.seconds = 0.0

    def label(self):
        return f"{self.program} {self.name}" if self.program else f"ctest {self.name}"

    def command(self):
        if self.program:
            return [str(BUILD / "tests" / self.program), "--gtest_brief=1", "--gtest_filter=" + self.name]
        return ["ctest", "--test-dir", str(BUILD), "-R", "^" + self.name.replace(".", r"\.") + "$",
                "--no-tests=error"]

    def run(self, profile, timeout, enough=None):
        """True when the test passes, within the timeout; None when `enough`
        (an event) is set first, because other tests told what was asked.
        The test runs in a process group of its own, killed whole when it
        ends: a mutant that hangs a program the test started (tlpp, a host)
        leaves nothing behind to slow the next one down."""
        environment = dict(ENVIRONMENT, GCOV_PREFIX=str(profile))
        process = subprocess.Popen(self.command(), cwd=BUILD / "tests", env=environment, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        deadline = time.monotonic() + timeout
        try:
            while time.monotonic() < deadline:
                try:
                    return process.wait(timeout=0.02) == 0
                except subprocess.TimeoutExpired:
                    if enough is not None and enough.is_set():
                        return None
            return False
        finally:
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()


def list_tests():
    tests = []
    for program in PROGRAMS:
        listing = subprocess.run([str(BUILD / "tests" / program), "--gtest_list_tests"], cwd=BUILD / "tests",
                                 env=ENVIRONMENT, check=True, capture_output=True).stdout.decode()
        suite = ""
        for line in listing.splitlines():
            name = line.split("#")[0].strip()
            if not line.startswith(" "):
                suite = name
            elif name:
                tests.append(Test(program, suite + name))
    listing = subprocess.run(["ctest", "--test-dir", str(BUILD), "-N"], check=True, capture_output=True).stdout
    for line in listing.decode().splitlines():
        name = line.split(":", 1)[1].strip() if "Test #" in line else ""
        if name.startswith(CTEST_PREFIXES):
            tests.append(Test(None, name))
    return tests


def each(function, items):
    with concurrent.futures.ThreadPoolExecutor(max_workers=JOBS) as pool:
        return list(pool.map(function, items))


def reach_of(index, profile):
    """The lines of src/ and tools/ that one test ran: {path: {line, ...}},
    from gcov over the profile folder it wrote."""
    found = {}
    mirror = pathlib.Path(str(profile) + str(BUILD))
    counts = list(mirror.rglob("*.gcda")) if mirror.exists() else []
    for count in counts:
        notes = BUILD / count.relative_to(mirror).with_suffix(".gcno")
        link = count.with_suffix(".gcno")
        if notes.exists() and not link.exists():
            link.symlink_to(notes)
    if not counts:
        return index, found
    # A source's name is relative to the build where ccache made it so, and
    # relative to the tree once the tree's prefix is taken off; names still
    # absolute (the system's headers) are left out, which halves gcov's time.
    output = subprocess.run(["gcov", "--json-format", "--stdout", "--relative-only", "--source-prefix", str(TREE),
                             *map(str, counts)], cwd=BUILD, capture_output=True).stdout.decode(errors="replace")
    for document in output.splitlines():
        if not document.strip():
            continue
        for entry in json.loads(document).get("files", []):
            name = entry["file"]
            path = os.path.normpath(os.path.join(BUILD if name.startswith("../") else TREE, name))
            if not path.startswith(str(TREE) + "/"):
                continue
            relative = path[len(str(TREE)) + 1:]
            if not relative.startswith(("src/", "tools/")):
                continue
            lines = found.setdefault(relative, {})
            for line in entry["lines"]:
                lines[line["line_number"]] = lines.get(line["line_number"], 0) + line["count"]
    return index, found


class Reach:
    """Which tests ran which line, on the unchanged tree."""

    def __init__(self, tests, ran):
        self.tests = tests
        self.ran = ran  # {path: {line: [test index, ...]}}; a line with code no test ran maps to []

    def tests_for(self, path, lines):
        ran = self.ran.get(path, {})
        chosen = set()
        coded = [line for line in lines if str(line) in ran]
        if coded:
            for line in coded:
                chosen.update(ran[str(line)])
        else:  # no code of its own on the line: a declaration, a constant
            for indexes in ran.values():
                chosen.update(indexes)
        return chosen


def measure(tests, digest):
    """Runs every test once on the unchanged tree, each with a profile
    folder of its own, and records its time and the lines it ran. Kept in
    the scratch folder for the tree's content."""
    saved = WORK / "reach.json"
    if saved.exists():
        data = json.loads(saved.read_text())
        if data.get("digest") == digest and [t.label() for t in tests] == data["tests"]:
            for test, seconds in zip(tests, data["seconds"]):
                test.seconds = seconds
            return Reach(tests, data["ran"])
    shutil.rmtree(PROFILES, ignore_errors=True)
    PROFILES.mkdir(parents=True)

    def baseline(index):
        test = tests[index]
        started = time.monotonic()
        passed = test.run(PROFILES / str(index), timeout=600)
        test.seconds = time.monotonic() - started
        return passed

    passed = each(baseline, range(len(tests)))
    failing = [test.label() for test, ok in zip(tests, passed) if not ok]
    if failing:
        raise SystemExit("the unchanged tree fails: " + "; ".join(failing))
    ran = {}
    for index, found in each(lambda i: reach_of(i, PROFILES / str(i)), range(len(tests))):
        for path, lines in found.items():
            into = ran.setdefault(path, {})
            for line, count in lines.items():
                into.setdefault(str(line), [])
                if count:
                    into[str(line)].append(index)
    shutil.rmtree(PROFILES, ignore_errors=True)
    saved.write_text(json.dumps({"digest": digest, "tests": [t.label() for t in tests],
                                 "seconds": [t.seconds for t in tests], "ran": ran}))
    return Reach(tests, ran)


def failures(tests, wanted):
    """The first `wanted` of the tests to fail (fewer when fewer fail); two
    at a time, in the order given, the rest cancelled and those running
    stopped once enough failed."""
    scratch = WORK / "scratch-profile"
    failed = []
    enough = threading.Event()
    with concurrent.futures.ThreadPoolExecutor(max_workers=JOBS) as pool:
        runs = {pool.submit(test.run, scratch, max(10.0, 5 * test.seconds), enough): test for test in tests}
        for done in concurrent.futures.as_completed(runs):
            if not done.cancelled() and done.result() is False:
                failed.append(runs[done])
                if len(failed) == wanted:
                    enough.set()
                    for other in runs:
                        other.cancel()
                    break
    return failed


# -------------------------------------------------------------------- the run

SPENT = {"build": 0.0, "tests": 0.0}


def judge(fault, reach, killers, matrix=None, claims=False):
    """Plants one fault, builds and runs the tests that reach it: caught,
    MISSED, unreached (missed: no test runs its line) or unbuilt. A claimed
    equivalent is equal without being planted, unless `claims` asks for it
    to run like the rest: then a test that catches it contradicts the claim.
    With a matrix, a caught fault runs on until a second test fails too, and
    the matrix records the one or two that failed: a fault only one test
    catches is why that test stays."""
    if fault.equivalent and not claims:
        return "equal", fault.equivalent
    target = TREE / fault.path
    original = target.read_text()
    planted = fault.planted(original)
    chosen = reach.tests_for(fault.path, fault.lines)
    target.write_text(planted)
    try:
        started = time.monotonic()
        built, _ = build()
        SPENT["build"] += time.monotonic() - started
        if not built:
            return "unbuilt", ""
        if not chosen:
            return ("equal", fault.equivalent) if fault.equivalent else ("unreached", "no test runs the line")
        known = killers.get(fault.path, [])

        def rank(index):  # the file's latest killers first, then the fastest
            label = reach.tests[index].label()
            return (known.index(label) if label in known else len(known), reach.tests[index].seconds)

        order = sorted(chosen, key=rank)
        started = time.monotonic()
        failed = failures([reach.tests[index] for index in order], 1 if matrix is None else 2)
        SPENT["tests"] += time.monotonic() - started
    finally:
        target.write_text(original)
    if failed and matrix is not None:
        matrix[fault.name()] = [test.label() for test in failed]
    if failed:
        label = failed[0].label()
        known = killers.setdefault(fault.path, [])
        if label in known:
            known.remove(label)
        known.insert(0, label)
        return "caught", label
    if fault.equivalent:
        return "equal", fault.equivalent
    return "MISSED", f"{len(chosen)} tests run the line"


def check_lists(faults, equivalents, root):
    problems = []
    for fault in faults:
        try:
            fault.planted((root / fault.path).read_text())
        except (ValueError, OSError) as problem:
            problems.append(f"fault {fault.number} ({fault.path}): {problem}")
    every = {mutant.key() for mutant in rules.every_mutant(root)}
    for key in equivalents:
        if key not in every:
            problems.append(f"equivalent.txt: no such mutant now: {key[0]}: {key[1]} -> {key[2]}")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--sample", type=int, default=100, help="how many drawn mutants (default 100)")
    parser.add_argument("--seed", type=int, default=1, help="the seed of the draw (default 1)")
    parser.add_argument("--no-list", action="store_true", help="leave out the faults of faults.txt")
    parser.add_argument("--only", help="only these faults of faults.txt, comma-separated numbers")
    parser.add_argument("--mutant", help="only this drawn mutant, by the name a run printed")
    parser.add_argument("--claims", action="store_true",
                        help="plant and test the claimed equivalents too: a claim a test catches shows as caught")
    parser.add_argument("--check", action="store_true", help="check faults.txt and equivalent.txt, and stop")
    parser.add_argument("--matrix", metavar="FILE",
                        help="run caught faults on to a second failing test and add which failed to FILE (JSON)")
    options = parser.parse_args()

    faults = read_faults(HERE / "faults.txt")
    equivalents = read_equivalents(HERE / "equivalent.txt")
    if options.check:
        problems = check_lists(faults, equivalents, ROOT)
        print("\n".join(problems) if problems else
              f"{len(faults)} faults, every anchor unique; {len(equivalents)} equivalents, every one drawn")
        return 1 if problems else 0

    started = time.monotonic()
    WORK.mkdir(parents=True, exist_ok=True)
    digest = sync_tree()
    problems = check_lists(faults, equivalents, TREE)
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 2
    configure()
    built, log = build()
    if not built:
        print(log[-4000:], file=sys.stderr)
        print("the unchanged tree does not build", file=sys.stderr)
        return 2
    tests = list_tests()
    reach = measure(tests, digest)
    print(f"{len(tests)} tests; reach measured ({(time.monotonic() - started) / 60:.1f} min)", flush=True)

    drawn = []
    if options.mutant or (options.sample and not options.only):
        for mutant in rules.drawn(TREE, options.seed):
            one = Drawn(mutant)
            one.equivalent = equivalents.get(mutant.key())
            drawn.append(one)
        if options.mutant:
            drawn = [one for one in drawn if one.name() == options.mutant]
            if not drawn:
                print(f"no drawn mutant is named {options.mutant} in this tree", file=sys.stderr)
                return 2
    listed = [] if options.no_list or options.mutant else faults
    if options.only:
        chosen = {int(number) for number in options.only.split(",")}
        listed = [fault for fault in faults if fault.number in chosen]

    # The tests that caught a fault in each file, kept from run to run: they
    # run first for the next fault of the same file.
    saved_killers = WORK / "killers.json"
    killers = json.loads(saved_killers.read_text()) if saved_killers.exists() else {}
    matrix = None
    if options.matrix:
        saved = pathlib.Path(options.matrix)
        matrix = json.loads(saved.read_text()) if saved.exists() else {}
    tally = {"drawn": {}, "listed": {}}
    survivors = []

    def report(kind, fault, verdict, note):
        tally[kind][verdict] = tally[kind].get(verdict, 0) + 1
        if verdict in ("MISSED", "unreached"):
            survivors.append(fault)
        if verdict != "unbuilt":
            print(f"{fault.name():>9}  {verdict:9} {fault.describe()}" + (f"  ({note})" if note else ""), flush=True)
        # Kept after every fault, so that a run stopped part way keeps what it learnt.
        saved_killers.write_text(json.dumps(killers))
        if matrix is not None:
            pathlib.Path(options.matrix).write_text(json.dumps(matrix, indent=0, sort_keys=True))

    wanted = 1 if options.mutant else options.sample
    taken = 0
    for one in drawn:
        if taken == wanted:
            break
        verdict, note = judge(one, reach, killers, matrix, options.claims)
        report("drawn", one, verdict, note)
        taken += verdict != "unbuilt"
    if drawn and listed:
        print(f"\nthe list, {len(listed)} faults:", flush=True)
    for fault in listed:
        verdict, note = judge(fault, reach, killers, matrix, options.claims)
        report("listed", fault, verdict, note)

    print()
    for kind, counts in tally.items():
        caught = counts.get("caught", 0)
        missed = counts.get("MISSED", 0) + counts.get("unreached", 0)
        equal = counts.get("equal", 0)
        if not caught + missed + equal:
            continue
        score = 100.0 * caught / (caught + missed) if caught + missed else 100.0
        claimed = 100.0 * equal / (caught + missed + equal)
        what = f"drawn (seed {options.seed})" if kind == "drawn" else "the list"
        print(f"{what}: {caught} of {caught + missed} caught ({score:.1f}%); {equal} claimed equivalent"
              f" ({claimed:.0f}%); {counts.get('unbuilt', 0)} did not build"
              + ("  <- more than 10% claimed equivalent: look at the claims" if claimed > 10 else ""))
    if survivors:
        print("\nsurvivors, each with the command that plants it alone:")
        for fault in survivors:
            print(f"  {fault.describe()}\n      {fault.reproduce()}")
    print(f"\n{(time.monotonic() - started) / 60:.1f} min ({SPENT['build'] / 60:.1f} building mutants,"
          f" {SPENT['tests'] / 60:.1f} running tests)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
