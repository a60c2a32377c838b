#include <sys/stat.h>
#include <unistd.h>

#include "DocumentFixture.h"
#include "RecordingView.h"
#include "document/DocumentLoader.h"

using namespace quillet::document;
using quillet::test::CDocumentTest;
using quillet::test::CRecordingView;
using quillet::test::ReadFile;
using quillet::test::WriteFile;

namespace {

std::string Utf16(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

constexpr char16_t kLoneSurrogatesAndNulText[] = u"lone \xD800 high\r\nlone \xDC00 low\r\nnul \0 unit";
constexpr std::u16string_view kLoneSurrogatesAndNul(kLoneSurrogatesAndNulText,
                                                    std::size(kLoneSurrogatesAndNulText) - 1);

}  // namespace

class LoadSave : public CDocumentTest {};

TEST_F(LoadSave, EveryEncodingAndLineEndRoundTripsByteForByte) {
  std::string everyByte;
  for (int b = 0; b < 256; ++b) {
    if (b != '\r' && b != '\n') everyByte.push_back(static_cast<char>(b));
  }
  const std::string cases[] = {
      "Dim a\r\nMsgBox a\r\n",
      "Dim a\nMsgBox a\n",
      "Dim a\n\rMsgBox a",
      "one\r\nlone\rCR\r\n" + everyByte + "\r\nend",
      std::string("nul\0inside\nline", 16),
      "",
      "\r\n",
      "\xEF\xBB\xBFutf-8 mark read as text",
      Utf16(u"Dim s\r\ns = \"\u4E2D\"\r\n"),
      Utf16(kLoneSurrogatesAndNul),
      Utf16(u"lone CR \r LF \n inside"),
  };
  for (const std::string& bytes : cases) {
    EXPECT_EQ(RoundTrip(bytes), bytes) << "input of " << bytes.size() << " bytes";
  }
}

TEST_F(LoadSave, SeparatorsAcrossBlockBoundariesAndLongLines) {
  // CR as the last byte of the first block, LF as the first of the next; then a line longer
  // than a block, and the same for UTF-16 units.
  std::string ansi(0x8000 - 1, 'a');
  ansi += "\r\n" + std::string(100000, 'b') + "\r\nc";
  EXPECT_EQ(RoundTrip(ansi), ansi);
  EXPECT_EQ(doc.GetLineCount(), 3);
  EXPECT_EQ(doc.GetLineLength(1), 100000);

  std::u16string wide(0x4000 - 2, u'w');  // CR ends the first block after the 2-byte mark
  wide += u"\r\n" + std::u16string(40000, u'x') + u"\r\n";
  EXPECT_EQ(RoundTrip(Utf16(wide)), Utf16(wide));
  EXPECT_EQ(doc.GetLineCount(), 3);
  EXPECT_EQ(doc.GetLine(2), u"");
}

TEST_F(LoadSave, DetectsStyleAndSplitsOnlyOnTheFilesSeparator) {
  WriteFile(Path("lf.vbs"), "a\nb\r\nc");
  ASSERT_TRUE(doc.LoadFromFile(Path("lf.vbs"), EolDetect));
  EXPECT_EQ(doc.GetLineEndStyle(), EolLf);
  ASSERT_EQ(doc.GetLineCount(), 3);
  EXPECT_EQ(doc.GetLine(1), u"b\r") << "a CR that is not the separator stays in the line";

  WriteFile(Path("lfcr.vbs"), "a\n\rb");
  ASSERT_TRUE(doc.LoadFromFile(Path("lfcr.vbs"), EolDetect));
  EXPECT_EQ(doc.GetLineEndStyle(), EolLfCr);
  EXPECT_EQ(doc.GetLineCount(), 2);

  // The byte that breaks a partial match is not tried again: CR CR LF is no separator.
  WriteFile(Path("crcrlf.vbs"), "x\r\r\ny");
  ASSERT_TRUE(doc.LoadFromFile(Path("crcrlf.vbs"), EolDetect));
  EXPECT_EQ(doc.GetLineCount(), 1);

  WriteFile(Path("mark.vbs"), "\xFF\xFE");
  ASSERT_TRUE(doc.LoadFromFile(Path("mark.vbs"), EolDetect));
  EXPECT_TRUE(doc.IsUnicode());
  EXPECT_EQ(doc.GetLineCount(), 1);
  EXPECT_EQ(doc.GetLineLength(0), 0);

  WriteFile(Path("odd.vbs"), std::string("\xFF\xFE" "a\0b", 5));
  ASSERT_TRUE(doc.LoadFromFile(Path("odd.vbs"), EolDetect));
  EXPECT_EQ(doc.GetLine(0), u"a") << "a final odd byte is no unit";
}

TEST_F(LoadSave, LoadResetsStateAndNotifiesViews) {
  CRecordingView view;
  doc.AddView(&view);
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 0, 0, u"typed", endLine, endChar, ActionTyping);
  WriteFile(Path("a.vbs"), "x\r\ny");
  ASSERT_TRUE(doc.LoadFromFile(Path("a.vbs"), EolDetect));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(view.notices.back().flags, UpdateAll);
  EXPECT_EQ(view.notices.back().line, -1);
  EXPECT_FALSE(doc.LoadFromFile(Path("missing.vbs"), EolDetect));
  EXPECT_EQ(doc.LastFileError(), ENOENT);
  EXPECT_FALSE(doc.OnOpenDocument(folder.Path())) << "a folder is no script";
}

