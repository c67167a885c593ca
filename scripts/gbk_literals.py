#!/usr/bin/env python3
"""Copies C++ sources with every non-ASCII character of their string and
character literals written as GB18030 octal escapes.

GCC turns our UTF-8 literals into GBK with -fexec-charset=GB18030; clang only
knows UTF-8 there. The fuzz build compiles these copies with clang, so the
program sees the same bytes as the real one. Comments stay as they are.

usage: gbk_literals.py OUT_DIR ROOT FILE...   (FILE relative to ROOT)
A copy is only rewritten when its text changes, so make rebuilds what changed.
"""
import os
import re
import sys

RAW_OPEN = re.compile(r'(u8|u|U|L)?R"([^ ()\\\t\r\n]{0,16})\(')


def escape(ch):
    return ''.join('\\%03o' % b for b in ch.encode('gb18030'))


def quoted_char(ch, quote):
    """One character of a raw string, written for an ordinary literal."""
    if ord(ch) >= 0x80:
        return escape(ch)
    if ch == '\\' or ch == quote:
        return '\\' + ch
    if ch == '\n':
        return '\\n'
    if ord(ch) < 0x20 or ch == '\x7f':
        return '\\%03o' % ord(ch)
    return ch


def transcode(text):
    out = []
    i, n = 0, len(text)
    in_number = False  # inside a pp-number, where ' separates digits
    prev_word = False  # the last character continues an identifier or number
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            j = text.find('\n', i)
            j = n if j < 0 else j
            out.append(text[i:j])
            i, prev_word = j, False
            continue
        if text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append(text[i:j])
            i, prev_word = j, False
            continue
        raw = RAW_OPEN.match(text, i)
        if raw and not (prev_word and not raw.group(1)):
            close = ')' + raw.group(2) + '"'
            end = text.find(close, raw.end())
            if end < 0:
                raise SystemExit('unterminated raw string')
            body = text[raw.end():end]
            if raw.group(1) or all(ord(ch) < 0x80 for ch in body):
                out.append(text[i:end + len(close)])
            else:
                # An ordinary literal per source line, so line numbers stay.
                pieces = body.split('\n')
                lits = ['"' + ''.join(quoted_char(ch, '"') for ch in p) + ('\\n' if k + 1 < len(pieces) else '') + '"'
                        for k, p in enumerate(pieces)]
                out.append('\n'.join(lits))
            i, prev_word = end + len(close), False
            continue
        if c == '"' or (c == "'" and not in_number):
            j = i + 1
            lit = [c]
            while j < n and text[j] != c:
                if text[j] == '\\':
                    lit.append(text[j:j + 2])
                    j += 2
                    continue
                lit.append(escape(text[j]) if ord(text[j]) >= 0x80 else text[j])
                j += 1
            lit.append(c)
            out.append(''.join(lit))
            i, prev_word, in_number = j + 1, False, False
            continue
        word = c.isalnum() or c == '_' or (c == '.' and in_number)
        if word and not prev_word:
            in_number = c.isdigit()
        elif not word and c != "'":
            in_number = False
        prev_word = word or (c == "'" and in_number)
        out.append(c)
        i += 1
    return ''.join(out)


def main():
    out_dir, root, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    for rel in files:
        with open(os.path.join(root, rel), encoding='utf-8') as f:
            text = transcode(f.read())
        target = os.path.join(out_dir, rel)
        try:
            with open(target, encoding='utf-8') as f:
                if f.read() == text:
                    continue
        except OSError:
            pass
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, 'w', encoding='utf-8', newline='') as f:
            f.write(text)


if __name__ == '__main__':
    main()
