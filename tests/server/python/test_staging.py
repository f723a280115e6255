"""Any Python object as the host's staging object."""
import pytest
from tlpaymentplugins import Error


class Upper:
    """Renders a text in capitals; PCode is a property."""

    def __init__(self):
        self.calls = []

    def ParseSnippet(self, text, mode):
        self.calls.append((text, mode))
        self._code = text.upper()

    @property
    def PCode(self):
        return self._code


def test_snippet_goes_through_parse_snippet_then_pcode(invoice, root):
    host = Upper()
    snippet = invoice.ParseSnippetFile(host)
    original = (root / "invoice" / "plugin.html").read_text()
    assert host.calls == [(original, 1)]
    assert snippet == original.upper()
    assert invoice.ParseSnippetFile(None) == ""


class NoPCode:
    def ParseSnippet(self, text, mode):
        pass


class PCodeMethod(NoPCode):
    def PCode(self):
        return b"bytes \xff"


class PCodeAttribute(NoPCode):
    PCode = 42


class PCodeNone(NoPCode):
    PCode = None


@pytest.mark.parametrize("host, expected",
                         [(PCodeMethod(), "bytes \udcff"), (PCodeAttribute(), "42"), (PCodeNone(), "")])
def test_pcode_may_be_a_method_or_an_attribute_and_answer_bytes(invoice, host, expected):
    assert invoice.ParseSnippetFile(host) == expected


def test_bytes_that_are_not_utf8_come_back_unchanged(invoice, root, tmp_path):
    (root / "invoice" / "plugin.html").write_bytes(b"Gr\xfc\xdfe <!-- x -->")
    echo = Upper()
    echo.ParseSnippet = lambda text, mode: setattr(echo, "_code", text)
    invoice.CopyPlugInFiles(str(tmp_path), echo)
    assert (tmp_path / "tlinvoice" / "plugin.html").read_bytes() == b"Gr\xfc\xdfe <!-- x -->"


def test_a_missing_member_is_438_for_the_snippet_and_staging_goes_on_past_failures(invoice, root, tmp_path):
    with pytest.raises(Error) as raised:
        invoice.ParseSnippetFile(NoPCode())
    assert raised.value.number == 438
    assert raised.value.description == "Object doesn't support this property or method"

    # Staging goes on past a host that lacks members or raises.
    logo = (root / "invoice" / "images" / "logo.gif").read_bytes()
    for stage, host in ((tmp_path / "a", object()), (tmp_path / "b", Raising(RuntimeError("down")))):
        stage.mkdir()
        invoice.CopyPlugInFiles(str(stage), host)
        assert (stage / "tlinvoice" / "images" / "logo.gif").read_bytes() == logo


class Raising(Upper):
    def __init__(self, exception):
        super().__init__()
        self.exception = exception

    @property
    def PCode(self):
        raise self.exception


@pytest.mark.parametrize("exception, expected", [
    (ValueError("no template"), (440, "ValueError", "no template")),
    # The host's own numbered error keeps its number, source and text.
    (Error(1004, "ShopBuilder", "template engine stopped"), (1004, "ShopBuilder", "template engine stopped"))])
def test_a_python_exception_becomes_a_numbered_error(invoice, exception, expected):
    with pytest.raises(Error) as raised:
        invoice.ParseSnippetFile(Raising(exception))
    assert (raised.value.number, raised.value.source, raised.value.description) == expected


def test_the_check_and_the_manifest_are_the_librarys(invoice, tmp_path):
    assert invoice.PublishCheck("de,en")[0] == (
        "TLInvoice", "en", "warning", "The dialog would show empty captions for: FormTabReportSuccessCaption.")
    assert invoice.PublishFindings("en")[1][3] == "missing-file"
    invoice.CopyPlugInFiles(str(tmp_path), Upper())
    assert invoice.StageManifest(str(tmp_path)).startswith("folder    tlinvoice/\n")
