#!/usr/bin/env python3
"""Checks the translations against the sources of the Qt layer.

usage: check-translations.py [--list] TS... -- SOURCE_DIR...

Fails (exit 1) when a text marked for translation has no finished translation in a .ts,
when a translation drops a placeholder (%1, %2, ...) or a file pattern such as (*.png) of its
text, or when a string literal in the sources holds Japanese but is no text marked for
translation (it would show in Japanese whatever the language). With --list it only reports.
"""
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

JAPANESE = re.compile(r"[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef]")
PLACEHOLDER = re.compile(r"%L?\d+")
FILE_PATTERN = re.compile(r"\(\*[^)]*\)")
# Names, the same in every language: the language menu names each language in its own words.
NAMES = {"日本語"}


def messages(ts):
    for context in ET.parse(ts).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            yield name, message.findtext("source"), translation


def translation_faults(ts):
    faults, done, name = [], 0, Path(ts).name
    for context, source, translation in messages(ts):
        kind = translation.get("type") if translation is not None else "unfinished"
        if kind in ("vanished", "obsolete"):
            continue
        # A text with a count (%n) has a form per plural of the language.
        forms = [] if translation is None else [f.text for f in translation.iter("numerusform")]
        texts = forms or [translation.text if translation is not None else None]
        if kind == "unfinished" or not all(texts):
            faults.append(f"{name}: untranslated [{context}] {source!r}")
            continue
        done += 1
        for text in texts:
            for pattern, what in ((PLACEHOLDER, "placeholders"), (FILE_PATTERN, "file patterns")):
                if sorted(pattern.findall(source)) != sorted(pattern.findall(text)):
                    faults.append(f"{name}: {what} differ in [{context}] {source!r} -> {text!r}")
    return faults, done


def literals(path):
    """The string literals of a C++ file, adjacent ones joined, with their lines."""
    text = path.read_text(encoding="utf-8")
    token = re.compile(r"""//[^\n]*|/\*.*?\*/|"(?:[^"\\\n]|\\.)*"|'(?:[^'\\\n]|\\.)*'|\s+|.""", re.S)
    pending, line, start = None, 1, 1
    for m in token.finditer(text):
        piece = m.group(0)
        if piece.startswith('"'):
            body = piece[1:-1]
            if pending is None:
                pending, start = body, line
            else:
                pending += body
        elif not piece.isspace() and not piece.startswith(("//", "/*")):
            if pending is not None:
                yield start, pending
                pending = None
        line += piece.count("\n")
    if pending is not None:
        yield start, pending


def unmarked_texts(sources, marked):
    faults = []
    for folder in sources:
        for path in sorted(Path(folder).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            for line, body in literals(path):
                if not JAPANESE.search(body):
                    continue
                text = body.replace('\\"', '"').replace("\\n", "\n").replace("\\\\", "\\")
                if text not in marked and text not in NAMES:
                    faults.append(f"{path}:{line}: not marked for translation: {text!r}")
    return faults


def main(argv):
    listing = argv[:1] == ["--list"]
    if listing:
        argv = argv[1:]
    split = argv.index("--")
    translations, sources = argv[:split], argv[split + 1:]
    faults, marked = [], set()
    for ts in translations:
        found, done = translation_faults(ts)
        faults += found
        marked |= {source for _, source, translation in messages(ts)
                   if translation is None or translation.get("type") not in ("vanished", "obsolete")}
        print(f"{Path(ts).name}: {done} texts translated, {len(found)} to do", file=sys.stderr)
    faults += unmarked_texts(sources, marked)
    for fault in faults:
        print(fault, file=sys.stderr)
    return 0 if listing or not faults else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
