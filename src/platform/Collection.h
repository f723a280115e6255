#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/ErrorCodes.h"

namespace TLPaymentPlugIns {

// The form under which a Collection files a key: Unicode case folded.
std::string CollectionKey(const std::string& key);

// A keyed, ordered collection with 1-based positions. Keys compare without
// regard to case for every letter.
template <typename T>
class Collection {
 public:
  using const_iterator = typename std::vector<T>::const_iterator;

  // Raises 457 when an equal key is already filed.
  void Add(T item, const std::string& key) {
    auto [it, inserted] = mIndex.emplace(CollectionKey(key), mItems.size());
    if (!inserted) throw errors::DuplicateKey();
    mItems.push_back(std::move(item));
  }
  int32_t Count() const noexcept { return static_cast<int32_t>(mItems.size()); }
  // Raises 9 outside 1 to Count.
  const T& Item(int32_t index) const {
    if (index < 1 || index > Count()) throw errors::SubscriptOutOfRange();
    return mItems[static_cast<std::size_t>(index - 1)];
  }
  // Raises 5 for a key that is not filed.
  const T& Item(const std::string& key) const {
    const auto it = mIndex.find(CollectionKey(key));
    if (it == mIndex.end()) throw errors::InvalidArgument();
    return mItems[it->second];
  }
  const_iterator begin() const noexcept { return mItems.begin(); }
  const_iterator end() const noexcept { return mItems.end(); }

 private:
  std::vector<T> mItems;
  std::unordered_map<std::string, std::size_t> mIndex;
};

}  // namespace TLPaymentPlugIns
