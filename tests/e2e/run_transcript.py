#!/usr/bin/env python3
"""Runs one end-to-end case (the format: transcripts/README).

    run_transcript.py PROGRAM FILE CASE

With KALVEX_TRANSCRIPT_SYSTEM=windows the program is the Windows build: its own
blocks and sections are used, CR LF is folded to LF in its output and, on both
sides, in the files left behind, and terminal cases are skipped.
"""

import os
import re
import resource
import shutil
import signal
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
WINDOWS = os.environ.get("KALVEX_TRANSCRIPT_SYSTEM") == "windows"
HISTORY = "function_history.txt"
FILE_LIMIT = 16 * 1024 * 1024
ESCAPES = {"e": b"\x1b", "a": b"\x07", "r": b"\r", "t": b"\t", "s": b" "}
# A display line's pieces: an escape, the start of typed text, or plain text.
PIECE = re.compile(r"\\x[0-9a-fA-F]{2}|\\\{[^}]*\}|\\.?|«|[^\\«]+", re.S)
SECTIONS = {"args", "env", "status", "stderr", "before", "after", "terminal", "pipe", "output"}


class FormatError(Exception):
    pass


def line_bytes(text, blocks, where, typed=None):
    """The bytes of one display line and whether it ends without a line end.

    With a list for typed, «...» ends the line: its text and line end (none
    with \\c inside) go to the list."""
    out = bytearray()
    for match in PIECE.finditer(text):
        piece, code = match.group(), match.group()[1:2]
        if piece == "«" and typed is not None:
            if not text.endswith("»"):
                raise FormatError(f"{where}: typed text must end the line with »")
            value, no_line_end = line_bytes(text[match.end():-1], blocks, where)
            typed.append(value if no_line_end else value + b"\n")
            return bytes(out), True
        if not piece.startswith("\\"):
            out += piece.encode("utf-8", "surrogateescape")
        elif piece == "\\c" and match.end() == len(text):
            return bytes(out), True
        elif code in ESCAPES:
            out += ESCAPES[code]
        elif code == "x" and len(piece) == 4:
            out.append(int(piece[2:], 16))
        elif code == "{" and piece[2:-1] in blocks:
            out += blocks[piece[2:-1]][0]
        elif len(piece) == 2 and not (code.isascii() and code.isalnum()):
            out += code.encode("utf-8", "surrogateescape")
        else:
            raise FormatError(f"{where}: bad escape {piece}")
    return bytes(out), False


def decode(lines, blocks, where, typed=None):
    """Display lines to the bytes they show; typed text, where allowed, to typed."""
    output = bytearray()
    for number, line in enumerate(lines, 1):
        here = f"{where}, line {number}"
        if line.startswith("@"):
            name, _, rest = line[1:].partition(" ")
            if name not in blocks:
                raise FormatError(f"{here}: no block named {name!r}")
            output += blocks[name][0]
            if blocks[name][1] and typed is None:
                raise FormatError(f"{here}: no typed text here")
            if typed is not None:
                typed.append(blocks[name][1])
            if rest and line_bytes(rest, blocks, here, typed) != (b"", True):
                raise FormatError(f"{here}: only «typed» text may follow a block")
            continue
        value, no_line_end = line_bytes(line, blocks, here, typed)
        output += value if no_line_end else value + b"\n"
    return bytes(output)


def parse(path):
    """[(case name, [[kind, argument, lines], ...])], the session first."""
    with open(path, encoding="utf-8", errors="surrogateescape", newline="\n") as file:
        lines = file.read().split("\n")
    cases = []
    for line in lines[:-1] if lines[-1] == "" else lines:
        if line.startswith("=== "):
            cases.append((line[4:].strip(), [["session", "", []]]))
        elif cases and line.startswith("--- "):
            kind, _, argument = line[4:].strip().partition(" ")
            cases[-1][1].append([kind, argument.strip(), []])
        elif cases:
            cases[-1][1][-1][2].append(line)
    return cases


def read_blocks():
    """The named blocks; "=== NAME windows" stands for NAME in the Windows build."""
    blocks = {}
    for name, sections in parse(os.path.join(HERE, "blocks.txt")):
        name, _, system = name.partition(" ")
        if system == "" and name in blocks:
            continue
        if system == "" or WINDOWS:
            typed = []
            blocks[name] = decode(sections[0][2], blocks, f"block {name}", typed), b"".join(typed)
    return blocks


