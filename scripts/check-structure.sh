#!/usr/bin/env bash
# Prints what breaks the source layout targets: source files over 400 lines, functions
# over 50 lines, and include circles between source units (a header and the .cpp files
# named after it count as one unit). Exits non-zero if a target is missed.
#
# The tests are measured too and their long files and functions printed as notes, but
# they do not count: a test function that walks through one scenario step by step, or
# a file that holds one seam's cases together, is easier to read whole.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - "$@" <<'PY'
import os, re, sys

FOLDERS = ["platform", "imageio", "loupe", "colour", "pin", "ocr", "capture", "longcapture", "snapshot",
           "app", "tools", "bench"]
NOTE_FOLDERS = ["tests"]
MAX_FILE, MAX_FUNC = 400, 50

def sources(folders):
    found = []
    for folder in folders:
        for root, dirs, names in os.walk(folder):
            dirs.sort()
            found += [os.path.join(root, n) for n in sorted(names) if n.endswith((".cpp", ".h"))]
    return found

files = sources(FOLDERS)

problems = 0
def report(text):
    global problems
    problems += 1
    print(text)

def strip(line, state):
    """The line without comments and string contents; state tracks block comments."""
    out, i = [], 0
    while i < len(line):
        if state["block"]:
            end = line.find("*/", i)
            if end < 0:
                return "".join(out)
            state["block"], i = False, end + 2
        elif line.startswith("//", i):
            break
        elif line.startswith("/*", i):
            state["block"], i = True, i + 2
        elif line[i] in "\"'":
            q, i = line[i], i + 1
            while i < len(line) and line[i] != q:
                i += 2 if line[i] == "\\" else 1
            i += 1
        else:
            out.append(line[i])
            i += 1
    return "".join(out)

NOT_FUNCTION = re.compile(r"^\s*(namespace|class|struct|enum|union|extern)\b|=\s*\{?$|^\s*\{")

def functions(path, lines, everywhere=False):
    """(name line, length) of every function body whose opening brace ends a line at
    namespace level or in a class body."""
    state, depth, scopes, found = {"block": False}, 0, [], []
    start = None
    for number, raw in enumerate(lines, 1):
        code = strip(raw, state)
        for ch in code:
            if ch == "{":
                header = code.split("{")[0] if code.strip() != "{" else lines[number - 2]
                is_func = start is None and not NOT_FUNCTION.search(header) and ")" in \
                    (header if header.strip() else lines[number - 2])
                if start is None and all(s == "scope" for s in scopes) and is_func:
                    start = (number, len(scopes), raw.strip())
                    scopes.append("function")
                else:
                    scopes.append("scope" if start is None else "inner")
            elif ch == "}" and scopes:
                kind = scopes.pop()
                if kind == "function" and start:
                    length = number - start[0] + 1
                    if length > MAX_FUNC or everywhere:
                        found.append((start[0], length, start[2]))
                    start = None
    return found

CLASS_DECL = re.compile(r"^\s*(?:class|struct)\s+(\w+)\b[^;]*\{\s*$")

def class_lines(paths):
    """Code lines of each class (comments and blank lines left out): its declaration
    in a header plus every member function defined outside it (Class::name), in
    whichever files they stand."""
    sizes = {}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        if path.endswith(".h"):
            state, depth = {"block": False}, 0
            current = None
            for raw in lines:
                code = strip(raw, state)
                if current is None and depth == 0 or (current is None and depth == 1 and
                                                       code.lstrip().startswith(("class", "struct"))):
                    m = CLASS_DECL.match(code)
                    if m:
                        current, start_depth, count = m.group(1), depth, 0
                if current is not None and code.strip():
                    count += 1
                depth += code.count("{") - code.count("}")
                if current is not None and depth <= start_depth:
                    sizes[current] = sizes.get(current, 0) + count
                    current = None
        for line, length, text in functions(path, lines, everywhere=True):
            m = re.search(r"(\w+)::~?\w+\s*\(", text)
            if m:
                state = {"block": False}
                body = lines[line - 1:line - 1 + length]
                sizes[m.group(1)] = sizes.get(m.group(1), 0) + sum(
                    1 for raw in body if strip(raw, state).strip())
    return sizes

units, includes = {}, {}
for name, size in sorted(class_lines(files).items()):
    if size > MAX_FILE:
        report(f"class over {MAX_FILE} code lines across its files: {name} ({size})")
for path in files:
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if len(lines) > MAX_FILE:
        report(f"file over {MAX_FILE} lines: {path} ({len(lines)})")
    for line, length, text in functions(path, lines):
        report(f"function over {MAX_FUNC} lines: {path}:{line} ({length}) {text[:60]}")
    # A file with a header of its own is that header's unit; a .cpp without one
    # (frmsnap_draw.cpp) belongs to the header it is named after (frmsnap.h).
    own = path.rsplit(".", 1)[0]
    base = re.sub(r"_[a-z0-9]+$", "", own)
    unit = own if os.path.exists(own + ".h") or not os.path.exists(base + ".h") else base
    units[path] = unit
    for line in lines:
        m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
        if m:
            includes.setdefault(unit, set()).add(m.group(1))

graph = {}
for unit, incs in includes.items():
    for inc in incs:
        target = units.get(inc)
        if target and target != unit:
            graph.setdefault(unit, set()).add(target)

# Tarjan's strongly connected components: every component of more than one unit is a circle.
index, low, stack, on, counter, circles = {}, {}, [], set(), [0], []
def visit(v):
    index[v] = low[v] = counter[0]
    counter[0] += 1
    stack.append(v)
    on.add(v)
    for w in sorted(graph.get(v, ())):
        if w not in index:
            visit(w)
            low[v] = min(low[v], low[w])
        elif w in on:
            low[v] = min(low[v], index[w])
    if low[v] == index[v]:
        comp = []
        while True:
            w = stack.pop()
            on.discard(w)
            comp.append(w)
            if w == v:
                break
        if len(comp) > 1:
            circles.append(sorted(comp))
sys.setrecursionlimit(10000)
for v in sorted(set(units.values())):
    if v not in index:
        visit(v)
for comp in circles:
    report("include circle: " + " -> ".join(comp))

notes = 0
for path in sources(NOTE_FOLDERS):
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    found = [f"file over {MAX_FILE} lines: {path} ({len(lines)})"] if len(lines) > MAX_FILE else []
    found += [f"function over {MAX_FUNC} lines: {path}:{line} ({length}) {text[:60]}"
              for line, length, text in functions(path, lines)]
    for text in found:
        print("note (tests, not a target): " + text)
    notes += len(found)

print(f"{len(files)} source files checked; {problems} problem(s); {notes} note(s) on the tests")
sys.exit(1 if problems else 0)
PY
