#!/usr/bin/python3
"""DeleteMe.com's logic, run in 16-bit real mode on the Unicorn CPU emulator: a program segment prefix,
a command tail and an environment built here, DOS's delete and exit and the BIOS clock answered by
script. Every name passed to the delete function and the return code are checked.
    deleteme_test.py DeleteMe.com"""
import sys

from unicorn import Uc, UC_ARCH_X86, UC_MODE_16, UC_HOOK_INTR
from unicorn.x86_const import (UC_X86_REG_AH, UC_X86_REG_AL, UC_X86_REG_AX, UC_X86_REG_CS, UC_X86_REG_CX,
                               UC_X86_REG_DS, UC_X86_REG_DX, UC_X86_REG_EFLAGS, UC_X86_REG_ES,
                               UC_X86_REG_IP, UC_X86_REG_SP, UC_X86_REG_SS)

PROGRAM_SEGMENT = 0x1000
ENVIRONMENT_SEGMENT = 0x2000
SELF = b"C:\\WINDOWS\\DELETEME.COM"
CARRY = 1


def run(image, tail, answers, environment=b"PATH=C:\\WINDOWS\0COMSPEC=C:\\COMMAND.COM\0\0"):
    """Runs the program; `answers` gives, per delete call, the DOS error code or 0 for success (the
    last one repeats). Returns the names deleted, the return code and the clock reads."""
    cpu = Uc(UC_ARCH_X86, UC_MODE_16)
    cpu.mem_map(0, 0x100000)
    base = PROGRAM_SEGMENT * 16
    cpu.mem_write(base + 0x100, image)
    cpu.mem_write(base + 0x2C, ENVIRONMENT_SEGMENT.to_bytes(2, "little"))
    cpu.mem_write(base + 0x80, bytes([len(tail)]) + tail + b"\r")
    cpu.mem_write(ENVIRONMENT_SEGMENT * 16, environment + (1).to_bytes(2, "little") + SELF + b"\0")
    for register, value in ((UC_X86_REG_CS, PROGRAM_SEGMENT), (UC_X86_REG_DS, PROGRAM_SEGMENT),
                            (UC_X86_REG_ES, PROGRAM_SEGMENT), (UC_X86_REG_SS, PROGRAM_SEGMENT),
                            (UC_X86_REG_SP, 0xFFFE), (UC_X86_REG_IP, 0x100)):
        cpu.reg_write(register, value)
    state = {"deleted": [], "code": None, "ticks": 0}

    def interrupt(uc, number, _):
        flags = uc.reg_read(UC_X86_REG_EFLAGS)
        if number == 0x1A:
            state["ticks"] += 1
            uc.reg_write(UC_X86_REG_CX, 0)
            uc.reg_write(UC_X86_REG_DX, state["ticks"] // 3)  # the clock moves on every third read
            return
        assert number == 0x21, number
        function = uc.reg_read(UC_X86_REG_AH)
        if function == 0x4C:
            state["code"] = uc.reg_read(UC_X86_REG_AL)
            uc.emu_stop()
            return
        assert function == 0x41, hex(function)
        address = uc.reg_read(UC_X86_REG_DS) * 16 + uc.reg_read(UC_X86_REG_DX)
        name = bytes(uc.mem_read(address, 128)).split(b"\0")[0]
        state["deleted"].append(name)
        error = answers[min(len(state["deleted"]) - 1, len(answers) - 1)]
        if error:
            uc.reg_write(UC_X86_REG_AX, error)
            uc.reg_write(UC_X86_REG_EFLAGS, flags | CARRY)
        else:
            uc.reg_write(UC_X86_REG_EFLAGS, flags & ~CARRY)

    cpu.hook_add(UC_HOOK_INTR, interrupt)
    cpu.emu_start(PROGRAM_SEGMENT * 16 + 0x100, 0, count=5_000_000)
    return state


def main():
    image = open(sys.argv[1], "rb").read()
    target = b"C:\\WINDOWS\\UNTIKTON.EXE"
    cases = [
        # name, tail, answers per delete call, expected names deleted
        ("empty tail", b"", [0], [SELF]),
        ("blanks only", b"   ", [0], [SELF]),
        ("one blank then the path", b" " + target, [0, 0], [target, SELF]),
        ("path followed by more words", b" " + target + b" more words", [0, 0], [target, SELF]),
        ("several blanks before the path", b"    " + target, [0, 0], [target, SELF]),
        ("in use three times, then deleted", b" " + target, [5, 5, 5, 0, 0], [target] * 4 + [SELF]),
        ("file not found", b" " + target, [2, 0], [target, SELF]),
        ("the self-deletion fails too", b" " + target, [2, 3], [target, SELF]),
    ]
    passed = failed = 0
    for name, tail, answers, expected in cases:
        state = run(image, tail, answers)
        ok = state["deleted"] == expected and state["code"] == 0
        passed += ok
        failed += not ok
        if not ok:
            print(f"FAIL {name}: deleted {state['deleted']}, return code {state['code']}")

    # In use for ever: one try per clock tick, about a minute of them, then it still deletes itself.
    state = run(image, b" " + target, [5])
    tries = state["deleted"].count(target)
    ok = (state["deleted"] == [target] * tries + [SELF] and 1000 <= tries <= 1200 and state["code"] == 0
          and state["ticks"] >= 2 * (tries - 1))
    passed += ok
    failed += not ok
    if not ok:
        print(f"FAIL in use for ever: {tries} tries, {state['ticks']} clock reads, code {state['code']}")

    # The self-deletion path comes after the double NUL and the count, whatever the variables.
    state = run(image, b"", [0], environment=b"A=1\0\0")
    ok = state["deleted"] == [SELF]
    passed += ok
    failed += not ok
    if not ok:
        print(f"FAIL short environment: {state['deleted']}")

    size_ok = len(image) <= 128
    passed += size_ok
    failed += not size_ok
    print(f"DeleteMe.com is {len(image)} bytes")
    print(f"deleteme: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
