#include "app/ui/FrameObjectBrowser.h"

#include "app/ui/SizingControlBar.h"
#include "editor/ui/QuilletView.h"
#include "platform/ClassRegistry.h"
#include "typeinfo/ProgIdResolver.h"
#include "typeinfo/WmiClassLibrary.h"
#include "typeinfo/ui/DialogTypeLibLocator.h"
#include "typeinfo/ui/ObjectBrowserBar.h"

namespace quillet::app {

CFrameObjectBrowser::CFrameObjectBrowser(CSizingControlBar& dock, editor::CQuilletView& view, CSettings& settings)
    : m_view(view),
      m_registry(std::make_shared<const platform::CClassRegistry>(platform::CClassRegistry::LoadDefault())),
      m_references(settings),
      m_locator(std::make_unique<typeinfo::CDialogTypeLibLocator>(m_registry, &dock)),
      m_resolver(std::make_unique<typeinfo::CProgIdResolver>(m_registry, m_references, m_locator.get())) {
  m_bar = new typeinfo::CObjectBrowserBar(
      m_registry, &settings,
      [](typeinfo::CTypeLib& library, std::stop_token stop) { typeinfo::FillWmiClassLibrary(library, std::move(stop)); },
      &dock);
  dock.setWidget(m_bar);
  view.SetOutlineBrowser(m_bar, [resolver = m_resolver.get()](std::u16string_view progId) {
    return resolver->ResolveProgID(progId).path;
  });
  QObject::connect(m_bar, &typeinfo::CObjectBrowserBar::GoToLineRequested, &view,
                   &editor::CQuilletView::GoToLineIndex, Qt::QueuedConnection);
  // Named by the view, so that a bar hidden while the window is torn down reaches no view.
  QObject::connect(&dock, &QDockWidget::visibilityChanged, &view,
                   [&view, &dock] { view.SetOutlineActive(!dock.isHidden()); });
  view.SetOutlineActive(!dock.isHidden());
}

CFrameObjectBrowser::~CFrameObjectBrowser() { m_view.SetOutlineBrowser(nullptr, {}); }

}  // namespace quillet::app