class Expected:
    """What a case says: the session, then its "--- KIND" sections."""

    def __init__(self, name, sections, blocks):
        typed = []
        self.stdout = decode(sections[0][2], blocks, name, typed)
        self.typed = b"".join(typed)
        self.stderr, self.status, self.signals = b"", None, None
        self.before, self.files, self.arguments, self.environment = {}, {}, [], []
        self.pipe = self.output = None
        # A windows section wins over the usual one wherever it stands.
        for kind, argument, lines in sorted(sections[1:], key=lambda s: s[1] == "windows"):
            where = f"{name}, --- {kind} {argument}"
            if kind not in SECTIONS or kind == "stderr" and argument not in ("", "windows"):
                raise FormatError(f"{where}: unknown section")
            text = decode(lines, blocks, where)
            if kind == "stderr":
                if argument == "" or WINDOWS:
                    self.stderr = text
            elif kind in ("before", "after"):
                (self.before if kind == "before" else self.files)[argument] = text
            elif kind in ("args", "env"):
                values = text.split(b"\n")[:-1]
                if kind == "args":
                    self.arguments = [os.fsdecode(a) for a in values]
                else:
                    self.environment = [a.decode().partition("=")[::2] for a in values]
            elif lines:
                raise FormatError(f"{where}: takes no lines")
            elif kind == "status":
                self.status = int(argument)
            elif kind == "terminal":
                self.signals = argument.split() or [None]
            else:
                setattr(self, kind, argument or True)
        # A file put in first is expected left as it was unless a case says otherwise.
        self.files = {**self.before, **self.files}
        if self.output not in (None, "full", "limit") or self.pipe not in (None, True, "held"):
            raise FormatError(f"{name}: '--- output' is full or limit, '--- pipe' held or nothing")


def left_behind(directory):
    """Every file under directory, by relative name."""
    found = {}
    for root, _, names in os.walk(directory):
        for name in names:
            path = os.path.join(root, name)
            key = os.path.relpath(path, directory).replace(os.sep, "/")
            if os.path.islink(path) or not os.path.isfile(path):
                found[key] = b"not a regular file"  # reading a FIFO or device could block
            else:
                with open(path, "rb") as file:
                    found[key] = file.read()
    return found


PAUSE = b"Premere un tasto per continuare . . . "


def run_on_terminal(command, typed, signal_name, **options):
    """Runs command on a raw pseudo-terminal (what it writes is what it wrote),
    typed at once; the exit pause gets an arrow key; with signal_name, that
    signal is sent once the program sits quietly at "Path: ". Input left
    unread would reach the user's shell: it is reported as a problem."""
    import pty
    import select
    import time
    import tty
    master, slave = pty.openpty()
    tty.setraw(slave)
    process = subprocess.Popen(command, stdin=slave, stdout=slave, start_new_session=True,
                               preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_CORE, (0, 0)),
                               **options)
    os.write(master, typed)
    output, answered, signalled = b"", 0, signal_name is None
    start = last = time.monotonic()
    problems = []
    while process.poll() is None:
        if select.select([master], [], [], 0.02)[0]:
            output += os.read(master, 4096)
            last = time.monotonic()
        if output.endswith(PAUSE) and answered < len(output):
            answered = len(output)
            os.write(master, b"\x1b[A")
        if not signalled and output.endswith(b"Path: ") and time.monotonic() - last > 0.3:
            process.send_signal(signal.Signals["SIG" + signal_name])
            signalled = True
        if time.monotonic() - start > 20:
            process.kill()
            process.wait()
            problems.append("the program did not end in time")

    def rest(fd):
        os.set_blocking(fd, False)
        data = b""
        while select.select([fd], [], [], 0)[0] and (block := os.read(fd, 4096)):
            data += block
        os.close(fd)
        return data
    output += rest(master)
    if unread := rest(slave):
        problems.append(f"{len(unread)} typed bytes left unread")
    return process.returncode, output, problems


