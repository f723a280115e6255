// The selection engine against libxml2's XPath: a random document and
// random queries of the engine's shapes (and near misses of them); every
// answer, from the document and from elements of it, must be the same
// nodes in the same order, and a query libxml2 refuses must raise. An edit
// between two lookups must show in the second.
#include <fuzzer/FuzzedDataProvider.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>

#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/SelectionEngine.h"
#include "platform/SelectionPattern.h"
#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNode.h"
#include "platform/XmlNodeAccess.h"

using namespace TLPaymentPlugIns;

namespace {

const char* const kElements[] = {"Param", "Value", "Language", "AppLang", "child", "node", "text", "and", "a", "b-c"};
const char* const kAttributes[] = {"name", "lang", "type", "and", "x"};
// Values as written in the document (double-quoted) and as they read.
struct Value {
  const char* markup;
  const char* text;
};
const Value kValues[] = {
    {"a", "a"},           {"", ""},       {"it's", "it's"},   {"&quot;q&quot;", "\"q\""}, {"a&amp;&amp;b", "a&&b"},
    {"&#39;&e;", "'ent"}, {" a ", " a "}, {"GROUP", "GROUP"}, {"\xC3\xA9", "\xC3\xA9"},   {"&lt;&gt;", "<>"}};

class DocumentWriter {
 public:
  explicit DocumentWriter(FuzzedDataProvider& in) : mIn(in) {}

  std::string document() {
    std::string out = "<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY e \"ent\">]>\n";
    if (mIn.ConsumeBool()) out += "<!-- top --><?pi top?>";
    element(out, 0);
    return out;
  }

 private:
  void element(std::string& out, int depth) {
    const std::string name = (mIn.ConsumeIntegralInRange(0, 7) == 0 ? "x:" : "") + std::string(Pick(kElements));
    out += "<" + name + " xmlns:x=\"urn:x\"";
    switch (mIn.ConsumeIntegralInRange(0, 7)) {
      case 0: out += " xmlns=\"urn:d\""; break;
      case 1: out += " xmlns=\"\""; break;
      default: break;
    }
    for (int i = mIn.ConsumeIntegralInRange(0, 3); i > 0; --i) {
      const Value& value = Pick(kValues);
      const std::string prefix = mIn.ConsumeIntegralInRange(0, 5) == 0 ? "x:" : "";
      // The same attribute twice would not be well-formed; a number keeps them apart.
      out += " " + prefix + Pick(kAttributes) + (i > 1 ? std::to_string(i) : "") + "=\"" + value.markup + "\"";
    }
    out += ">";
    const int children = depth > 60 ? 0 : mIn.ConsumeIntegralInRange(0, depth < 3 ? 5 : 2);
    for (int i = 0; i < children; ++i) {
      switch (mIn.ConsumeIntegralInRange(0, 9)) {
        case 0: out += "<!-- c -->"; break;
        case 1: out += "<?pi x?>"; break;
        case 2: out += "<![CDATA[<Param name='a'/>]]>"; break;
        case 3: out += "\n  &e; text "; break;
        case 4: {
          // Many siblings, up to a size that keeps the run quick.
          if (out.size() > 50000) break;
          const int count = mIn.ConsumeIntegralInRange(10, 3000);
          const std::string sibling = std::string("<") + Pick(kElements) + " name=\"s\"/>";
          for (int n = 0; n < count; ++n) out += sibling;
          break;
        }
        default: element(out, depth + 1 + (mIn.ConsumeIntegralInRange(0, 9) == 0 ? 30 : 0));
      }
    }
    out += "</" + name + ">";
  }

  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[mIn.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
  }

