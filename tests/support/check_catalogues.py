#!/usr/bin/env python3
"""Checks translation catalogues (.ts files) for what lrelease would leave out or get wrong.

Fails on: entries not finished (empty or marked unfinished), obsolete or vanished entries,
a translation whose placeholders (%1..%9, %n) differ from its source's, a caption whose
access-key marker ("&") went missing or doubled, a plural with the wrong number of forms,
and a line of a program's help longer than 80 columns (or than the English's longest).
Usage: check_catalogues.py FILE.ts...
"""
import re
import sys
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%(?:[1-9]|n)")
# Plural forms by language: English, German and Spanish have two, Russian three.
PLURAL_FORMS = {"en": 2, "de": 2, "es": 2, "ru": 3}


def access_keys(text):
    return len(re.findall(r"&(?!&)", text.replace("&&", "")))


def problems_of(message, language):
    source = message.findtext("source") or ""
    translation = message.find("translation")
    kind = translation.get("type") if translation is not None else "missing"
    if kind in ("obsolete", "vanished"):
        yield "obsolete entry"
        return
    forms = [f.text or "" for f in translation.findall("numerusform")]
    if message.get("numerus") == "yes":
        wanted = PLURAL_FORMS.get(language)
        if wanted and len(forms) != wanted:
            yield f"{len(forms)} plural forms, {wanted} wanted"
    else:
        forms = [translation.text or ""]
    if kind == "unfinished" or any(not f.strip() for f in forms):
        yield "not translated"
        return
    for form in forms:
        if sorted(PLACEHOLDER.findall(form)) != sorted(PLACEHOLDER.findall(source)):
            yield f"placeholders differ: {form!r}"
        if access_keys(source) != access_keys(form):
            yield f"access key marker missing or doubled: {form!r}"
        if source.startswith("Usage: vendrel"):
            room = max([80] + [len(line) for line in source.split("\n")])
            for line in form.split("\n"):
                if len(line) > room:
                    yield f"help line of {len(line)} columns: {line!r}"


def check(path):
    root = ET.parse(path).getroot()
    language = (root.get("language") or "").split("_")[0]
    failures = 0
    count = 0
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            count += 1
            for problem in problems_of(message, language):
                failures += 1
                source = (message.findtext("source") or "")[:60]
                print(f"{path}: {name}: {source!r}: {problem}")
    print(f"{path}: {count} entries, {failures} problems")
    return failures == 0 and count > 0


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    results = [check(path) for path in sys.argv[1:]]
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