// Opening a file gives up the script on screen only once the file has been opened and its
// first block read: a missing file, or a folder (which opens but cannot be read), costs nothing.
TEST_F(LoadSave, AFileThatCannotBeReadLeavesTheScriptAsItWas) {
  WriteFile(Path("kept.vbs"), "Dim a\r\nMsgBox a");
  ASSERT_TRUE(doc.OnOpenDocument(Path("kept.vbs")));
  doc.Breakpoints()[1] = 1;
  doc.SetUnicode(true);
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 0, 0, u"' edited\r\n", endLine, endChar, ActionTyping);
  CRecordingView view;
  doc.AddView(&view);
  bool replacing = false;
  for (const std::string& path : {Path("gone.vbs"), folder.Path()}) {
    EXPECT_FALSE(doc.OnOpenDocument(path, [&replacing] { replacing = true; })) << path;
    EXPECT_FALSE(doc.LoadFromFile(path, EolDetect)) << path;
  }
  EXPECT_EQ(doc.LastFileError(), EISDIR);
  EXPECT_FALSE(replacing);
  EXPECT_TRUE(view.notices.empty());
  ASSERT_EQ(doc.GetLineCount(), 3);
  EXPECT_EQ(doc.GetLine(0), u"' edited");
  EXPECT_EQ(doc.GetLine(2), u"MsgBox a");
  EXPECT_EQ(doc.GetPathName(), Path("kept.vbs"));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.IsUnicode());
  EXPECT_EQ(doc.Breakpoints().size(), 1u);
  CTextPosition caret;
  ASSERT_TRUE(doc.Undo(caret));
  EXPECT_EQ(doc.GetLine(0), u"Dim a");
  EXPECT_FALSE(doc.IsModified());

  // A file that opens is announced before the script goes.
  ASSERT_TRUE(doc.OnOpenDocument(Path("kept.vbs"), [&] {
    replacing = true;
    EXPECT_EQ(doc.GetLine(0), u"Dim a") << "still the old script";
  }));
  EXPECT_TRUE(replacing);
  EXPECT_FALSE(doc.IsUnicode());
  EXPECT_TRUE(doc.Breakpoints().empty());
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(LoadSave, SaveMarksTheSavedPointInUndoHistory) {
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 0, 0, u"a", endLine, endChar, ActionTyping);
  ASSERT_TRUE(doc.SaveToFile(Path("s.vbs"), EolCrLf, true));
  EXPECT_FALSE(doc.IsModified());
  CTextPosition caret;
  doc.Undo(caret);
  EXPECT_TRUE(doc.IsModified());
  doc.Redo(caret);
  EXPECT_FALSE(doc.IsModified());
  doc.Undo(caret);
  doc.InsertText(nullptr, 0, 0, u"b", endLine, endChar, ActionTyping);
  doc.Undo(caret);
  EXPECT_TRUE(doc.IsModified()) << "the saved text is out of reach once its redo step is gone";

  doc.SaveToFile(Path("copy.vbs"), EolCrLf, false);
  EXPECT_TRUE(doc.IsModified()) << "a copy for running leaves the modified state alone";
}

TEST_F(LoadSave, SaveKeepsPermissionsAndWritesThroughSymlinks) {
  const std::string target = Path("real.vbs");
  WriteFile(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0751), 0);
  ASSERT_EQ(::symlink("real.vbs", Path("link.vbs").c_str()), 0);
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 0, 0, u"new", endLine, endChar, ActionTyping);
  ASSERT_TRUE(doc.SaveToFile(Path("link.vbs"), EolCrLf, true));
  struct stat info{};
  ASSERT_EQ(::lstat(Path("link.vbs").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode)) << "the link stays a link";
  EXPECT_EQ(ReadFile(target), "new");
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0751u);
  EXPECT_EQ(LeftoverTempFiles(folder.Path()), 0u);
}

