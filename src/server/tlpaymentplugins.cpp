// The C interface: every exported call finds its object, takes its texts
// in, runs the member and hands the result or the numbered error back.
#include "server/tlpaymentplugins.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/PlugInScan.h"
#include "catalogue/PlugInUpgrade.h"
#include "catalogue/PlugIns.h"
#include "check/PublishCheck.h"
#include "platform/CaseFold.h"
#include "platform/ErrorCodes.h"
#include "plugin/PlugIn.h"
#include "plugin/PlugInLock.h"
#include "server/Boundary.h"
#include "server/BoundaryError.h"
#include "server/CallbackStageObject.h"
#include "server/DefaultFrontend.h"
#include "server/ObjectRegistry.h"
#include "staging/StageManifest.h"

using TLPaymentPlugIns::PlugIn;
using TLPaymentPlugIns::PlugIns;
using TLPaymentPlugIns::PlugInUpgrade;
using TLPaymentPlugIns::PublishCheck;
using TLPaymentPlugIns::StageManifest;
using namespace TLPaymentPlugIns::server;
namespace errors = TLPaymentPlugIns::errors;

namespace {

using Class = ServerObject::Class;

constexpr const char* kPlugInsClass = "TLPaymentPlugIns.PlugIns";
constexpr const char* kPlugInClass = "TLPaymentPlugIns.PlugIn";
constexpr long kCannotCreateObject = 429;

ObjectRegistry& Registry() { return ObjectRegistry::Instance(); }
ObjectRegistry::Handle Key(tlpp_object* handle) { return reinterpret_cast<ObjectRegistry::Handle>(handle); }

// The object a member works on, kept alive for the whole call.
std::shared_ptr<PlugIns> PlugInsOf(tlpp_object* handle) { return Object(handle, Class::PlugIns)->plugIns; }
std::shared_ptr<PlugIn> PlugInOf(tlpp_object* handle) { return Object(handle, Class::PlugIn)->plugIn; }

[[noreturn]] void RaiseDeadHandle(tlpp_object* handle) {
  // Object raises the right error for a null or dead handle.
  Object(handle, Class::PlugIn);
  throw BoundaryError(TLPP_E_HANDLE, errors::kObjectNotSet, "Object variable or With block variable not set");
}

bool SameClass(const std::string& name, const char* className) {
  return TLPaymentPlugIns::CaseFold::Fold(name) == TLPaymentPlugIns::CaseFold::Fold(className);
}

tlpp_bool ToBool(bool value) { return value ? TLPP_TRUE : TLPP_FALSE; }

template <typename Get>
int GetString(tlpp_object* plugIn, char** value, tlpp_error* error, Get&& get) {
  return Call(error, [&] {
    char** out = Out(value, "value", static_cast<char*>(nullptr));
    const std::string result = get(*PlugInOf(plugIn));
    *out = NewString(result);
  });
}

// Bytes with their length; length may be NULL.
void SetBytes(char** text, size_t* length, const std::string& bytes) {
  *text = NewString(bytes);
  if (length != nullptr) *length = bytes.size();
}

template <typename Get>
int GetInt16(tlpp_object* plugIn, int16_t* value, tlpp_error* error, Get&& get) {
  return Call(error, [&] {
    int16_t* out = Out(value, "value", int16_t{0});
    *out = get(*PlugInOf(plugIn));
  });
}

std::string PlanLines(const PlugInUpgrade& upgrade) {
  std::string lines;
  for (const auto& change : upgrade.Changes()) {
    lines += PlugInUpgrade::Line(change) + '\n';
  }
  return lines;
}

// The plan and completeness for outputs that may be NULL.
void SetPlan(const PlugInUpgrade& upgrade, char** lines, tlpp_bool* complete) {
  if (complete != nullptr) *complete = ToBool(upgrade.Complete());
  if (lines != nullptr) *lines = NewString(PlanLines(upgrade));
}

std::chrono::milliseconds Wait(int32_t timeout_ms) {
  if (timeout_ms < 0) throw TLPaymentPlugIns::errors::InvalidArgument();
  return std::chrono::milliseconds(timeout_ms);
}

tlpp_object* NewHandle(std::shared_ptr<ServerObject> object) { return ToHandle(Registry().Add(std::move(object))); }

}  // namespace

