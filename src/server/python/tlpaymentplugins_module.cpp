// import tlpaymentplugins: PlugIns and PlugIn with the members of the C++
// classes, properties as Python properties, numbered errors as
// tlpaymentplugins.Error.
#include <pybind11/eval.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/PlugInScan.h"
#include "catalogue/PlugInUpgrade.h"
#include "catalogue/PlugIns.h"
#include "check/PublishCheck.h"
#include "platform/Error.h"
#include "platform/ErrorCodes.h"
#include "plugin/PlugIn.h"
#include "plugin/PlugInLock.h"
#include "server/DefaultFrontend.h"
#include "server/python/PyStageObject.h"
#include "server/python/PyText.h"
#include "staging/StageManifest.h"

namespace py = pybind11;
using namespace py::literals;
using TLPaymentPlugIns::Error;
using TLPaymentPlugIns::PlugIn;
using TLPaymentPlugIns::PlugIns;
using TLPaymentPlugIns::PlugInUpgrade;
using TLPaymentPlugIns::PublishCheck;
using TLPaymentPlugIns::StageManifest;
using TLPaymentPlugIns::server::ContentsToPython;
using TLPaymentPlugIns::server::PyStageObject;
using TLPaymentPlugIns::server::TextArgument;
namespace errors = TLPaymentPlugIns::errors;

namespace {

constexpr const char* kErrorClass = R"py(
import collections


class Error(Exception):
    """A numbered error of the library: number, source and description, and
    where it happened when it was raised for a file or a document: path,
    line and column (1-based, 0 when unknown) and the reason in the words of
    whoever found it (the XML parser, the operating system)."""

    def __init__(self, number, source, description, path="", line=0, column=0, reason=""):
        super().__init__(number, source, description)
        self.number = number
        self.source = source
        self.description = description
        self.path = path
        self.line = line
        self.column = column
        self.reason = reason

    def __str__(self):
        return f"{self.number}: {self.description} ({self.source})"


ScanResult = collections.namedtuple("ScanResult", ["folder", "plugin", "error"])
ScanResult.__doc__ = "One sub-folder of a scan: the plug-in loaded from it, or the Error that kept it out."
)py";

// The library's error as a tlpaymentplugins.Error.
py::object PythonError(const Error& error) {
  const py::object errorType = py::module_::import("tlpaymentplugins").attr("Error");
  return errorType(error.Number(), error.Source(), error.Description(), ContentsToPython(error.Path()), error.Line(),
                   error.Column(), ContentsToPython(error.Reason()));
}

py::list Scan(const py::object& root) {
  const py::object resultType = py::module_::import("tlpaymentplugins").attr("ScanResult");
  py::list results;
  for (const auto& [folder, plugIn, error] : TLPaymentPlugIns::PlugInScan::Run(TextArgument(root, "root"))) {
    results.append(resultType(ContentsToPython(folder), plugIn ? py::cast(plugIn) : py::none(),
                              error ? PythonError(*error) : py::none()));
  }
  return results;
}

// The host's staging object for one call; None is no object.
std::optional<PyStageObject> HostStageObject(const py::object& host) {
  if (host.is_none()) return std::nullopt;
  return PyStageObject(host);
}

PyStageObject* Pointer(std::optional<PyStageObject>& stage) { return stage ? &*stage : nullptr; }

int16_t Integer16(const py::handle& value) {
  const auto number = value.cast<long long>();
  if (number < std::numeric_limits<int16_t>::min() || number > std::numeric_limits<int16_t>::max()) {
    throw errors::Overflow();
  }
  return static_cast<int16_t>(number);
}

std::shared_ptr<PlugIn> Item(const PlugIns& plugIns, const py::object& index) {
  if (PyLong_Check(index.ptr()) && !PyBool_Check(index.ptr())) {
    const auto position = index.cast<long long>();
    if (position < std::numeric_limits<int32_t>::min() || position > std::numeric_limits<int32_t>::max()) {
      throw errors::SubscriptOutOfRange();
    }
    return plugIns.Item(static_cast<int32_t>(position));
  }
  return plugIns.Item(TextArgument(index, "Index"));
}

// The plan as (kind, name, language, old, new) tuples, "(secret)" in place
// of a secret's values.
py::list Changes(const PlugInUpgrade& upgrade) {
  py::list changes;
  for (const auto& change : upgrade.Changes()) {
    const auto shown = [&](const std::string& value) {
      return change.secret ? py::str("(secret)") : ContentsToPython(value);
    };
    changes.append(py::make_tuple(PlugInUpgrade::KindName(change.kind), ContentsToPython(change.name), change.language,
                                  shown(change.oldValue), shown(change.newValue)));
  }
  return changes;
}

std::chrono::milliseconds WaitSeconds(double seconds) {
  if (!(seconds >= 0)) throw errors::InvalidArgument();
  return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

std::vector<std::shared_ptr<PlugIn>> Snapshot(const PlugIns& plugIns) { return {plugIns.begin(), plugIns.end()}; }

}  // namespace

