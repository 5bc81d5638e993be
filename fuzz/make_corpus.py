#!/usr/bin/env python3
"""Writes the seed corpus of the project-file fuzz target: small projects of
several file versions, each spelled out byte by byte here (independently of
the C++ writer), so the fuzzer starts from every room layout it must read.

    python3 fuzz/make_corpus.py fuzz/corpus
"""
import struct
import sys
from pathlib import Path

WORDS = [15, 16, 17, 18, 0, 1, 2, 13, 14, 3, 4, 5, 6, 20, 22, 24, 25, 19, 23, 21, 39,
         37, 38, 26, 28, 27, 29, 30, 40, 55, 44, 45, 47, 46, 77, 76, 75, 63, 65, 68, 66, 64]


class Archive:
    def __init__(self):
        self.out = bytearray()
        self.classes = {}
        self.next_index = 1

    def i32(self, v):
        self.out += struct.pack('<i', v)

    def u16(self, v):
        self.out += struct.pack('<H', v)

    def f32(self, v):
        self.out += struct.pack('<f', v)

    def f64(self, v):
        self.out += struct.pack('<d', v)

    def string(self, text):
        raw = text.encode('gbk')
        n = len(raw)
        if n < 255:
            self.out += bytes([n])
        elif n < 65534:
            self.out += b'\xff' + struct.pack('<H', n)
        else:
            self.out += b'\xff\xff\xff' + struct.pack('<I', n)
        self.out += raw

    def font(self, face):
        self.out += struct.pack('<5i8B', -12, 0, 0, 0, 400, 0, 0, 0, 134, 0, 0, 0, 0)
        self.out += face.encode('gbk').ljust(32, b'\0')

    def array(self, cls, records):
        self.u16(len(records))
        for record in records:
            if cls not in self.classes:
                self.u16(0xFFFF)
                self.u16(1)
                self.u16(len(cls))
                self.out += cls.encode('ascii')
                self.classes[cls] = self.next_index
                self.next_index += 1
            else:
                self.u16(0x8000 | self.classes[cls])
            self.next_index += 1
            record(self)


def state_point(name, t):
    def write(a):
        a.string(name)
        a.i32(0)
        for v in (0.01, t, t - 6, 50.0, 0.5):
            a.f32(v)
        a.i32(0)
        for _ in range(2):
            a.i32(-1)
        a.f32(-1.0)
        for _ in range(15):
            a.i32(-1)
        a.f32(0)
        a.f32(0)
        a.i32(-1)
        a.f32(0)
        a.i32(0)
        a.i32(0)
    return write


def process_line(a):
    a.i32(0)
    a.i32(1)
    a.string('GCX1')
    a.i32(0)


def hhr_line(a):
    a.string('ε')
    a.i32(0)
    a.f32(12000.0)
    a.i32(1)
    a.i32(-1)
    a.i32(1)


def text(a):
    a.string('送风量')
    for v in (0, 40, 0, 60):
        a.i32(v)
    a.font('宋体')
    a.i32(0)
    a.i32(0)
    for v in (0, 1, -1):
        a.i32(v)
    a.i32(0)
    a.string('1200 m^3/h')
    for i in range(9):
        a.f32(float(i))
    a.i32(1)


def comfort_area(a):
    for name in ('A', 'B', 'C', 'D', 'AB', 'BC', 'CD', 'DA', '舒适区', ''):
        a.string(name)


def param_point(a):
    a.string('P1')
    for v in (0.01, 25.0, 18.0, 50.0, 0.5):
        a.f32(v)
    a.i32(0)
    for v in (101325.0, 1600.0, 3169.0, 14.0, 0.86, 1.17):
        a.f32(v)


