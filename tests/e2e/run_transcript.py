#!/usr/bin/env python3
"""Runs one transcript case (the format: transcripts/README).

    run_transcript.py PROGRAM FILE CASE [--pty PTY_RUN]
    run_transcript.py --block NAME        (prints a block, as the program writes it)

The program runs in a fresh directory holding the case's "before" files, with
the typed lines as its standard input (from a file, or a pipe with "--- pipe"),
NO_COLOR unset and TERM=xterm unless "--- env" says otherwise; it may write
at most 16 MB to any file, so a runaway case fails instead of filling the
disk. Its standard output, standard error, exit status and the files left
behind are compared byte for byte with the case, after the named blocks of
blocks.txt are expanded.

With KALVEX_TRANSCRIPT_SYSTEM=windows the program is the Windows build: its
line ends are CR LF, so CR LF is folded to LF in standard output and error
and, on both sides, in the files left behind; every other byte is compared
as it stands. Blocks and sections marked "windows" take the place of the usual
ones there, and a case with "--- windows-skip REASON" is skipped (status 77).

With UPDATE_GOLDENS=1 the case's expected output, standard error and files
left behind are rewritten in place from what the program did (for Windows,
only its own "windows" sections).
"""

import os
import resource
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import transcript  # noqa: E402

BLOCKS = os.path.join(HERE, "blocks.txt")
FILE_LIMIT = 16 * 1024 * 1024
SKIPPED = 77


def system():
    return "windows" if os.environ.get("KALVEX_TRANSCRIPT_SYSTEM") == "windows" else "posix"


def load_blocks(which=None):
    return transcript.parse_blocks(read(BLOCKS), which or system())


def read(path):
    with open(path, "rb") as file:
        return file.read()


def write(path, data):
    with open(path, "wb") as file:
        file.write(data)


def fold(data):
    return data.replace(b"\r\n", b"\n")


def single(case, kind):
    section = case.section(kind)
    if section is None:
        return None
    if any(line.strip() for line in section.lines):
        raise transcript.FormatError(f"{case.name}: '--- {kind}' takes no lines")
    return section.argument


class Expected:
    """What a case says, its blocks expanded."""

    def __init__(self, case, blocks, windows):
        where = f"case {case.name}"
        self.case = case
        session = case.sections[0]
        self.stdout, self.typed, self.points = transcript.decode(session.lines, blocks, where)
        self.stderr = b""
        self.files = {}
        self.before = {}
        for section in case.sections[1:]:
            label = f"{where}, --- {section.kind} {section.argument}"
            if section.kind in ("stdout", "stderr"):
                if section.argument not in ("", "windows"):
                    raise transcript.FormatError(f"{label}: only 'windows' may follow")
                if section.argument == "windows" and not windows:
                    continue
                if section.kind == "stdout" and section.argument == "":
                    raise transcript.FormatError(f"{label}: the session is the standard output")
                value = transcript.decode(section.lines, blocks, label, False)[0]
                setattr(self, section.kind, value)
            elif section.kind in ("before", "after"):
                value = transcript.decode(section.lines, blocks, label, False)[0]
                (self.before if section.kind == "before" else self.files)[section.argument] = value
            elif section.kind not in ("args", "env", "status", "terminal", "pipe", "output",
                                   "windows-skip"):
                raise transcript.FormatError(f"{label}: unknown section")
        for section in case.sections[1:]:
            # A windows section wins over the usual one wherever it stands.
            if windows and section.kind == "stderr" and section.argument == "windows":
                self.stderr = transcript.decode(section.lines, blocks, section.kind, False)[0]
        self.arguments = []
        for section in case.all("args"):
            self.arguments += [transcript.decode([line], blocks, "args", False)[0][:-1]
                               for line in section.lines]
        self.environment = [line.decode() for section in case.all("env") for line in section.lines
                            if line.strip()]
        self.status = int(single(case, "status") or 0)
        self.terminal = single(case, "terminal")
        self.pipe = single(case, "pipe") is not None
        self.output = single(case, "output")
        self.windows_skip = single(case, "windows-skip")


def place(directory, files):
    for name, content in files.items():
        path = os.path.join(directory, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write(path, content)


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
    os.mkdir(directory)
    place(directory, expected.before)
    environment = dict(os.environ)
    environment.pop("NO_COLOR", None)
    environment["TERM"] = "xterm"
    for assignment in expected.environment:
        name, _, value = assignment.partition("=")
        environment[name] = value
    command = ["timeout", "30", program, *[os.fsdecode(a) for a in expected.arguments]]
    if expected.terminal is not None:
        if not pty_run:
            sys.exit("no pseudo-terminal runner given")
        signal = [expected.terminal] if expected.terminal else []
        command = ["timeout", "30", pty_run, *signal, "--", program]
    input_path = os.path.join(work, "input")
    write(input_path, expected.typed)
    output_path = os.path.join(work, "stdout")
    write(output_path, b"")
    out_name = "/dev/full" if expected.output == "full" else output_path
    with open(out_name, "wb") as out, open(os.path.join(work, "stderr"), "wb") as err:
        if expected.pipe:
            process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=out, stderr=err,
                                       cwd=directory, env=environment)
            try:
                process.stdin.write(expected.typed)
                process.stdin.close()
            except BrokenPipeError:
                pass
            status = process.wait()
        else:
            with open(input_path, "rb") as typed:
                status = subprocess.call(command, stdin=typed, stdout=out, stderr=err,
                                         cwd=directory, env=environment)
    if status < 0:
        status = 128 - status
    return (status, read(output_path), read(os.path.join(work, "stderr")),
            left_behind(directory))


def shown(data):
    """Bytes as display lines, for a readable difference."""
    return [line + "\n" for line in transcript.render(data, [], {})]


