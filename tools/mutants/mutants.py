#!/usr/bin/env python3
"""Plants each fault of faults.txt alone in a scratch copy of the tree,
rebuilds the test programs the fault can reach, runs them and says whether
any test failed (caught) or none did (missed). The fault's own layer goes
first; the layers above it are built and run only while nothing has caught
it. Each test runs in a process of its own, two at a time.

The scratch copy and its build folder live in TLPP_MUTANTS_DIR (default
/tmp/tlpp-mutants) and are kept between runs: the copy is brought up to
date file by file, so the build stays incremental. ccache, when installed,
answers for the files a fault touched before; Ninja builds when installed,
make otherwise.

    tools/mutants/mutants.py                 every fault
    tools/mutants/mutants.py --only 3,17     faults 3 and 17
    tools/mutants/mutants.py --at COMMIT     the tree of a commit, not the working tree
    tools/mutants/mutants.py --check         the list only: anchors unique
"""

import argparse
import concurrent.futures
import os
import pathlib
import shutil
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
WORK = pathlib.Path(os.environ.get("TLPP_MUTANTS_DIR", "/tmp/tlpp-mutants"))
TREE = WORK / "tree"
BUILD = WORK / "build"
JOBS = os.environ.get("JOBS", "2")
TEST_TIMEOUT = 300

# The layers, lowest first, each with its test programs: src/<layer>/...
# and tools/... ("tools"). A fault can reach the tests of its own layer and
# of every layer above it.
LAYERS = [
    ("platform", ["platform_tests"]),
    ("plugin", ["plugin_tests"]),
    ("catalogue", ["catalogue_tests"]),
    ("staging", ["staging_tests"]),
    ("dialog", ["dialog_tests", "dialog_qt_tests"]),
    ("check", ["check_tests"]),
    ("tools", ["tools_tests"]),
    ("server", ["server_tests"]),
]
# What the Python tests load: they run last, with the server layer's tests,
# when nothing below has caught a fault.
PYTHON_TARGETS = ["tlpaymentplugins_python", "tlpaymentplugins_dialog_qt", "tlpp_dialog_answerer"]


class Fault:
    def __init__(self, number, path, fields):
        self.number = number
        self.path = path
        self.anchor = fields.get("at", "")
        self.old = fields.get("old", "")
        self.new = fields.get("new", "")
        self.equivalent = fields.get("equivalent")
        self.line = 0

    def describe(self):
        return f"{self.path}:{self.line}  {self.old.strip()!r} -> {self.new.strip()!r}"

    def planted(self, text):
        """The file's text with the fault in it; raises ValueError when the
        anchor is not there exactly once or does not hold the old text."""
        if text.count(self.anchor) != 1:
            raise ValueError(f"anchor found {text.count(self.anchor)} times: {self.anchor!r}")
        if self.old not in self.anchor:
            raise ValueError(f"old text not in the anchor: {self.old!r}")
        at = text.index(self.anchor)
        self.line = text.count("\n", 0, at) + 1
        return text[:at] + self.anchor.replace(self.old, self.new, 1) + text[at + len(self.anchor):]

    def layer(self):
        """The layer a fault's path lies in: src/<layer>/... or tools/..."""
        parts = pathlib.PurePosixPath(self.path).parts
        layer = parts[1] if parts[0] == "src" and len(parts) > 2 else parts[0]
        if layer not in [name for name, _ in LAYERS]:
            raise ValueError(f"not in a layer: {self.path}")
        return layer


def read_faults(path):
    faults = []
    for block in path.read_text().split("\n\n"):
        lines = [line for line in block.splitlines() if line and not line.startswith("#")]
        if not lines:
            continue
        fields = {}
        for line in lines[1:]:
            key, _, value = line.partition(":")
            fields[key.strip()] = value.lstrip(" ").replace("\\n", "\n")
        faults.append(Fault(len(faults) + 1, lines[0].strip(), fields))
    return faults


