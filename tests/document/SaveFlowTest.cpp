#include <deque>

#include "DocumentFixture.h"
#include "document/DocumentSaveFlow.h"

using namespace quillet::document;
using quillet::test::CDocumentTest;
using quillet::test::ReadFile;
using quillet::test::WriteFile;

namespace {

class CScriptedPrompts : public IDocumentPrompts {
 public:
  std::optional<SSaveAsAnswer> AskSavePath(const SSaveAsRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool ConfirmUnicodeLoss(const std::u16string& message) override {
    warnings.push_back(message);
    return confirm;
  }
  void ReportSaveFailure(const std::string& path, int error) override {
    failures.emplace_back(path, error);
  }

  std::deque<SSaveAsAnswer> answers;
  std::vector<SSaveAsRequest> requests;
  std::vector<std::u16string> warnings;
  std::vector<std::pair<std::string, int>> failures;
  bool confirm = false;
};

}  // namespace

class SaveFlow : public CDocumentTest {
 protected:
  void Type(std::u16string_view text) {
    int32_t endLine = 0, endChar = 0;
    doc.InsertText(nullptr, 0, 0, text, endLine, endChar, ActionTyping);
  }
  CScriptedPrompts prompts;
  CDocumentSaveFlow flow{doc, prompts};
};

TEST_F(SaveFlow, UntitledAsksWithProposedNameAndAnsiFilter) {
  doc.OnNewDocument();
  Type(u"MsgBox 1");
  prompts.answers.push_back({Path("new.vbs"), kAnsiFilter});
  ASSERT_TRUE(flow.Save());
  ASSERT_EQ(prompts.requests.size(), 1u);
  EXPECT_EQ(prompts.requests[0].proposedPath, "Untitled.vbs");
  EXPECT_EQ(prompts.requests[0].title, u"Save As");
  EXPECT_EQ(prompts.requests[0].filterIndex, kAnsiFilter);
  EXPECT_EQ(doc.GetPathName(), Path("new.vbs"));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(ReadFile(Path("new.vbs")), "MsgBox 1");

  Type(u"'");
  ASSERT_TRUE(flow.Save());
  EXPECT_EQ(prompts.requests.size(), 1u) << "a titled document saves without asking";
}

TEST_F(SaveFlow, UnicodeLossWarningAndItsCancel) {
  WriteFile(Path("s.vbs"), "original");
  ASSERT_TRUE(doc.OnOpenDocument(Path("s.vbs")));
  Type(u"\u4E2D");
  EXPECT_FALSE(flow.Save());
  ASSERT_EQ(prompts.warnings.size(), 1u);
  EXPECT_EQ(prompts.warnings[0], CDocumentSaveFlow::UnicodeLossMessage(Path("s.vbs")));
  EXPECT_TRUE(prompts.warnings[0].ends_with(u"Save As dialog box. Continue ?"));
  EXPECT_EQ(ReadFile(Path("s.vbs")), "original") << "Cancel writes nothing";
  EXPECT_TRUE(doc.IsModified());

  prompts.confirm = true;
  ASSERT_TRUE(flow.Save());
  EXPECT_EQ(ReadFile(Path("s.vbs")), "?original");
}

TEST_F(SaveFlow, SaveAsUnicodePreselectedAndChosen) {
  doc.OnNewDocument();
  Type(u"x = \"\u4E2D\"");
  prompts.answers.push_back({Path("wide.vbs"), kUnicodeFilter});
  ASSERT_TRUE(flow.SaveAs());
  EXPECT_EQ(prompts.requests[0].filterIndex, kUnicodeFilter);
  EXPECT_TRUE(prompts.warnings.empty());
  EXPECT_TRUE(doc.IsUnicode());
  EXPECT_EQ(ReadFile(Path("wide.vbs")).substr(0, 4), std::string("\xFF\xFE" "x\0", 4));

  prompts.answers.push_back({Path("plain.vbs"), 3});  // "All Files" saves as ANSI
  prompts.confirm = true;
  ASSERT_TRUE(flow.SaveAs());
  EXPECT_FALSE(doc.IsUnicode());
  EXPECT_EQ(ReadFile(Path("plain.vbs")), "x = \"?\"");

  EXPECT_FALSE(flow.SaveAs()) << "cancelled dialog";
  EXPECT_EQ(doc.GetPathName(), Path("plain.vbs"));
}

TEST_F(SaveFlow, SaveWritesCrLfAndReportsFailure) {
  WriteFile(Path("lf.vbs"), "a\nb");
  ASSERT_TRUE(doc.OnOpenDocument(Path("lf.vbs")));
  Type(u"'");
  ASSERT_TRUE(flow.Save());
  EXPECT_EQ(ReadFile(Path("lf.vbs")), "'a\r\nb");

  const std::string missingFolder = Path("no/such/folder/x.vbs");
  EXPECT_FALSE(flow.DoSave(&missingFolder, true));
  ASSERT_EQ(prompts.failures.size(), 1u);
  EXPECT_EQ(prompts.failures[0].second, ENOENT);
  EXPECT_EQ(doc.GetPathName(), Path("lf.vbs"));
}