def run(program, expected, work, signal_name):
    directory = os.path.join(work, "dir")
    os.makedirs(directory)
    for name, content in expected.before.items():
        path = os.path.join(directory, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as file:
            file.write(content)
    environment = dict(os.environ, TERM="xterm")
    environment.pop("NO_COLOR", None)
    environment.update(expected.environment)
    command = ["timeout", "30", program, *expected.arguments]
    options = {"cwd": directory, "env": environment}
    if expected.output == "limit":
        # Standard output takes what the session shows and no byte more; the
        # program sees the write fail, not the signal that would end it.
        limit = len(expected.stdout) + (expected.stdout.count(b"\n") if WINDOWS else 0)

        def limit_files():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
        options.update(preexec_fn=limit_files, restore_signals=False)
    paths = {name: os.path.join(work, name) for name in ("input", "stdout", "stderr")}
    with open(paths["input"], "wb") as typed:
        typed.write(expected.typed)
    problems = []
    with open("/dev/full" if expected.output == "full" else paths["stdout"], "wb") as out, \
            open(paths["stderr"], "wb") as err, open(paths["input"], "rb") as typed:
        if expected.signals is not None:
            status, printed, problems = run_on_terminal(command[2:], expected.typed, signal_name,
                                                        stderr=err, **options)
            out.write(printed)
        else:
            process = subprocess.Popen(command, stdout=out, stderr=err,
                                       stdin=subprocess.PIPE if expected.pipe else typed,
                                       **options)
            if expected.pipe:
                try:
                    process.stdin.write(expected.typed)
                    process.stdin.flush()
                    if expected.pipe == "held":
                        # Open until the program has ended: nothing it started may read on.
                        process.wait()
                        process.stdin.write(b"x\n")
                        process.stdin.flush()
                        problems.append("something still reads the input after the program ended")
                    process.stdin.close()
                except BrokenPipeError:
                    pass
            status = process.wait()
    printed = []
    for name in ("stdout", "stderr"):
        with open(paths[name] if os.path.exists(paths[name]) else os.devnull, "rb") as file:
            printed.append(file.read())
    return [status if status >= 0 else 128 - status, *printed, left_behind(directory), problems]


def report_difference(what, expected, actual, lines):
    import difflib  # only on a failure: it takes longer to load than a case to run
    print(f"{what} differs (- expected, + actual):")
    shown = [[repr(line)[2:-1] + "\n" for line in data.splitlines(True)]
             for data in (expected, actual)]
    difference = list(difflib.unified_diff(*shown, n=2))[2:]
    sys.stdout.write("".join(difference[:lines]) + ("...\n" if len(difference) > lines else ""))


def compare(expected, status_wanted, status, stdout, stderr, files, problems):
    for problem in problems:
        print(problem)
    failed = bool(problems)
    if status != status_wanted:
        print(f"exit status {status}, expected {status_wanted}")
        failed = True
    wanted = dict(expected.files)
    # The log of the lines typed at the prompt is checked only where a case
    # names it: elsewhere it would repeat the session's commands.
    if HISTORY not in wanted:
        files.pop(HISTORY, None)
    fold = (lambda data: data and data.replace(b"\r\n", b"\n")) if WINDOWS else (lambda d: d)
    wanted, files = ({n: fold(c) for n, c in d.items()} for d in (wanted, files))
    for what, want, got, lines in (("standard error", expected.stderr, fold(stderr), 20),
                                   ("standard output", expected.stdout, fold(stdout), 40)):
        if want != got:
            report_difference(what, want, got, lines)
            failed = True
    for name in sorted(set(wanted) | set(files)):
        if name not in files or name not in wanted:
            print(f"file {name} " + ("expected but not left behind" if name not in files
                                     else "left behind but not expected"))
            failed = True
        elif files[name] != wanted[name]:
            report_difference(f"file {name}", wanted[name], files[name] or b"", 20)
            failed = True
    return failed


def main():
    program, path, name = sys.argv[1:]
    # The program runs in a directory of its own: names relative to here would not reach it.
    if os.sep in program:
        program = os.path.abspath(program)
    sections = dict(parse(path)).get(name)
    if sections is None:
        sys.exit(f"no case {name} in {path}")
    expected = Expected(name, sections, read_blocks())
    if expected.signals is not None and WINDOWS:
        print("not run here: the case needs a POSIX pseudo-terminal")
        return 77
    # Inherited by the program (set here, not between fork and exec, so
    # starting it stays cheap).
    resource.setrlimit(resource.RLIMIT_FSIZE, (FILE_LIMIT, FILE_LIMIT))
    failed = False
    # "--- terminal SIGNAL..." runs the session once for each signal, which ends it.
    for signal_name in expected.signals or [None]:
        status = expected.status
        if status is None:
            status = 128 + signal.Signals["SIG" + signal_name] if signal_name else 0
        work = tempfile.mkdtemp()
        try:
            result = run(program, expected, work, signal_name)
        finally:
            shutil.rmtree(work, ignore_errors=True)
        if compare(expected, status, *result):
            if signal_name:
                print(f"(with signal {signal_name})")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