def report_difference(what, expected, actual, lines):
    import difflib  # only on a failure: it takes longer to load than a case to run
    print(f"{what} differs (- expected, + actual):")
    difference = difflib.unified_diff(shown(expected), shown(actual), n=2)
    for number, line in enumerate(list(difference)[2:]):
        if number >= lines:
            print("...")
            break
        sys.stdout.write(line)


def compare(expected, status, stdout, stderr, files, windows):
    failed = False
    if status != expected.status:
        print(f"exit status {status}, expected {expected.status}")
        failed = True
    if stderr != expected.stderr:
        report_difference("standard error", expected.stderr, stderr, 20)
        failed = True
    if stdout != expected.stdout:
        report_difference("standard output", expected.stdout, stdout, 40)
        failed = True
    wanted = dict(expected.files)
    if windows:
        wanted = {name: fold(content) for name, content in wanted.items()}
        files = {name: None if content is None else fold(content)
                 for name, content in files.items()}
    for name in sorted(set(wanted) | set(files)):
        if name not in files:
            print(f"file {name} expected but not left behind")
            failed = True
        elif name not in wanted:
            print(f"file {name} left behind but not expected")
            failed = True
        elif files[name] != wanted[name]:
            report_difference(f"file {name}", wanted[name], files[name] or b"", 20)
            failed = True
    return failed


def moved_points(old_output, points, new_output):
    """The read points of old_output carried over to new_output."""
    import difflib
    matcher = difflib.SequenceMatcher(None, old_output, new_output, autojunk=False)
    moved = []
    for offset, typed in points:
        new_offset = len(new_output)
        for tag, a0, a1, b0, b1 in matcher.get_opcodes():
            if a0 <= offset <= a1 and (offset < a1 or tag == "equal" or a0 == a1):
                new_offset = b0 + (offset - a0 if tag == "equal" else b1 - b0)
                break
        if moved and new_offset < moved[-1][0]:
            new_offset = moved[-1][0]
        moved.append((new_offset, typed))
    return moved


def replace_section(case, kind, argument, lines, after_session):
    """Replaces (or adds, or with lines None removes) one section of the case."""
    section = case.section(kind, argument)
    header = f"--- {kind} {argument}".rstrip()
    if section is None:
        if lines is not None:
            new = transcript.Section(kind, argument, None)
            new.lines = [line.encode() for line in lines]
            new.header = header
            case.sections.insert(len(case.sections) if not after_session else 1, new)
        return
    if lines is None:
        case.sections.remove(section)
    else:
        section.lines = [line.encode() for line in lines]


def write_case(path, case):
    data = read(path)
    lines, cases = transcript.parse_file(data)
    old = next(c for c in cases if c.name == case.name)
    text = [f"=== {case.name}".encode()]
    for number, section in enumerate(case.sections):
        if number > 0:
            if section.start is not None and getattr(section, "header", None) is None:
                text.append(lines[section.start])
            else:
                text.append(section.header.encode())
        text += section.lines
    lines[old.start:old.end] = text
    write(path, b"\n".join(lines) + b"\n")


def update(path, case, expected, blocks, stdout, stderr, files, status, windows):
    session = transcript.render(stdout, moved_points(expected.stdout, expected.points, stdout),
                                blocks)
    rendered_stderr = transcript.render(stderr, [], blocks) if stderr else None
    if windows:
        if case.section("stdout", "windows"):
            replace_section(case, "stdout", "windows", transcript.render(stdout, [], blocks), False)
        if case.section("stderr", "windows"):
            replace_section(case, "stderr", "windows", rendered_stderr or [], False)
    else:
        case.sections[0].lines = [line.encode() for line in session]
        replace_section(case, "stderr", "", rendered_stderr, False)
        for section in case.all("after"):
            case.sections.remove(section)
        for name in sorted(files):
            if files[name] is not None:
                section = transcript.Section("after", name, None)
                section.header = f"--- after {name}"
                section.lines = [line.encode() for line in transcript.render(files[name], [], blocks)]
                case.sections.append(section)
    write_case(path, case)
    print(f"updated {case.name} in {path} (exit status {status})")


def main():
    arguments = sys.argv[1:]
    if arguments[:1] == ["--block"]:
        sys.stdout.buffer.write(load_blocks()[arguments[1]])
        return 0
    pty_run = None
    if "--pty" in arguments:
        index = arguments.index("--pty")
        pty_run = arguments[index + 1]
        del arguments[index:index + 2]
    program, path, name = arguments
    # The program runs in a directory of its own: names relative to here
    # would not reach it.
    if os.sep in program:
        program = os.path.abspath(program)
    if pty_run:
        pty_run = os.path.abspath(pty_run)
    windows = system() == "windows"
    blocks = load_blocks()
    _, cases = transcript.parse_file(read(path))
    case = next((c for c in cases if c.name == name), None)
    if case is None:
        sys.exit(f"no case {name} in {path}")
    expected = Expected(case, blocks, windows)
    if windows and expected.windows_skip is not None:
        print(f"not run on Windows: {expected.windows_skip}")
        return SKIPPED
    # Inherited by the program (set here, not between fork and exec, so
    # starting it stays cheap).
    resource.setrlimit(resource.RLIMIT_FSIZE, (FILE_LIMIT, FILE_LIMIT))
    work = tempfile.mkdtemp()
    try:
        status, stdout, stderr, files = run(program, expected, work, pty_run)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    if windows:
        stdout, stderr = fold(stdout), fold(stderr)
    if os.environ.get("UPDATE_GOLDENS") == "1":
        update(path, case, expected, blocks, stdout, stderr, files, status, windows)
        return 0
    return 1 if compare(expected, status, stdout, stderr, files, windows) else 0


if __name__ == "__main__":
    sys.exit(main())
