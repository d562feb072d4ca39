#!/usr/bin/env python3
"""Turns transcript case folders of the old layout into cases of transcripts/.

    convert_case.py [--program PATH] [--into NAME] CASE_DIR...

Each CASE_DIR (input, stdout, stderr, status, env, args, output, terminal,
pipe, windows-skip, windows-stdout, windows-stderr, before/, after/) becomes
the case named after the folder in transcripts/NAME.txt, NAME being the
folder name's first word (or --into NAME); a case of that name already there
is replaced in place, a new one is put in name order. Running it again on
the same folder gives the same file.

Where each typed line is read is found by running the program (--program,
by default build/kalvex-terminal, a native build) with the lines given one
at a time through a pipe, each once the program waits in a read of its
standard input (as /proc on Linux shows); when that run's output is not the
folder's stdout (a terminal case, say), each line is shown after the next
"Path: " instead. Either way the case means the same bytes: the place only
makes it read like the session.

Example, after a merge brought back old folders:
    python3 tools/convert_case.py tests/e2e/cases/*   (then git rm them)
"""

import os
import pathlib
import subprocess
import sys
import tempfile
import time

TOOLS = pathlib.Path(__file__).resolve().parent
HERE = TOOLS.parent / "tests" / "e2e"
sys.path[:0] = [str(HERE), str(TOOLS)]
import transcript  # noqa: E402
import transcript_writing  # noqa: E402

TRANSCRIPTS = HERE / "transcripts"
# Folder names whose first word is not the file they belong in.
FILE_OF_PREFIX = {"end": "shell", "no": "shell", "restart": "shell", "history": "shell",
                  "saved": "settings", "theme": "settings", "startup": "terminal"}
FILE_OF_CASE = {"shell_signal_hup_restores_the_terminal": "terminal",
                "shell_signal_int_restores_the_terminal": "terminal",
                "shell_signal_term_restores_the_terminal": "terminal"}


def read(folder, name):
    path = folder / name
    return path.read_bytes() if path.is_file() else None


def tree(folder):
    files = {}
    if folder.is_dir():
        for path in sorted(folder.rglob("*")):
            if path.is_file():
                files[path.relative_to(folder).as_posix()] = path.read_bytes()
    return files


def typed_lines(data):
    lines = data.split(b"\n")
    pieces = [line + b"\n" for line in lines[:-1]]
    if lines[-1]:
        pieces.append(lines[-1])
    return pieces


def family(pid):
    """pid and its descendants (a restart starts a new copy)."""
    parents = {}
    for entry in pathlib.Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                stat = (entry / "stat").read_text()
            except OSError:
                continue
            parents[int(entry.name)] = int(stat[stat.rindex(")") + 2:].split()[1])
    members = {pid}
    grown = True
    while grown:
        grown = False
        for child, parent in parents.items():
            if parent in members and child not in members:
                members.add(child)
                grown = True
    return members


def reading_input(pid):
    """Whether one of the processes sits in a read of its standard input."""
    for member in family(pid):
        try:
            call = pathlib.Path(f"/proc/{member}/syscall").read_text().split()
        except OSError:
            continue
        # read(0, ...) on x86-64 and on arm64 (63).
        if call[:2] in (["0", "0x0"], ["63", "0x0"]):
            return True
    return False


def settle(process, output):
    """Waits until the program waits for input (or has ended)."""
    deadline = time.monotonic() + 10
    last_size = -1
    while time.monotonic() < deadline and process.poll() is None:
        size = output.stat().st_size
        if size == last_size and reading_input(process.pid):
            return
        last_size = size
        time.sleep(0.02)


def reads_by_running(program, folder, lines, expected):
    """[(output offset, typed line)] found by giving the lines one at a time."""
    if not program or not os.access(program, os.X_OK):
        return None
    if (folder / "terminal").exists() or (folder / "output").exists():
        return None
    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        directory = work / "dir"
        directory.mkdir()
        for name, content in tree(folder / "before").items():
            (directory / name).parent.mkdir(parents=True, exist_ok=True)
            (directory / name).write_bytes(content)
        environment = dict(os.environ)
        environment.pop("NO_COLOR", None)
        environment["TERM"] = "xterm"
        for line in (read(folder, "env") or b"").decode().splitlines():
            if line:
                name, _, value = line.partition("=")
                environment[name] = value
        arguments = [a for a in (read(folder, "args") or b"").decode().split("\n") if a]
        output = work / "stdout"
        points = []
        with open(output, "wb") as out:
            process = subprocess.Popen([program, *arguments], stdin=subprocess.PIPE,
                                       stdout=out, stderr=subprocess.DEVNULL, cwd=directory,
                                       env=environment)
            for line in lines:
                settle(process, output)
                points.append((output.stat().st_size, line))
                try:
                    process.stdin.write(line)
                    process.stdin.flush()
                except BrokenPipeError:
                    pass
            try:
                process.stdin.close()
            except BrokenPipeError:
                pass
            process.wait(timeout=30)
        if output.read_bytes() != expected:
            return None
        return points


