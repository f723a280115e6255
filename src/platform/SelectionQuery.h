#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct _xmlNode;

namespace TLPaymentPlugIns {

// A query of the shapes the library itself issues, compiled for a direct
// walk of the tree: "//A", "//A/B/C", "//*" and a relative "A", each step
// with at most one predicate of attribute equalities joined by "and" (or
// the legacy "&&"), as in "//Param[@type='GROUP' and @name='x']". The
// answers are exactly those of the XPath reading of the same text: an
// element name matches elements without namespace, "*" any element, "@a"
// an attribute named a without a prefix, and matches come in document
// order. Any other text does not compile.
class SelectionQuery {
 public:
  // The compiled form of text, or nothing when text is not of those shapes.
  static std::optional<SelectionQuery> Compile(std::string_view text);

  // An absolute query answers the same from any node of the document.
  bool absolute() const noexcept { return mAbsolute; }
  // The first match in document order, or null. An absolute query searches
  // from document, a relative one among the children of context.
  _xmlNode* first(_xmlNode* document, _xmlNode* context) const;
  // Every match in document order.
  std::vector<_xmlNode*> all(_xmlNode* document, _xmlNode* context) const;
  // The same for an absolute query, among candidates in document order
  // instead of the whole tree: every element named lastName(), or every
  // element when that is empty.
  _xmlNode* firstAmong(std::span<_xmlNode* const> candidates) const;
  std::vector<_xmlNode*> allAmong(std::span<_xmlNode* const> candidates) const;
  // The element name of the last step; empty for "*".
  std::string_view lastName() const { return text(mSteps[mStepCount - 1].name); }

  // The element after node in document order below root (node itself
  // included when it is root), or null: the order of every walk over the
  // tree. Start with NextElement(root, root).
  static _xmlNode* NextElement(_xmlNode* node, const _xmlNode* root);

 private:
  static constexpr std::size_t kMaxSteps = 8;
  static constexpr std::size_t kMaxConditions = 8;

  // A part of mText.
  struct Span {
    std::uint16_t begin = 0;
    std::uint16_t length = 0;
  };
  struct Condition {
    Span attribute;
    Span value;
  };
  struct Step {
    Span name;  // empty for "*"
    std::uint8_t firstCondition = 0;
    std::uint8_t conditions = 0;
  };
  class Parser;

  // Whether the element matches the last step and its ancestors the steps
  // before it.
  bool matches(const _xmlNode* element) const;
  bool matchesStep(const _xmlNode* element, const Step& step) const;
  bool holds(const _xmlNode* element, const Condition& condition) const;
  std::string_view text(Span span) const { return std::string_view(mText).substr(span.begin, span.length); }
  // Calls found(match) for each match in document order until it returns false.
  template <typename Found>
  void walk(_xmlNode* document, _xmlNode* context, Found&& found) const;

  std::string mText;
  bool mAbsolute = false;
  std::uint8_t mStepCount = 0;
  std::uint8_t mConditionCount = 0;
  std::array<Step, kMaxSteps> mSteps{};
  std::array<Condition, kMaxConditions> mConditions{};
};

}  // namespace TLPaymentPlugIns
