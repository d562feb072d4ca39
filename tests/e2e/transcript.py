"""Reading and writing transcript files; the format is told in transcripts/README.

A file's cases open with "=== NAME", a case's further sections with
"--- KIND ...", and text is written as display lines (escapes, «typed»,
"@NAME" and "\\{NAME}" for blocks, "\\c" for no line end).
"""

import re

OPEN = "«".encode()
CLOSE = "»".encode()
NAMED_ESCAPES = {ord("e"): b"\x1b", ord("a"): b"\x07", ord("r"): b"\r", ord("t"): b"\t",
                 ord("s"): b" "}
CASE_HEADER = b"=== "
PART_HEADER = b"--- "


class FormatError(Exception):
    pass


def _unescape(text, where, stop_at_typed, blocks):
    """Bytes of one display line's text; returns (bytes, rest, no_line_end).

    rest is the text from an unescaped "«" on (when stop_at_typed), or None.
    """
    out = bytearray()
    i = 0
    while i < len(text):
        if stop_at_typed and text.startswith(OPEN, i):
            return bytes(out), text[i:], False
        byte = text[i]
        if byte != ord("\\"):
            out.append(byte)
            i += 1
            continue
        if i + 1 >= len(text):
            raise FormatError(f"{where}: a backslash ends the line")
        code = text[i + 1]
        if code in NAMED_ESCAPES:
            out += NAMED_ESCAPES[code]
            i += 2
        elif code == ord("c"):
            if i + 2 != len(text):
                raise FormatError(f"{where}: \\c is allowed only at the end")
            return bytes(out), None, True
        elif code == ord("{"):
            end = text.find(b"}", i)
            name = text[i + 2:end].decode() if end > 0 else ""
            if name not in blocks:
                raise FormatError(f"{where}: no block named {name!r}")
            out += blocks[name]
            i = end + 1
        elif code == ord("x"):
            digits = text[i + 2:i + 4]
            if not re.fullmatch(rb"[0-9A-Fa-f]{2}", digits):
                raise FormatError(f"{where}: \\x needs two hex digits")
            out.append(int(digits, 16))
            i += 4
        elif code >= 0x80:
            # A whole UTF-8 character, e.g. a guillemet.
            j = i + 2
            while j < len(text) and 0x80 <= text[j] < 0xC0:
                j += 1
            out += text[i + 1:j]
            i = j
        elif not chr(code).isalnum():
            out.append(code)
            i += 2
        else:
            raise FormatError(f"{where}: unknown escape \\{chr(code)}")
    return bytes(out), None, False


def _typed(rest, where, blocks):
    if not rest.endswith(CLOSE) or len(rest) < len(OPEN) + len(CLOSE):
        raise FormatError(f"{where}: typed text must end the line with »")
    body = rest[len(OPEN):-len(CLOSE)]
    typed, _, no_line_end = _unescape(body, where, False, blocks)
    return typed if no_line_end else typed + b"\n"


def decode(lines, blocks, where, allow_typed=True):
    """Display lines to (output bytes, typed bytes, points).

    points lists (output offset, typed bytes) for each read, in order.
    """
    output = bytearray()
    points = []
    for number, line in enumerate(lines, 1):
        here = f"{where}, line {number}"
        if line.startswith(b"@"):
            name, _, rest = line[1:].partition(b" ")
            key = name.decode()
            if key not in blocks:
                raise FormatError(f"{here}: no block named {key!r}")
            output += blocks[key]
            if rest:
                if not allow_typed:
                    raise FormatError(f"{here}: nothing is typed here")
                points.append((len(output), _typed(rest, here, blocks)))
            continue
        text, rest, no_line_end = _unescape(line, here, allow_typed, blocks)
        output += text
        if rest is not None:
            points.append((len(output), _typed(rest, here, blocks)))
        elif not no_line_end:
            output += b"\n"
    typed = b"".join(t for _, t in points)
    return bytes(output), typed, points


def split_lines(data):
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    return lines


def inline_names(data):
    """Blocks used within other blocks' lines: pieces of texts, not texts."""
    return {name.decode() for name in re.findall(rb"\\\{([^}]*)\}", data)}


def parse_blocks(data, system):
    """The named blocks for system ("posix" or "windows").

    A block's lines may use only blocks named before it."""
    sections = {}
    order = []
    current = None
    for line in split_lines(data):
        if line.startswith(CASE_HEADER):
            current = tuple(line[len(CASE_HEADER):].decode().split())
            sections[current] = []
            order.append(current)
        elif current is not None:
            sections[current].append(line)
    blocks = {}
    for key in order:
        name = key[0]
        windows_own = (name, "windows") in sections
        if key == (name,) and not (system == "windows" and windows_own) or \
                key == (name, "windows") and system == "windows":
            blocks[name] = decode(sections[key], blocks, f"block {name}", False)[0]
    return blocks


class Section:
    def __init__(self, kind, argument, start):
        self.kind = kind
        self.argument = argument
        self.start = start  # index of the header line (or of the first line)
        self.lines = []


