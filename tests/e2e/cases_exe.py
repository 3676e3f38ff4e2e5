"""The shipped countdown.exe as a file: a 64-bit GUI program that needs nothing beside
itself but Windows' own DLLs, with its version resource and its manifest, read the way
Windows reads them."""

import os
import struct
import xml.etree.ElementTree as ElementTree

from harness import Failure, expect, log, text_of

# DLLs every Windows has; the program must not need a compiler's runtime DLL
# (libstdc++-6, libgcc_s_seh-1, libwinpthread-1) or a library's (libpng16, zlib1).
WINDOWS_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
                "ole32.dll", "comctl32.dll", "msvcrt.dll"}
MACHINE_AMD64 = 0x8664
PE32_PLUS = 0x20B
SUBSYSTEM_WINDOWS_GUI = 2
IMPORT_DIRECTORY, DELAY_IMPORT_DIRECTORY = 1, 13
RT_MANIFEST = 24
CREATEPROCESS_MANIFEST_RESOURCE_ID = 1
VFT_APP = 1
CHINESE_BLOCK, ENGLISH_BLOCK = "080404b0", "040904b0"


class PeFile:
    """The headers, sections and import table of a PE file, read with struct."""

    def __init__(self, data):
        self.data = data
        expect(data[:2] == b"MZ", "no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        expect(data[pe:pe + 4] == b"PE\0\0", "no PE signature")
        (self.machine, sections, _, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        expect(self.magic == PE32_PLUS, f"optional header magic {self.magic:#x}, not PE32+")
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        count = struct.unpack_from("<I", data, optional + 108)[0]
        self.directories = [struct.unpack_from("<II", data, optional + 112 + 8 * i)
                            for i in range(count)]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8sIIII", data, table + 40 * i)
                         for i in range(sections)]

    def offset(self, rva):
        for _, size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise Failure(f"RVA {rva:#x} lies in no section")

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii", "replace")

    def imported_dlls(self, directory, entry_size, name_field):
        rva, size = self.directories[directory] if directory < len(self.directories) else (0, 0)
        names = []
        if not rva:
            return names
        at = self.offset(rva)
        while True:
            entry = self.data[at:at + entry_size]
            if len(entry) < entry_size or not any(entry):
                return names
            names.append(self.string(struct.unpack_from("<I", entry, name_field)[0]))
            at += entry_size


def windows_path(path):
    """The path as Wine's drive Z: (the Linux root) shows it to the probe, as hex."""
    return ("Z:" + os.path.abspath(path).replace("/", "\\")).encode("utf-8").hex()


def has_cjk(text):
    return any("\u4e00" <= ch <= "\u9fff" for ch in text)


def check_version(answer, file_name):
    expect(answer["signature"] == "feef04bd", f"the fixed version part has the signature "
                                              f"{answer['signature']}")
    for key in ("fileversion", "productversion"):
        expect(answer[key] == "1.0.0.0", f"the fixed {key} is {answer[key]}, not 1.0.0.0")
    expect(answer["filetype"] == str(VFT_APP), f"the file type is {answer['filetype']}, "
                                               f"not an application")
    translations = answer["translations"].split(",")
    for block in (CHINESE_BLOCK, ENGLISH_BLOCK):
        expect(block in translations, f"the translation list {translations} lacks {block}")
        strings = {key.split(".", 1)[1]: text_of(value) for key, value in answer.items()
                   if key.startswith(block + ".")}
        log(f"version strings {block}: {strings}")
        for key in ("FileVersion", "ProductVersion"):
            expect(strings[key] == "1.0.0.0", f"{block} {key} is {strings[key]!r}")
        expect(strings["OriginalFilename"] == file_name,
               f"{block} OriginalFilename is {strings['OriginalFilename']!r}, not {file_name}")
        for key in ("ProductName", "FileDescription", "CompanyName"):
            expect(strings[key], f"{block} has no {key}")
        for key in ("ProductName", "FileDescription"):
            value = strings[key]
            if block == CHINESE_BLOCK:
                expect(has_cjk(value), f"the Chinese {key} {value!r} holds no Chinese")
            else:
                expect(value.isascii() and any(ch.isalpha() for ch in value),
                       f"the English {key} {value!r} is not English text")


def check_manifest(xml_bytes):
    try:
        root = ElementTree.fromstring(xml_bytes)
    except ElementTree.ParseError as error:
        raise Failure(f"the manifest is not well-formed XML: {error}")
    ns = "{urn:schemas-microsoft-com:asm.v1}"
    wanted = [identity.attrib for identity in root.iter(ns + "assemblyIdentity")
              if identity.attrib.get("name") == "Microsoft.Windows.Common-Controls"]
    expect(len(wanted) == 1, f"the manifest names the common controls {len(wanted)} times")
    identity = wanted[0]
    log(f"manifest asks for {identity}")
    expect(identity.get("version") == "6.0.0.0" and identity.get("type") == "win32" and
           identity.get("publicKeyToken", "").lower() == "6595b64144ccf1df" and
           identity.get("processorArchitecture") in ("*", "amd64"),
           f"the manifest does not ask for common controls 6.0: {identity}")


def exe_imports(session):
    with open(session.program, "rb") as exe:
        pe = PeFile(exe.read())
    expect(pe.machine == MACHINE_AMD64, f"the machine is {pe.machine:#x}, not x86-64")
    expect(pe.subsystem == SUBSYSTEM_WINDOWS_GUI,
           f"the subsystem is {pe.subsystem}, not the Windows GUI ({SUBSYSTEM_WINDOWS_GUI})")
    expect(pe.characteristics & 0x2, "the file is not marked executable")
    dlls = pe.imported_dlls(IMPORT_DIRECTORY, 20, 12)
    delayed = pe.imported_dlls(DELAY_IMPORT_DIRECTORY, 32, 4)
    log(f"imports: {', '.join(dlls)}; delay-loaded: {', '.join(delayed) or 'none'}")
    expect(dlls, "the import table names no DLL")
    foreign = [name for name in dlls + delayed if name.lower() not in WINDOWS_DLLS]
    expect(not foreign, f"the program needs DLLs that are not Windows' own: {foreign}")

    probe = session.start_probe()
    try:
        path = windows_path(session.program)
        check_version(probe.ask(f"fileversion {path}", timeout=30),
                      os.path.basename(session.program))
        manifest = probe.ask(f"resource {path} {RT_MANIFEST} {CREATEPROCESS_MANIFEST_RESOURCE_ID}")
        check_manifest(bytes.fromhex(manifest["data"]))
    finally:
        session.end(probe.process)
