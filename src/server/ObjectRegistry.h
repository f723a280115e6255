#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "server/ServerObject.h"

namespace TLPaymentPlugIns::server {

// The objects that hosts hold handles to. A handle is a number that is
// never used twice in a process, so a released handle is recognised rather
// than dereferenced. A plug-in has one handle while it is alive, whichever
// member handed it out. The registry's lock is held only inside its own
// calls, never while a member of an object runs, so a callback may call
// back into the library.
class ObjectRegistry {
 public:
  using Handle = std::uintptr_t;

  static ObjectRegistry& Instance();

  // A new object with one reference.
  Handle Add(std::shared_ptr<ServerObject> object);
  // The plug-in's handle with one more reference, or a new one.
  Handle HandleFor(const std::shared_ptr<PlugIn>& plugIn);
  // The live object, or null. The caller's copy keeps it alive through a
  // call even when the host releases it meanwhile.
  std::shared_ptr<ServerObject> Find(Handle handle) const;
  // False when the handle is not live.
  bool AddRef(Handle handle);
  bool Release(Handle handle);
  bool Empty() const;

 private:
  Handle AddLocked(std::shared_ptr<ServerObject> object);

  mutable std::mutex mMutex;
  std::map<Handle, std::shared_ptr<ServerObject>> mObjects;
  std::unordered_map<const PlugIn*, Handle> mPlugInHandles;
  Handle mLast = 0;
};

}  // namespace TLPaymentPlugIns::server