def room(a, version, name, objects):
    # Old projects (version None) have no indoor dry-bulb temperatures, no
    # comfort zones, no parameter points and 29 analysis words.
    old = version is None
    for v in (7.5, 1.2, 800.0, 55.0, 19.0) if old else (26.0, 7.5, 1.2, 800.0, 55.0, 19.0):
        a.f32(v)
    a.i32(1)
    a.string('N')
    a.string(name)
    for v in (4.5, 0.8, 600.0, 40.0, 12.0) if old else (20.0, 4.5, 0.8, 600.0, 40.0, 12.0):
        a.f32(v)
    a.i32(1)
    a.string('N')
    if old:
        for k in range(3):
            has = objects and k == 1
            a.array('CStatePoint', [state_point('W', 34.0), state_point('N', 26.0)] if has else [])
            a.array('CGuoChengXian', [process_line] if has else [])
            a.array('CReShiBiXian', [hhr_line] if has else [])
            a.array('CCommentString', [text] if has else [])
        for w in WORDS[:29]:
            a.i32(-1 if w in (3, 4, 5, 6, 26, 27, 28, 29, 30, 37, 38) else 0)
        return
    if version >= 322:
        a.f64(4.0); a.f64(0.0); a.i32(95)
    if version >= 323:
        for _ in range(10):
            a.i32(0)
    if version >= 324:
        a.f64(5.0); a.i32(1); a.i32(0)
    if version >= 325:
        for _ in range(7):
            a.i32(0)
        for _ in range(5):
            a.f64(0.0)
    if version >= 326:
        a.f64(0.5); a.i32(95); a.i32(1); a.i32(0); a.f64(4.0)
    if version >= 327:
        a.i32(0); a.f64(0.0)
    for k in range(3):
        has = objects and k == 1
        a.array('CStatePoint', [state_point('W', 34.0), state_point('N', 26.0)] if has else [])
        a.array('CGuoChengXian', [process_line] if has else [])
        a.array('CReShiBiXian', [hhr_line] if has else [])
        a.array('CCommentString', [text] if has else [])
        if version >= 321:
            a.array('CComfortArea', [comfort_area] if has else [])
    a.array('CParamPoint', [param_point] if objects else [])
    for w in WORDS:
        a.i32(-1 if w in (3, 4, 5, 6, 26, 27, 28, 29, 30, 37, 38, 46, 64, 66, 68) else 0)
    if version >= 328:
        # Heat recovery: total, 70 %, W1 at index 2 of the cooling view only.
        a.i32(1); a.f32(0.7); a.i32(2); a.i32(-1); a.f32(1500.0); a.f32(0.0)


def project(version, rooms):
    a = Archive()
    if version is not None and version != 320:
        a.string('QVX')
    if version is not None:
        # Version 328 carries its number negated (earlier readers refuse it).
        a.i32(-version if version == 328 else version)
    a.string('W'); a.f32(28.2); a.f32(0.0); a.f32(34.0); a.i32(0)
    a.string('W'); a.f32(-6.0); a.f32(0.0); a.f32(-4.0); a.i32(0)
    a.i32(1)
    a.string('空调系统1')
    a.i32(len(rooms))
    for name, objects in rooms:
        room(a, version, name, objects)
    a.string('工程')
    a.i32(1)
    for v in (20.0, 101325.0, 0.0056, 1.2, 20.0, 101325.0, 0.0056, 1.2):
        a.f32(v)
    for v in (0, 0, 1, 10, 10, 10, 10, 0, 1, 0):
        a.i32(v)
    a.font('宋体')
    for v in (0, 0, 0, 2, 2, 0, 0):
        a.i32(v)
    a.font('宋体')
    for v in (0, 0, 1, 1, 1, 0, 0):
        a.i32(v)
    a.f32(1.0); a.i32(0); a.i32(0)
    for v in (0.04, 0.0, 0.04, -30.0, 65.0):
        a.f32(v)
    for step in (1.0, 5.0, 5.0, 10.0, 10.0, 5.0, 3.0, 3.0):
        for v in (1, 1, 0, 0, 0):
            a.i32(v)
        a.f32(step)
    a.i32(0)
    a.string('')
    a.i32(0)
    return bytes(a.out)


def main():
    target = Path(sys.argv[1] if len(sys.argv) > 1 else 'fuzz/corpus')
    target.mkdir(parents=True, exist_ok=True)
    files = {
        'v320_one_room.id': project(320, [('办公室101', True)]),
        'v321_two_rooms.id': project(321, [('办公室101', True), ('会议室', False)]),
        'v324_one_room.id': project(324, [('大厅', True)]),
        'v326_empty_room.id': project(326, [('走廊', False)]),
        'v327_two_rooms.id': project(327, [('办公室101', True), ('大厅', True)]),
        'v328_recovery.id': project(328, [('办公室201', True)]),
    }
    for name, data in files.items():
        (target / name).write_bytes(data)
    # Projects older than version 320, for the old-project reader.
    old = target.parent / 'corpus-old'
    old.mkdir(parents=True, exist_ok=True)
    (old / 'old_one_room.id').write_bytes(project(None, [('办公室101', True)]))
    (old / 'old_two_rooms.id').write_bytes(project(None, [('办公室101', True), ('会议室', False)]))


if __name__ == '__main__':
    main()
