#include "platform/WmiCatalog.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <utility>

#include "platform/FileBytes.h"
#include "platform/MofReader.h"
#include "platform/TextConvert.h"

namespace quillet::platform {

namespace {

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
           return fold(x) == fold(y);
         });
}

// A member the class declares again replaces the inherited one in its place.
template <typename Member>
void Inherit(std::vector<Member>& own, const std::vector<Member>& inherited) {
  std::vector<Member> merged = inherited;
  for (Member& member : own) {
    auto same = std::find_if(merged.begin(), merged.end(), [&](const Member& m) { return SameName(m.name, member.name); });
    if (same != merged.end()) {
      *same = std::move(member);
    } else {
      merged.push_back(std::move(member));
    }
  }
  own = std::move(merged);
}

const SWmiClass* FindIn(const std::vector<std::unique_ptr<SWmiClass>>& classes, std::u16string_view nameSpace,
                        std::u16string_view name) {
  for (const auto& cls : classes) {
    if (SameName(cls->name, name) && SameName(cls->nameSpace, nameSpace)) return cls.get();
  }
  return nullptr;
}

struct SCimTypeKeyword {
  ECimType type;
  std::u16string_view keyword;
};

constexpr std::array kCimTypeKeywords{
    SCimTypeKeyword{ECimType::Sint8, u"sint8"},       SCimTypeKeyword{ECimType::Uint8, u"uint8"},
    SCimTypeKeyword{ECimType::Sint16, u"sint16"},     SCimTypeKeyword{ECimType::Uint16, u"uint16"},
    SCimTypeKeyword{ECimType::Sint32, u"sint32"},     SCimTypeKeyword{ECimType::Uint32, u"uint32"},
    SCimTypeKeyword{ECimType::Sint64, u"sint64"},     SCimTypeKeyword{ECimType::Uint64, u"uint64"},
    SCimTypeKeyword{ECimType::Real32, u"real32"},     SCimTypeKeyword{ECimType::Real64, u"real64"},
    SCimTypeKeyword{ECimType::String, u"string"},     SCimTypeKeyword{ECimType::Boolean, u"boolean"},
    SCimTypeKeyword{ECimType::Datetime, u"datetime"}, SCimTypeKeyword{ECimType::Char16, u"char16"},
    SCimTypeKeyword{ECimType::Object, u"object"},
};

}  // namespace

std::u16string_view CimTypeKeyword(ECimType type) {
  for (const SCimTypeKeyword& known : kCimTypeKeywords) {
    if (known.type == type) return known.keyword;
  }
  return u"string";
}

const SWmiQualifier* FindQualifier(const std::vector<SWmiQualifier>& qualifiers, std::u16string_view name) {
  for (const SWmiQualifier& qualifier : qualifiers) {
    if (SameName(qualifier.name, name)) return &qualifier;
  }
  return nullptr;
}

int SWmiClass::PropertyIndex(std::u16string_view propertyName) const {
  for (size_t i = 0; i < properties.size(); ++i) {
    if (SameName(properties[i].name, propertyName)) return static_cast<int>(i);
  }
  return -1;
}

const SWmiMethod* SWmiClass::FindMethod(std::u16string_view methodName) const {
  for (const SWmiMethod& method : methods) {
    if (SameName(method.name, methodName)) return &method;
  }
  return nullptr;
}

bool CWmiCatalog::AddMof(std::string_view text) {
  SMofReadResult read = ReadMof(text);
  if (!read.ok) {
    m_error = std::move(read.error);
    return false;
  }
  std::vector<std::unique_ptr<SWmiClass>> added;
  for (auto& cls : read.classes) {
    if (FindIn(m_classes, cls->nameSpace, cls->name) || FindIn(added, cls->nameSpace, cls->name)) {
      m_error = "class " + Utf16ToUtf8(cls->name) + " declared twice";
      return false;
    }
    if (!cls->superclass.empty()) {
      const SWmiClass* base = FindIn(added, cls->nameSpace, cls->superclass);
      if (base == nullptr) base = FindIn(m_classes, cls->nameSpace, cls->superclass);
      if (base == nullptr) {
        m_error = "class " + Utf16ToUtf8(cls->name) + " derives from " + Utf16ToUtf8(cls->superclass) +
                  ", which is not declared before it";
        return false;
      }
      Inherit(cls->properties, base->properties);
      Inherit(cls->methods, base->methods);
      cls->isAssociation = cls->isAssociation || base->isAssociation;
      if (cls->description.empty()) cls->description = base->description;
    }
    added.push_back(std::move(cls));
  }
  for (auto& cls : added) m_classes.push_back(std::move(cls));
  m_error.clear();
  return true;
}

const SWmiClass* CWmiCatalog::Find(std::u16string_view nameSpace, std::u16string_view className) const {
  return FindIn(m_classes, nameSpace, className);
}

bool CWmiCatalog::DerivesFrom(const SWmiClass& derived, std::u16string_view base) const {
  const SWmiClass* cls = &derived;
  while (cls != nullptr) {
    if (SameName(cls->name, base)) return true;
    if (cls->superclass.empty()) return false;
    cls = Find(cls->nameSpace, cls->superclass);
  }
  return false;
}

void CWmiCatalog::AddMofFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".mof") files.push_back(entry.path());
  }
  if (error && m_loadError.empty()) m_loadError = folder.string() + ": " + error.message();
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    std::string bytes;
    const bool read = ReadFileBytes(file.string(), bytes);
    if (read && AddMof(bytes)) continue;
    if (m_loadError.empty()) m_loadError = file.filename().string() + ": " + (read ? m_error : "cannot be read");
  }
}

const CWmiCatalog& CWmiCatalog::Installed() {
  static const CWmiCatalog catalogue = [] {
    CWmiCatalog loaded;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    std::vector<std::filesystem::path> folders;
    if (!error) folders.push_back(program.parent_path() / "../share/quillet/wmi");
    folders.emplace_back(QUILLET_SOURCE_WMI_DIR);
    for (const std::filesystem::path& folder : folders) {
      if (!std::filesystem::is_directory(folder, error)) continue;
      loaded.AddMofFolder(folder);
      return loaded;
    }
    loaded.m_loadError = "no folder of class files was found";
    return loaded;
  }();
  return catalogue;
}

}  // namespace quillet::platform
