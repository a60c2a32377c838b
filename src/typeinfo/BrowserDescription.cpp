#include "typeinfo/BrowserDescription.h"

#include "typeinfo/TypeLib.h"

namespace quillet::typeinfo {
namespace {

SBrowserDescription Named(std::u16string_view word, const std::u16string& name) {
  SBrowserDescription description;
  description.text = std::u16string(word) + name;
  description.boldStart = static_cast<std::int32_t>(word.size());
  description.boldEnd = static_cast<std::int32_t>(word.size() + name.size());
  return description;
}

}  // namespace

SBrowserDescription DescribeBrowserItem(int image, const CTypeLib* library, const CTypeLibGroup* group,
                                        const CTypeLibMember* member) {
  switch (image) {
    case 0: {
      if (library == nullptr) return {};
      SBrowserDescription description = Named(u"Library ", library->name);
      description.text += u"\r\n" + library->path + u"\r\n\r\n" + library->description;
      return description;
    }
    case 1: {
      if (group == nullptr) return {};
      SBrowserDescription description = Named(u"Class ", group->name);
      if (!group->text.empty()) description.text += u"\r\n\r\n" + group->text;
      return description;
    }
    case 2: {
      if (group == nullptr) return {};
      SBrowserDescription description = Named(u"Enum ", group->name);
      description.text += u"\r\n\r\n" + group->text;
      return description;
    }
    case 3:
      return group == nullptr ? SBrowserDescription{} : Named(u"Interface ", group->name);
    case 4: case 5: case 6: case 7: {
      if (member == nullptr) return {};
      SBrowserDescription description{member->description};
      const auto length = static_cast<std::int32_t>(member->description.size());
      if (member->nameStart >= 0 && member->nameEnd > member->nameStart && member->nameEnd <= length) {
        description.boldStart = member->nameStart;
        description.boldEnd = member->nameEnd;
      }
      return description;
    }
    case 8: {
      if (library == nullptr) return {};
      SBrowserDescription description = Named(u"Script ", library->name);
      description.text += u"\r\n\r\n" + library->description;
      return description;
    }
    default:
      return {};
  }
}

}  // namespace quillet::typeinfo
