#!/usr/bin/env python3
"""Runs one transcript case (the format: transcripts/README).

    run_transcript.py PROGRAM FILE CASE [--pty PTY_RUN]
    run_transcript.py --block NAME        (prints a block, as the program writes it)

With KALVEX_TRANSCRIPT_SYSTEM=windows the program is the Windows build: CR LF
is folded to LF in its output and, on both sides, in the files left behind;
its own blocks and sections are used and "windows-skip" cases are skipped.
"""

import os
import resource
import shutil
import signal
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import transcript  # noqa: E402

FILE_LIMIT = 16 * 1024 * 1024
SKIPPED = 77
HISTORY = "function_history.txt"
WINDOWS = os.environ.get("KALVEX_TRANSCRIPT_SYSTEM") == "windows"
SECTIONS = {"args", "env", "status", "stderr", "stdout", "before", "after", "terminal", "pipe",
            "output", "windows-skip"}


def read(path):
    with open(path, "rb") as file:
        return file.read()


def fold(data):
    return data and data.replace(b"\r\n", b"\n")


class Expected:
    """What a case says, its blocks expanded."""

    def __init__(self, case, blocks):
        self.stdout, self.typed = transcript.decode(case.sections[0].lines, blocks, case.name)
        self.stderr = b""
        self.before, self.files, self.arguments, self.environment = {}, {}, [], []
        self.status, self.terminal, self.pipe, self.output, self.windows_skip = 0, None, False, \
            None, None
        # A windows section wins over the usual one wherever it stands.
        for section in sorted(case.sections[1:], key=lambda s: s.argument == "windows"):
            kind, argument = section.kind, section.argument
            where = f"{case.name}, --- {kind} {argument}"
            text = transcript.decode(section.lines, blocks, where, False)[0]
            if kind not in SECTIONS or kind == "stdout" and argument != "windows" or \
                    kind == "stderr" and argument not in ("", "windows"):
                raise transcript.FormatError(f"{where}: unknown section")
            if kind in ("stdout", "stderr"):
                if argument == "" or WINDOWS:
                    setattr(self, kind, text)
            elif kind in ("before", "after"):
                (self.before if kind == "before" else self.files)[argument] = text
            elif kind == "args":
                self.arguments = [os.fsdecode(a) for a in transcript.split_lines(text)]
            elif kind == "env":
                self.environment = [a.decode() for a in transcript.split_lines(text) if a]
            elif section.lines:
                raise transcript.FormatError(f"{where}: takes no lines")
            elif kind == "status":
                self.status = int(argument)
            elif kind == "terminal":
                self.terminal = argument
            elif kind == "pipe":
                self.pipe = True
            elif kind == "output":
                self.output = argument
            else:
                self.windows_skip = argument
        # A file put in first is expected left as it was unless a case says otherwise.
        self.files = {**self.before, **self.files}
        if self.output not in (None, "full", "limit"):
            raise transcript.FormatError(f"{case.name}: '--- output' is 'full' or 'limit'")


def left_behind(directory):
    """Every file (and every empty directory) under directory, by relative name."""
    found = {}
    for root, dirs, names in os.walk(directory):
        for name in names + [d for d in dirs if os.path.islink(os.path.join(root, d))]:
            path = os.path.join(root, name)
            key = os.path.relpath(path, directory).replace(os.sep, "/")
            if os.path.islink(path):
                found[key] = b"symbolic link to " + os.fsencode(os.readlink(path))
            elif not os.path.isfile(path):
                # A FIFO or device would block the read, or never end it.
                found[key] = b"not a regular file"
            else:
                found[key] = read(path)
        if not names and not dirs and root != directory:
            found[os.path.relpath(root, directory).replace(os.sep, "/") + "/"] = None
    return found


