#include "platform/SelectionQuery.h"

#include <libxml/tree.h>

namespace TLPaymentPlugIns {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
// XPath reads a literal up to its closing quote as long as each byte is a
// character of XML: tab, line feed, carriage return or 0x20 and above.
bool IsLiteralChar(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x20 || byte == '\t' || byte == '\n' || byte == '\r';
}

// Byte by byte, so that most names differ at the first byte without a call.
bool Equal(const xmlChar* name, std::string_view wanted) {
  if (name == nullptr) return wanted.empty();
  for (const char c : wanted) {
    if (static_cast<char>(*name++) != c) return false;
  }
  return *name == 0;
}

}  // namespace

// Reads the text left to right; any byte it does not expect ends the
// compilation without a result.
class SelectionQuery::Parser {
 public:
  explicit Parser(SelectionQuery& query) : mQuery(query), mText(query.mText) {}

  bool query() {
    if (mText.compare(0, 2, "//") == 0) {
      mQuery.mAbsolute = true;
      mPos = 2;
      if (!step()) return false;
      while (peek() == '/') {
        ++mPos;
        if (!step()) return false;
      }
    } else if (!step()) {
      return false;
    }
    return mPos == mText.size();
  }

 private:
  char peek() const { return mPos < mText.size() ? mText[mPos] : '\0'; }
  void skipBlanks() {
    while (IsBlank(peek())) ++mPos;
  }
  bool accept(std::string_view token) {
    if (mText.compare(mPos, token.size(), token) != 0) return false;
    mPos += token.size();
    return true;
  }
  Span span(std::size_t begin) const {
    return Span{static_cast<std::uint16_t>(begin), static_cast<std::uint16_t>(mPos - begin)};
  }

  bool name(Span& out) {
    const std::size_t begin = mPos;
    if (!IsNameStart(peek())) return false;
    while (IsNameChar(peek())) ++mPos;
    out = span(begin);
    return true;
  }

  bool step() {
    if (mQuery.mStepCount == kMaxSteps) return false;
    Step& step = mQuery.mSteps[mQuery.mStepCount++];
    if (!accept("*") && !name(step.name)) return false;
    step.firstCondition = mQuery.mConditionCount;
    if (!accept("[")) return true;
    do {
      skipBlanks();
      if (!condition()) return false;
      skipBlanks();
    } while (accept("and") || accept("&&"));
    step.conditions = static_cast<std::uint8_t>(mQuery.mConditionCount - step.firstCondition);
    return accept("]");
  }

  // @name = 'value' (or "value"), blanks allowed around the "=".
  bool condition() {
    skipBlanks();
    if (mQuery.mConditionCount == kMaxConditions || !accept("@")) return false;
    Condition& condition = mQuery.mConditions[mQuery.mConditionCount++];
    if (!name(condition.attribute)) return false;
    skipBlanks();
    if (!accept("=")) return false;
    skipBlanks();
    const char quote = peek();
    if (quote != '\'' && quote != '"') return false;
    const std::size_t begin = ++mPos;
    while (peek() != quote) {
      if (mPos == mText.size() || !IsLiteralChar(peek())) return false;
      ++mPos;
    }
    condition.value = span(begin);
    ++mPos;
    return true;
  }

  SelectionQuery& mQuery;
  const std::string& mText;
  std::size_t mPos = 0;
};

std::optional<SelectionQuery> SelectionQuery::Compile(std::string_view text) {
  // Spans are 16 bits; libxml2 reads the text only up to a NUL byte.
  if (text.size() > UINT16_MAX || text.find('\0') != std::string_view::npos) return std::nullopt;
  SelectionQuery query;
  query.mText = std::string(text);
  if (!Parser(query).query()) return std::nullopt;
  return query;
}

