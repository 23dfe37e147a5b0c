// A Canvas in Qt: a widget whose paint raises the canvas's Paint event on a QPainter, antialiased;
// it takes the focus only with AcceptFocus.

#include <memory>
#include <vector>

#include <QPainter>

#include "framework/qt/qt_call_model.hpp"
#include "framework/qt/qt_control_adapter.hpp"
#include "framework/qt/qt_graphics.hpp"
#include "framework/qt/qt_painted_widget.hpp"

namespace framework::qt {

namespace {

QWidget* Create(QWidget& parent, const std::shared_ptr<Control>& control, UserActionSink&) {
  const std::weak_ptr<Canvas> weak = std::static_pointer_cast<Canvas>(control);
  // The list of areas to repaint is kept from paint to paint, so that a paint allocates none.
  return new QtPaintedWidget(&parent, [weak, areas = std::vector<Rect>(1)](QPainter& painter, const QRect& area,
                                                                          const QSize&) mutable {
    auto target = weak.lock();
    if (!target) return;
    QtGraphics graphics(painter);
    areas.front() = Rect{area.x(), area.y(), area.width(), area.height()};
    CallModel([&] { target->Paint(graphics, areas); });
  });
}

void Sync(QWidget& widget, const Control&) { widget.update(); }

Qt::FocusPolicy FocusPolicy(const RectControl& control) {
  return static_cast<const Canvas&>(control).AcceptFocus() ? FocusByTabStop(control) : Qt::NoFocus;
}

}  // namespace

const ControlAdapter kCanvasAdapter{&Create, &Sync, &FocusPolicy};

}  // namespace framework::qt