class Case:
    def __init__(self, name, start):
        self.name = name
        self.start = start
        self.end = start
        self.sections = [Section("session", "", start)]

    def section(self, kind, argument=None):
        for section in self.sections:
            if section.kind == kind and (argument is None or section.argument == argument):
                return section
        return None

    def all(self, kind):
        return [section for section in self.sections if section.kind == kind]


def parse_file(data):
    """(lines, cases) of a transcript file; cases in order of appearance."""
    lines = split_lines(data)
    cases = []
    for index, line in enumerate(lines):
        if line.startswith(CASE_HEADER):
            cases.append(Case(line[len(CASE_HEADER):].decode().strip(), index))
            cases[-1].sections[0].start = index + 1
        elif cases:
            case = cases[-1]
            if line.startswith(PART_HEADER):
                kind, _, argument = line[len(PART_HEADER):].decode().strip().partition(" ")
                case.sections.append(Section(kind, argument.strip(), index))
            else:
                case.sections[-1].lines.append(line)
        if cases:
            cases[-1].end = index + 1
    return lines, cases


# --- Writing -----------------------------------------------------------------

def _escape(data, typed=False):
    text = data.decode("utf-8", errors="surrogateescape")
    out = []
    for ch in text:
        code = ord(ch)
        if 0xDC80 <= code <= 0xDCFF:
            out.append(f"\\x{code - 0xDC00:02X}")
        elif ch == "\\":
            out.append("\\\\")
        elif ch in "«»":
            out.append("\\" + ch)
        elif ch == "\x1b":
            out.append("\\e")
        elif ch == "\x07":
            out.append("\\a")
        elif ch == "\r":
            out.append("\\r")
        elif ch == "\t":
            out.append("\\t")
        elif ch == " " or ch.isprintable():
            out.append(ch)
        else:
            out.extend(f"\\x{b:02X}" for b in ch.encode("utf-8", errors="surrogateescape"))
    return "".join(out)


def _protect_start(line):
    if line.startswith(("@", "===", "---")):
        return "\\" + line
    return line


def _protect_end(line):
    # A space or tab at the end of a line would be lost by many editors.
    if line.endswith(" "):
        return line[:-1] + "\\s"
    return line


def tokens_of(output, points, blocks):
    """The output and reads as tokens: ("text", b), ("block", name), ("typed", b)."""
    ordered = sorted(((name, value) for name, value in blocks.items() if value),
                     key=lambda item: -len(item[1]))
    tokens = []
    cuts = [offset for offset, _ in points] + [len(output)]
    start = 0
    for index, cut in enumerate(cuts):
        chunk = output[start:cut]
        text_start = 0
        position = 0
        while position < len(chunk):
            for name, value in ordered:
                if chunk.startswith(value, position):
                    if position > text_start:
                        tokens.append(("text", chunk[text_start:position]))
                    tokens.append(("block", name))
                    position += len(value)
                    text_start = position
                    break
            else:
                position += 1
        if text_start < len(chunk):
            tokens.append(("text", chunk[text_start:]))
        if index < len(points):
            tokens.append(("typed", points[index][1]))
        start = cut
    return tokens


def _escape_naming(data, inline):
    """_escape, with the texts of inline blocks written as "\\{NAME}"."""
    for name, value in inline:
        if value in data:
            return ("\\{" + name + "}").join(_escape_naming(section, inline)
                                               for section in data.split(value))
    return _escape(data)


def render(output, points, blocks):
    """Display lines (str) that decode back to output and points.

    Blocks of one line (no line end) are named within lines, others on
    lines of their own."""
    inline = sorted(((name, value) for name, value in blocks.items()
                     if value and b"\n" not in value), key=lambda item: -len(item[1]))
    blocks = {name: value for name, value in blocks.items() if b"\n" in value}
    lines = []
    current = None  # the display line being built, without its line end

    def finish(no_line_end):
        nonlocal current
        if current is None:
            return
        lines.append(current + "\\c" if no_line_end else _protect_end(current))
        current = None

    pending_block = None
    for kind, value in tokens_of(output, points, blocks):
        if kind == "typed":
            no_line_end = not value.endswith(b"\n")
            body = _escape(value if no_line_end else value[:-1]) + ("\\c" if no_line_end else "")
            if pending_block is not None:
                lines.append(pending_block + " «" + body + "»")
                pending_block = None
            else:
                lines.append((current or "") + "«" + body + "»")
                current = None
            continue
        if pending_block is not None:
            lines.append(pending_block)
            pending_block = None
        if kind == "block":
            finish(True)
            pending_block = "@" + value
            continue
        for number, piece in enumerate(value.split(b"\n")):
            if number > 0:
                lines.append(_protect_end(current if current is not None else ""))
                current = None
            if piece:
                escaped = _escape_naming(piece, inline)
                current = _protect_start(escaped) if current is None else current + escaped
    if pending_block is not None:
        lines.append(pending_block)
    finish(True)
    return lines
