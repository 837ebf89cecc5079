#!/usr/bin/python3
"""Checks a built Tarquel.exe with a real PE parser (Debian's python3-pefile).

  check_pe.py EXE --machine i386|amd64 --icon res/icon/image30001.bin

Machine and subsystem, imports only from Windows' own DLLs, the icon and its
group, the version record, the resources' language, the manifest, and the
hardening flags. Prints each finding; exits 1 if any check fails.
"""
import argparse
import struct
import sys

import pefile

# DLLs that every Windows since 7 ships; anything else would have to travel with the exe.
WINDOWS_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'comctl32.dll', 'msvcrt.dll', 'advapi32.dll',
                'shell32.dll', 'ole32.dll', 'oleaut32.dll', 'uxtheme.dll', 'imm32.dll'}
MACHINES = {'i386': pefile.MACHINE_TYPE['IMAGE_FILE_MACHINE_I386'],
            'amd64': pefile.MACHINE_TYPE['IMAGE_FILE_MACHINE_AMD64']}
CHINESE_PRC = 0x0804
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24

failures = []


def check(condition, what):
    print(('ok    ' if condition else 'FAIL  ') + what)
    if not condition:
        failures.append(what)


def resources(pe):
    """{(type, id): (language, bytes)} of every resource."""
    found = {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for entry in kind.directory.entries:
            for language in entry.directory.entries:
                data = pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
                found[(kind.id, entry.id)] = (language.id, data)
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('exe')
    parser.add_argument('--machine', choices=MACHINES, required=True)
    parser.add_argument('--icon', required=True, help='the icon image the exe must carry')
    args = parser.parse_args()
    pe = pefile.PE(args.exe)
    x64 = args.machine == 'amd64'

    check(pe.FILE_HEADER.Machine == MACHINES[args.machine], f'machine is {args.machine}')
    check(pe.OPTIONAL_HEADER.Subsystem == pefile.SUBSYSTEM_TYPE['IMAGE_SUBSYSTEM_WINDOWS_GUI'],
          'GUI subsystem')

    imported = sorted(entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT)
    foreign = [dll for dll in imported if dll not in WINDOWS_DLLS]
    check(not foreign, f'imports only Windows DLLs: {", ".join(imported)}' +
          (f' (not: {", ".join(foreign)})' if foreign else ''))

    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    check(flags & 0x0040, 'ASLR: dynamic base')
    check(flags & 0x0100, 'NX compatible')
    check(any(s.Name.rstrip(b'\0') == b'.reloc' for s in pe.sections), 'relocations kept for ASLR')
    if x64:
        check(flags & 0x0020, 'high-entropy virtual addresses')

    found = resources(pe)
    check(all(language == CHINESE_PRC for language, _ in found.values()),
          'every resource in language 0x0804: ' + ', '.join(f'{t}/{i}:{l:#06x}' for (t, i), (l, _) in found.items()))

    expected_image = open(args.icon, 'rb').read()
    image = found.get((RT_ICON, 30001), (None, b''))[1]
    check(len(image) == 2216 and image == expected_image, 'icon 30001: the 2216-byte image')
    header = struct.unpack('<IiiHHI', image[:20]) if len(image) >= 20 else ()
    check(header[:5] == (40, 32, 64, 1, 8), 'icon 30001: 32 x 32, 8 bits per pixel')
    check([i for (t, i) in found if t == RT_ICON] == [30001], 'no other icon image')
    group = found.get((RT_GROUP_ICON, 1), (None, b''))[1]
    ok = len(group) == 20
    if ok:
        reserved, kind, count = struct.unpack('<HHH', group[:6])
        width, height, colours, _, planes, bits, size, image_id = struct.unpack('<BBBBHHIH', group[6:])
        ok = (reserved, kind, count, width, height, colours, planes, bits, size, image_id) == \
             (0, 1, 1, 32, 32, 0, 1, 8, 2216, 30001)
    check(ok, 'icon group 1: one entry, 32 x 32, 256 colours, 2216 bytes, image 30001')

    fixed = pe.VS_FIXEDFILEINFO[0]
    check((fixed.FileVersionMS, fixed.FileVersionLS) == (0x00010000, 0), 'file version 1.0.0.0')
    check((fixed.ProductVersionMS, fixed.ProductVersionLS) == (0x00010000, 0), 'product version 1.0.0.0')
    tables = [table for info in pe.FileInfo[0] if info.Key == b'StringFileInfo' for table in info.StringTable]
    check([t.LangID.upper() for t in tables] == [b'080404B0'], 'one string table, 080404B0')
    strings = {k.decode(): v.decode() for k, v in tables[0].entries.items()} if tables else {}
    for key, value in (('FileVersion', '1.00'), ('ProductVersion', '1.00'), ('ProductName', 'Tarquel')):
        check(strings.get(key) == value, f'{key} = "{value}"')
    for key in ('CompanyName', 'InternalName', 'OriginalFilename'):
        check(bool(strings.get(key)), f'{key} present ("{strings.get(key)}")')
    translations = [var.entry for info in pe.FileInfo[0] if info.Key == b'VarFileInfo' for var in info.Var]
    check(translations == [{b'Translation': '0x0804 0x04b0'}], f'translation 0x0804 / 1200: {translations}')

    manifest = found.get((RT_MANIFEST, 1), (None, b''))[1].decode('utf-8', 'replace')
    check('Microsoft.Windows.Common-Controls' in manifest and 'version="6.0.0.0"' in manifest,
          'manifest 1: common controls 6')
    check('PerMonitorV2' in manifest and 'true/pm' in manifest, 'manifest 1: per-monitor DPI awareness')
    check('8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a' in manifest, 'manifest 1: Windows 10 among the supported')

    print(f'{args.exe}: {len(failures)} failed')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
