#include "app/LanguageReference.h"

#include <algorithm>
#include <map>

#include "intellisense/BuiltinFunctionTable.h"
#include "intellisense/BuiltinMemberTables.h"
#include "intellisense/LanguageWordList.h"
#include "platform/TextConvert.h"

namespace quillet::app {
namespace {

using intellisense::BuiltinMemberTable;

struct SObjectTable {
  std::u16string_view name;
  const BuiltinMemberTable* table;
};

const SObjectTable kObjects[] = {
    {u"Err", &intellisense::ErrMembers},         {u"Debug", &intellisense::DebugMembers},
    {u"RegExp", &intellisense::RegExpMembers},   {u"Matches", &intellisense::MatchesMembers},
    {u"Match", &intellisense::MatchMembers},     {u"SubMatches", &intellisense::SubMatchesMembers},
};

// Lower-case ASCII letters and digits as they stand, every other unit as _xxxx, so that names
// differing only in case share a page and no name can leave the folder.
std::string Slug(std::u16string_view word) {
  static const char kHex[] = "0123456789abcdef";
  std::string slug;
  for (const char16_t c : word) {
    const char16_t lower = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    if ((lower >= u'a' && lower <= u'z') || (lower >= u'0' && lower <= u'9')) {
      slug += static_cast<char>(lower);
    } else {
      slug += '_';
      for (int shift = 12; shift >= 0; shift -= 4) slug += kHex[(c >> shift) & 0xF];
    }
  }
  return slug;
}

std::string Escape(std::u16string_view text) {
  std::string out;
  for (const char c : platform::Utf16ToUtf8(text)) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Page(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title +
         "</title><link rel=\"stylesheet\" href=\"../help.css\"></head><body>\n"
         "<p class=\"nav\"><a href=\"index.html\">Index</a> | <a href=\"../index.html\">Quillet Help</a></p>\n"
         "<h1>" + title + "</h1>\n" + body + "</body></html>\n";
}

std::string FunctionFile(std::u16string_view name) { return "fn-" + Slug(name) + ".html"; }
std::string ObjectFile(std::u16string_view name) { return "obj-" + Slug(name) + ".html"; }
std::string WordAnchor(std::u16string_view word) { return "w-" + Slug(word); }

const SObjectTable* FindObject(std::u16string_view word) {
  for (const auto& object : kObjects) {
    if (Slug(object.name) == Slug(word)) return &object;
  }
  return nullptr;
}

SReferencePage FunctionPage(const intellisense::BuiltinFunctionRecord& record) {
  const std::string name = Escape(record.name);
  return {FunctionFile(record.name),
          Page(name + " Function", "<h2>Syntax</h2>\n<pre>" + Escape(record.syntax) +
                                       "</pre>\n<h2>Description</h2>\n<p>" + Escape(record.description) + "</p>\n")};
}

SReferencePage ObjectPage(const SObjectTable& object) {
  std::string body = "<table>\n<tr><th>Member</th><th>Kind</th><th>Syntax</th><th>Description</th></tr>\n";
  for (const auto& member : *object.table) {
    body += "<tr id=\"" + WordAnchor(member.name) + "\"><td>" + Escape(member.name) + "</td><td>" +
            (member.kind == intellisense::EMemberKind::Method ? "Method" : "Property") + "</td><td><code>" +
            Escape(member.syntax) + "</code></td><td>" + Escape(member.description) + "</td></tr>\n";
  }
  return {ObjectFile(object.name), Page(Escape(object.name) + " Object", body + "</table>\n")};
}

SReferencePage WordsPage() {
  std::string body = "<ul class=\"words\">\n";
  std::vector<std::string> seen;
  for (const auto word : intellisense::LanguageWordList) {
    const std::string anchor = WordAnchor(word);
    if (std::find(seen.begin(), seen.end(), anchor) != seen.end()) continue;
    seen.push_back(anchor);
    body += "<li id=\"" + anchor + "\">" + Escape(word) + "</li>\n";
  }
  return {"words.html", Page("Language Words", body + "</ul>\n")};
}

// Every keyword once, sorted without regard to case, with the page that describes it.
SReferencePage IndexPage() {
  std::map<std::string, std::pair<std::u16string, std::u16string>> entries;
  const auto add = [&](std::u16string_view word) {
    const std::string key = Slug(word);
    if (!entries.contains(key)) entries[key] = {std::u16string(word), ReferencePageForWord(word)};
  };
  for (const auto& record : intellisense::BuiltinFunctionTable) add(record.name);
  for (const auto& object : kObjects) add(object.name);
  for (const auto word : intellisense::LanguageWordList) add(word);
  std::string body = "<p><a href=\"words.html\">All language words</a></p>\n<ul class=\"index\">\n";
  for (const auto& [key, entry] : entries) {
    body += "<li><a href=\"" + Escape(entry.second) + "\">" + Escape(entry.first) + "</a></li>\n";
  }
  return {"index.html", Page("VBScript Language Reference", body + "</ul>\n")};
}

}  // namespace

std::u16string ReferencePageForWord(std::u16string_view word) {
  if (word.empty()) return {};
  if (const auto* record = intellisense::FindBuiltinFunction(word)) {
    return platform::Utf8ToUtf16(FunctionFile(record->name));
  }
  if (const auto* object = FindObject(word)) return platform::Utf8ToUtf16(ObjectFile(object->name));
  if (const auto stored = intellisense::FindLanguageWord(word)) {
    return platform::Utf8ToUtf16("words.html#" + WordAnchor(*stored));
  }
  return {};
}

std::vector<SReferencePage> BuildLanguageReference() {
  std::vector<SReferencePage> pages;
  for (const auto& record : intellisense::BuiltinFunctionTable) pages.push_back(FunctionPage(record));
  for (const auto& object : kObjects) pages.push_back(ObjectPage(object));
  pages.push_back(WordsPage());
  pages.push_back(IndexPage());
  return pages;
}

}  // namespace quillet::app
