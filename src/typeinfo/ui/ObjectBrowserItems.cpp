#include "typeinfo/ui/ObjectBrowserItems.h"

#include "typeinfo/TypeLib.h"
#include "typeinfo/ui/ObjectBrowserArtwork.h"

namespace quillet::typeinfo {
namespace {

const void* RecordOf(const QTreeWidgetItem* item) {
  return item == nullptr ? nullptr : reinterpret_cast<const void*>(item->data(0, kRecordRole).value<quintptr>());
}

}  // namespace

QTreeWidgetItem* MakeBrowserItem(const std::u16string& text, int image, const void* record) {
  auto* item = new QTreeWidgetItem(QStringList{QString::fromStdU16String(text)});
  item->setIcon(0, BrowserImage(image));
  item->setData(0, kImageRole, image);
  item->setData(0, kRecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(record)));
  return item;
}

int ImageOf(const QTreeWidgetItem* item) { return item == nullptr ? -1 : item->data(0, kImageRole).toInt(); }

const CTypeLib* LibraryOf(const QTreeWidgetItem* item) {
  const int image = ImageOf(item);
  return image == 0 || image == 8 ? static_cast<const CTypeLib*>(RecordOf(item)) : nullptr;
}

const CTypeLibGroup* GroupOf(const QTreeWidgetItem* item) {
  const int image = ImageOf(item);
  return (image >= 1 && image <= 3) || image == kGlobalCodeImage ? static_cast<const CTypeLibGroup*>(RecordOf(item))
                                                                   : nullptr;
}

const CTypeLibMember* MemberOf(const QTreeWidgetItem* item) {
  const int image = ImageOf(item);
  return image >= 4 && image <= 7 ? static_cast<const CTypeLibMember*>(RecordOf(item)) : nullptr;
}

int GroupImage(const CTypeLibGroup& group) {
  return group.kind == ECatalogueKind::ScriptCode ? kGlobalCodeImage : static_cast<int>(group.kind);
}

}  // namespace quillet::typeinfo
