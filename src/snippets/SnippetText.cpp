#include "snippets/SnippetText.h"

namespace quillet::snippets {
namespace {

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  std::u16string result;
  result.reserve(text.size());
  size_t start = 0;
  for (size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, start)) {
    result.append(text, start, at - start);
    result += to;
    start = at + from.size();
  }
  result.append(text, start);
  text = std::move(result);
}

}  // namespace

std::u16string_view LeadingBlanks(std::u16string_view line) {
  size_t end = 0;
  while (end < line.size() && (line[end] == u' ' || line[end] == u'\t')) ++end;
  return line.substr(0, end);
}

std::u16string IndentSnippetCode(std::u16string_view code, std::u16string_view indent) {
  std::u16string result(code);
  if (!indent.empty()) ReplaceAll(result, u"\r\n", std::u16string(u"\r\n") += indent);
  return result;
}

std::u16string SampleMenuText(std::u16string_view name) {
  std::u16string text(name);
  if (text.find(u'#') == std::u16string::npos) return text;
  ReplaceAll(text, u"&#8220;", u"\"");
  ReplaceAll(text, u"&#8221;", u"\"");
  ReplaceAll(text, u"&#8217;", u"'");
  return text;
}

std::u16string SampleScriptText(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) result += u'\r';
    result += text[i];
  }
  return result;
}

}  // namespace quillet::snippets
