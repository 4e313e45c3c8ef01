#!/usr/bin/env python3
"""Reads a data file as spreadsheet programs do, with Python's csv module, and prints what it
found as JSON: the rows, whether the file starts with a UTF-8 byte-order mark, and whether any
line ends in CR LF.

Usage: read_data_file.py FILE DELIMITER
"""
import csv
import json
import sys

path, delimiter = sys.argv[1], sys.argv[2]
with open(path, "rb") as raw:
    data = raw.read()
with open(path, newline="", encoding="utf-8-sig") as text:
    rows = list(csv.reader(text, delimiter=delimiter, strict=True))
print(json.dumps({"bom": data.startswith(b"\xef\xbb\xbf"), "crlf": b"\r\n" in data,
                  "rows": rows}, ensure_ascii=False))
