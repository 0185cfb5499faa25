#!/usr/bin/env python3
"""Lists the longest function bodies in src/ (lines from the head to the closing brace), longest
first, and fails when one is longer than the limit (default 80). It matches braces outside
strings and comments; a namespace's braces do not count as nesting, so functions in anonymous
namespaces are measured like the others. Usage: scripts/function-lengths.py [LIMIT] [COUNT]"""
import pathlib, re, sys

limit = int(sys.argv[1]) if len(sys.argv) > 1 else 80
count = int(sys.argv[2]) if len(sys.argv) > 2 else 5
root = pathlib.Path(__file__).resolve().parent.parent
found = []
for path in sorted((root / "src").rglob("*.cpp")):
    lines = path.read_text(encoding="utf-8").splitlines()
    stack, head = [], None  # brace kinds: "ns", "fn", "other"
    for i, line in enumerate(lines):
        code = re.sub(r'"(\\.|[^"\\])*"', '""', line)
        code = re.sub(r"'(\\.|[^'\\])*'", "''", code).split("//")[0]
        for ch in code:
            if ch == "{":
                if re.match(r"\s*(inline\s+)?namespace\b", line) or re.match(r"\s*extern\b", line):
                    stack.append("ns")
                elif all(k == "ns" for k in stack) and ")" in "".join(lines[max(0, i - 3):i + 1]) \
                        and not re.match(r"\s*(struct|class|enum|union)\b", line):
                    j = i
                    while j > 0 and lines[j - 1].strip() and not lines[j - 1].strip().endswith((";", "}", "{")) \
                            and not lines[j - 1].lstrip().startswith(("//", "#", "template")):
                        j -= 1
                    head = j
                    stack.append("fn")
                else:
                    stack.append("other")
            elif ch == "}" and stack:
                kind = stack.pop()
                if kind == "fn" and all(k == "ns" for k in stack):
                    found.append((i - head + 1, f"{path.relative_to(root)}:{head + 1}"))
found.sort(reverse=True)
for n, where in found[:count]:
    print(f"{n:4d}  {where}")
long = [f for f in found if f[0] > limit]
if long:
    print(f"{len(long)} function(s) longer than {limit} lines", file=sys.stderr)
    sys.exit(1)
