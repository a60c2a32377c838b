#pragma once
// The object browser in the main window's dock: the bar's content, the resolution of ProgIDs
// that the script outline asks for, and the connections to the editor view (the outline runs
// while the bar is visible; the bar's go-to-line requests move the view's caret).

#include <memory>

#include "app/SettingsReferenceStore.h"

namespace quillet::editor {
class CQuilletView;
}
namespace quillet::platform {
class CClassRegistry;
}
namespace quillet::typeinfo {
class CDialogTypeLibLocator;
class CObjectBrowserBar;
class CProgIdResolver;
}  // namespace quillet::typeinfo

namespace quillet::app {

class CSizingControlBar;

class CFrameObjectBrowser {
 public:
  CFrameObjectBrowser(CSizingControlBar& dock, editor::CQuilletView& view, CSettings& settings);
  ~CFrameObjectBrowser();
  CFrameObjectBrowser(const CFrameObjectBrowser&) = delete;
  CFrameObjectBrowser& operator=(const CFrameObjectBrowser&) = delete;

  [[nodiscard]] typeinfo::CObjectBrowserBar& Bar() const { return *m_bar; }

 private:
  editor::CQuilletView& m_view;
  std::shared_ptr<const platform::CClassRegistry> m_registry;
  CSettingsReferenceStore m_references;
  std::unique_ptr<typeinfo::CDialogTypeLibLocator> m_locator;
  std::unique_ptr<typeinfo::CProgIdResolver> m_resolver;
  typeinfo::CObjectBrowserBar* m_bar = nullptr;
};

}  // namespace quillet::app
