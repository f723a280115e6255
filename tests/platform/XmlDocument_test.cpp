#include "platform/XmlDocument.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/Raises.h"
#include "support/ScratchMount.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

namespace {

// xml written to dir/name and loaded.
XmlDocument Loaded(const TempDir& dir, const std::string& xml, const std::string& name = "a.xml") {
  WriteFile(dir / name, xml);
  XmlDocument doc;
  EXPECT_TRUE(doc.load(dir / name));
  return doc;
}

}  // namespace

TEST(XmlDocumentLoad, FailsQuietlyOnMissingEmptyGarbageAndMalformedFiles) {
  TempDir dir;
  WriteFile(dir / "empty.xml", "");
  WriteFile(dir / "garbage.xml", std::string("\x00\xff\x13\x37garbage", 12));
  WriteFile(dir / "broken.xml", Fixture("plugin/data/not_well_formed.xml"));
  WriteFile(dir / "prolog-only.xml", "<?xml version=\"1.0\"?>\n<!-- nothing -->\n");
  for (const char* name : {"missing.xml", "empty.xml", "garbage.xml", "broken.xml", "prolog-only.xml"}) {
    XmlDocument doc = Loaded(dir, "<before/>", "before.xml");  // a failed load leaves nothing of it
    testing::internal::CaptureStderr();
    EXPECT_FALSE(doc.load(dir / name)) << name;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << name;
    EXPECT_TRUE(doc.selectNodes("//*").length() == 0) << name;
    EXPECT_TRUE(doc.documentElement().IsEmpty()) << name;
  }
}

