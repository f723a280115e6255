"""The dialog through the Python module: the Qt module is loaded when the
first dialog opens, and without it the call raises 100995."""
import ctypes
import os
import shutil
import subprocess
import sys

import tlpaymentplugins


def test_the_dialog_opens_through_the_module_found_at_run_time(invoice, root, monkeypatch):
    monkeypatch.setenv("QT_QPA_PLATFORM", "offscreen")
    # Ticks the active box and presses OK once the dialog is shown.
    ctypes.CDLL(os.environ["TLPP_DIALOG_ANSWERER"])
    assert invoice.IsActive is True
    invoice.ShowConfigDialogue("en")
    assert invoice.IsActive is False
    assert 'active="false"' in (root / "invoice" / "config.xml").read_text()


def test_without_the_module_the_dialog_names_it_as_missing(root, tmp_path):
    alone = tmp_path / "alone"
    alone.mkdir()
    shutil.copy(tlpaymentplugins.__file__, alone)
    config = root / "invoice" / "config.xml"
    before = config.read_bytes()
    script = (
        "import sys, tlpaymentplugins\n"
        "assert tlpaymentplugins.__file__.startswith(sys.argv[2])\n"
        "plugin = tlpaymentplugins.PlugIn()\n"
        "plugin.ConfigPath = sys.argv[1]\n"
        "try:\n"
        "    plugin.ShowConfigDialogue('en')\n"
        "except tlpaymentplugins.Error as error:\n"
        "    print(error.number, error.description)\n")
    env = dict(os.environ, PYTHONPATH=str(alone), QT_QPA_PLATFORM="offscreen")
    shown = subprocess.run([sys.executable, "-c", script, str(root / "invoice"), str(alone)],
                           env=env, capture_output=True, text=True, check=True)
    number, description = shown.stdout.strip().split(" ", 1)
    assert number == "100995"
    assert "tlpaymentplugins-dialog-qt.so is missing" in description
    assert config.read_bytes() == before
