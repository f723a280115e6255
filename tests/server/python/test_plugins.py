"""The collection and the plug-in object as Python sees them."""
import gc
import os
import pathlib
import shutil
import threading

import pytest
from tlpaymentplugins import Error, PlugIn, PlugInLock, PlugIns, PlugInUpgrade


def raises(number):
    return pytest.raises(Error, match=rf"^{number}: ")


def test_collection_indexes_from_one_by_position_and_by_key(plugins):
    assert len(plugins) == plugins.Count == 3
    assert [p.ID for p in plugins] == ["TLCashOnDelivery", "TLCreditCard", "TLInvoice"]
    assert plugins[1] is plugins["tlcashondelivery"] is plugins.Item(1)
    assert [p.ID for p in plugins.NewEnum()] == [p.ID for p in plugins]
    for key, number in ((0, 9), (2**40, 9), ("nope", 5), (1.5, 13)):
        with raises(number):
            plugins[key]


def test_errors_carry_number_source_and_description(tmp_path):
    plugin = PlugIn()
    with pytest.raises(Error) as raised:
        plugin.ConfigPath = tmp_path
    error = raised.value
    assert (error.number, error.source, error.description) == (
        100991, "TLPaymentPlugIns.PlugIn", "Configuration malformed. Proccess aborted")
    assert (error.path, error.line, error.column, error.reason) == (
        str(tmp_path / "config.xml"), 0, 0, "No such file or directory")
    assert isinstance(error, Exception) and type(error).__module__ == "tlpaymentplugins"
    # The path stays stored, as given.
    assert plugin.ConfigPath == str(tmp_path)


def test_plugin_outlives_the_collection_it_came_from(root):
    plugins = PlugIns()
    plugins.PlugInsPath = str(root)
    card = plugins["TLCreditCard"]
    del plugins
    gc.collect()
    assert card.ID == "TLCreditCard"
    assert card.GetParam("MerchantID") == card.GetParam("MerchantID", "")


def test_properties_read_and_write(invoice, root):
    assert invoice.IsActive is True
    invoice.IsActive = 0
    assert invoice.IsActive is False
    assert b'active="false"' in invoice.Config
    invoice.SaveConfiguration()
    assert 'active="false"' in (root / "invoice" / "config.xml").read_text()
    invoice.IsActive = True
    assert invoice.IsUserDef is False
    assert invoice.IconPath == str(root / "invoice" / "plugin.ico")
    assert invoice.Name() == invoice.Name("") == invoice.Name(AppLang="xx")
    assert invoice.Copyright("en")

    invoice.mCharSet = 161
    invoice.mCharSetIO = -1
    assert (invoice.mCharSet, invoice.mCharSetIO) == (161, -1)
    with raises(6):
        invoice.mCharSet = 40000


def test_texts_from_python_must_be_utf8(plugins, invoice):
    undecodable = os.fsdecode(b"/tmp/\xff")
    with raises(5):
        plugins.PlugInsPath = undecodable
    assert len(plugins) == 3
    for args, number in ((("IBAN", "d\udce9"), 5), ((7,), 13), ((None,), 13)):
        with raises(number):
            invoice.GetParam(*args)


def test_a_second_writer_waits_for_the_folder_lock_and_gives_up_or_goes_on(root):
    folder = str(root / "invoice")
    with PlugInLock(folder):
        with raises(100996):
            with PlugInLock(folder, timeout=0):  # no wait at all
                pass
    with raises(5):
        PlugInLock(folder, timeout=-0.001)
    # It waits, letting the program's other threads run, while another writer finishes.
    other = PlugInLock(folder).__enter__()
    threading.Timer(0.2, other.__exit__).start()
    with PlugInLock(folder, timeout=60):
        pass
    assert not os.path.exists(os.path.join(folder, "config.xml.lock"))


def test_an_upgrade_is_planned_applied_and_rolled_back(root, tmp_path):
    folder = str(root / "creditcard")
    shutil.copytree(folder, tmp_path / "new")
    with raises(100997):
        PlugInUpgrade(folder, folder)
    upgrade = PlugInUpgrade(folder, str(tmp_path / "new"))
    assert upgrade.complete
    assert ("carried", "MerchantId", "", "4711000123", "4711000123") in upgrade.changes
    assert ("carried", "ApiKey", "", "(secret)", "(secret)") in upgrade.changes
    config = (root / "creditcard" / "config.xml").read_bytes()
    backup = upgrade.apply(wait_seconds=0)
    assert pathlib.Path(backup, "config.xml").read_bytes() == config
    (root / "creditcard" / "config.xml").write_text("<changed/>")
    assert PlugInUpgrade.rollback(folder) == backup
    assert (root / "creditcard" / "config.xml").read_bytes() == config
