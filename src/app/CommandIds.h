#pragma once
// Command ids of menus, toolbars and accelerators; every QAction carries its id.

#include <cstdint>

namespace quillet::app {

enum ECommandId : int32_t {
  ID_FILE_NEW = 0xE100,
  ID_FILE_OPEN = 0xE101,
  ID_FILE_CLOSE = 0xE102,
  ID_FILE_SAVE = 0xE103,
  ID_FILE_SAVE_AS = 0xE104,
  ID_FILE_MRU_FILE1 = 0xE110,  // to ID_FILE_MRU_FILE1 + 5
  ID_EDIT_UNDO = 0xE12B,
  ID_EDIT_REDO = 0xE12C,
  ID_APP_EXIT = 0xE141,
};

}  // namespace quillet::app