extern "C" {

// ---- Objects ---------------------------------------------------------------

TLPP_API int tlpp_CreateObject(const char* class_name, tlpp_object** object, tlpp_error* error) {
  return Call(error, [&] {
    tlpp_object** out = Out(object, "object", static_cast<tlpp_object*>(nullptr));
    const std::string name = In(class_name, "class_name");
    std::shared_ptr<ServerObject> created;
    if (SameClass(name, kPlugInsClass)) {
      created = std::make_shared<ServerObject>(Class::PlugIns);
      created->plugIns = std::make_shared<PlugIns>();
    } else if (SameClass(name, kPlugInClass)) {
      created = std::make_shared<ServerObject>(Class::PlugIn);
      created->plugIn = std::make_shared<PlugIn>();
    } else {
      throw TLPaymentPlugIns::Error(kCannotCreateObject, errors::kRuntimeSource,
                                    "Cannot create object: there is no class named \"" + name + "\"");
    }
    *out = NewHandle(std::move(created));
  });
}

TLPP_API int tlpp_AddRef(tlpp_object* object, tlpp_error* error) {
  return Call(error, [&] {
    if (!Registry().AddRef(Key(object))) RaiseDeadHandle(object);
  });
}

TLPP_API int tlpp_Release(tlpp_object* object, tlpp_error* error) {
  return Call(error, [&] {
    if (object != nullptr && !Registry().Release(Key(object))) RaiseDeadHandle(object);
  });
}

TLPP_API int tlpp_CanUnloadNow(void) { return Registry().Empty() ? 1 : 0; }

TLPP_API void tlpp_FreeString(char* text) { std::free(text); }

// ---- TLPaymentPlugIns.PlugIns ----------------------------------------------

TLPP_API int tlpp_PlugIns_get_PlugInsPath(tlpp_object* plugIns, char** value, tlpp_error* error) {
  return Call(error, [&] {
    char** out = Out(value, "value", static_cast<char*>(nullptr));
    *out = NewString(PlugInsOf(plugIns)->PlugInsPath());
  });
}

TLPP_API int tlpp_PlugIns_let_PlugInsPath(tlpp_object* plugIns, const char* pPlugInsPath, tlpp_error* error) {
  return Call(error, [&] { PlugInsOf(plugIns)->PlugInsPath(In(pPlugInsPath, "pPlugInsPath")); });
}

TLPP_API int tlpp_PlugIns_get_Count(tlpp_object* plugIns, int32_t* value, tlpp_error* error) {
  return Call(error, [&] {
    int32_t* out = Out(value, "value", int32_t{0});
    *out = PlugInsOf(plugIns)->Count();
  });
}

TLPP_API int tlpp_PlugIns_get_Item(tlpp_object* plugIns, int32_t Index, tlpp_object** plugIn, tlpp_error* error) {
  return Call(error, [&] {
    tlpp_object** out = Out(plugIn, "plugIn", static_cast<tlpp_object*>(nullptr));
    *out = ToHandle(Registry().HandleFor(PlugInsOf(plugIns)->Item(Index)));
  });
}

TLPP_API int tlpp_PlugIns_get_ItemByKey(tlpp_object* plugIns, const char* Index, tlpp_object** plugIn,
                                        tlpp_error* error) {
  return Call(error, [&] {
    tlpp_object** out = Out(plugIn, "plugIn", static_cast<tlpp_object*>(nullptr));
    *out = ToHandle(Registry().HandleFor(PlugInsOf(plugIns)->Item(In(Index, "Index"))));
  });
}

TLPP_API int tlpp_PlugIns_get_NewEnum(tlpp_object* plugIns, tlpp_object** enumerator, tlpp_error* error) {
  return Call(error, [&] {
    tlpp_object** out = Out(enumerator, "enumerator", static_cast<tlpp_object*>(nullptr));
    const std::shared_ptr<PlugIns> collection = PlugInsOf(plugIns);
    auto created = std::make_shared<ServerObject>(Class::Enum);
    created->items.assign(collection->begin(), collection->end());
    *out = NewHandle(std::move(created));
  });
}

TLPP_API int tlpp_Enum_Next(tlpp_object* enumerator, tlpp_object** plugIn, tlpp_error* error) {
  return Call(error, [&] {
    tlpp_object** out = Out(plugIn, "plugIn", static_cast<tlpp_object*>(nullptr));
    const std::shared_ptr<ServerObject> walk = Object(enumerator, Class::Enum);
    if (walk->next < walk->items.size()) *out = ToHandle(Registry().HandleFor(walk->items[walk->next++]));
  });
}

TLPP_API int tlpp_Enum_Reset(tlpp_object* enumerator, tlpp_error* error) {
  return Call(error, [&] { Object(enumerator, Class::Enum)->next = 0; });
}

// ---- A scan that keeps going -----------------------------------------------

TLPP_API int tlpp_ScanPlugIns(const char* root, tlpp_object** scan, tlpp_error* error, tlpp_error_where* where) {
  return Call(error, where, [&] {
    tlpp_object** out = Out(scan, "scan", static_cast<tlpp_object*>(nullptr));
    auto created = std::make_shared<ServerObject>(Class::Scan);
    created->results = TLPaymentPlugIns::PlugInScan::Run(In(root, "root"));
    *out = NewHandle(std::move(created));
  });
}

TLPP_API int tlpp_Scan_Next(tlpp_object* scan, char** folder, tlpp_object** plugIn, tlpp_error* failure,
                            tlpp_error_where* failure_where, tlpp_error* error) {
  ClearError(failure, failure_where);
  return Call(error, [&] {
    char** folderOut = Out(folder, "folder", static_cast<char*>(nullptr));
    tlpp_object** plugInOut = Out(plugIn, "plugIn", static_cast<tlpp_object*>(nullptr));
    const std::shared_ptr<ServerObject> walk = Object(scan, Class::Scan);
    if (walk->next == walk->results.size()) return;
    const auto& result = walk->results[walk->next++];
    *folderOut = NewString(result.folder);
    if (result.plugIn) *plugInOut = ToHandle(Registry().HandleFor(result.plugIn));
    if (result.error) FillError(failure, failure_where, *result.error);
  });
}

// ---- TLPaymentPlugIns.PlugIn -----------------------------------------------

TLPP_API int tlpp_PlugIn_get_mCharSet(tlpp_object* plugIn, int16_t* value, tlpp_error* error) {
  return GetInt16(plugIn, value, error, [](PlugIn& p) { return p.mCharSet; });
}

TLPP_API int tlpp_PlugIn_let_mCharSet(tlpp_object* plugIn, int16_t value, tlpp_error* error) {
  return Call(error, [&] { PlugInOf(plugIn)->mCharSet = value; });
}

TLPP_API int tlpp_PlugIn_get_mCharSetIO(tlpp_object* plugIn, int16_t* value, tlpp_error* error) {
  return GetInt16(plugIn, value, error, [](PlugIn& p) { return p.mCharSetIO; });
}

TLPP_API int tlpp_PlugIn_let_mCharSetIO(tlpp_object* plugIn, int16_t value, tlpp_error* error) {
  return Call(error, [&] { PlugInOf(plugIn)->mCharSetIO = value; });
}

TLPP_API int tlpp_PlugIn_get_ConfigPath(tlpp_object* plugIn, char** value, tlpp_error* error) {
  return GetString(plugIn, value, error, [](PlugIn& p) { return p.ConfigPath(); });
}

TLPP_API int tlpp_PlugIn_let_ConfigPath(tlpp_object* plugIn, const char* pConfigPath, tlpp_error* error) {
  return Call(error, [&] { PlugInOf(plugIn)->ConfigPath(In(pConfigPath, "pConfigPath")); });
}

TLPP_API int tlpp_PlugIn_get_IconPath(tlpp_object* plugIn, char** value, tlpp_error* error) {
  return GetString(plugIn, value, error, [](PlugIn& p) { return p.IconPath(); });
}

TLPP_API int tlpp_PlugIn_get_ID(tlpp_object* plugIn, char** value, tlpp_error* error) {
  return GetString(plugIn, value, error, [](PlugIn& p) { return p.ID(); });
}

TLPP_API int tlpp_PlugIn_get_Name(tlpp_object* plugIn, const char* AppLang, char** value, tlpp_error* error) {
  return GetString(plugIn, value, error, [&](PlugIn& p) { return p.Name(In(AppLang, "AppLang", true)); });
}

TLPP_API int tlpp_PlugIn_get_Copyright(tlpp_object* plugIn, const char* AppLang, char** value, tlpp_error* error) {
  return GetString(plugIn, value, error, [&](PlugIn& p) { return p.Copyright(In(AppLang, "AppLang", true)); });
}

TLPP_API int tlpp_PlugIn_get_Config(tlpp_object* plugIn, char** text, size_t* length, tlpp_error* error) {
  return Call(error, [&] {
    if (length != nullptr) *length = 0;
    char** out = Out(text, "text", static_cast<char*>(nullptr));
    SetBytes(out, length, PlugInOf(plugIn)->Config().xml());
  });
}

TLPP_API int tlpp_PlugIn_get_IsUserDef(tlpp_object* plugIn, tlpp_bool* value, tlpp_error* error) {
  return Call(error, [&] {
    tlpp_bool* out = Out(value, "value", TLPP_FALSE);
    *out = ToBool(PlugInOf(plugIn)->IsUserDef());
  });
}

TLPP_API int tlpp_PlugIn_get_IsActive(tlpp_object* plugIn, tlpp_bool* value, tlpp_error* error) {
  return Call(error, [&] {
    tlpp_bool* out = Out(value, "value", TLPP_FALSE);
    *out = ToBool(PlugInOf(plugIn)->IsActive());
  });
}

TLPP_API int tlpp_PlugIn_let_IsActive(tlpp_object* plugIn, tlpp_bool pIsActive, tlpp_error* error) {
  return Call(error, [&] { PlugInOf(plugIn)->IsActive(pIsActive != 0); });
}

TLPP_API int tlpp_PlugIn_GetParam(tlpp_object* plugIn, const char* ParamName, const char* StoreLang, char** value,
                                  tlpp_error* error) {
  return GetString(plugIn, value, error,
                   [&](PlugIn& p) { return p.GetParam(In(ParamName, "ParamName"), In(StoreLang, "StoreLang", true)); });
}

TLPP_API int tlpp_PlugIn_LoadConfiguration(tlpp_object* plugIn, tlpp_error* error) {
  return Call(error, [&] { PlugInOf(plugIn)->LoadConfiguration(); });
}

TLPP_API int tlpp_PlugIn_SaveConfiguration(tlpp_object* plugIn, tlpp_error* error) {
  return Call(error, [&] { PlugInOf(plugIn)->SaveConfiguration(); });
}

TLPP_API int tlpp_PlugIn_ShowConfigDialogue(tlpp_object* plugIn, const char* AppLang, const char* StoreLang,
                                            const int16_t* CharSet, const int16_t* CharSetIO, tlpp_error* error) {
  return Call(error, [&] {
    const std::shared_ptr<PlugIn> target = PlugInOf(plugIn);
    const std::string appLang = In(AppLang, "AppLang", true);
    const std::string storeLang = In(StoreLang, "StoreLang", true);
    EnsureDialogFrontend(TLPP_DIALOG_MODULE_PATH);
    target->ShowConfigDialogue(appLang, storeLang, CharSet != nullptr ? *CharSet : int16_t{0},
                               CharSetIO != nullptr ? *CharSetIO : int16_t{0});
  });
}

TLPP_API int tlpp_PlugIn_CopyPlugInFiles(tlpp_object* plugIn, const char* pStagePath, const tlpp_stage_object* StageObj,
                                         tlpp_error* error) {
  return Call(error, [&] {
    const std::shared_ptr<PlugIn> target = PlugInOf(plugIn);
    const std::string stagePath = In(pStagePath, "pStagePath");
    std::optional<CallbackStageObject> stage;
    if (StageObj != nullptr) stage.emplace(*StageObj);
    target->CopyPlugInFiles(stagePath, stage ? &*stage : nullptr);
  });
}

TLPP_API int tlpp_PlugIn_ParseSnippetFile(tlpp_object* plugIn, const tlpp_stage_object* StageObj, char** text,
                                          size_t* length, tlpp_error* error) {
  return Call(error, [&] {
    if (length != nullptr) *length = 0;
    char** out = Out(text, "text", static_cast<char*>(nullptr));
    const std::shared_ptr<PlugIn> target = PlugInOf(plugIn);
    std::optional<CallbackStageObject> stage;
    if (StageObj != nullptr) stage.emplace(*StageObj);
    SetBytes(out, length, target->ParseSnippetFile(stage ? &*stage : nullptr));
  });
}

TLPP_API int tlpp_PlugIn_ParseParam(tlpp_object* plugIn, const char* strParam, const char* StoreLang, char** value,
                                    tlpp_error* error) {
  return GetString(plugIn, value, error,
                   [&](PlugIn& p) { return p.ParseParam(In(strParam, "strParam"), In(StoreLang, "StoreLang", true)); });
}

// ---- Beyond the component interface ---------------------------------------

TLPP_API int tlpp_PlugIn_PublishCheck(tlpp_object* plugIn, const char* StoreLangs, char** findings, tlpp_error* error) {
  return GetString(plugIn, findings, error, [&](PlugIn& p) {
    std::string lines;
    for (const auto& finding : PublishCheck::ForLanguages(In(StoreLangs, "StoreLangs", true)).Check(p)) {
      lines +=
          finding.plugInId + '\t' + finding.language + '\t' + finding.SeverityName() + '\t' + finding.message + '\n';
    }
    return lines;
  });
}

TLPP_API int tlpp_PlugIn_PublishFindings(tlpp_object* plugIn, const char* StoreLangs, char** findings,
                                         tlpp_error* error) {
  return GetString(plugIn, findings, error, [&](PlugIn& p) {
    std::string lines;
    for (const auto& finding : PublishCheck::ForLanguages(In(StoreLangs, "StoreLangs", true)).Check(p)) {
      lines += finding.Line();
    }
    return lines;
  });
}

TLPP_API int tlpp_PlugIn_StageManifest(tlpp_object* plugIn, const char* pStagePath, char** manifest,
                                       tlpp_error* error) {
  return GetString(plugIn, manifest, error,
                   [&](PlugIn& p) { return StageManifest::Describe(p, In(pStagePath, "pStagePath")); });
}

}  // extern "C"