def reads_after_prompts(lines, expected):
    points = []
    position = 0
    for line in lines:
        found = expected.find(b"Path: ", position)
        position = len(expected) if found < 0 else found + len(b"Path: ")
        points.append((position, line))
    return points


def text_lines(data, blocks):
    return transcript_writing.render(data, [], blocks)


def case_text(folder, program, blocks, windows_blocks):
    name = folder.name
    stdout = read(folder, "stdout") or b""
    lines = typed_lines(read(folder, "input") or b"")
    points = reads_by_running(program, folder, lines, stdout)
    if points is None:
        points = reads_after_prompts(lines, stdout)
    out = [f"=== {name}"]
    out += transcript_writing.render(stdout, points, blocks)
    arguments = read(folder, "args")
    if arguments:
        out.append("--- args")
        out += [transcript_writing._protect_start(transcript_writing._escape(a))
                for a in arguments.split(b"\n") if a]
    environment = read(folder, "env")
    if environment:
        out.append("--- env")
        out += [line for line in environment.decode().splitlines() if line]
    terminal = read(folder, "terminal")
    if terminal is not None:
        out.append(f"--- terminal {terminal.decode().strip()}".rstrip())
    if (folder / "pipe").exists():
        out.append("--- pipe")
    output = read(folder, "output")
    if output is not None:
        out.append(f"--- output {output.decode().strip()}")
    status = read(folder, "status")
    if status is not None and status.strip() != b"0":
        out.append(f"--- status {status.decode().strip()}")
    skip = read(folder, "windows-skip")
    if skip is not None:
        out.append(f"--- windows-skip {' '.join(skip.decode().split())}")
    for file_name, content in tree(folder / "before").items():
        out.append(f"--- before {file_name}")
        out += text_lines(content, {})
    stderr = read(folder, "stderr") or b""
    if stderr:
        out.append("--- stderr")
        out += text_lines(stderr, blocks)
    # The Windows text is kept only where the Windows blocks do not already
    # give it.
    for kind, usual in (("stdout", stdout), ("stderr", stderr)):
        own = read(folder, f"windows-{kind}")
        if own is None:
            continue
        rendered = text_lines(own, windows_blocks)
        usual_lines = text_lines(usual, blocks)
        if rendered != usual_lines:
            out.append(f"--- {kind} windows")
            out += rendered
    for file_name, content in tree(folder / "after").items():
        out.append(f"--- after {file_name}")
        out += text_lines(content, {})
    return [line.encode() for line in out]


def matching_blocks(system):
    data = (HERE / "blocks.txt").read_bytes()
    blocks = transcript.parse_blocks(data, system)
    for name in transcript_writing.inline_names(data):
        blocks.pop(name, None)
    return blocks


def file_for(name, into):
    if into:
        return into
    if name in FILE_OF_CASE:
        return FILE_OF_CASE[name]
    prefix = name.split("_")[0]
    return FILE_OF_PREFIX.get(prefix, prefix)


def put(path, name, text):
    if path.exists():
        lines, cases = transcript.parse_file(path.read_bytes())
    else:
        lines, cases = [f"# Transcripts of {path.stem}: see README.".encode()], []
    old = next((case for case in cases if case.name == name), None)
    if old is not None:
        lines[old.start:old.end] = text
    else:
        later = next((case for case in cases if case.name > name), None)
        at = later.start if later else len(lines)
        lines[at:at] = text
    path.write_bytes(b"\n".join(lines) + b"\n")


def main():
    arguments = sys.argv[1:]
    program = str(HERE.parent.parent / "build" / "kalvex-terminal")
    into = None
    folders = []
    while arguments:
        argument = arguments.pop(0)
        if argument == "--program":
            program = arguments.pop(0)
        elif argument == "--into":
            into = arguments.pop(0)
        else:
            folders.append(pathlib.Path(argument).resolve())
    if not folders:
        sys.exit(__doc__)
    blocks = matching_blocks("posix")
    windows_blocks = matching_blocks("windows")
    TRANSCRIPTS.mkdir(exist_ok=True)
    for folder in folders:
        text = case_text(folder, program, blocks, windows_blocks)
        target = TRANSCRIPTS / f"{file_for(folder.name, into)}.txt"
        put(target, folder.name, text)
        print(f"{folder} -> {target.relative_to(HERE)}")


if __name__ == "__main__":
    main()
