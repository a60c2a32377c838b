// Text streams over real files: both encodings both ways, the three line ends, Line and
// Column, Windows' errors, files replaced only when whole, and input that must not hurt.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "FileTestSupport.h"
#include "TempFolder.h"
#include "Unprivileged.h"
#include "engine/objects/scripting/TextFileOpener.h"
#include "engine/objects/scripting/TextFileReader.h"

namespace quillet::engine {
namespace {

using quillet::engine::test::ErrorOf;
using quillet::test::CTempFolder;
using quillet::test::ReadFile;
using quillet::test::WriteFile;

std::unique_ptr<CTextFileStream> OpenReading(const std::string& path, int32_t format = io::TristateFalse) {
  return OpenTextFile(path, io::ForReading, false, format);
}

TEST(TextFileStream, UnicodeAndAnsiRoundTrips) {
  CTempFolder folder;
  const std::u16string text = u"Gr\u00FC\u00DFe \u20AC \u4E2D";
  {
    auto stream = CreateTextFile(folder.File("u.txt"), true, true);
    stream->WriteLine(text);
    stream->Write(u"end");
    stream->Close();
  }
  const std::string bytes = ReadFile(folder.File("u.txt"));
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFEG\0", 4));
  EXPECT_EQ(bytes.size(), 2 + 2 * (text.size() + 2 + 3));
  auto reader = OpenReading(folder.File("u.txt"), io::TristateTrue);
  EXPECT_EQ(reader->ReadLine(), text) << "the byte order mark is passed over";
  EXPECT_EQ(reader->ReadAll(), u"end");

  // ANSI in the system's code page; Windows-1252 where the locale names none.
  const std::u16string ansi = u"caf\u00E9 \u20AC";
  {
    auto stream = OpenTextFile(folder.File("a.txt"), io::ForWriting, true, io::TristateUseDefault);
    stream->WriteLine(ansi);
  }
  if (platform::CAnsiCodePage::System().Number() == 1252) {
    EXPECT_EQ(ReadFile(folder.File("a.txt")), "caf\xE9 \x80\r\n");
  }
  EXPECT_EQ(OpenReading(folder.File("a.txt"))->ReadLine(), ansi);

  // A character the code page lacks is refused, as Windows refuses it, and nothing of it lands.
  auto stream = CreateTextFile(folder.File("refused.txt"), true, false);
  stream->Write(u"ok");
  EXPECT_EQ(ErrorOf([&] { stream->Write(u"x\u4E2D"); }), 5);
  stream->Close();
  EXPECT_EQ(ReadFile(folder.File("refused.txt")), "ok");
}

TEST(TextFileStream, ReadsEveryLineEndAndCountsLinesAndColumns) {
  CTempFolder folder;
  WriteFile(folder.File("ends.txt"), "one\r\ntwo\nthree\rfour\r\n\r\nlast");
  auto stream = OpenReading(folder.File("ends.txt"));
  EXPECT_EQ(stream->Line(), 1);
  EXPECT_EQ(stream->Read(2), u"on");
  EXPECT_EQ(stream->Column(), 3);
  EXPECT_FALSE(stream->AtEndOfLine());
  stream->Skip(1);
  EXPECT_TRUE(stream->AtEndOfLine());
  stream->SkipLine();
  EXPECT_EQ(stream->Line(), 2);
  EXPECT_EQ(stream->Column(), 1);
  EXPECT_EQ(stream->ReadLine(), u"two");
  EXPECT_EQ(stream->ReadLine(), u"three");
  EXPECT_EQ(stream->ReadLine(), u"four");
  EXPECT_EQ(stream->ReadLine(), u"");
  EXPECT_EQ(stream->Line(), 6);
  EXPECT_EQ(stream->ReadLine(), u"last");
  EXPECT_EQ(stream->Column(), 5);
  EXPECT_TRUE(stream->AtEndOfStream());
  EXPECT_TRUE(stream->AtEndOfLine());
  EXPECT_EQ(ErrorOf([&] { (void)stream->ReadLine(); }), 62);
  EXPECT_EQ(ErrorOf([&] { (void)stream->Read(1); }), 62);
  EXPECT_EQ(ErrorOf([&] { stream->SkipLine(); }), 62);
  EXPECT_EQ(stream->Read(0), u"");

  // Read gives line ends as they are; Line follows them, a CR LF counting once.
  auto raw = OpenReading(folder.File("ends.txt"));
  EXPECT_EQ(raw->Read(9), u"one\r\ntwo\n");
  EXPECT_EQ(raw->Line(), 3);
  EXPECT_EQ(raw->ReadAll(), u"three\rfour\r\n\r\nlast");
  EXPECT_EQ(raw->Line(), 6);
  EXPECT_EQ(raw->Column(), 5);
}

// The reader works in blocks: a CR LF, a UTF-16 unit and a double-byte character cut by a
// block's end must read as if nothing were cut.
TEST(TextFileStream, BlockBoundariesCutNothing) {
  CTempFolder folder;
  const size_t block = 1 << 16;
  std::string bytes(block - 1, 'x');
  bytes += "\r\nnext\r\n";
  WriteFile(folder.File("crlf.txt"), bytes);
  auto stream = OpenReading(folder.File("crlf.txt"));
  EXPECT_EQ(stream->ReadLine().size(), block - 1);
  EXPECT_EQ(stream->ReadLine(), u"next");
  EXPECT_TRUE(stream->AtEndOfStream());

  std::string utf16 = "\xFF\xFE";
  for (size_t i = 0; i < block / 2; ++i) utf16 += std::string("\xAC\x20", 2);  // the euro sign
  utf16 += "\x0D";  // an odd last byte is no character
  WriteFile(folder.File("odd.txt"), utf16);
  const std::u16string all = OpenReading(folder.File("odd.txt"), io::TristateTrue)->ReadAll();
  EXPECT_EQ(all, std::u16string(block / 2, u'\u20AC'));

  const auto shiftJis = platform::CAnsiCodePage::ForCodePage(932);
  if (shiftJis) {
    std::string sjis(block - 1, 'a');
    sjis += "\x82\xA0\n";  // HIRAGANA LETTER A across the block's end
    WriteFile(folder.File("sjis.txt"), sjis);
    const int fd = ::open(folder.File("sjis.txt").c_str(), O_RDONLY);
    CTextFileReader reader(fd, ETextEncoding::Ansi, *shiftJis);
    std::u16string text;
    while (reader.Fill()) {
      text += reader.Available();
      reader.Take(reader.Available().size());
    }
    ::close(fd);
    EXPECT_EQ(text, std::u16string(block - 1, u'a') + u"\u3042\n");
  }
}

TEST(TextFileStream, WrongDirectionBadArgumentsAndClosedStreams) {
  CTempFolder folder;
  WriteFile(folder.File("in.txt"), "text");
  WriteFile(folder.File("empty.txt"), "");
  auto reading = OpenReading(folder.File("in.txt"));
  EXPECT_EQ(ErrorOf([&] { reading->Write(u"x"); }), 54);
  EXPECT_EQ(ErrorOf([&] { reading->WriteLine(u"x"); }), 54);
  EXPECT_EQ(ErrorOf([&] { (void)reading->Read(-1); }), 5);
  EXPECT_EQ(ErrorOf([&] { reading->Skip(-1); }), 5);
  reading->Close();
  EXPECT_NO_THROW(reading->Close());
  EXPECT_EQ(ErrorOf([&] { (void)reading->ReadLine(); }), 5);

  auto writing = CreateTextFile(folder.File("out.txt"), true, false);
  EXPECT_EQ(ErrorOf([&] { (void)writing->ReadLine(); }), 54);
  EXPECT_EQ(ErrorOf([&] { (void)writing->AtEndOfStream(); }), 54);
  EXPECT_EQ(ErrorOf([&] { writing->WriteBlankLines(-1); }), 5);
  writing->WriteBlankLines(2);
  writing->Write(u"ab");
  EXPECT_EQ(writing->Line(), 3);
  EXPECT_EQ(writing->Column(), 3);
  writing->Close();
  EXPECT_EQ(ErrorOf([&] { writing->Write(u"x"); }), 5);
  EXPECT_EQ(ReadFile(folder.File("out.txt")), "\r\n\r\nab");

  EXPECT_EQ(ErrorOf([&] { (void)OpenReading(folder.File("empty.txt"))->ReadAll(); }), 62);
  EXPECT_TRUE(OpenReading(folder.File("empty.txt"))->AtEndOfStream());
}

TEST(TextFileStream, OpeningFollowsWindowsRules) {
  CTempFolder folder;
  const std::string missing = folder.File("missing.txt");
  EXPECT_EQ(ErrorOf([&] { (void)OpenReading(missing); }), 53);
  EXPECT_EQ(ErrorOf([&] { (void)OpenTextFile(missing, io::ForAppending, false, 0); }), 53);
  EXPECT_EQ(ErrorOf([&] { (void)OpenTextFile(missing, io::ForWriting, false, 0); }), 53);
  EXPECT_EQ(ErrorOf([&] { (void)OpenReading(folder.File("no/such/x.txt")); }), 76);
  EXPECT_EQ(ErrorOf([&] { (void)CreateTextFile(folder.File("no/x.txt"), true, false); }), 76);
  EXPECT_EQ(ErrorOf([&] { (void)OpenReading(folder.Path()); }), 70) << "a folder where a file is expected";
  EXPECT_EQ(ErrorOf([&] { (void)OpenTextFile(folder.Path(), io::ForWriting, true, 0); }), 70);
  EXPECT_EQ(ErrorOf([&] { (void)OpenTextFile(missing, 3, true, 0); }), 5);
  EXPECT_EQ(ErrorOf([&] { (void)OpenTextFile(missing, io::ForReading, true, 1); }), 5);
  EXPECT_FALSE(std::filesystem::exists(missing)) << "a bad argument creates nothing";

  EXPECT_TRUE(OpenTextFile(missing, io::ForReading, true, 0)->AtEndOfStream());
  EXPECT_TRUE(std::filesystem::exists(missing)) << "create makes the file even for reading";
  EXPECT_EQ(ErrorOf([&] { (void)CreateTextFile(missing, false, false); }), 58);

  // Appending in Unicode marks only a new file.
  { OpenTextFile(folder.File("app.txt"), io::ForAppending, true, io::TristateTrue)->Write(u"a"); }
  { OpenTextFile(folder.File("app.txt"), io::ForAppending, false, io::TristateTrue)->Write(u"b"); }
  EXPECT_EQ(ReadFile(folder.File("app.txt")), std::string("\xFF\xFE" "a\0b\0", 6));

  // A 10,000-character path is a clean error.
  const std::string longPath = folder.File(std::string(10000, 'n'));
  EXPECT_EQ(ErrorOf([&] { (void)CreateTextFile(longPath, true, false); }), 76);
  EXPECT_EQ(ErrorOf([&] { (void)OpenReading(longPath); }), 76);

  // A named pipe nobody writes reads as empty instead of hanging the script.
  const std::string pipe = folder.File("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_TRUE(OpenReading(pipe)->AtEndOfStream());
}

// Writing over a file goes to a temporary file that replaces it only when the stream closes:
// until then, and after a failed write, the old contents are there.
TEST(TextFileStream, ReplacesFilesOnlyWhenWhole) {
  CTempFolder folder;
  const std::string path = folder.File("keep.txt");
  WriteFile(path, "old contents");
  ::chmod(path.c_str(), 0640);
  auto stream = OpenTextFile(path, io::ForWriting, false, 0);
  stream->WriteLine(u"new");
  EXPECT_EQ(ReadFile(path), "old contents");
  stream->Close();
  EXPECT_EQ(ReadFile(path), "new\r\n");
  struct stat info{};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u) << "the replaced file keeps its permissions";
  { CreateTextFile(path, true, false)->Write(u"dropped without Close"); }
  EXPECT_EQ(ReadFile(path), "dropped without Close");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "no temporary file left";

  // Read-only files and folders refuse writing, for the superuser too.
  WriteFile(folder.File("ro.txt"), "ro");
  ::chmod(folder.File("ro.txt").c_str(), 0444);
  EXPECT_EQ(ErrorOf([&] { (void)OpenTextFile(folder.File("ro.txt"), io::ForWriting, false, 0); }), 70);
  EXPECT_EQ(ErrorOf([&] { (void)CreateTextFile(folder.File("ro.txt"), true, false); }), 70);
  std::filesystem::create_directory(folder.File("locked"));
  ::chmod(folder.File("locked").c_str(), 0555);
  const int status = quillet::test::RunUnprivileged([&] {
    return ErrorOf([&] { (void)CreateTextFile(folder.File("locked/x.txt"), true, false); }) == 70 ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
}

// A very long line fails cleanly instead of exhausting memory; skipping it costs nothing.
TEST(TextFileStream, LongLinesAndVanishingFilesAreHandled) {
  CTempFolder folder;
  const std::string path = folder.File("long.txt");
  WriteFile(path, std::string(300000, 'L') + "\nshort\n");
  auto stream = OpenReading(path);
  stream->SetLengthLimit(100000);
  EXPECT_EQ(ErrorOf([&] { (void)stream->ReadLine(); }), 7);
  auto skipping = OpenReading(path);
  skipping->SetLengthLimit(100000);
  skipping->SkipLine();
  EXPECT_EQ(skipping->ReadLine(), u"short");
  auto all = OpenReading(path);
  all->SetLengthLimit(100000);
  EXPECT_EQ(ErrorOf([&] { (void)all->ReadAll(); }), 7);

  // A file removed while it is read is read to its end.
  std::string many;
  for (int i = 0; i < 50000; ++i) many += "line " + std::to_string(i) + "\n";
  WriteFile(folder.File("gone.txt"), many);
  auto reading = OpenReading(folder.File("gone.txt"));
  EXPECT_EQ(reading->ReadLine(), u"line 0");
  std::filesystem::remove(folder.File("gone.txt"));
  int lines = 1;
  while (!reading->AtEndOfStream()) {
    (void)reading->ReadLine();
    ++lines;
  }
  EXPECT_EQ(lines, 50000);
}

}  // namespace
}  // namespace quillet::engine
