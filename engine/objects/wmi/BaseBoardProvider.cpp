#include "engine/objects/wmi/BaseBoardProvider.h"

#include <sys/stat.h>

#include "engine/objects/wmi/SysAttribute.h"
#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

void CBaseBoardProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  using wbem_value::Text;
  struct stat info{};
  if (stat(m_dmiFolder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return;
  auto board = std::make_shared<SWbemInstance>(cls);
  const auto copy = [&](std::u16string_view property, const char* file) {
    if (const auto text = machine::SysAttribute(m_dmiFolder + "/" + file)) board->Set(property, Text(*text));
  };
  copy(u"Manufacturer", "board_vendor");
  copy(u"Product", "board_name");
  copy(u"Version", "board_version");
  copy(u"SerialNumber", "board_serial");
  for (const std::u16string_view property : {u"Tag", u"Name", u"Caption", u"Description"}) {
    board->Set(property, Text(u"Base Board"));
  }
  board->Set(u"CreationClassName", Text(u"Win32_BaseBoard"));
  board->Set(u"HostingBoard", CVariant::Boolean(true));
  board->Set(u"Status", Text(u"OK"));
  out.push_back(std::move(board));
}

}  // namespace quillet::engine
