"""Mutants drawn by rule from the C++ sources: the classic one-line slips of
mutation testing, each a copy of one line with one change.

    relational   a < b -> a <= b, a > b -> a >= b (and back); == <-> !=
    constant     an integer literal off by one (0 -> 1, n -> n - 1)
    negation     if (c) / while (c) -> if (!(c)) / while (!(c))
    logical      && <-> ||
    deletion     a call, assignment or throw statement -> {}
    return       return x; -> return {};  (the type's empty value)
    swap         f(a, b) -> f(b, a)

Only code is mutated: comments, string and character literals and
preprocessor lines are masked out before the rules look at a line.
"""

import hashlib
import pathlib
import re

RULES = ("relational", "constant", "negation", "logical", "deletion", "return", "swap")


class Mutant:
    def __init__(self, path, line, old, new, rule):
        self.path = path  # relative to the tree, e.g. "src/platform/Path.cpp"
        self.line = line  # 1-based
        self.old = old  # the line as it stands, without its line break
        self.new = new  # the line with the mutation
        self.rule = rule
        self.occurrence = 0  # how many lines above it in its file read the same

    def key(self):
        """What names a mutant across edits elsewhere in its file (claims of
        equivalence name it so)."""
        return (self.path, self.old.strip(), self.new.strip())

    def name(self):
        """A short name, unique in the tree."""
        return hashlib.sha1("\0".join(self.key() + (str(self.occurrence),)).encode()).hexdigest()[:8]

    def describe(self):
        return f"{self.path}:{self.line}  [{self.rule}] {self.old.strip()}  ->  {self.new.strip()}"

    def planted(self, text):
        lines = text.split("\n")
        if lines[self.line - 1] != self.old:
            raise ValueError(f"line {self.line} of {self.path} has changed")
        lines[self.line - 1] = self.new
        return "\n".join(lines)


def masked(text):
    """The text with comments, string and character literals and
    preprocessor lines blanked (quotes kept), same length, same lines."""
    out = list(text)
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            # A preprocessor line, with its continuations.
            while i < n and not (text[i] == "\n" and text[i - 1] != "\\"):
                out[i] = " "
                i += 1
            continue
        if c == "\n":
            line_start = True
            i += 1
            continue
        if not c.isspace():
            line_start = False
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out[i] = " "
                i += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            for j in range(i, end):
                if text[j] != "\n":
                    out[j] = " "
            i = end
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i + 2)
            delimiter = text[i + 2:open_paren]
            end = text.find(")" + delimiter + '"', open_paren)
            end = n if end < 0 else end + len(delimiter) + 2
            for j in range(i + 1, end):
                if text[j] != "\n":
                    out[j] = " "
            i = end
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum():
                i += 1  # a digit separator, 1'000
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            for k in range(i + 1, min(j, n)):
                out[k] = " "
            i = j + 1
        else:
            i += 1
    return "".join(out)


RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
RELATIONAL_AT = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
LOGICAL_AT = re.compile(r"(?<= )(&&|\|\|)(?= )")
CONSTANT_AT = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")
CONDITION_AT = re.compile(r"\b(if|while)\s*\(")
RETURN_LINE = re.compile(r"^(\s*)return\s+(.+);\s*$")
STATEMENT_LINE = re.compile(
    r"^\s*(throw\b.*|[A-Za-z_][\w:\[\]]*(?:(?:\.|->)[A-Za-z_]\w*(?:\(\))?)*(?:\(.*\)|\s*[-+*/|&^]?=\s.*|\+\+|--));\s*$")
SWAP_AT = re.compile(r"\b\w+\(([A-Za-z_][\w.:>\-]*), ([A-Za-z_][\w.:>\-]*)\)")
# Values that are already their type's empty one (kExitOk, tlpp's status
# for success, is 0).
EMPTY = {"*this", "false", "0", "nullptr", "\"\"", "std::string()", "std::nullopt", "std::string{}", "kExitOk"}
KEYWORDS = {"if", "while", "for", "switch", "return", "sizeof", "static_cast", "const_cast", "reinterpret_cast"}