def sync_tree(revision):
    """Copies the working tree's files, or those of a commit, into the
    scratch copy, touching only those that differ, and removes files that
    are gone."""
    origin = ROOT
    if revision:
        origin = WORK / "revision"
        shutil.rmtree(origin, ignore_errors=True)
        origin.mkdir()
        archive = subprocess.run(["git", "archive", revision], cwd=ROOT, check=True, capture_output=True).stdout
        subprocess.run(["tar", "xf", "-", "-C", str(origin)], input=archive, check=True)
        listed = [str(path.relative_to(origin)) for path in origin.rglob("*")]
    else:
        listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=ROOT,
                                check=True, capture_output=True).stdout.decode().split("\0")
    wanted = {name for name in listed if name and (origin / name).is_file()}
    for name in wanted:
        source, target = origin / name, TREE / name
        if target.is_file() and target.read_bytes() == source.read_bytes():
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(source, target)
    for target in TREE.rglob("*"):
        if target.is_file() and str(target.relative_to(TREE)) not in wanted:
            target.unlink()


def cached(name):
    """A variable of the build folder's CMake cache, or None."""
    try:
        for line in (BUILD / "CMakeCache.txt").read_text().splitlines():
            key, _, value = line.partition("=")
            if key.split(":")[0] == name:
                return value
    except OSError:
        pass
    return None


def configure():
    """Configures the build folder with Ninja and ccache where they are
    installed, make and the bare compiler where they are not; a folder made
    with another generator is made afresh, one made with another launcher is
    configured again."""
    generator = "Ninja" if shutil.which("ninja") else "Unix Makefiles"
    launcher = shutil.which("ccache") or ""
    if cached("CMAKE_GENERATOR") not in (None, generator):
        shutil.rmtree(BUILD)
    built = (BUILD / ("build.ninja" if generator == "Ninja" else "Makefile")).exists()
    if built and cached("CMAKE_CXX_COMPILER_LAUNCHER") == launcher and cached("CMAKE_C_COMPILER_LAUNCHER") == launcher:
        return
    subprocess.run(["cmake", "-G", generator, "-S", str(TREE), "-B", str(BUILD), "-DCMAKE_BUILD_TYPE=Release",
                    "-DCMAKE_CXX_FLAGS_RELEASE=-O1", "-DCMAKE_C_FLAGS_RELEASE=-O1",
                    f"-DCMAKE_CXX_COMPILER_LAUNCHER={launcher}", f"-DCMAKE_C_COMPILER_LAUNCHER={launcher}"],
                   check=True, stdout=subprocess.DEVNULL)


def reach(fault):
    """The test programs and extra targets a fault can reach."""
    parts = pathlib.PurePosixPath(fault.path).parts
    if parts[1:3] == ("dialog", "qt"):
        return ["dialog_qt_tests"], []
    names = [layer for layer, _ in LAYERS]
    programs = [program for _, group in LAYERS[names.index(fault.layer()):] for program in group]
    return programs, PYTHON_TARGETS