// ---- The writers' lock of a plug-in folder --------------------------------

struct tlpp_plugin_lock {
  TLPaymentPlugIns::PlugInLock lock;
};

TLPP_API int tlpp_PlugInLock_Acquire(const char* folder, int32_t timeout_ms, tlpp_plugin_lock** lock,
                                     tlpp_error* error) {
  return Call(error, [&] {
    tlpp_plugin_lock** out = Out(lock, "lock", static_cast<tlpp_plugin_lock*>(nullptr));
    const std::chrono::milliseconds wait = Wait(timeout_ms);
    const std::string path = In(folder, "folder");
    *out = new tlpp_plugin_lock{TLPaymentPlugIns::PlugInLock(path, wait)};
  });
}

TLPP_API void tlpp_PlugInLock_Release(tlpp_plugin_lock* lock) { delete lock; }

// ---- A new version of a plug-in --------------------------------------------

TLPP_API int tlpp_PlugInUpgrade_Plan(const char* plugInFolder, const char* newFolder, char** lines, tlpp_bool* complete,
                                     tlpp_error* error) {
  if (complete != nullptr) *complete = TLPP_FALSE;
  return Call(error, [&] {
    Out(lines, "lines", static_cast<char*>(nullptr));
    const PlugInUpgrade upgrade(In(plugInFolder, "plugInFolder"), In(newFolder, "newFolder"));
    SetPlan(upgrade, lines, complete);
  });
}