def closing(code, at):
    """The index of the parenthesis closing the one at `at`, on the same
    line, or -1."""
    depth = 0
    for j in range(at, len(code)):
        if code[j] == "(":
            depth += 1
        elif code[j] == ")":
            depth -= 1
            if depth == 0:
                return j
    return -1


def balanced(code):
    depth = 0
    for c in code:
        depth += (c == "(") - (c == ")")
        if depth < 0:
            return False
    return depth == 0


def line_mutants(path, number, line, code, previous):
    """Every mutant of one line; `code` is the line masked, `previous` the
    last line of code above it, masked and stripped."""
    found = []

    def add(start, end, replacement, rule):
        found.append(Mutant(path, number, line, line[:start] + replacement + line[end:], rule))

    for match in RELATIONAL_AT.finditer(code):
        add(match.start(), match.end(), RELATIONAL[match.group(1)], "relational")
    for match in LOGICAL_AT.finditer(code):
        add(match.start(), match.end(), "||" if match.group(1) == "&&" else "&&", "logical")
    for match in CONSTANT_AT.finditer(code):
        value = int(match.group(1), 8 if len(match.group(1)) > 1 and match.group(1).startswith("0") else 10)
        if match.group(1).startswith("0") and len(match.group(1)) > 1:
            if value == 0:
                continue
            add(match.start(), match.end(), "0" + format(value - 1, "o"), "constant")
        else:
            add(match.start(), match.end(), "1" if value == 0 else str(value - 1), "constant")
    for match in CONDITION_AT.finditer(code):
        start = match.end() - 1
        end = closing(code, start)
        if end > start + 1 and "constexpr" not in code[match.start():start]:
            add(start + 1, end, "!(" + line[start + 1:end] + ")", "negation")
    stripped = code.strip()
    if previous.endswith((";", "{", "}", ":", ")")) or previous == "" or previous.endswith("else"):
        if (match := RETURN_LINE.match(code)) and balanced(code):
            value = match.group(2).strip()
            # A value that is already its type's empty one gives no mutant.
            if value not in EMPTY and not value.startswith("{"):
                add(0, len(line), match.group(1) + "return {};", "return")
        elif STATEMENT_LINE.match(code) and balanced(code) and stripped.split("(")[0].split()[0] not in KEYWORDS:
            indent = len(line) - len(line.lstrip())
            add(indent, len(line), "{}", "deletion")
    for match in SWAP_AT.finditer(code):
        name = match.group(0).split("(")[0]
        first, second = match.group(1), match.group(2)
        if name in KEYWORDS or first == second:
            continue
        add(match.start(1), match.end(2), line[match.start(2):match.end(2)] + ", " + line[match.start(1):match.end(1)],
            "swap")
    return found


def file_mutants(root, path):
    text = (root / path).read_text()
    code_lines = masked(text).split("\n")
    lines = text.split("\n")
    found, previous, seen = [], "", {}
    for index, (line, code) in enumerate(zip(lines, code_lines)):
        if code.strip():
            for mutant in line_mutants(path, index + 1, line, code, previous):
                mutant.occurrence = seen.get(mutant.key(), 0)
                seen[mutant.key()] = mutant.occurrence + 1
                found.append(mutant)
            previous = code.strip()
    return found


def sources(root):
    """The C++ files mutants are drawn from: every .cpp under src/ and tools/."""
    return sorted(str(p.relative_to(root)) for folder in ("src", "tools") for p in (root / folder).rglob("*.cpp"))


def every_mutant(root):
    return [mutant for path in sources(root) for mutant in file_mutants(root, path)]


def drawn(root, seed):
    """Every mutant, in the seed's order: a run takes them from the front,
    passing over those that do not build, until it has its sample. A
    mutant's place depends only on the seed and its own name, so an edit
    elsewhere leaves the order of the others as it was."""
    def place(mutant):
        return hashlib.sha1(f"{seed}\0{mutant.name()}".encode()).hexdigest()
    return sorted(every_mutant(root), key=place)


if __name__ == "__main__":
    import collections
    import sys

    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[2])
    everything = every_mutant(root)
    print(len(everything), "mutants;", dict(collections.Counter(m.rule for m in everything)))
    for m in drawn(root, int(sys.argv[2]) if len(sys.argv) > 2 else 1)[:40]:
        print(m.describe())
