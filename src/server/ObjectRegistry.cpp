#include "server/ObjectRegistry.h"

#include <utility>

namespace TLPaymentPlugIns::server {

namespace {
// Handles look like aligned addresses, so a host that prints one sees no
// small integer it might take for an index.
constexpr ObjectRegistry::Handle kStep = 16;
constexpr ObjectRegistry::Handle kFirst = 0x10000;
}  // namespace

ObjectRegistry& ObjectRegistry::Instance() {
  static ObjectRegistry registry;
  return registry;
}

ObjectRegistry::Handle ObjectRegistry::AddLocked(std::shared_ptr<ServerObject> object) {
  mLast = mLast == 0 ? kFirst : mLast + kStep;
  if (object->kind == ServerObject::Class::PlugIn) mPlugInHandles[object->plugIn.get()] = mLast;
  mObjects.emplace(mLast, std::move(object));
  return mLast;
}

ObjectRegistry::Handle ObjectRegistry::Add(std::shared_ptr<ServerObject> object) {
  const std::lock_guard lock(mMutex);
  return AddLocked(std::move(object));
}

ObjectRegistry::Handle ObjectRegistry::HandleFor(const std::shared_ptr<PlugIn>& plugIn) {
  const std::lock_guard lock(mMutex);
  const auto known = mPlugInHandles.find(plugIn.get());
  if (known != mPlugInHandles.end()) {
    ++mObjects.at(known->second)->references;
    return known->second;
  }
  auto object = std::make_shared<ServerObject>(ServerObject::Class::PlugIn);
  object->plugIn = plugIn;
  return AddLocked(std::move(object));
}

std::shared_ptr<ServerObject> ObjectRegistry::Find(Handle handle) const {
  const std::lock_guard lock(mMutex);
  const auto it = mObjects.find(handle);
  return it == mObjects.end() ? nullptr : it->second;
}

bool ObjectRegistry::AddRef(Handle handle) {
  const std::lock_guard lock(mMutex);
  const auto it = mObjects.find(handle);
  if (it == mObjects.end()) return false;
  ++it->second->references;
  return true;
}

bool ObjectRegistry::Release(Handle handle) {
  std::shared_ptr<ServerObject> last;
  {
    const std::lock_guard lock(mMutex);
    const auto it = mObjects.find(handle);
    if (it == mObjects.end()) return false;
    if (--it->second->references > 0) return true;
    last = std::move(it->second);
    mObjects.erase(it);
    if (last->kind == ServerObject::Class::PlugIn) mPlugInHandles.erase(last->plugIn.get());
  }
  // The object goes outside the lock: a plug-in's destruction may close a
  // dialog, which must not wait on the registry.
  return true;
}

bool ObjectRegistry::Empty() const {
  const std::lock_guard lock(mMutex);
  return mObjects.empty();
}

}  // namespace TLPaymentPlugIns::server