def build(targets):
    result = subprocess.run(["cmake", "--build", str(BUILD), "-j", JOBS, "--target", *targets],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    return result.returncode == 0, result.stdout.decode(errors="replace")


def test_names(program):
    """The tests of a test program, as --gtest_filter takes them."""
    listing = subprocess.run([str(BUILD / "tests" / program), "--gtest_list_tests"], cwd=BUILD / "tests",
                             env=dict(os.environ, QT_QPA_PLATFORM="offscreen"), check=True,
                             capture_output=True).stdout.decode()
    names, suite = [], ""
    for line in listing.splitlines():
        name = line.split("#")[0].strip()
        if not line.startswith(" "):
            suite = name
        elif name:
            names.append(suite + name)
    return names


def failing_test(programs, python, tests):
    """The first test that fails, or None when all pass. Each test runs in a
    process of its own, as ctest runs them (some change the environment),
    two at a time; the first failure stops the rest."""
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")

    def run(program, name):
        try:
            result = subprocess.run([str(BUILD / "tests" / program), "--gtest_brief=1", "--gtest_filter=" + name],
                                    cwd=BUILD / "tests", env=environment, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL, timeout=TEST_TIMEOUT)
        except subprocess.TimeoutExpired:
            return f"{program} {name} (timed out)"
        return None if result.returncode == 0 else f"{program} {name}"

    with concurrent.futures.ThreadPoolExecutor(max_workers=int(JOBS)) as pool:
        for program in programs:
            runs = [pool.submit(run, program, name) for name in tests[program]]
            for done in concurrent.futures.as_completed(runs):
                if failed := done.result():
                    for other in runs:
                        other.cancel()
                    return failed
    if python:
        result = subprocess.run(["ctest", "--test-dir", str(BUILD), "-R", r"^python\.", "-j", JOBS],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if result.returncode != 0:
            return "python tests"
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--faults", type=pathlib.Path, default=ROOT / "tools" / "mutants" / "faults.txt")
    parser.add_argument("--only", help="comma-separated fault numbers")
    parser.add_argument("--at", metavar="COMMIT", help="test the tree of a commit instead of the working tree")
    parser.add_argument("--check", action="store_true", help="check the list and stop")
    options = parser.parse_args()

    faults = read_faults(options.faults)
    started = time.monotonic()
    if not options.check:
        WORK.mkdir(parents=True, exist_ok=True)
        sync_tree(options.at)
    bad = []
    for fault in faults:
        try:
            fault.layer()
            fault.planted((ROOT if options.check else TREE).joinpath(fault.path).read_text())
        except (ValueError, OSError) as problem:
            bad.append(f"fault {fault.number} ({fault.path}): {problem}")
    if bad:
        print("\n".join(bad), file=sys.stderr)
        return 2
    if options.check:
        print(f"{len(faults)} faults, every anchor unique")
        return 0
    if options.only:
        chosen = {int(number) for number in options.only.split(",")}
        faults = [fault for fault in faults if fault.number in chosen]

    configure()
    every_program = [program for _, group in LAYERS for program in group]
    built, log = build(every_program + PYTHON_TARGETS)
    if not built:
        print(log[-4000:], file=sys.stderr)
        print("the unchanged tree does not build", file=sys.stderr)
        return 2
    tests = {program: test_names(program) for program in every_program}
    broken = failing_test(every_program, True, tests)
    if broken:
        print(f"the unchanged tree fails {broken}; fix that first", file=sys.stderr)
        return 2

    caught = missed = unbuilt = equivalent = 0
    for fault in faults:
        target = TREE / fault.path
        original = target.read_text()
        target.write_text(fault.planted(original))
        try:
            verdict, note = "", ""
            programs, extra = reach(fault)
            # Layer by layer, the fault's own first: the layers above are
            # built and run only while nothing has caught it.
            for at, program in enumerate(programs):
                last = at == len(programs) - 1
                if not build([program] + (extra if last else []))[0]:
                    verdict, unbuilt = "unbuilt", unbuilt + 1
                    break
                if by := failing_test([program], bool(extra) and last, tests):
                    verdict, note, caught = "caught", f"  ({by})", caught + 1
                    break
            if not verdict and fault.equivalent:
                verdict, note, equivalent = "equal", f"  (equivalent: {fault.equivalent})", equivalent + 1
            elif not verdict:
                verdict, missed = "MISSED", missed + 1
        finally:
            target.write_text(original)
        print(f"{fault.number:3}  {verdict:8} {fault.describe()}{note}", flush=True)

    counted = caught + missed
    score = 100.0 * caught / counted if counted else 0.0
    minutes = (time.monotonic() - started) / 60
    print(f"\nscore: {caught} of {counted} caught ({score:.1f}%); {equivalent} equivalent, {unbuilt} unbuilt;"
          f" {minutes:.1f} min")
    return 0


if __name__ == "__main__":
    sys.exit(main())
