#include "platform/SelectionEngine.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <algorithm>
#include <functional>

#include "platform/ErrorCodes.h"
#include "platform/LibxmlGuard.h"
#include "platform/SelectionPattern.h"

namespace TLPaymentPlugIns {

namespace {

// Longer query texts are compiled on every call and never remembered.
constexpr std::size_t kMaxKeptQuery = 256;
// Remembered answers and compiled queries stay within 9 % of the
// document's own size, a margin under a tenth for the estimate's error.
constexpr std::size_t kBudgetPercent = 9;
// What the standard library spends on a map entry besides key and value:
// the node's links, the hash, and the allocator's header.
constexpr std::size_t kEntryOverhead = 32;

std::size_t HeapBytes(const std::string& text) { return text.capacity() > 15 ? text.capacity() + 1 + 16 : 0; }

// The allocator's header on each of libxml2's allocations.
constexpr std::size_t kAllocationHeader = 16;
// A document's dictionary of names: its table and first pool.
constexpr std::size_t kDictionaryBytes = std::size_t{5} * 1024;

std::size_t NodeBytes(const xmlNode* node) {
  return sizeof(xmlNode) + kAllocationHeader +
         (node->content != nullptr ? static_cast<std::size_t>(xmlStrlen(node->content)) + 1 : 0);
}

// Lists every element in document order and answers the bytes libxml2
// holds for the tree: its nodes, attributes and texts.
std::size_t ListElements(xmlDoc* doc, std::vector<xmlNode*>& elements) {
  xmlNode* root = reinterpret_cast<xmlNode*>(doc);
  std::size_t bytes = sizeof(xmlDoc) + (doc->dict != nullptr ? kDictionaryBytes : 0);
  for (const xmlNode* top = doc->children; top != nullptr; top = top->next) {
    if (top->type != XML_ELEMENT_NODE) bytes += NodeBytes(top);
  }
  for (xmlNode* element = SelectionQuery::NextElement(root, root); element != nullptr;
       element = SelectionQuery::NextElement(element, root)) {
    elements.push_back(element);
    bytes += sizeof(xmlNode) + kAllocationHeader;
    for (const xmlNode* child = element->children; child != nullptr; child = child->next) {
      if (child->type != XML_ELEMENT_NODE) bytes += NodeBytes(child);
    }
    for (const xmlAttr* a = element->properties; a != nullptr; a = a->next) {
      bytes += sizeof(xmlAttr) + kAllocationHeader;
      for (const xmlNode* text = a->children; text != nullptr; text = text->next) bytes += NodeBytes(text);
    }
  }
  return bytes;
}

// Orders elements by the address of their name: in a document whose names
// all come from its dictionary, equal names share one address.
bool ByName(const xmlNode* a, const xmlNode* b) { return std::less<const xmlChar*>()(a->name, b->name); }

}  // namespace

SelectionEngine& SelectionEngine::Of(xmlDoc* doc) {
  if (doc->_private == nullptr) doc->_private = new SelectionEngine(doc);
  return *static_cast<SelectionEngine*>(doc->_private);
}

void SelectionEngine::Release(xmlDoc* doc) noexcept {
  delete static_cast<SelectionEngine*>(doc->_private);
  doc->_private = nullptr;
}

void SelectionEngine::Changed(xmlDoc* doc) noexcept {
  if (doc == nullptr || doc->_private == nullptr) return;
  auto& engine = *static_cast<SelectionEngine*>(doc->_private);
  ++engine.mGeneration;
  engine.mByName = {};
  engine.mSearches = 0;
  // Answers go; compiled relative queries and the texts libxml2 answers stay.
  for (auto it = engine.mEntries.begin(); it != engine.mEntries.end();) {
    if (it->second.kind == Kind::Absolute) {
      engine.mBytes -= EntryBytes(it->first, it->second);
      it = engine.mEntries.erase(it);
    } else {
      ++it;
    }
  }
}

// Until the document is measured, the budget is that of the least a
// document holds: itself, its dictionary and its document element.
SelectionEngine::SelectionEngine(xmlDoc* doc)
    : mDoc(doc),
      mBudget((sizeof(xmlDoc) + (doc->dict != nullptr ? kDictionaryBytes : 0) +
               (doc->children != nullptr ? sizeof(xmlNode) + kAllocationHeader : 0)) *
              kBudgetPercent / 100) {}

SelectionEngine::~SelectionEngine() {
  if (mXPath != nullptr) xmlXPathFreeContext(mXPath);
}

xmlNode* SelectionEngine::documentNode() const noexcept { return reinterpret_cast<xmlNode*>(mDoc); }

std::size_t SelectionEngine::EntryBytes(const std::string& query, const Entry& entry) {
  return kEntryOverhead + sizeof(std::string) + sizeof(Entry) + HeapBytes(query) +
         entry.all.capacity() * sizeof(xmlNode*) + (entry.compiled ? sizeof(SelectionQuery) + HeapBytes(query) : 0);
}

SelectionEngine::Entry& SelectionEngine::entry(const std::string& query) {
  if (auto it = mEntries.find(query); it != mEntries.end()) return it->second;
  Entry made;
  if (auto compiled = SelectionQuery::Compile(query)) {
    if (compiled->absolute()) {
      made.kind = Kind::Absolute;
    } else {
      made.kind = Kind::Relative;
      made.compiled = std::make_unique<SelectionQuery>(std::move(*compiled));
    }
  }
  const std::size_t bytes = EntryBytes(query, made);
  if (query.size() > kMaxKeptQuery || !makeRoom(bytes, made.kind)) {
    mScratch = std::move(made);
    return mScratch;
  }
  mBytes += bytes;
  return mEntries.emplace(query, std::move(made)).first->second;
}

bool SelectionEngine::makeRoom(std::size_t bytes, Kind kind) {
  if (footprint() + bytes <= mBudget) return true;
  // A compiled query, being cheap to compile again, only takes room that
  // is free.
  if (bytes > mBudget || kind != Kind::Absolute) return false;
  std::erase_if(mEntries, [&](const auto& kept) {
    if (kept.second.kind == Kind::Absolute) return false;
    mBytes -= EntryBytes(kept.first, kept.second);
    return true;
  });
  // Answers start over rather than tracking which one is oldest.
  if (footprint() + bytes > mBudget) {
    mEntries.clear();
    mBytes = 0;
  }
  return footprint() + bytes <= mBudget;
}

void SelectionEngine::remember(Entry& entry, const std::vector<xmlNode*>& all) {
  const std::size_t added = all.size() * sizeof(xmlNode*);
  if (&entry == &mScratch || footprint() + added > mBudget) return;
  entry.all = all;
  entry.allKnown = true;
  mBytes += entry.all.capacity() * sizeof(xmlNode*);
}

std::optional<std::span<xmlNode* const>> SelectionEngine::candidates(const SelectionQuery& query) {
  const std::string_view name = query.lastName();
  if (name.empty()) return std::nullopt;
  // A single search walks the tree; the second one since the document was
  // loaded or changed pays for one walk that measures the document (the
  // first time) and lists its elements for the index.
  if (++mSearches == 2) {
    std::vector<xmlNode*> listed;
    const std::size_t bytes = ListElements(mDoc, listed);
    if (!mMeasured) mBudget = bytes * kBudgetPercent / 100;
    mMeasured = true;
    const bool interned = mDoc->dict != nullptr && std::all_of(listed.begin(), listed.end(), [&](const xmlNode* e) {
                            return xmlDictOwns(mDoc->dict, e->name) == 1;
                          });
    // Stable, so that each name's elements stay in document order.
    std::stable_sort(listed.begin(), listed.end(), ByName);
    listed.shrink_to_fit();
    if (interned && footprint() + listed.capacity() * sizeof(xmlNode*) <= mBudget) mByName = std::move(listed);
  }
  if (mByName.empty()) return std::nullopt;
  // A name the dictionary does not hold is no element's.
  const xmlChar* wanted =
      xmlDictExists(mDoc->dict, reinterpret_cast<const xmlChar*>(name.data()), static_cast<int>(name.size()));
  if (wanted == nullptr) return std::span<xmlNode* const>();
  xmlNode key{};
  key.name = wanted;
  const auto [from, to] = std::equal_range(mByName.begin(), mByName.end(), &key, ByName);
  return std::span<xmlNode* const>(from, to);
}

xmlNode* SelectionEngine::selectFirst(xmlNode* context, const std::string& query) {
  Entry& found = entry(query);
  switch (found.kind) {
    case Kind::XPath: {
      const std::vector<xmlNode*> nodes = evaluateXPath(context, query, true);
      return nodes.empty() ? nullptr : nodes.front();
    }
    case Kind::Relative: return found.compiled->first(documentNode(), context);
    case Kind::Absolute: break;
  }
  // A first match costs no more room than the entry already has.
  if (!found.firstKnown) {
    if (found.allKnown) {
      found.first = found.all.empty() ? nullptr : found.all.front();
    } else {
      const auto compiled = SelectionQuery::Compile(query);
      const auto among = candidates(*compiled);
      found.first = among ? compiled->firstAmong(*among) : compiled->first(documentNode(), context);
    }
    found.firstKnown = true;
  }
  return found.first;
}

std::vector<xmlNode*> SelectionEngine::selectAll(xmlNode* context, const std::string& query) {
  Entry& found = entry(query);
  if (found.kind == Kind::XPath) return evaluateXPath(context, query, false);
  if (found.kind == Kind::Relative) return found.compiled->all(documentNode(), context);
  if (found.allKnown) return found.all;
  const auto compiled = SelectionQuery::Compile(query);
  const auto among = candidates(*compiled);
  std::vector<xmlNode*> all = among ? compiled->allAmong(*among) : compiled->all(documentNode(), context);
  remember(found, all);
  return all;
}

std::vector<xmlNode*> SelectionEngine::evaluateXPath(xmlNode* context, const std::string& query, bool firstOnly) {
  LibxmlGuard guard;
  if (mXPath == nullptr) mXPath = xmlXPathNewContext(mDoc);
  if (mXPath == nullptr) throw errors::QueryInvalid(query, "out of memory");
  // The context as a new one would be, but for the node it starts from.
  mXPath->doc = mDoc;
  mXPath->contextSize = -1;
  mXPath->proximityPosition = -1;
  const std::string xpath = ToXPath(query);
  std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
      xmlXPathNodeEval(context, reinterpret_cast<const xmlChar*>(xpath.c_str()), mXPath), xmlXPathFreeObject);
  if (!result) throw errors::QueryInvalid(query, guard.message().empty() ? "not a query" : guard.message());
  std::vector<xmlNode*> nodes;
  if (result->type != XPATH_NODESET || result->nodesetval == nullptr) return nodes;
  const int count = firstOnly ? std::min(result->nodesetval->nodeNr, 1) : result->nodesetval->nodeNr;
  nodes.assign(result->nodesetval->nodeTab, result->nodesetval->nodeTab + count);
  return nodes;
}

}  // namespace TLPaymentPlugIns