TEST(XmlDocumentLoad, NeverReadsExternalEntities) {
  TempDir dir;
  WriteFile(dir / "secret.txt", "TOP-SECRET");
  std::string entity = Fixture("plugin/data/external_entity.xml");
  entity.replace(entity.find("file:///etc/hostname"), 20, "file://" + (dir / "secret.txt"));
  WriteFile(dir / "entity.xml", entity);
  XmlDocument doc;
  testing::internal::CaptureStderr();
  if (doc.load(dir / "entity.xml")) {
    EXPECT_EQ(doc.xml().find("TOP-SECRET"), std::string::npos);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(XmlDocumentSave, UnchangedDocumentKeepsEncodingBytesCommentsAndWhitespace) {
  TempDir dir;
  const std::string original = Fixture("plugin/data/latin1.xml");
  XmlDocument doc = Loaded(dir, original, "in.xml");
  doc.save(dir / "out.xml");
  EXPECT_EQ(ReadFile(dir / "out.xml"), original);

  // A document without a declaration gets none, and keeps UTF-8 text as is.
  XmlDocument plain = Loaded(dir, "<a>\n  <!-- note -->\n  <b x=\"1\">Grüße</b>\n</a>\n", "plain.xml");
  plain.save(dir / "plain.xml");
  EXPECT_EQ(ReadFile(dir / "plain.xml"), "<a>\n  <!-- note -->\n  <b x=\"1\">Grüße</b>\n</a>\n");

  // UTF-16 with its byte-order mark keeps its declaration.
  std::string wide = "\xFF\xFE";
  for (const char c : std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<a>x</a>\n")) wide += {c, '\0'};
  XmlDocument utf16 = Loaded(dir, wide, "utf16.xml");
  utf16.save(dir / "utf16.xml");
  EXPECT_EQ(ReadFile(dir / "utf16.xml"), wide);
}

TEST(XmlDocumentSave, CharactersTheEncodingCannotHoldBecomeReferences) {
  TempDir dir;
  XmlDocument doc = Loaded(dir, Fixture("plugin/data/latin1.xml"), "doc.xml");
  EXPECT_EQ(doc.selectSingleNode("//Name").text(), "Nachnahme für Großkunden");
  doc.selectSingleNode("//Name").text("5 € & <mehr>");
  doc.save(dir / "doc.xml");
  const std::string saved = ReadFile(dir / "doc.xml");
  EXPECT_NE(saved.find("5 &#8364; &amp; &lt;mehr&gt;"), std::string::npos) << saved;
  XmlDocument again;
  ASSERT_TRUE(again.load(dir / "doc.xml"));
  EXPECT_EQ(again.selectSingleNode("//Name").text(), "5 € & <mehr>");
}

TEST(XmlDocumentSave, KeepsPermissionsOrGivesANewFileWhatTheUmaskAllowsAndLeavesNoTemporaryFile) {
  TempDir dir;
  WriteFile(dir / "config.xml", "<a active=\"false\"/>");
  chmod((dir / "config.xml").c_str(), 0640);
  XmlDocument doc;
  ASSERT_TRUE(doc.load(dir / "config.xml"));
  doc.documentElement().attributes().getNamedItem("active").text("true");
  doc.save(dir / "config.xml");
  struct stat st {};
  ASSERT_EQ(stat((dir / "config.xml").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFile(dir / "config.xml"), "<a active=\"true\"/>\n");

  // A file saved where none was: read and write as the umask allows, as
  // any program's new file is, never executable.
  const mode_t mask = umask(022);
  doc.save(dir / "copy.xml");
  EXPECT_EQ(umask(mask), 022u) << "the process's umask is left as it was";
  ASSERT_EQ(stat((dir / "copy.xml").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2);
}

TEST(XmlDocumentSave, ReadOnlyOrFullFileSystemRaisesAndKeepsTheOldFile) {
  ScratchMount mount(256 * 1024);
  if (!mount.available()) GTEST_SKIP() << "needs root to mount a scratch file system";
  const std::string big = "<a>" + std::string(100 * 1024, 'x') + "</a>";
  WriteFile(mount / "config.xml", big);
  XmlDocument doc;
  ASSERT_TRUE(doc.load(mount / "config.xml"));
  doc.documentElement().text(std::string(120 * 1024, 'y'));

  mount.fill();
  EXPECT_TRUE(Raises(61, [&] { doc.save(mount / "config.xml"); }));
  EXPECT_EQ(ReadFile(mount / "config.xml"), big);

  ASSERT_TRUE(mount.makeReadOnly());
  EXPECT_TRUE(Raises(70, [&] { doc.save(mount / "config.xml"); }));
  EXPECT_EQ(ReadFile(mount / "config.xml"), big);
  for (const auto& entry : std::filesystem::directory_iterator(mount.path())) {
    EXPECT_EQ(entry.path().filename().string().find(".config.xml.tmp"), std::string::npos);
  }
}

// A host whose standard input is closed gets descriptor 0 for the
// temporary file. A save leaves no descriptor open.
TEST(XmlDocumentSave, SavesWithStandardInputClosedAndClosesWhatItOpened) {
  TempDir dir;
  XmlDocument doc = Loaded(dir, "<a/>");
  const int input = dup(0);
  close(0);
  EXPECT_NO_THROW(doc.save(dir / "b.xml"));
  dup2(input, 0);
  EXPECT_EQ(ReadFile(dir / "b.xml"), "<a/>\n");
  close(input);
  const int lowest = dup(0);  // the lowest descriptor free
  close(lowest);
  doc.save(dir / "b.xml");
  const int after = dup(0);
  close(after);
  EXPECT_EQ(after, lowest) << "no descriptor left open";
}

TEST(XmlDocumentSave, MissingFolderRaisesAndWritesNothing) {
  TempDir dir;
  XmlDocument doc = Loaded(dir, "<a/>");
  EXPECT_TRUE(Raises(53, [&] { doc.save(dir / "nowhere/config.xml"); }));
  EXPECT_TRUE(Raises(76, [&] { doc.save(dir / "a.xml/config.xml"); }));  // a file on the way
  EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
}

TEST(XmlNodeText, ConcatenatesDescendantsAndStoresMarkupLiterally) {
  TempDir dir;
  XmlDocument doc = Loaded(dir, "<a x=\"1\"><b>one <i>two</i> <![CDATA[<three>]]></b></a>");
  XmlNode b = doc.selectSingleNode("//b");
  EXPECT_EQ(b.text(), "one two <three>");
  b.text("x & y <z/> &amp;");
  EXPECT_EQ(b.text(), "x & y <z/> &amp;");
  EXPECT_TRUE(b.selectNodes("i").length() == 0);
  XmlNode x = doc.documentElement().attributes().getNamedItem("x");
  x.text("\"q\" & <r>");
  EXPECT_EQ(doc.documentElement().attributes().getNamedItem("x").text(), "\"q\" & <r>");
  b.text("");
  EXPECT_EQ(b.text(), "");
}

TEST(XmlCreate, NewElementAndAttributeWithoutNamespaceSurviveASave) {
  TempDir dir;
  XmlDocument doc = Loaded(dir, "<r xmlns=\"urn:x\"><p/></r>");
  // Elements are found by local name only when the document has no default
  // namespace; here we check the node lands where it was put.
  XmlNode parent = doc.documentElement();
  XmlNode value = doc.createNode(XmlDocument::NODE_ELEMENT, "Value", "");
  parent.appendChild(value);
  value.attributes().setNamedItem(doc.createNode(XmlDocument::NODE_ATTRIBUTE, "lang", ""));
  XmlNode lang = doc.createNode(XmlDocument::NODE_ATTRIBUTE, "lang", "");
  EXPECT_EQ(value.attributes().setNamedItem(lang), lang);  // in place of the one of its name
  lang.text("en");
  EXPECT_EQ(value.attributes().getNamedItem("lang").text(), "en");
  EXPECT_NE(doc.xml().find("<Value lang=\"en\"/>"), std::string::npos) << doc.xml();
  // A node already in the tree moves to where it is appended.
  parent.appendChild(parent.selectSingleNode("*[local-name()='p']"));
  EXPECT_NE(doc.xml().find("<r xmlns=\"urn:x\"><Value lang=\"en\"/><p/></r>"), std::string::npos) << doc.xml();
  EXPECT_TRUE(Raises(5, [&] { doc.createNode(XmlDocument::NODE_ELEMENT, "Value", "urn:y"); }));
}
