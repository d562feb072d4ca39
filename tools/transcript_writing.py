"""Writing transcript text: bytes back to display lines (tests/e2e/transcripts/README).

Used by convert_case.py; the runner only reads cases (tests/e2e/transcript.py).
"""

import re


def inline_names(data):
    """Blocks used within other blocks' lines: pieces of texts, not texts."""
    return {name.decode() for name in re.findall(rb"\\\{([^}]*)\}", data)}


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
