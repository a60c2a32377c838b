#include "engine/objects/scripting/FileTypeNames.h"

#include <array>
#include <utility>

#include "platform/TextConvert.h"

namespace quillet::engine {
namespace {

// The types a fresh Windows installation registers for the files scripts meet most.
constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 37> kTypes{{
    {u"bat", u"Windows Batch File"},
    {u"bmp", u"Bitmap image"},
    {u"cab", u"Cabinet File"},
    {u"cmd", u"Windows Command Script"},
    {u"cpl", u"Control panel item"},
    {u"css", u"Cascading Style Sheet Document"},
    {u"dll", u"Application extension"},
    {u"exe", u"Application"},
    {u"gif", u"GIF image"},
    {u"hta", u"HTML Application"},
    {u"htm", u"HTML Document"},
    {u"html", u"HTML Document"},
    {u"ico", u"Icon"},
    {u"inf", u"Setup Information"},
    {u"ini", u"Configuration settings"},
    {u"jpeg", u"JPEG image"},
    {u"jpg", u"JPEG image"},
    {u"js", u"JavaScript File"},
    {u"lnk", u"Shortcut"},
    {u"log", u"Text Document"},
    {u"msi", u"Windows Installer Package"},
    {u"png", u"PNG image"},
    {u"reg", u"Registration Entries"},
    {u"rtf", u"Rich Text Format"},
    {u"sys", u"System file"},
    {u"tif", u"TIFF image"},
    {u"tiff", u"TIFF image"},
    {u"tlb", u"Type Library"},
    {u"txt", u"Text Document"},
    {u"url", u"Internet Shortcut"},
    {u"vbe", u"VBScript Encoded File"},
    {u"vbs", u"VBScript Script File"},
    {u"wav", u"Wave Sound"},
    {u"wsf", u"Windows Script File"},
    {u"wsh", u"Windows Script Host Settings File"},
    {u"xml", u"XML Document"},
    {u"zip", u"Compressed (zipped) Folder"},
}};

}  // namespace

std::u16string FileTypeName(std::u16string_view name, bool isFolder) {
  if (isFolder) return u"File folder";
  const size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos || dot + 1 == name.size()) return u"File";
  const std::u16string_view extension = name.substr(dot + 1);
  const std::u16string lower = platform::LowerAscii(extension);
  for (const auto& [known, type] : kTypes) {
    if (lower == known) return std::u16string(type);
  }
  std::u16string upper(extension);
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  return upper + u" File";
}

}  // namespace quillet::engine