TEST_F(LoadSave, NonAnsiCharactersAreFoundPerCodePage) {
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 0, 0, u"caf\u00E9 \u20AC\r\n", endLine, endChar, ActionTyping);
  EXPECT_FALSE(doc.HasNonAnsiChars()) << "é and € are in 1252";
  doc.InsertText(nullptr, 1, 0, u"\u4E2D", endLine, endChar, ActionTyping);
  EXPECT_TRUE(doc.HasNonAnsiChars());
}

TEST_F(LoadSave, PathIsShownAsSpelledOnDisk) {
  WriteFile(Path("Script.vbs"), "x");
  std::filesystem::create_directory(Path("sub"));
  ASSERT_TRUE(doc.OnOpenDocument(folder.Path() + "/./sub/../Script.vbs"));
  EXPECT_EQ(doc.GetPathName(), Path("Script.vbs"));
  EXPECT_EQ(doc.GetTitle(), "Script.vbs");
  doc.OnNewDocument();
  EXPECT_EQ(doc.GetTitle(), "Untitled");
}

// The system resolves a link before the ".." after it, so "p/link/.." is the folder that holds
// the link's target, not "p"; the path kept for saving must name the file that was read.
TEST_F(LoadSave, SaveWritesTheFileThatWasReadThroughALinkAndDotDot) {
  std::filesystem::create_directories(Path("p"));
  std::filesystem::create_directories(Path("q/d"));
  ASSERT_EQ(::symlink(Path("q/d").c_str(), Path("p/link").c_str()), 0);
  WriteFile(Path("q/x.vbs"), "from q");
  WriteFile(Path("p/x.vbs"), "from p");
  ASSERT_TRUE(doc.OnOpenDocument(Path("p/link/../x.vbs")));
  EXPECT_EQ(doc.GetLine(0), u"from q");
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 0, 0, u"saved ", endLine, endChar, ActionTyping);
  ASSERT_TRUE(doc.SaveToFile(doc.GetPathName(), EolCrLf, true));
  EXPECT_EQ(ReadFile(Path("q/x.vbs")), "saved from q");
  EXPECT_EQ(ReadFile(Path("p/x.vbs")), "from p");
}

// Lines and line counts are 32-bit: a file beyond what the document can hold must fail to load
// with an error, never be cut to size. The limits are lowered here so the files stay small; the
// cases put a line's end at a block's end, where only part of its separator has been seen.
TEST_F(LoadSave, TextBeyondTheDocumentsLimitsFailsToLoad) {
  const auto load = [&](const std::string& bytes, SLoadLimits limits) {
    WriteFile(Path("big.vbs"), bytes);
    doc.FreeAll();
    CDocumentLoader loader(doc, limits);
    const bool loaded = loader.Load(Path("big.vbs"), EolDetect);
    EXPECT_EQ(loader.Error(), loaded ? 0 : EFBIG);
    return loaded;
  };
  const SLoadLimits lines40000{40000, 100};
  const std::string full(40000, 'x');
  EXPECT_TRUE(load("a\r\n" + full + "\r\nb", lines40000));
  EXPECT_EQ(doc.GetLineLength(1), 40000);
  EXPECT_FALSE(load("a\r\n" + full + "x\r\nb", lines40000));
  EXPECT_FALSE(load(full + "x", lines40000));
  // The CR of the line's CR LF is the last byte of the second block.
  EXPECT_TRUE(load(std::string(25533, 'p') + "\r\n" + full + "\r\nb", lines40000));
  EXPECT_EQ(doc.GetLineLength(1), 40000);

  EXPECT_TRUE(load(Utf16(u"a\r\n" + std::u16string(40000, u'x') + u"\r\nb"), lines40000));
  EXPECT_EQ(doc.GetLineLength(1), 40000);
  EXPECT_FALSE(load(Utf16(u"a\r\n" + std::u16string(40001, u'x') + u"\r\nb"), lines40000));
  EXPECT_FALSE(load(Utf16(std::u16string(40001, u'x')), lines40000));
  // The CR is the last unit of the third block (the byte-order mark is the first unit).
  EXPECT_TRUE(load(Utf16(std::u16string(9148, u'p') + u"\r\n" + std::u16string(40000, u'x') +
                         u"\r\nb"), lines40000));
  EXPECT_EQ(doc.GetLineLength(1), 40000);

  const SLoadLimits short3{10, 3};
  EXPECT_TRUE(load("0123456789\n\n0123456789", short3));
  EXPECT_FALSE(load("0123456789\n\n01234567890", short3));
  EXPECT_FALSE(load("a\nb\nc\n", short3)) << "a fourth, empty line";
  EXPECT_FALSE(load(Utf16(u"a\r\nb\r\nc\r\nd"), short3));
}
