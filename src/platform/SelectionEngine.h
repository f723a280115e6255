#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/SelectionQuery.h"

struct _xmlDoc;
struct _xmlNode;
struct _xmlXPathContext;

namespace TLPaymentPlugIns {

// The selections of one document. Queries of the library's own shapes
// (SelectionQuery) walk the tree, or an index of its elements by name; the
// answers of absolute ones are remembered until the document changes, all
// within 9 % of the document's own size. Any other query goes to libxml2's XPath through one context
// kept for the document. A document is used by one thread at a time.
class SelectionEngine {
 public:
  // The engine of doc, made on first use and kept with the document.
  static SelectionEngine& Of(_xmlDoc* doc);
  // Frees the engine of a document that is about to be freed.
  static void Release(_xmlDoc* doc) noexcept;
  // The document was edited: remembered answers are dropped.
  static void Changed(_xmlDoc* doc) noexcept;

  ~SelectionEngine();
  SelectionEngine(const SelectionEngine&) = delete;
  SelectionEngine& operator=(const SelectionEngine&) = delete;

  // The first match of query from context in document order, or null.
  // A query that is not valid raises a numbered error and prints nothing.
  _xmlNode* selectFirst(_xmlNode* context, const std::string& query);
  // Every match in document order.
  std::vector<_xmlNode*> selectAll(_xmlNode* context, const std::string& query);

  // Bytes held for remembered answers and compiled queries.
  std::size_t footprint() const noexcept {
    // NOLINTNEXTLINE(bugprone-sizeof-expression): the index holds pointers
    return mBytes + mEntries.bucket_count() * sizeof(void*) + mByName.capacity() * sizeof(_xmlNode*);
  }
  // The most footprint may reach: 9 % of the document's size, measured
  // at the second search; until then 9 % of the least any document holds.
  std::size_t budget() const noexcept { return mBudget; }
  // Edits seen since the document was loaded.
  std::uint64_t generation() const noexcept { return mGeneration; }

 private:
  enum class Kind : std::uint8_t { XPath, Relative, Absolute };
  // What is kept for one query text: who answers it; for a relative query
  // its compiled form, for an absolute one its answers so far (compiled
  // again when the document has changed).
  struct Entry {
    Kind kind = Kind::XPath;
    bool firstKnown = false;
    bool allKnown = false;
    _xmlNode* first = nullptr;
    std::vector<_xmlNode*> all;
    std::unique_ptr<SelectionQuery> compiled;
  };

  explicit SelectionEngine(_xmlDoc* doc);
  // The entry of query, made when missing. A text too long to be worth
  // keeping gets a scratch entry that the next call replaces.
  Entry& entry(const std::string& query);
  // Whether bytes more fit the budget, after dropping what may go.
  bool makeRoom(std::size_t bytes, Kind kind);
  // Keeps every match of an absolute query when the budget allows.
  void remember(Entry& entry, const std::vector<_xmlNode*>& all);
  // The elements an absolute query needs to test, in document order: those
  // of its last step's name, from an index of the elements by name made at
  // the second search after a change. Nothing when the tree is to be
  // walked instead: for "*", for the first search, or when the index does
  // not fit the budget.
  std::optional<std::span<_xmlNode* const>> candidates(const SelectionQuery& query);
  static std::size_t EntryBytes(const std::string& query, const Entry& entry);
  std::vector<_xmlNode*> evaluateXPath(_xmlNode* context, const std::string& query, bool firstOnly);
  _xmlNode* documentNode() const noexcept;

  _xmlDoc* mDoc;
  _xmlXPathContext* mXPath = nullptr;
  std::unordered_map<std::string, Entry> mEntries;
  Entry mScratch;
  std::vector<_xmlNode*> mByName;  // every element, by name; each name's in document order
  std::uint32_t mSearches = 0;     // searches of the tree since the last change
  bool mMeasured = false;
  std::size_t mBytes = 0;
  std::size_t mBudget = 0;
  std::uint64_t mGeneration = 0;
};

}  // namespace TLPaymentPlugIns
