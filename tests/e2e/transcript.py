"""Reading transcript files; the format is told in transcripts/README.

A file's cases open with "=== NAME", a case's further sections with
"--- KIND ...", and text is written as display lines (escapes, «typed»,
"@NAME" and "\\{NAME}" for blocks, "\\c" for no line end).
"""

ESCAPES = {"e": b"\x1b", "a": b"\x07", "r": b"\r", "t": b"\t", "s": b" "}


class FormatError(Exception):
    pass


def _text(text, blocks, where, typed=None):
    """The bytes of one display line's text (str), and whether it ends in \\c.

    With a list for typed, an unescaped «...» ends the line: its text and line
    end (none with \\c inside) are appended to the list."""
    out = bytearray()
    i = 0
    while i < len(text):
        ch = text[i]
        if ch == "«" and typed is not None:
            if not text.endswith("»") or len(text) < i + 2:
                raise FormatError(f"{where}: typed text must end the line with »")
            value, no_line_end = _text(text[i + 1:-1], blocks, where)
            typed.append(value if no_line_end else value + b"\n")
            return bytes(out), True
        if ch != "\\":
            out += ch.encode("utf-8", "surrogateescape")
            i += 1
            continue
        code = text[i + 1:i + 2]
        i += 2
        if code in ESCAPES:
            out += ESCAPES[code]
        elif code == "c" and i == len(text):
            return bytes(out), True
        elif code == "{" and text[i:].partition("}")[0] in blocks:
            name = text[i:].partition("}")[0]
            out += blocks[name]
            i += len(name) + 1
        elif code == "x" and len(text[i:i + 2]) == 2 and all(
                c in "0123456789abcdefABCDEF" for c in text[i:i + 2]):
            out.append(int(text[i:i + 2], 16))
            i += 2
        elif code and not (code.isascii() and code.isalnum()):
            out += code.encode("utf-8", "surrogateescape")
        else:
            raise FormatError(f"{where}: bad escape \\{code}")
    return bytes(out), False


def decode(lines, blocks, where, allow_typed=True):
    """Display lines (bytes) to (output bytes, typed bytes)."""
    output = bytearray()
    typed = [] if allow_typed else None
    for number, line in enumerate(lines, 1):
        here = f"{where}, line {number}"
        text = line.decode("utf-8", "surrogateescape")
        if text.startswith("@"):
            name, _, rest = text[1:].partition(" ")
            if name not in blocks:
                raise FormatError(f"{here}: no block named {name!r}")
            output += blocks[name]
            if rest and _text(rest, blocks, here, typed) != (b"", True):
                raise FormatError(f"{here}: only «typed» text may follow a block")
            continue
        value, no_line_end = _text(text, blocks, here, typed)
        output += value if no_line_end else value + b"\n"
    return bytes(output), b"".join(typed or [])


def split_lines(data):
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    return lines


def parse_blocks(data, system):
    """The named blocks for system ("posix" or "windows"); a block's lines may
    use only blocks named before it."""
    _, cases = parse_file(data)
    windows_own = {case.name.split()[0] for case in cases if case.name.endswith(" windows")}
    blocks = {}
    for case in cases:
        name, _, own = case.name.partition(" ")
        if own == ("windows" if name in windows_own and system == "windows" else ""):
            blocks[name] = decode(case.sections[0].lines, blocks, f"block {name}", False)[0]
    return blocks


class Section:
    def __init__(self, kind, argument):
        self.kind = kind
        self.argument = argument
        self.lines = []


class Case:
    def __init__(self, name, start):
        self.name = name
        self.start = start  # lines[start:end] are the case's
        self.end = start + 1
        self.sections = [Section("session", "")]


def parse_file(data):
    """(lines, cases) of a transcript file; cases in order of appearance."""
    lines = split_lines(data)
    cases = []
    for index, line in enumerate(lines):
        if line.startswith(b"=== "):
            cases.append(Case(line[4:].decode().strip(), index))
            continue
        if not cases:
            continue
        if line.startswith(b"--- "):
            kind, _, argument = line[4:].decode().strip().partition(" ")
            cases[-1].sections.append(Section(kind, argument.strip()))
        else:
            cases[-1].sections[-1].lines.append(line)
        cases[-1].end = index + 1
    return lines, cases