def run(program, expected, work, pty_run):
    directory = os.path.join(work, "dir")
    for name, content in expected.before.items():
        path = os.path.join(directory, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as file:
            file.write(content)
    os.makedirs(directory, exist_ok=True)
    environment = dict(os.environ, TERM="xterm")
    environment.pop("NO_COLOR", None)
    environment.update(a.partition("=")[::2] for a in expected.environment)
    command = ["timeout", "30", program, *expected.arguments]
    if expected.terminal is not None:
        if not pty_run:
            sys.exit("no pseudo-terminal runner given")
        signal_name = [expected.terminal] if expected.terminal else []
        command = ["timeout", "30", pty_run, *signal_name, "--", program]
    output_path = os.path.join(work, "stdout")
    options = {}
    if expected.output == "limit":
        # Standard output takes what the session shows and no byte more; the
        # program sees the write fail (not the signal that would end it).
        limit = len(expected.stdout) + (expected.stdout.count(b"\n") if WINDOWS else 0)

        def limit_files():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
        options = {"preexec_fn": limit_files, "restore_signals": False}
    input_path = os.path.join(work, "input")
    with open(input_path, "wb") as typed:
        typed.write(expected.typed)
    with open("/dev/full" if expected.output == "full" else output_path, "wb") as out, \
            open(os.path.join(work, "stderr"), "wb") as err, open(input_path, "rb") as typed:
        process = subprocess.Popen(command, stdin=subprocess.PIPE if expected.pipe else typed,
                                   stdout=out, stderr=err, cwd=directory, env=environment,
                                   **options)
        if expected.pipe:
            try:
                process.stdin.write(expected.typed)
                process.stdin.close()
            except BrokenPipeError:
                pass
        status = process.wait()
    stdout = read(output_path) if os.path.exists(output_path) else b""
    return status if status >= 0 else 128 - status, stdout, read(os.path.join(work, "stderr")), \
        left_behind(directory)


def report_difference(what, expected, actual, lines):
    import difflib  # only on a failure: it takes longer to load than a case to run
    print(f"{what} differs (- expected, + actual):")
    shown = [[repr(line)[2:-1] + "\n" for line in data.splitlines(True)]
             for data in (expected, actual)]
    difference = list(difflib.unified_diff(*shown, n=2))[2:]
    sys.stdout.write("".join(difference[:lines]) + ("...\n" if len(difference) > lines else ""))


def compare(expected, status, stdout, stderr, files):
    failed = status != expected.status
    if failed:
        print(f"exit status {status}, expected {expected.status}")
    wanted = dict(expected.files)
    # The log of the lines typed at the prompt is checked only where a case
    # names it: elsewhere it would repeat the session's commands.
    if HISTORY not in wanted:
        files.pop(HISTORY, None)
    if WINDOWS:
        stdout, stderr = fold(stdout), fold(stderr)
        wanted, files = ({n: fold(c) for n, c in d.items()} for d in (wanted, files))
    for what, want, got, lines in (("standard error", expected.stderr, stderr, 20),
                                   ("standard output", expected.stdout, stdout, 40)):
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
    arguments = sys.argv[1:]
    blocks = transcript.parse_blocks(read(os.path.join(HERE, "blocks.txt")),
                                     "windows" if WINDOWS else "posix")
    if arguments[:1] == ["--block"]:
        sys.stdout.buffer.write(blocks[arguments[1]])
        return 0
    pty_run = None
    if "--pty" in arguments:
        index = arguments.index("--pty")
        pty_run = os.path.abspath(arguments[index + 1])
        del arguments[index:index + 2]
    program, path, name = arguments
    # The program runs in a directory of its own: names relative to here
    # would not reach it.
    if os.sep in program:
        program = os.path.abspath(program)
    case = next((c for c in transcript.parse_file(read(path))[1] if c.name == name), None)
    if case is None:
        sys.exit(f"no case {name} in {path}")
    expected = Expected(case, blocks)
    if WINDOWS and expected.terminal is not None:
        expected.windows_skip = "runs on a POSIX pseudo-terminal"
    if WINDOWS and expected.windows_skip is not None:
        print(f"not run on Windows: {expected.windows_skip}")
        return SKIPPED
    # Inherited by the program (set here, not between fork and exec, so
    # starting it stays cheap).
    resource.setrlimit(resource.RLIMIT_FSIZE, (FILE_LIMIT, FILE_LIMIT))
    work = tempfile.mkdtemp()
    try:
        result = run(program, expected, work, pty_run)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if compare(expected, *result) else 0


if __name__ == "__main__":
    sys.exit(main())