  FuzzedDataProvider& mIn;
};

std::string Query(FuzzedDataProvider& in) {
  const auto pick = [&](const auto& items) {
    return std::string(items[in.ConsumeIntegralInRange<std::size_t>(0, std::size(items) - 1)]);
  };
  const auto blanks = [&] { return std::string(in.ConsumeIntegralInRange(0, 4) == 0 ? " " : ""); };
  const auto predicate = [&] {
    std::string out = "[" + blanks();
    const int conditions = in.ConsumeIntegralInRange(1, 3);
    for (int i = 0; i < conditions; ++i) {
      if (i > 0) out += pick(std::vector<const char*>{" and ", "and", "&&", " && ", "&&&", " or "});
      const Value& value = kValues[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kValues) - 1)];
      const char quote = in.ConsumeBool() ? '\'' : '"';
      out += "@" + pick(kAttributes) + blanks() + "=" + blanks() + quote + value.text + quote;
    }
    return out + blanks() + "]";
  };
  std::string query;
  if (in.ConsumeBool()) {
    for (int i = in.ConsumeIntegralInRange(1, 3); i > 0; --i) {
      query += query.empty() ? "//" : "/";
      query += in.ConsumeIntegralInRange(0, 4) == 0 ? "*" : pick(kElements);
      if (in.ConsumeBool()) query += predicate();
    }
  } else {
    query = in.ConsumeIntegralInRange(0, 4) == 0 ? "*" : pick(kElements);
    if (in.ConsumeBool()) query += predicate();
  }
  // A near miss: one byte changed, or cut short.
  if (!query.empty() && in.ConsumeIntegralInRange(0, 5) == 0) {
    const auto at = in.ConsumeIntegralInRange<std::size_t>(0, query.size() - 1);
    const char bytes[] = {' ', '/', '[', ']', '@', '=', '\'', '"', '&', '*', ':', '(', '\0', '\x01'};
    if (in.ConsumeBool()) {
      query.resize(at);
    } else {
      query[at] = bytes[in.ConsumeIntegralInRange<std::size_t>(0, std::size(bytes) - 1)];
    }
  }
  return query;
}

// libxml2's answer through a context of its own, or nothing when it refuses
// the query.
std::unique_ptr<std::vector<xmlNodePtr>> Reference(xmlDocPtr doc, xmlNodePtr context, const std::string& query) {
  std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> xpath(xmlXPathNewContext(doc), xmlXPathFreeContext);
  const std::string text = ToXPath(query);
  std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
      xmlXPathNodeEval(context, reinterpret_cast<const xmlChar*>(text.c_str()), xpath.get()), xmlXPathFreeObject);
  if (!result) return nullptr;
  auto nodes = std::make_unique<std::vector<xmlNodePtr>>();
  if (result->type == XPATH_NODESET && result->nodesetval != nullptr) {
    nodes->assign(result->nodesetval->nodeTab, result->nodesetval->nodeTab + result->nodesetval->nodeNr);
  }
  return nodes;
}

void Compare(xmlDocPtr doc, xmlNodePtr context, const std::string& query) {
  SelectionEngine& engine = SelectionEngine::Of(doc);
  const auto expected = Reference(doc, context, query);
  for (int round = 0; round < 2; ++round) {  // the second answer may be a remembered one
    try {
      const std::vector<xmlNodePtr> all = engine.selectAll(context, query);
      const xmlNodePtr first = engine.selectFirst(context, query);
      if (!expected || all != *expected) std::abort();
      if (first != (expected->empty() ? nullptr : expected->front())) std::abort();
    } catch (const Error&) {
      if (expected) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string xml = DocumentWriter(in).document();
  xmlDocPtr parsed = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "fuzz.xml", nullptr,
                                   XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (parsed == nullptr) std::abort();  // the writer makes well-formed documents only
  const XmlNodeAccess::Document doc = XmlNodeAccess::Own(parsed);
  // Contexts for relative queries: the first elements in document order.
  std::vector<xmlNodePtr> elements, pending{xmlDocGetRootElement(parsed)};
  while (!pending.empty() && elements.size() < 64) {
    const xmlNodePtr node = pending.back();
    pending.pop_back();
    elements.push_back(node);
    for (xmlNodePtr child = node->last; child != nullptr; child = child->prev) {
      if (child->type == XML_ELEMENT_NODE) pending.push_back(child);
    }
  }
  for (int queries = 0; queries < 24 && in.remaining_bytes() > 0; ++queries) {
    const std::string query = Query(in);
    Compare(parsed, reinterpret_cast<xmlNodePtr>(parsed), query);
    Compare(parsed, elements[in.ConsumeIntegralInRange<std::size_t>(0, elements.size() - 1)], query);
    if (in.ConsumeIntegralInRange(0, 3) == 0) {
      // An edit through the library's handles: a new attribute value.
      const XmlNode element =
          XmlNodeAccess::Make(doc, elements[in.ConsumeIntegralInRange<std::size_t>(0, elements.size() - 1)]);
      const XmlNode attribute = element.attributes().getNamedItem(kAttributes[in.ConsumeIntegralInRange(0, 4)]);
      fuzz::Tolerate([&] { XmlNode(attribute).text(kValues[in.ConsumeIntegralInRange(0, 9)].text); });
    }
  }
  return 0;
}