bool SelectionQuery::holds(const xmlNode* element, const Condition& condition) const {
  const std::string_view attribute = text(condition.attribute);
  const std::string_view value = text(condition.value);
  for (const xmlAttr* a = element->properties; a != nullptr; a = a->next) {
    // Without a prefix in the query, an attribute whose namespace has no
    // prefix counts too, as in libxml2.
    if ((a->ns != nullptr && a->ns->prefix != nullptr) || !Equal(a->name, attribute)) continue;
    const xmlNode* child = a->children;
    if (child != nullptr && child->next == nullptr &&
        (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)) {
      if (Equal(child->content, value)) return true;
    } else {  // empty, or of several nodes: its text as a whole
      xmlChar* content = xmlNodeGetContent(reinterpret_cast<const xmlNode*>(a));
      const bool equal = Equal(content, value);
      xmlFree(content);
      if (equal) return true;
    }
  }
  return false;
}

bool SelectionQuery::matchesStep(const xmlNode* element, const Step& step) const {
  if (element == nullptr || element->type != XML_ELEMENT_NODE) return false;
  // A name without prefix matches only elements outside any namespace; "*"
  // matches them all.
  if (step.name.length != 0 && (element->ns != nullptr || !Equal(element->name, text(step.name)))) return false;
  for (std::size_t i = 0; i < step.conditions; ++i) {
    if (!holds(element, mConditions[step.firstCondition + i])) return false;
  }
  return true;
}

bool SelectionQuery::matches(const xmlNode* element) const {
  for (std::size_t i = mStepCount; i-- > 0; element = element->parent) {
    if (!matchesStep(element, mSteps[i])) return false;
  }
  return true;
}

template <typename Found>
void SelectionQuery::walk(xmlNode* document, xmlNode* context, Found&& found) const {
  if (!mAbsolute) {
    // The child axis of an attribute is empty.
    if (context->type == XML_ATTRIBUTE_NODE || context->type == XML_NAMESPACE_DECL) return;
    for (xmlNode* child = context->children; child != nullptr; child = child->next) {
      if (matchesStep(child, mSteps[0]) && !found(child)) return;
    }
    return;
  }
  for (xmlNode* node = NextElement(document, document); node != nullptr; node = NextElement(node, document)) {
    if (matches(node) && !found(node)) return;
  }
}

xmlNode* SelectionQuery::NextElement(xmlNode* node, const xmlNode* root) {
  // Into the children of root or an element first, else on to the next
  // sibling, climbing as far as needed; other nodes are passed over.
  // Without recursion, so depth costs no stack.
  xmlNode* next = node == root || node->type == XML_ELEMENT_NODE ? node->children : nullptr;
  for (;;) {
    while (next == nullptr) {
      if (node == root) return nullptr;
      if (node->next != nullptr) {
        next = node->next;
      } else if ((node = node->parent) == nullptr) {
        return nullptr;
      }
    }
    if (next->type == XML_ELEMENT_NODE) return next;
    node = next;
    next = nullptr;
  }
}

xmlNode* SelectionQuery::first(xmlNode* document, xmlNode* context) const {
  xmlNode* match = nullptr;
  walk(document, context, [&](xmlNode* node) {
    match = node;
    return false;
  });
  return match;
}

std::vector<xmlNode*> SelectionQuery::all(xmlNode* document, xmlNode* context) const {
  std::vector<xmlNode*> matches;
  walk(document, context, [&](xmlNode* node) {
    matches.push_back(node);
    return true;
  });
  return matches;
}

}  // namespace TLPaymentPlugIns

namespace TLPaymentPlugIns {

xmlNode* SelectionQuery::firstAmong(std::span<xmlNode* const> candidates) const {
  for (xmlNode* element : candidates) {
    if (matches(element)) return element;
  }
  return nullptr;
}

std::vector<xmlNode*> SelectionQuery::allAmong(std::span<xmlNode* const> candidates) const {
  std::vector<xmlNode*> found;
  for (xmlNode* element : candidates) {
    if (matches(element)) found.push_back(element);
  }
  return found;
}

}  // namespace TLPaymentPlugIns
