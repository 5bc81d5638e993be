#!/usr/bin/env python3
"""Checks tools/ts_fill.py: filling, escapes, disambiguation, conflicts and
lines without a message."""
import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "ts_fill.py")
TS = """<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context><name>CommandTable</name>
<message><source>新建工程(&amp;N)\tCtrl+N</source><translation type="unfinished"></translation></message>
<message><source>状态点(&amp;P)</source><comment>label</comment><translation type="unfinished"></translation></message>
<message><source>状态点(&amp;P)</source><translation type="unfinished"></translation></message>
</context>
</TS>
"""


def run(table):
    with tempfile.TemporaryDirectory() as folder:
        ts, tsv = os.path.join(folder, "a.ts"), os.path.join(folder, "a.tsv")
        with open(ts, "w", encoding="utf-8") as out:
            out.write(TS)
        with open(tsv, "w", encoding="utf-8") as out:
            out.write(table)
        status = subprocess.run([sys.executable, SCRIPT, ts, tsv], capture_output=True).returncode
        root = ET.parse(ts).getroot()
        found = {}
        for message in root.iter("message"):
            translation = message.find("translation")
            found[(message.findtext("source"), message.findtext("comment"))] = (
                translation.text, translation.get("type"))
        return status, found


class TsFill(unittest.TestCase):
    def test_fills_and_finishes(self):
        status, found = run("# header\nCommandTable\t新建工程(&N)\\tCtrl+N\t&New Project\\tCtrl+N\n"
                            "CommandTable|label\t状态点(&P)\tPoint &Labels\n"
                            "CommandTable\t状态点(&P)\tState &Point\n")
        self.assertEqual(status, 0)
        self.assertEqual(found[("新建工程(&N)\tCtrl+N", None)], ("&New Project\tCtrl+N", None))
        self.assertEqual(found[("状态点(&P)", "label")], ("Point &Labels", None))
        self.assertEqual(found[("状态点(&P)", None)], ("State &Point", None))

    def test_unknown_message_and_conflict_fail_but_keep_the_rest(self):
        cases = ["CommandTable\t打开工程\tOpen\nCommandTable\t状态点(&P)\tState &Point\n",
                 "CommandTable\t状态点(&P)\tState &Point\nCommandTable\t状态点(&P)\tPoints\n"]
        for table in cases:
            status, found = run(table)
            self.assertEqual(status, 1, table)
            self.assertEqual(found[("状态点(&P)", None)], ("State &Point", None), table)
            self.assertEqual(found[("状态点(&P)", "label")][1], "unfinished", table)


if __name__ == "__main__":
    unittest.main()
