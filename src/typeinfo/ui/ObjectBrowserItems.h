#pragma once
// What each tree item of the object browser carries: its image (the catalogue kind, 0 for a
// library) and the library, group or member it shows.

#include <QTreeWidgetItem>

#include <string>

namespace quillet::typeinfo {

class CTypeLib;
class CTypeLibGroup;
class CTypeLibMember;

inline constexpr int kImageRole = Qt::UserRole;
inline constexpr int kRecordRole = Qt::UserRole + 1;

[[nodiscard]] QTreeWidgetItem* MakeBrowserItem(const std::u16string& text, int image, const void* record);
[[nodiscard]] int ImageOf(const QTreeWidgetItem* item);
// Null when the item shows another kind of record.
[[nodiscard]] const CTypeLib* LibraryOf(const QTreeWidgetItem* item);
[[nodiscard]] const CTypeLibGroup* GroupOf(const QTreeWidgetItem* item);
[[nodiscard]] const CTypeLibMember* MemberOf(const QTreeWidgetItem* item);
// A group's image: its kind, except the script's code, which has images of its own.
[[nodiscard]] int GroupImage(const CTypeLibGroup& group);

}  // namespace quillet::typeinfo
