#!/usr/bin/env python3
"""Holds the AVX2 twins to their own files, so that no AVX2 code runs on a processor without it.

    avx2_stays_private.py OBJECT...     (an argument may be a ;-separated list, as CMake gives
                                         a target's objects)

An object compiled from an *_avx2.cpp file may share no code but its twins (functions whose
names end in Avx2): a weak copy of an inline function or a template compiled there for AVX2
could be the one the linker keeps for every file that uses it (shared data, such as the
exception personality's weak reference, holds no code). Every other object may hold no AVX
instruction (VEX-encoded, or on a ymm register). Prints each breach as "object: what" and
ends with status 1 when there is one.
"""
import os
import re
import subprocess
import sys

TWIN = re.compile(r"Avx2\(")
# nm's letters for code that other objects can reach: global, weak and indirect functions.
SHARED_CODE_KINDS = set("TWi")


def lines_of(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout.splitlines()


def shared_code(obj):
    """(kind, demangled name) of each piece of code obj defines that other objects can reach."""
    for line in lines_of("nm", "-C", "--defined-only", obj):
        fields = line.split(maxsplit=2)
        if len(fields) == 3 and fields[1] in SHARED_CODE_KINDS:
            yield fields[1], fields[2]


def avx_instructions(obj):
    """The disassembled lines of obj that hold an AVX instruction."""
    for line in lines_of("objdump", "-d", "--no-show-raw-insn", obj):
        parts = line.split("\t")
        if len(parts) < 2 or not re.match(r"\s*[0-9a-f]+:$", parts[0]):
            continue
        instruction = parts[-1].strip()
        if instruction.startswith("v") or "%ymm" in instruction:
            yield instruction


def breaches(obj):
    name = os.path.basename(obj)
    if "_avx2." in name:
        for kind, symbol in shared_code(obj):
            if kind != "T" or not TWIN.search(symbol):
                yield f"shares {symbol} ({kind}), compiled for AVX2"
    else:
        for instruction in avx_instructions(obj):
            yield f"holds the AVX instruction {instruction}"
            return  # one is enough to name the object


def main(objects):
    if not any("_avx2." in os.path.basename(obj) for obj in objects):
        print("no AVX2 twin among the objects", file=sys.stderr)
        return 1
    found = [f"{obj}: {what}" for obj in objects for what in breaches(obj)]
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main([obj for arg in sys.argv[1:] for obj in arg.split(";") if obj]))
