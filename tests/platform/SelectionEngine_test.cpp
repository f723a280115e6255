#include "platform/SelectionEngine.h"

#include <gtest/gtest.h>
#include <libxml/xpath.h>

#include "platform/ErrorCodes.h"
#include "platform/SelectionPattern.h"
#include "platform/XmlDocument.h"
#include "platform/XmlNodeAccess.h"
#include "support/Raises.h"
#include "support/Table.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

namespace {

XmlDocument Loaded(const TempDir& dir, const std::string& xml) {
  WriteFile(dir / "doc.xml", xml);
  XmlDocument doc;
  EXPECT_TRUE(doc.load(dir / "doc.xml"));
  return doc;
}

// libxml2's own answer, through a context of its own.
std::vector<xmlNodePtr> Reference(const XmlNode& context, const std::string& query) {
  xmlXPathContextPtr xpath = xmlXPathNewContext(XmlNodeAccess::RawDocument(context));
  xmlXPathObjectPtr result = xmlXPathNodeEval(XmlNodeAccess::Raw(context), BAD_CAST ToXPath(query).c_str(), xpath);
  std::vector<xmlNodePtr> nodes;
  if (result != nullptr && result->nodesetval != nullptr) {
    nodes.assign(result->nodesetval->nodeTab, result->nodesetval->nodeTab + result->nodesetval->nodeNr);
  }
  xmlXPathFreeObject(result);
  xmlXPathFreeContext(xpath);
  return nodes;
}

// A query of a table: \t and \xHH stand for bytes a table cannot hold.
std::string Unescaped(std::string query) {
  query = Replaced(query, "\\t", "\t");
  for (std::size_t at; (at = query.find("\\x")) != std::string::npos;) {
    query.replace(at, 4, 1, static_cast<char>(std::stoi(query.substr(at + 2, 2), nullptr, 16)));
  }
  return query;
}

void Silent(void*, const char*, ...) {}

// Whether libxml2 refuses the query, asked without a word on standard error.
bool Libxml2Refuses(const std::string& query) {
  xmlSetGenericErrorFunc(nullptr, Silent);
  xmlXPathCompExprPtr compiled = xmlXPathCompile(BAD_CAST ToXPath(query).c_str());
  xmlSetGenericErrorFunc(nullptr, nullptr);
  const bool refused = compiled == nullptr;
  xmlXPathFreeCompExpr(compiled);
  return refused;
}

std::vector<xmlNodePtr> Raw(const XmlNodeList& list) {
  std::vector<xmlNodePtr> nodes;
  for (const XmlNode& node : list) nodes.push_back(XmlNodeAccess::Raw(node));
  return nodes;
}

}  // namespace

TEST(SelectionEngine, AnswersAsLibxml2DoesOnTheTrapDocument) {
  TempDir dir;
  const XmlDocument doc = Loaded(dir, Fixture("platform/data/selection_traps.xml"));
  const XmlNode group = doc.selectSingleNode("//Param[@type='GROUP']");
  const XmlNode other = doc.selectSingleNode("//*[local-name()='Other']");
  ASSERT_TRUE(group && other);
  for (const auto& [path, line, fields] : ReadTable("platform/data/selection_traps.txt")) {
    const std::string query = Unescaped(fields.at(0));
    const testing::ScopedTrace where(path.c_str(), line, query);
    for (const XmlNode& context : {doc.documentElement(), group, other}) {
      SCOPED_TRACE("from " + context.nodeName());
      const std::vector<xmlNodePtr> expected = Reference(context, query);
      EXPECT_EQ(Raw(context.selectNodes(query)), expected);
      EXPECT_EQ(XmlNodeAccess::Raw(context.selectSingleNode(query)), expected.empty() ? nullptr : expected.front());
    }
    EXPECT_EQ(doc.selectNodes(query).length(), std::stol(fields.at(1)));
    EXPECT_TRUE(SelectionQuery::Compile(query)) << "went to libxml2";
  }
}

TEST(SelectionEngine, MalformedAndOversizedQueriesRaiseSilentlyWhereLibxml2RefusesThem) {
  TempDir dir;
  const XmlDocument doc = Loaded(dir, "<r><Param name='a'/><Param name='b'>x</Param></r>");
  testing::internal::CaptureStderr();
  for (const auto& [path, line, fields] : ReadTable("platform/data/selection_malformed.txt")) {
    const std::string query = Unescaped(fields.at(0));
    const testing::ScopedTrace where(path.c_str(), line, fields.at(0));
    const bool refused = Libxml2Refuses(query);
    EXPECT_EQ(refused, fields.at(1) == "refused") << "libxml2's own answer";
    if (refused) {
      EXPECT_TRUE(Raises(errors::kQueryInvalid, [&] { (void)doc.selectSingleNode(query); }));
      EXPECT_TRUE(Raises(errors::kQueryInvalid, [&] { (void)doc.selectNodes(query); }));
    } else {
      EXPECT_EQ(Raw(doc.documentElement().selectNodes(query)), Reference(doc.documentElement(), query));
    }
  }
  const std::string longName = "//" + std::string(100000, 'P');
  EXPECT_TRUE(doc.selectSingleNode(longName).IsEmpty());
  EXPECT_TRUE(Raises(errors::kQueryInvalid, [&] { (void)doc.selectNodes("//Param[@name='" + longName); }));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(SelectionEngine, AnEditBetweenTwoLookupsShowsInTheSecond) {
  TempDir dir;
  XmlDocument doc = Loaded(dir, "<r><Param name='a'><Value>1</Value></Param><Param name='b'/></r>");
  const XmlNode b = doc.selectSingleNode("//Param[@name='b']");
  ASSERT_EQ(doc.selectNodes("//Value").length(), 1);
  const auto generation = SelectionEngine::Of(XmlNodeAccess::RawDocument(b)).generation();

  b.attributes().getNamedItem("name").text("a");
  EXPECT_EQ(doc.selectNodes("//Param[@name='a']").length(), 2);
  EXPECT_TRUE(doc.selectSingleNode("//Param[@name='b']").IsEmpty());

  XmlNode value = doc.createNode(XmlDocument::NODE_ELEMENT, "Value", "");
  XmlNode(b).appendChild(value);
  XmlNode lang = doc.createNode(XmlDocument::NODE_ATTRIBUTE, "lang", "");
  value.attributes().setNamedItem(lang);
  lang.text("en");
  EXPECT_EQ(doc.selectSingleNode("//Value[@lang='en']"), value);
  EXPECT_EQ(doc.selectNodes("//Value").length(), 2);
  EXPECT_GT(SelectionEngine::Of(XmlNodeAccess::RawDocument(b)).generation(), generation);
}
