// The protocol's reader over byte streams as a client or an attacker sends them.

#include <gtest/gtest.h>

#include <string>

#include "engine/debug/DapMessageReader.h"
#include "engine/debug/DapMessageWriter.h"

namespace quillet::dap {
namespace {

using EResult = CDapMessageReader::EResult;

std::string Framed(const std::string& body) { return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body; }

TEST(DapMessageReader, ReadsMessagesInAnyPiecesAndWhatTheWriterFrames) {
  const std::string first = CDapMessageWriter::Frame(nlohmann::json{{"type", "request"}, {"command", "a"}});
  const std::string stream = first + "Content-Type: application/json\r\ncontent-length:  " +
                             std::to_string(std::string(R"({"type":"event","text":"é"})").size()) +
                             "\r\n\r\n" + R"({"type":"event","text":"é"})";
  CDapMessageReader reader;
  nlohmann::json message;
  std::string error;
  std::vector<nlohmann::json> read;
  for (char c : stream) {  // one byte at a time
    reader.Append(std::string_view(&c, 1));
    EResult result = EResult::Message;
    while ((result = reader.Next(message, error)) == EResult::Message) read.push_back(message);
    ASSERT_EQ(result, EResult::NeedMore) << error;
  }
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0]["command"], "a");
  EXPECT_EQ(read[1]["text"], "é");
}

TEST(DapMessageReader, SkipsABadBodyButStopsAtABrokenFrame) {
  CDapMessageReader reader;
  nlohmann::json message;
  std::string error;
  reader.Append(Framed("{not json") + Framed("[1]") + Framed(std::string(300, '[') + std::string(300, ']')) +
                Framed(R"({"type":"request"})"));
  EXPECT_EQ(reader.Next(message, error), EResult::Malformed);
  EXPECT_NE(error.find("not JSON"), std::string::npos);
  EXPECT_EQ(reader.Next(message, error), EResult::Malformed);
  EXPECT_EQ(reader.Next(message, error), EResult::Malformed);
  EXPECT_NE(error.find("nests"), std::string::npos);
  EXPECT_EQ(reader.Next(message, error), EResult::Message);

  const std::pair<std::string, std::string> broken[] = {
      {"Content-Length: 99999999999\r\n\r\n", "not a length"},
      {"Content-Length: 20000000\r\n\r\n", "larger than"},
      {"Content-Type: x\r\n\r\n{}", "no Content-Length"},
      {"Content-Length: 1x\r\n\r\n", "not a number"},
      {"garbage without colon\r\n\r\n", "no colon"},
      {std::string(10000, 'A'), "longer than"},
  };
  for (const auto& [input, reason] : broken) {
    CDapMessageReader bad;
    bad.Append(input);
    EXPECT_EQ(bad.Next(message, error), EResult::Broken) << input.substr(0, 40);
    EXPECT_NE(error.find(reason), std::string::npos) << error;
    // Nothing more is read once the frame is lost, whatever follows.
    bad.Append(Framed(R"({"type":"request"})"));
    EXPECT_EQ(bad.Next(message, error), EResult::Broken);
  }
}

}  // namespace
}  // namespace quillet::dap
