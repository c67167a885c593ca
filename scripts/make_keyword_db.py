#!/usr/bin/env python3
"""Checks the keyword reference texts and writes the GBK database beside the program.

    make_keyword_db.py SOURCE_DIR            check only
    make_keyword_db.py SOURCE_DIR OUT.edb    check, then write the database
    make_keyword_db.py --draft SOURCE_DIR OUT.edb
                                             write it even while texts are
                                             missing (faults become warnings)

SOURCE_DIR holds cat01.txt .. cat28.txt (UTF-8, one per catalogue category).
The format is described in docs/keyword_database.md. Any fault is printed with
its file and line and the exit status is 1; nothing is written then. The words
that docs/glossary.md forbids must appear in no record.
"""
import pathlib
import re
import sys

FIELDS = ["英文名称", "中文名称", "用法", "详细说明", "关键字"]
# Kept in the texts only: the database file has exactly the five fields above.
SOURCE_ONLY = ["出处"]
REQUIRED = ["英文名称", "中文名称", "用法", "详细说明"]
RECORDS = 638
ANCHORS = {1: "%DEF", 2: "#BLOAT", 16: "ABS", 42: "CALL", 200: "DO ...LOOP ", 289: "IF  THEN ",
           554: "XPRINT$", 555: "INTEGER", 571: "DISPATCH", 572: "%PB_CC32", 638: "%LTGRAY"}
HEADER = "QUILLET-KEYWORDS 1"
GLOSSARY = pathlib.Path(__file__).resolve().parent.parent / "docs" / "glossary.md"
# Binary operators: their usage begins with the left operand, not the keyword.
INFIX = {"AND", "OR", "XOR", "EQV", "IMP", "MOD"}
# From 555 on the records are data types and constants; their usage shows them
# inside a statement, so it need not begin with them.
FIRST_VALUE_RECORD = 555


class Fault(Exception):
    pass


def unquote(text, where):
    if len(text) < 2 or text[0] != '"' or text[-1] != '"':
        raise Fault(f"{where}: 英文名称 must be a quoted text")
    out, i, body = [], 0, text[1:-1]
    while i < len(body):
        c = body[i]
        if c == "\\" and i + 1 < len(body) and body[i + 1] in 't\\"':
            out.append({"t": "\t", "\\": "\\", '"': '"'}[body[i + 1]])
            i += 2
        elif c in '\\"':
            raise Fault(f"{where}: bad escape in 英文名称")
        else:
            out.append(c)
            i += 1
    return "".join(out)


def parse_file(path):
    """Returns [(record number, {field: text}, line number)]."""
    records, current, field = [], None, None
    for number, raw in enumerate(path.read_text(encoding="utf-8").split("\n"), 1):
        line = raw.rstrip("\r")
        where = f"{path.name}:{number}"
        if line.startswith("### "):
            if not line[4:].strip().isdigit():
                raise Fault(f"{where}: a record header is '### NUMBER'")
            current = {"_line": number}
            records.append((int(line[4:]), current, number))
            field = None
        elif line.startswith(";") or (line.strip() == "" and field is None):
            continue
        elif line.startswith("|"):
            if current is None or field is None:
                raise Fault(f"{where}: a '|' line outside a field")
            text = line[2:] if line.startswith("| ") else line[1:]
            current[field] = text if current[field] is None else current[field] + "\r\n" + text
        elif line.strip() == "":
            field = None  # a blank line ends a multi-line field
        else:
            name, sep, value = line.partition(":")
            if not sep or name not in FIELDS + SOURCE_ONLY:
                raise Fault(f"{where}: expected one of {', '.join(FIELDS + SOURCE_ONLY)} followed by ':'")
            if current is None:
                raise Fault(f"{where}: a field before the first '### NUMBER'")
            if name in current:
                raise Fault(f"{where}: {name} given twice")
            value = value.strip()
            if name == "英文名称":
                current[name] = unquote(value, where)
                field = None
            elif value:
                current[name] = value
                field = None
            else:
                current[name] = None
                field = name
    for _, rec, _ in records:
        for name in FIELDS + SOURCE_ONLY:
            rec[name] = (rec.get(name) or "").rstrip("\r\n")
            # trailing blank lines of a multi-line field are layout, not text
            while rec[name].endswith("\r\n"):
                rec[name] = rec[name][:-2]
    return records


def name_words(english):
    return [w for w in english.replace("...", " ").split() if w]


def read_glossary(path):
    """Returns {forbidden word: the term to use} from the lines
    '- concept：term；禁用：word、word' of the glossary."""
    forbidden = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        found = re.match(r"- .+?：(.+?)；禁用：(.+)$", line)
        if found:
            for word in re.split(r"[、，,]", found.group(2)):
                if word.strip():
                    forbidden[word.strip()] = found.group(1).strip()
    return forbidden


