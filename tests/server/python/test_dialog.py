"""The dialog (offscreen) through Python and copies of the C library: the Qt
module is loaded when the first dialog opens; without it, 100995 names it."""
import ctypes
import multiprocessing
import os
import pytest
import shutil
import subprocess
import sys

import tlpaymentplugins

MISSING = "tlpaymentplugins-dialog-qt.so is missing"


def answer_dialogs():  # at once, once shown: active box ticked, then OK
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    ctypes.CDLL(os.environ["TLPP_DIALOG_ANSWERER"])


class CError(ctypes.Structure):
    _fields_ = [("number", ctypes.c_int32), ("source", ctypes.c_char * 128), ("description", ctypes.c_char * 1024)]


def show_through_c(library, folder):
    answer_dialogs()
    c, plugin, error = ctypes.CDLL(library), ctypes.c_void_p(), CError()
    assert c.tlpp_CreateObject(b"TLPaymentPlugIns.PlugIn", ctypes.byref(plugin), None) == 0
    assert c.tlpp_PlugIn_let_ConfigPath(plugin, folder.encode(), None) == 0
    charset, taken = ctypes.c_int16(204), (ctypes.c_int16(-1), ctypes.c_int16(-1))
    c.tlpp_PlugIn_ShowConfigDialogue(plugin, b"en", None, ctypes.byref(charset), None, ctypes.byref(error))
    c.tlpp_PlugIn_get_mCharSet(plugin, ctypes.byref(taken[0]), None)
    c.tlpp_PlugIn_get_mCharSetIO(plugin, ctypes.byref(taken[1]), None)
    return error.number, error.description.decode(), taken[0].value, taken[1].value


# A fresh process finds the module only where the library looks for it; a
# library path (set for sanitizer builds) stays with this process.
os.environ.pop("LD_LIBRARY_PATH", None)


def in_fresh_process(*args):  # where no module of that name is loaded yet
    with multiprocessing.get_context("spawn").Pool(1) as pool:
        return pool.apply(show_through_c, [str(arg) for arg in args])


def test_python_finds_the_built_module_at_run_time(invoice, root):
    answer_dialogs()
    invoice.ShowConfigDialogue("en")
    assert (invoice.mCharSet, invoice.mCharSetIO) == (0, 0)
    invoice.ShowConfigDialogue("en", CharSet=32767, CharSetIO=-32768)  # the ends of a 16-bit integer
    assert (invoice.mCharSet, invoice.mCharSetIO) == (32767, -32768)
    assert invoice.IsActive is True  # ticked twice
    assert 'active="true"' in (root / "invoice" / "config.xml").read_text()
    for wide in ({"CharSet": 32768}, {"CharSetIO": -32769}):
        with pytest.raises(tlpaymentplugins.Error, match="^6: "):
            invoice.ShowConfigDialogue("en", **wide)


def test_an_installed_c_library_finds_the_module_beside_it_or_names_it(root, tmp_path):
    built = os.environ["TLPP_C_LIBRARY"]
    module = tmp_path / "lib" / os.environ["TLPP_DIALOG_MODULE_PATH"]
    module.parent.mkdir(parents=True)
    shutil.copy(os.environ["TLPP_DIALOG_MODULE"], module)
    config = root / "invoice" / "config.xml"
    # The character set given, and 0 for the one left out.
    assert in_fresh_process(shutil.copy(built, tmp_path / "lib"), root / "invoice") == (0, "", 204, 0)
    assert b'active="false"' in (saved := config.read_bytes())

    # Another copy, alone: nothing is shown or changed.
    number, description, _, _ = in_fresh_process(shutil.copy(built, tmp_path / "alone.so"), root / "invoice")
    assert number == 100995 and MISSING in description
    assert config.read_bytes() == saved


def test_python_without_the_module_names_it(root, tmp_path):
    shutil.copy(tlpaymentplugins.__file__, tmp_path)
    script = ("import sys, tlpaymentplugins as t; assert t.__file__.startswith(sys.argv[2]); "
              "p = t.PlugIn(); p.ConfigPath = sys.argv[1]; p.ShowConfigDialogue('en')")
    shown = subprocess.run([sys.executable, "-c", script, str(root / "invoice"), str(tmp_path)],
                           env=dict(os.environ, PYTHONPATH=str(tmp_path), QT_QPA_PLATFORM="offscreen"),
                           capture_output=True, text=True)
    assert "tlpaymentplugins.Error: 100995: " in shown.stderr and MISSING in shown.stderr