TLPP_API int tlpp_PlugInUpgrade_Apply(const char* plugInFolder, const char* newFolder, int32_t timeout_ms,
                                      const char* backupFolder, char** backupPath, char** lines, tlpp_bool* complete,
                                      tlpp_error* error) {
  if (lines != nullptr) *lines = nullptr;
  if (complete != nullptr) *complete = TLPP_FALSE;
  return Call(error, [&] {
    char** out = Out(backupPath, "backupPath", static_cast<char*>(nullptr));
    const std::chrono::milliseconds wait = Wait(timeout_ms);
    const std::string backup = In(backupFolder, "backupFolder", true);
    PlugInUpgrade upgrade(In(plugInFolder, "plugInFolder"), In(newFolder, "newFolder"));
    const std::string path = upgrade.Apply(wait, backup);
    *out = NewString(path);
    SetPlan(upgrade, lines, complete);
  });
}

TLPP_API int tlpp_PlugInUpgrade_Rollback(const char* plugInFolder, int32_t timeout_ms, const char* backupFolder,
                                         char** restoredPath, tlpp_error* error) {
  return Call(error, [&] {
    char** out = Out(restoredPath, "restoredPath", static_cast<char*>(nullptr));
    const std::chrono::milliseconds wait = Wait(timeout_ms);
    const std::string backup = In(backupFolder, "backupFolder", true);
    *out = NewString(PlugInUpgrade::Rollback(In(plugInFolder, "plugInFolder"), wait, backup));
  });
}
