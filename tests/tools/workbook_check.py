#!/usr/bin/env python3
"""Opens the sample's workbook (qorva-cli export) with openpyxl, as a
spreadsheet program reads it, and holds its cells to what the command line
prints for the same project: the state points to states, the design data and
the result values to report --json (its loads and the result texts of each
room's views), the year of fresh air to annual --json.

usage: workbook_check.py QORVA_CLI SOURCE_DIR"""
import json
import math
import os
import re
import subprocess
import sys
import tempfile
import unittest

import openpyxl

CLI = sys.argv[1] if len(sys.argv) > 1 else "qorva-cli"
SOURCE = sys.argv[2] if len(sys.argv) > 2 else os.path.join(os.path.dirname(__file__), "..", "..")
SAMPLE = os.path.join(SOURCE, "examples", "office.id")
WEATHER = os.path.join(SOURCE, "examples", "ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw")
SHEETS = ["设计参数", "制冷工况", "制热工况", "状态点", "气象小时数", "气象月平均", "室外计算参数", "全年新风"]


def cli(*args, stdin=None):
    done = subprocess.run([CLI, *args], input=stdin, capture_output=True, check=True)
    return done.stdout


def close(a, b, rel=1e-5, absolute=1e-4):
    return math.isclose(a, b, rel_tol=rel, abs_tol=absolute)


class Workbook(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.path = os.path.join(cls.folder.name, "office.xlsx")
        cli("export", SAMPLE, cls.path, "--weather", WEATHER)
        cls.book = openpyxl.load_workbook(cls.path)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def rows(self, name):
        sheet = self.book[name]
        header = [c.value for c in sheet[1]]
        return header, [list(row) for row in sheet.iter_rows(min_row=2)]

    def test_sheets_are_named_and_their_headers_frozen(self):
        self.assertEqual(self.book.sheetnames, SHEETS)
        for sheet in self.book.worksheets:
            self.assertEqual(sheet.freeze_panes, "A2", sheet.title)
            self.assertTrue(all(isinstance(c.value, str) for c in sheet[1]), sheet.title)

    def test_values_are_numeric_cells(self):
        text_columns = {"系统", "房间", "工况", "名称", "夏季室内状态点", "冬季室内状态点", "说明", "结果", "单位"}
        for name in ["设计参数", "制冷工况", "制热工况", "状态点", "气象月平均", "全年新风"]:
            header, rows = self.rows(name)
            self.assertTrue(rows, name)
            for row in rows:
                for caption, cell in zip(header, row):
                    if caption in text_columns or cell.value is None or cell.value == "全年":
                        continue
                    self.assertEqual(cell.data_type, "n", f"{name} {caption} {cell.value!r}")

    def test_state_points_are_the_states_of_their_t_and_rh(self):
        _, rows = self.rows("状态点")
        lines = "".join(f"--p {r[4].value} --t {r[5].value} --rh {r[7].value}\n" for r in rows)
        csv = cli("states", stdin=lines.encode()).decode().splitlines()
        self.assertEqual(csv[0], "p,t,tw,td,RH,x,h,pq,pqb,v,rho")
        self.assertEqual([c.number_format for c in rows[0][4:10]], ["0", "0.0", "0.0", "0", "0.0", "0.00"])
        for row, line in zip(rows, csv[1:]):
            p, t, tw, td, rh, x, h, pq, pqb, v, rho = map(float, line.split(","))
            cells = [c.value for c in row[4:]]
            for cell, value in zip(cells, [p, t, tw, rh, td, x, h, pq, pqb, v, rho]):
                self.assertTrue(close(cell, value), f"{row[3].value}: {cells} against {line}")

    def test_design_data_are_the_projects(self):
        report = json.loads(cli("report", SAMPLE, "--json"))
        header, rows = self.rows("设计参数")
        self.assertEqual(len(rows), len(report["rooms"]))
        column = {caption: i for i, caption in enumerate(header)}
        for row, room in zip(rows, report["rooms"]):
            self.assertEqual([row[0].value, row[1].value], [room["system"], room["room"]])
            for season, load in [("cooling", "冷负荷(kW)"), ("heating", "热负荷(kW)")]:
                design = room["design"][season]
                prefix = "夏季" if season == "cooling" else "冬季"
                self.assertTrue(close(row[column[load]].value * 1000, design["load"]), room["room"])
                self.assertTrue(close(row[column[prefix + "湿负荷(kg/h)"]].value, design["moisture_load"]))
                self.assertTrue(close(row[column[prefix + "新风量(m^3/h)"]].value, design["fresh_air"]))
            # The indoor enthalpy of N from its t and x: h = 1.01·t + x·(2500 + 1.85·t).
            t = row[column["夏季室内干球温度(℃)"]].value
            x = row[column["夏季室内含湿量(g/kg)"]].value / 1000
            self.assertAlmostEqual(row[column["夏季室内焓(kJ/kg)"]].value, 1.01 * t + x * (2500 + 1.85 * t),
                                   delta=0.05)

    def test_result_values_are_those_the_result_texts_show(self):
        report = json.loads(cli("report", SAMPLE, "--json"))
        number = re.compile(r"[-+]?\d+(?:\.\d+)?")
        for name, condition in [("制冷工况", "cooling"), ("制热工况", "heating")]:
            _, rows = self.rows(name)
            compared = 0
            for room in report["rooms"]:
                texts = list(room["conditions"][condition]["texts"])
                for row in rows:
                    if [row[0].value, row[1].value] != [room["system"], room["room"]]:
                        continue
                    label, cell, unit = row[2].value, row[3], row[4].value
                    # The value's text follows the label, in the shown unit.
                    shown = next((t for t in texts if t.startswith(label)), None)
                    self.assertIsNotNone(shown, f"{name} {room['room']} {label}")
                    texts.remove(shown)
                    digits = number.search(shown[len(label):]).group()
                    value = float(digits)
                    places = len(cell.number_format.partition(".")[2])
                    self.assertEqual(places, len(digits.partition(".")[2]), f"{shown} {cell.number_format}")
                    self.assertAlmostEqual(cell.value, value, delta=0.5 * 10 ** -places + 1e-6,
                                           msg=f"{shown} {cell.value} {cell.number_format}")
                    # A temperature difference is shown in ℃, its cell in K.
                    self.assertIn({"K": "℃"}.get(unit, unit), shown[len(label):])
                    compared += 1
            self.assertGreater(compared, 10, name)

    def test_fresh_air_is_that_of_annual(self):
        annual = json.loads(cli("annual", SAMPLE, WEATHER, "--json"))
        _, rows = self.rows("全年新风")
        by_room = {}
        for row in rows:
            by_room.setdefault((row[0].value, row[1].value), []).append(row)
        self.assertEqual(len(by_room), len(annual["rooms"]))
        for room in annual["rooms"]:
            sheet_rows = by_room[(room["system"], room["room"])]
            if not room["ok"]:
                self.assertEqual(len(sheet_rows), 1)
                self.assertIsNone(sheet_rows[0][3].value)
                continue
            energy = room["without_recovery"]
            self.assertEqual([r[2].value for r in sheet_rows], list(range(1, 13)) + ["全年"])
            for row, month in zip(sheet_rows, energy["months"]):
                self.assertTrue(close(row[3].value, month["cooling_kwh"]), room["room"])
                self.assertTrue(close(row[4].value, month["heating_kwh"]), room["room"])
            self.assertTrue(close(sheet_rows[12][3].value, energy["cooling_kwh"]))
            self.assertTrue(close(sheet_rows[12][4].value, energy["heating_kwh"]))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
