#!/usr/bin/python3
"""The script peer of the benchmarks: the same scan and parameter lookup
with ElementTree. Prints seconds (scan) or microseconds a call (getparam)."""
import os
import statistics
import sys
import time
import xml.etree.ElementTree as ET


def scan(root):
    plugins = {}
    for name in sorted(os.listdir(root)):
        path = os.path.join(root, name, "config.xml")
        if os.path.isfile(path):
            doc = ET.parse(path).getroot()
            plugins[doc.findtext("ID").lower()] = doc
    return plugins


def get_param(doc, name, lang):
    if not (lang and doc.find(f"./Languages/AppLang/Language[@isoCode='{lang}']") is not None):
        default = doc.find("./Languages/AppLang/Language[@default='true']")
        lang = default.get("isoCode") if default is not None else lang
    param = doc.find(f".//Param[@name='{name}']")
    if param is None:
        return ""
    if param.get("type", "").lower() == "check":
        value = param.find("Checked")
    elif param.get("localValue", "false") != "false":
        value = param.find(f"Value[@lang='{lang}']")
    else:
        value = param.find("Value")
    return (value.text or "") if value is not None else ""


def main():
    mode = sys.argv[1]
    if mode == "scan":
        root, runs = sys.argv[2], int(sys.argv[3])
        times = []
        for _ in range(runs):
            start = time.perf_counter()
            scan(root)
            times.append(time.perf_counter() - start)
        print(statistics.median(times))
    elif mode == "getparam":
        path, names, calls = sys.argv[2], sys.argv[3].split(","), int(sys.argv[4])
        doc = ET.parse(path).getroot()
        start = time.perf_counter()
        for i in range(calls):
            get_param(doc, names[i % len(names)], "en")
        print((time.perf_counter() - start) / calls * 1e6)


main()
