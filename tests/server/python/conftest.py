import os
import shutil

import pytest
import tlpaymentplugins

SAMPLES = os.environ["TLPP_SAMPLES_DIR"]


@pytest.fixture
def root(tmp_path):
    """A copy of the sample plug-ins."""
    copy = tmp_path / "plugins"
    shutil.copytree(SAMPLES, copy)
    return copy


@pytest.fixture
def plugins(root):
    collection = tlpaymentplugins.PlugIns()
    collection.PlugInsPath = str(root)
    return collection


@pytest.fixture
def invoice(plugins):
    return plugins["TLInvoice"]
