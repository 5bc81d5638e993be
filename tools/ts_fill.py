#!/usr/bin/env python3
"""Fills the English of translations/qorva_en.ts from tables of
context<TAB>source<TAB>english (UTF-8, one message a line, "#" starts a
comment line; a tab inside a text is written \\t, a newline \\n). A message
with a disambiguation comment (tr("source", "comment")) is named by the
context "Context|comment".

    tools/ts_fill.py translations/qorva_en.ts translations/tables/*.tsv

Each line sets the translation of the message with that context and source
and marks it finished. Lines whose message is not in the .ts file (run
update_translations first), and a second different English for a message
already given, are listed and make the exit status 1; the .ts file is still
written with the rest. Messages with plural forms are not
handled here (fill them in Qt Linguist).
"""
import sys
import xml.etree.ElementTree as ET


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text) and text[i + 1] in "tn\\":
            out.append({"t": "\t", "n": "\n", "\\": "\\"}[text[i + 1]])
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def read_table(path):
    rows = []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\r\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 3 or not fields[2]:
                raise SystemExit(f"{path}:{number}: expected context<TAB>source<TAB>english")
            rows.append((f"{path}:{number}", fields[0], unescape(fields[1]), unescape(fields[2])))
    return rows


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    ts_path = argv[1]
    tree = ET.parse(ts_path)
    messages = {}
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            key = name if message.find("comment") is None else f"{name}|{message.findtext('comment')}"
            messages.setdefault((key, message.findtext("source")), []).append(message)
    missing = 0
    given = {}
    for table in argv[2:]:
        for where, context, source, english in read_table(table):
            # One message has one translation: a second, different one is a
            # conflict between tables, never silently the last one read.
            first = given.setdefault((context, source), (where, english))
            if first[1] != english:
                print(f"{where}: {context!r} {source!r} already translated differently at {first[0]}",
                      file=sys.stderr)
                missing += 1
                continue
            found = messages.get((context, source))
            if not found:
                print(f"{where}: no message {context!r} {source!r} in {ts_path}", file=sys.stderr)
                missing += 1
                continue
            for message in found:
                translation = message.find("translation")
                if translation is None:
                    translation = ET.SubElement(message, "translation")
                translation.text = english
                translation.attrib.pop("type", None)
    ET.indent(tree, space="    ")
    with open(ts_path, "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        out.write(ET.tostring(tree.getroot(), encoding="unicode"))
        out.write("\n")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
