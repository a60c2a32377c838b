#pragma once
// Documents read and written in a temporary folder, in code page 1252 whatever the locale.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "document/QuilletDoc.h"
#include "platform/AnsiCodePage.h"

namespace quillet::test {

class CDocumentTest : public ::testing::Test {
 protected:
  CDocumentTest() : m_codePage(platform::CAnsiCodePage::ForCodePage(1252)) {
    doc.SetCodePage(m_codePage.get());
  }

  [[nodiscard]] std::string Path(const std::string& name) const { return folder.File(name); }

  // Loads bytes from a file and saves them back with the loaded style.
  std::string RoundTrip(const std::string& bytes) {
    const std::string in = Path("in.vbs");
    const std::string out = Path("out.vbs");
    WriteFile(in, bytes);
    EXPECT_TRUE(doc.LoadFromFile(in, document::EolDetect));
    EXPECT_TRUE(doc.SaveToFile(out, -1, true));
    return ReadFile(out);
  }

  [[nodiscard]] size_t LeftoverTempFiles(const std::string& dir) const {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.path().filename().string().starts_with("CRE")) ++count;
    }
    return count;
  }

  CTempFolder folder;
  document::CQuilletDoc doc;

 private:
  std::unique_ptr<platform::CAnsiCodePage> m_codePage;
};

}  // namespace quillet::test