def usage_faults(number, usage, words):
    """Checks the usage notation: [ ], { } and ( ) pair up (quoted text aside),
    '|' stands only inside [ ] or { }, each { } offers a choice, and the first
    form begins with the keyword (after an optional 'result =')."""
    faults, stack = [], []  # stack: [opening bracket, holds a '|' at its level]
    for line in usage.split("\r\n"):
        quoted = False
        for c in line:
            if c == '"':
                quoted = not quoted
            elif quoted:
                continue
            elif c in "[{(":
                stack.append([c, False])
            elif c in "]})":
                if not stack:
                    return [f"用法: '{c}' has no opening bracket"]
                if stack[-1][0] != {"]": "[", "}": "{", ")": "("}[c]:
                    return [f"用法: '{c}' closes '{stack[-1][0]}'"]
                opening, choice = stack.pop()
                if opening == "{" and not choice:
                    faults.append("用法: { } offers no choice with '|'")
            elif c == "|":
                if not any(b[0] in "[{" for b in stack):
                    faults.append("用法: '|' outside [ ] or { }")
                elif stack[-1][0] in "[{":
                    stack[-1][1] = True
    if stack:
        faults.append(f"用法: '{stack[-1][0]}' is not closed")
    if number < FIRST_VALUE_RECORD and words:
        keyword, first = words[0].upper(), usage.split("\r\n")[0].upper()
        target = re.match(r"[^\"=\[({]*?[^=<>]=(?!=)\s*", first)
        if target and not first.startswith(keyword):
            first = first[target.end():]
        if not first.startswith(keyword):
            first = re.sub(r"^(\[|FUNCTION\s+)", "", first)
        if keyword in INFIX:
            begins = re.match(r"\S+\s+" + re.escape(keyword) + r"\b", first)
        else:
            begins = first.startswith(keyword)
        if not begins:
            faults.append(f"用法: the first form does not begin with {words[0]}")
    return sorted(set(faults))


def check(records, forbidden=None):
    faults = []
    seen_numbers, seen_texts = {}, {}
    for number, rec, line in records:
        where = f"{rec['_file']}:{line} (### {number})"
        if number in seen_numbers:
            faults.append(f"{where}: record number also used at {seen_numbers[number]}")
        seen_numbers[number] = where
        for name in REQUIRED:
            if not rec[name].strip():
                faults.append(f"{where}: {name} is empty")
        usage = rec["用法"].upper()
        for word in name_words(rec["英文名称"]):
            if word.upper() not in usage:
                faults.append(f"{where}: 用法 does not name {word}")
        faults.extend(f"{where}: {fault}" for fault in usage_faults(number, rec["用法"], name_words(rec["英文名称"])))
        for name in FIELDS[1:]:
            for word, term in (forbidden or {}).items():
                if word in rec[name]:
                    faults.append(f"{where}: {name} uses '{word}'; the glossary says '{term}'")
        if rec["出处"] and "http" not in rec["出处"]:
            faults.append(f"{where}: 出处 names the help topic and its address (http...)")
        if " " in rec["关键字"] or "\t" in rec["关键字"]:
            faults.append(f"{where}: 关键字 is words separated by commas, without blanks")
        text = rec["详细说明"].strip()
        if text:
            if text in seen_texts:
                faults.append(f"{where}: 详细说明 repeats {seen_texts[text]}")
            seen_texts[text] = where
        if not re.search(r"[\u4e00-\u9fff]", rec["详细说明"]):
            faults.append(f"{where}: 详细说明 has no Chinese text")
        for name in FIELDS + SOURCE_ONLY:
            if any(re.search(r"[\x00-\x08\x0a-\x1f\x7f]", part) for part in rec[name].split("\r\n")):
                faults.append(f"{where}: {name} holds a control character (only TAB is allowed)")
            try:
                rec[name].encode("gbk")
            except UnicodeEncodeError as error:
                bad = rec[name][error.start:error.end]
                faults.append(f"{where}: {name} holds {bad!r}, which GBK cannot hold")
    for number, name in ANCHORS.items():
        found = [rec for n, rec, _ in records if n == number]
        if found and found[0]["英文名称"] != name:
            faults.append(f"record {number} must be {name!r}, not {found[0]['英文名称']!r}")
    return faults


def main(argv):
    draft = "--draft" in argv[1:2]
    if draft:
        argv = argv[:1] + argv[2:]
    if len(argv) not in (2, 3) or (draft and len(argv) != 3):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    source = pathlib.Path(argv[1])
    files = sorted(source.glob("cat[0-9][0-9].txt"))
    records = []
    try:
        for path in files:
            for number, rec, line in parse_file(path):
                rec["_file"] = path.name
                records.append((number, rec, line))
    except Fault as fault:
        print(f"keyword database: {fault}", file=sys.stderr)
        return 1
    faults = check(records, read_glossary(GLOSSARY))
    numbers = sorted(n for n, _, _ in records)
    numbered = numbers == list(range(1, RECORDS + 1))
    if len(argv) == 3 and not numbered:
        faults.append(f"the records must be numbered 1 to {RECORDS} once each ({len(numbers)} found)")
    # Not even a draft can do without every number: the program reads records by number.
    if draft and numbered and faults:
        print(f"keyword database: draft with {len(faults)} faults in {len(records)} records, "
              f"written anyway", file=sys.stderr)
        faults = []
    for fault in faults:
        print(f"keyword database: {fault}", file=sys.stderr)
    if faults:
        print(f"keyword database: {len(faults)} faults in {len(records)} records", file=sys.stderr)
        return 1
    if len(argv) == 3:
        lines = [HEADER]
        for number, rec, _ in sorted(records, key=lambda r: r[0]):
            lines.append(f"### {number}")
            english = rec["英文名称"].replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t")
            lines.append(f'英文名称: "{english}"')
            for name in FIELDS[1:]:
                lines.append(f"{name}:")
                lines.extend("| " + part for part in rec[name].split("\r\n")) if rec[name] else None
            lines.append("")
        # A draft may still hold characters GBK lacks; they become '?'.
        pathlib.Path(argv[2]).write_bytes("\r\n".join(lines).encode("gbk", "replace" if draft else "strict"))
    print(f"keyword database: {len(records)} records checked")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
