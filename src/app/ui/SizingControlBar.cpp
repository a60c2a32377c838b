#include "app/ui/SizingControlBar.h"

#include <QMainWindow>
#include <QResizeEvent>

namespace quillet::app {

CSizingControlBar::CSizingControlBar(const QString& title, int barId, QMainWindow* frame)
    : QDockWidget(title, frame), m_frame(frame), m_barId(barId) {
  setObjectName(QStringLiteral("bar%1").arg(barId));
  setMinimumSize(SBarSizes::kMinimum.width, SBarSizes::kMinimum.height);
  connect(this, &QDockWidget::topLevelChanged, this, [this] { ApplySize(); });
  connect(this, &QDockWidget::dockLocationChanged, this, [this] { ApplySize(); });
}

void CSizingControlBar::SetSizes(const SBarSizes& sizes) {
  m_sizes = sizes;
  ApplySize();
}

void CSizingControlBar::LoadState(const CSettings& settings, std::u16string_view layout) {
  SBarSizes sizes = m_sizes;
  sizes.Load(settings, layout, m_barId);
  SetSizes(sizes);
}

void CSizingControlBar::SaveState(CSettings& settings, std::u16string_view layout) const {
  m_sizes.Save(settings, layout, m_barId);
}

QSize CSizingControlBar::sizeHint() const {
  const SSize& size = SizeFor(State());
  return {size.width, size.height};
}

CSizingControlBar::EState CSizingControlBar::State() const {
  if (isFloating()) return EState::Floating;
  switch (m_frame->dockWidgetArea(const_cast<CSizingControlBar*>(this))) {
    case Qt::LeftDockWidgetArea:
    case Qt::RightDockWidgetArea: return EState::Vertical;
    default: return EState::Horizontal;
  }
}

SSize& CSizingControlBar::SizeFor(EState state) {
  switch (state) {
    case EState::Horizontal: return m_sizes.horizontal;
    case EState::Vertical: return m_sizes.vertical;
    default: return m_sizes.floating;
  }
}

const SSize& CSizingControlBar::SizeFor(EState state) const {
  return const_cast<CSizingControlBar*>(this)->SizeFor(state);
}

void CSizingControlBar::ApplySize() {
  const SSize size = SizeFor(State());
  if (isFloating()) {
    resize(size.width, size.height);
  } else if (State() == EState::Vertical) {
    m_frame->resizeDocks({this}, {size.width}, Qt::Horizontal);
  } else {
    m_frame->resizeDocks({this}, {size.height}, Qt::Vertical);
  }
}

void CSizingControlBar::resizeEvent(QResizeEvent* event) {
  QDockWidget::resizeEvent(event);
  // Sizes forced on a hidden bar by the layout are not the user's.
  if (!isVisible()) return;
  SizeFor(State()) = {event->size().width(), event->size().height()};
}

}  // namespace quillet::app
