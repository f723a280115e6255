#include "platform/Collection.h"

#include "platform/CaseFold.h"

namespace TLPaymentPlugIns {

std::string CollectionKey(const std::string& key) { return CaseFold::Fold(key); }

}  // namespace TLPaymentPlugIns
