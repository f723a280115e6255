#!/usr/bin/python3
"""publish.py: publishes a shop through the Python module.

    publish.py ROOT STAGE [STORE_LANG]

Scans ROOT, keeps the active plug-ins, stages each into the folder STAGE
and prints each one's rendered page snippet after a line "== ID". The
staging object replaces every parameter reference <!--#param ... --> by
what the plug-in's ParseParam renders for it.
"""
import sys

import tlpaymentplugins

OPEN, CLOSE = "<!--#param", "-->"


class Renderer:
    """The staging object: the library calls ParseSnippet(text, 1), then
    reads PCode."""

    def __init__(self, plugin, store_lang):
        self.plugin = plugin
        self.store_lang = store_lang
        self.PCode = ""

    def ParseSnippet(self, text, mode):
        parts, at = [], 0
        while True:
            start = text.find(OPEN, at)
            end = text.find(CLOSE, start + len(OPEN)) if start >= 0 else -1
            if end < 0:  # an unclosed reference stays text
                break
            parts.append(text[at:start])
            parts.append(self.plugin.ParseParam(text[start + len(OPEN):end], self.store_lang))
            at = end + len(CLOSE)
        parts.append(text[at:])
        self.PCode = "".join(parts)


def main(argv):
    if len(argv) < 3:
        print("usage: publish.py ROOT STAGE [STORE_LANG]", file=sys.stderr)
        return 2
    stage = argv[2]
    store_lang = argv[3] if len(argv) > 3 else ""
    try:
        plugins = tlpaymentplugins.PlugIns()
        plugins.PlugInsPath = argv[1]
        for plugin in plugins:
            if not plugin.IsActive:
                continue
            renderer = Renderer(plugin, store_lang)
            plugin.CopyPlugInFiles(stage, renderer)
            print("== " + plugin.ID)
            print(plugin.ParseSnippetFile(renderer))
    except tlpaymentplugins.Error as error:
        print(f"error {error.number}: {error.description} ({error.source})", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
