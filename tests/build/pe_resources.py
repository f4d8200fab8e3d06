"""Reads string tables, dialog templates and the manifest out of a 32-bit PE file, with nothing but the file
format."""
import struct

RT_DIALOG, RT_STRING, RT_MANIFEST = 5, 6, 24


class Resources:
    def __init__(self, path):
        self.data = open(path, "rb").read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        sections = struct.unpack_from("<H", self.data, pe + 6)[0]
        optional = struct.unpack_from("<H", self.data, pe + 20)[0]
        self.rsrc_rva = struct.unpack_from("<I", self.data, pe + 24 + 112)[0]  # data directory 2
        self.sections = []
        for i in range(sections):
            at = pe + 24 + optional + 40 * i
            size, rva, raw_size, raw = struct.unpack_from("<IIII", self.data, at + 8)
            self.sections.append((rva, max(size, raw_size), raw))
        self.base = self.offset(self.rsrc_rva)

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(hex(rva))

    def entries(self, directory):
        named, numbered = struct.unpack_from("<HH", self.data, self.base + directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, self.base + directory + 16 + 8 * i)
            if name & 0x80000000:
                at = self.base + (name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", self.data, at)[0]
                name = self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield name, target

    def of_type(self, kind):
        """{id: bytes} of every resource of that type, first language."""
        found = {}
        for type_id, type_dir in self.entries(0):
            if type_id != kind:
                continue
            for name, name_dir in self.entries(type_dir & 0x7FFFFFFF):
                _, leaf = next(self.entries(name_dir & 0x7FFFFFFF))
                rva, size = struct.unpack_from("<II", self.data, self.base + leaf)
                found[name] = self.data[self.offset(rva):self.offset(rva) + size]
        return found

    def strings(self):
        table = {}
        for block, data in self.of_type(RT_STRING).items():
            at = 0
            for index in range(16):
                length = struct.unpack_from("<H", data, at)[0]
                if length:
                    table[(block - 1) * 16 + index] = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
                at += 2 + 2 * length
        return table

    def dialogs(self):
        return {name: parse_dialog(data) for name, data in self.of_type(RT_DIALOG).items()}


def text(data, at):
    """A name-or-ordinal field: returns (value, offset after it)."""
    first = struct.unpack_from("<H", data, at)[0]
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, at + 2)[0], at + 4
    end = at
    while struct.unpack_from("<H", data, end)[0]:
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def align(at):
    return (at + 3) & ~3


def parse_dialog(data):
    extended = struct.unpack_from("<HH", data, 0) == (1, 0xFFFF)
    if extended:
        _, _, _, exstyle, style, count, x, y, cx, cy = struct.unpack_from("<HHIIIHhhhh", data, 0)
        at = 26
    else:
        style, exstyle, count, x, y, cx, cy = struct.unpack_from("<IIHhhhh", data, 0)
        at = 18
    _, at = text(data, at)  # menu
    _, at = text(data, at)  # class
    caption, at = text(data, at)
    font = None
    if style & 0x40:  # DS_SETFONT
        size = struct.unpack_from("<H", data, at)[0]
        at += 6 if extended else 2
        face, at = text(data, at)
        font = (size, face)
    controls = []
    for _ in range(count):
        at = align(at)
        if extended:
            _, cexstyle, cstyle, cxp, cyp, ccx, ccy, cid = struct.unpack_from("<IIIhhhhi", data, at)
            at += 24
        else:
            cstyle, cexstyle, cxp, cyp, ccx, ccy, cid = struct.unpack_from("<IIhhhhH", data, at)
            at += 18
        kind, at = text(data, at)
        label, at = text(data, at)
        extra = struct.unpack_from("<H", data, at)[0]
        at += 2 + extra
        kind = {0x80: "Button", 0x81: "Edit", 0x82: "Static", 0x83: "ListBox"}.get(kind, kind)
        if cid in (0xFFFF, -1):
            cid = -1
        controls.append({"id": cid, "class": kind, "text": label, "rect": (cxp, cyp, ccx, ccy), "style": cstyle})
    return {"caption": caption, "size": (cx, cy), "style": style, "exstyle": exstyle, "font": font,
            "controls": controls, "extended": extended}