PYBIND11_MODULE(tlpaymentplugins, m) {
  m.doc() =
      "Payment plug-ins for shop builders: PlugIns (a root folder's "
      "plug-ins) and PlugIn (one plug-in).";
  py::exec(kErrorClass, m.attr("__dict__"));
  // NOLINTNEXTLINE(performance-unnecessary-value-param): pybind11's signature
  py::register_exception_translator([](std::exception_ptr raised) {
    try {
      if (raised) std::rethrow_exception(raised);
    } catch (const Error& error) {
      const py::object value = PythonError(error);
      PyErr_SetObject(value.get_type().ptr(), value.ptr());
    }
  });
  m.def("scan", &Scan, "root"_a,
        "Scans root as PlugIns does, without stopping at a plug-in that cannot be loaded or filed: one ScanResult "
        "per sub-folder. Raises Error only for the root itself.");

  py::class_<PlugIn, std::shared_ptr<PlugIn>>(m, "PlugIn", "One payment plug-in: a folder with its config.xml.")
      .def(py::init<>())
      .def_property(
          "mCharSet", [](const PlugIn& p) { return p.mCharSet; },
          [](PlugIn& p, const py::object& value) { p.mCharSet = Integer16(value); })
      .def_property(
          "mCharSetIO", [](const PlugIn& p) { return p.mCharSetIO; },
          [](PlugIn& p, const py::object& value) { p.mCharSetIO = Integer16(value); })
      .def_property(
          "ConfigPath", [](const PlugIn& p) { return ContentsToPython(p.ConfigPath()); },
          [](PlugIn& p, const py::object& value) { p.ConfigPath(TextArgument(value, "pConfigPath")); },
          "The plug-in folder; setting it loads config.xml.")
      .def_property_readonly("IconPath", [](PlugIn& p) { return ContentsToPython(p.IconPath()); })
      .def_property_readonly("ID", &PlugIn::ID)
      .def(
          "Name", [](PlugIn& p, const py::object& appLang) { return p.Name(TextArgument(appLang, "AppLang", true)); },
          "AppLang"_a = "")
      .def(
          "Copyright",
          [](PlugIn& p, const py::object& appLang) { return p.Copyright(TextArgument(appLang, "AppLang", true)); },
          "AppLang"_a = "")
      .def_property_readonly(
          "Config", [](PlugIn& p) { return py::bytes(p.Config().xml()); },
          "The configuration document as SaveConfiguration would write it "
          "(bytes in its declared encoding).")
      .def_property_readonly("IsUserDef", &PlugIn::IsUserDef)
      .def_property(
          "IsActive", [](PlugIn& p) { return p.IsActive(); },
          [](PlugIn& p, const py::object& value) { p.IsActive(py::bool_(value).cast<bool>()); },
          "In memory; SaveConfiguration writes it.")
      .def(
          "GetParam",
          [](PlugIn& p, const py::object& paramName, const py::object& storeLang) {
            return p.GetParam(TextArgument(paramName, "ParamName"), TextArgument(storeLang, "StoreLang", true));
          },
          "ParamName"_a, "StoreLang"_a = "")
      .def("LoadConfiguration", &PlugIn::LoadConfiguration)
      .def("SaveConfiguration", &PlugIn::SaveConfiguration)
      .def(
          "ShowConfigDialogue",
          [](PlugIn& p, const py::object& appLang, const py::object& storeLang, const py::object& charSet,
             const py::object& charSetIO) {
            const std::string app = TextArgument(appLang, "AppLang", true);
            const std::string store = TextArgument(storeLang, "StoreLang", true);
            const int16_t fonts = Integer16(charSet);
            const int16_t fontsIO = Integer16(charSetIO);
            TLPaymentPlugIns::server::EnsureDialogFrontend(TLPP_DIALOG_MODULE_PATH);
            p.ShowConfigDialogue(app, store, fonts, fontsIO);
          },
          "AppLang"_a = "", "StoreLang"_a = "", "CharSet"_a = 0, "CharSetIO"_a = 0)
      .def(
          "CopyPlugInFiles",
          [](PlugIn& p, const py::object& stagePath, const py::object& stageObj) {
            const std::string path = TextArgument(stagePath, "pStagePath");
            auto stage = HostStageObject(stageObj);
            p.CopyPlugInFiles(path, Pointer(stage));
          },
          "pStagePath"_a, "StageObj"_a)
      .def(
          "ParseSnippetFile",
          [](PlugIn& p, const py::object& stageObj) {
            auto stage = HostStageObject(stageObj);
            return ContentsToPython(p.ParseSnippetFile(Pointer(stage)));
          },
          "StageObj"_a)
      .def(
          "ParseParam",
          [](PlugIn& p, const py::object& strParam, const py::object& storeLang) {
            return p.ParseParam(TextArgument(strParam, "strParam"), TextArgument(storeLang, "StoreLang", true));
          },
          "strParam"_a, "StoreLang"_a = "")
      .def(
          "PublishCheck",
          [](PlugIn& p, const py::object& storeLangs) {
            py::list findings;
            for (const auto& finding :
                 PublishCheck::ForLanguages(TextArgument(storeLangs, "StoreLangs", true)).Check(p)) {
              findings.append(
                  py::make_tuple(finding.plugInId, finding.language, finding.SeverityName(), finding.message));
            }
            return findings;
          },
          "StoreLangs"_a = "",
          "What would break a published shop: (ID, language, severity, "
          "message) tuples.")
      .def(
          "PublishFindings",
          [](PlugIn& p, const py::object& storeLangs) {
            py::list findings;
            for (const auto& finding :
                 PublishCheck::ForLanguages(TextArgument(storeLangs, "StoreLangs", true)).Check(p)) {
              findings.append(py::make_tuple(finding.plugInId, finding.language, finding.SeverityName(), finding.code,
                                             finding.message));
            }
            return findings;
          },
          "StoreLangs"_a = "",
          "The findings of PublishCheck with each one's code: (ID, language, "
          "severity, code, message) tuples, as tlpp check reports them.")
      .def(
          "StageManifest",
          [](PlugIn& p, const py::object& stagePath) {
            return StageManifest::Describe(p, TextArgument(stagePath, "pStagePath"));
          },
          "pStagePath"_a,
          "What staging left in the stage folder: the lines of tlpp stage "
          "--manifest.")
      .def("__repr__", [](const PlugIn& p) {
        return "<tlpaymentplugins.PlugIn " + py::repr(ContentsToPython(p.ConfigPath())).cast<std::string>() + ">";
      });

  py::class_<PlugIns, std::shared_ptr<PlugIns>>(m, "PlugIns",
                                                "The plug-ins under a root folder; positions are 1-based, keys are IDs "
                                                "in any letter case.")
      .def(py::init<>())
      .def_property(
          "PlugInsPath", [](const PlugIns& c) { return ContentsToPython(c.PlugInsPath()); },
          [](PlugIns& c, const py::object& value) { c.PlugInsPath(TextArgument(value, "pPlugInsPath")); },
          "The root folder; setting it scans.")
      .def_property_readonly("Count", &PlugIns::Count)
      .def("Item", &Item, "Index"_a)
      .def("NewEnum", [](const PlugIns& c) { return py::iter(py::cast(Snapshot(c))); })
      .def("__getitem__", &Item)
      .def("__len__", &PlugIns::Count)
      .def("__iter__", [](const PlugIns& c) { return py::iter(py::cast(Snapshot(c))); });

  py::class_<PlugInUpgrade>(m, "PlugInUpgrade",
                            "PlugInUpgrade(folder, new_folder): the plan to put the new version in new_folder in "
                            "place of the plug-in in folder, keeping the owner's values and files; Error 100997 "
                            "when the new version is refused.")
      .def(py::init([](const py::object& folder, const py::object& newFolder) {
             return std::make_unique<PlugInUpgrade>(TextArgument(folder, "folder"),
                                                    TextArgument(newFolder, "new_folder"));
           }),
           "folder"_a, "new_folder"_a)
      .def_property_readonly("changes", &Changes,
                             "(kind, name, language, old, new) tuples; a secret's values read \"(secret)\".")
      .def_property_readonly("complete", &PlugInUpgrade::Complete, "No value dropped and none refused.")
      .def(
          "apply",
          [](PlugInUpgrade& upgrade, double waitSeconds, const py::object& backup) {
            return ContentsToPython(upgrade.Apply(WaitSeconds(waitSeconds), TextArgument(backup, "backup", true)));
          },
          "wait_seconds"_a = 10.0, "backup"_a = "",
          "Plans again under the folder's lock and swaps the new version in; returns the backup's path.")
      .def_static(
          "rollback",
          [](const py::object& folder, double waitSeconds, const py::object& backup) {
            return ContentsToPython(PlugInUpgrade::Rollback(TextArgument(folder, "folder"), WaitSeconds(waitSeconds),
                                                            TextArgument(backup, "backup", true)));
          },
          "folder"_a, "wait_seconds"_a = 10.0, "backup"_a = "",
          "Swaps the latest backup of folder back in; returns the backup that came back.");

  // The writers' lock of a plug-in folder, as a context manager: hold it
  // from before loading until after SaveConfiguration.
  struct FolderLock {
    std::string folder;
    std::chrono::milliseconds wait;
    std::unique_ptr<TLPaymentPlugIns::PlugInLock> held;
  };
  py::class_<FolderLock>(m, "PlugInLock",
                         "with PlugInLock(folder, timeout=10.0): the lock writers of a plug-in folder take; "
                         "Error 100996 when another writer holds it longer than timeout seconds.")
      .def(py::init([](const py::object& folder, double timeout) {
             const std::chrono::milliseconds wait = WaitSeconds(timeout);
             return FolderLock{TextArgument(folder, "folder"), wait, nullptr};
           }),
           "folder"_a, "timeout"_a = 10.0)
      .def("__enter__",
           [](FolderLock& lock) -> FolderLock& {
             // The writer holding it may be another thread of this program.
             const py::gil_scoped_release others;
             lock.held = std::make_unique<TLPaymentPlugIns::PlugInLock>(lock.folder, lock.wait);
             return lock;
           })
      .def("__exit__", [](FolderLock& lock, const py::args&) {
        lock.held.reset();
        return false;
      });
}
