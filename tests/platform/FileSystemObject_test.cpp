#include "platform/FileSystemObject.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/Raises.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;
namespace fs = std::filesystem;

TEST(FileSystemObject, SubFoldersAreSortedByteWiseAndSkipBrokenLinks) {
  TempDir dir;
  for (const char* name : {"b", "B", "a", "ä", "_x"}) fs::create_directory(dir / name);
  WriteFile(dir / "file", "");
  fs::create_symlink(dir / "loop", dir / "loop");
  fs::create_directory_symlink(dir / "a", dir / "link-to-a");
  std::vector<std::string> names;
  for (const Folder& folder : FileSystemObject().GetFolder(dir.path()).SubFolders()) names.push_back(folder.Name());
  EXPECT_EQ(names, (std::vector<std::string>{"B", "_x", "a", "b", "link-to-a", "ä"}));
  EXPECT_TRUE(Raises(76, [&] { FileSystemObject().GetFolder(dir / "missing"); }));
}

TEST(FileSystemObject, TextFilesAreReadAndWrittenAsBytes) {
  TempDir dir;
  const std::string bytes = std::string("a\r\nb\n\xE4\xFC\0z", 9);
  const FileSystemObject fso;
  auto out = fso.OpenTextFile(dir / "t.txt", FileSystemObject::ForWriting, true);
  out->Write(bytes);
  out->Close();
  auto in = fso.OpenTextFile(dir / "t.txt", FileSystemObject::ForReading, false);
  EXPECT_EQ(in->ReadAll(), bytes);
  in->Close();
  EXPECT_TRUE(Raises(53, [&] { fso.OpenTextFile(dir / "none", FileSystemObject::ForReading, false); }));
  EXPECT_TRUE(Raises(75, [&] { fso.OpenTextFile(dir.path(), FileSystemObject::ForReading, false); }));
  // A read that fails (this process's memory at address 0) is an error too.
  EXPECT_TRUE(Raises(75, [&] { fso.OpenTextFile("/proc/self/mem", FileSystemObject::ForReading, false)->ReadAll(); }));
  fso.CopyFile(dir / "t.txt", dir / "copy.txt", true);
  EXPECT_EQ(ReadFile(dir / "copy.txt"), bytes);
  WriteFile(dir / "t.txt", "new");
  fso.CopyFile(dir / "t.txt", dir / "copy.txt", true);
  EXPECT_EQ(ReadFile(dir / "copy.txt"), "new");
  EXPECT_TRUE(Raises(53, [&] { fso.CopyFile(dir / "none", dir / "x", true); }));
  fso.CreateFolder(dir / "made");
  EXPECT_TRUE(fs::is_directory(dir / "made"));
  EXPECT_TRUE(Raises(58, [&] { fso.CreateFolder(dir / "made"); }));
  EXPECT_TRUE(Raises(76, [&] { fso.CreateFolder(dir / "none/made"); }));
}
