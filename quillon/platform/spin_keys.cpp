#include "spin_keys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

namespace quillon {
namespace {

// A wheel notch is 120 eighths of a degree; finer wheels and touchpads add up to whole notches.
constexpr int kNotch = 120;

class SpinKeyFilter : public QObject {
 public:
  SpinKeyFilter(const SpinArrows& arrows, QObject* parent) : QObject(parent), arrows_(arrows) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      QAbstractButton* arrow = ArrowFor(static_cast<QKeyEvent*>(event)->key());
      if (!arrow) return false;
      if (arrow->isEnabled()) arrow->click();
      return true;
    }
    if (event->type() == QEvent::Wheel) {
      wheel_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
      for (; wheel_ >= kNotch; wheel_ -= kNotch) Click(arrows_.up);
      for (; wheel_ <= -kNotch; wheel_ += kNotch) Click(arrows_.down);
      return true;
    }
    return false;
  }

 private:
  static void Click(QAbstractButton* arrow) {
    if (arrow && arrow->isEnabled()) arrow->click();
  }

  QAbstractButton* ArrowFor(int key) const {
    switch (key) {
      case Qt::Key_Up:
        return arrows_.up;
      case Qt::Key_Down:
        return arrows_.down;
      case Qt::Key_PageUp:
        return arrows_.largerUp;
      case Qt::Key_PageDown:
        return arrows_.largerDown;
      default:
        return nullptr;
    }
  }

  SpinArrows arrows_;
  int wheel_ = 0;
};

}  // namespace

void AttachSpinKeys(QWidget& field, const SpinArrows& arrows) {
  auto* filter = new SpinKeyFilter(arrows, &field);
  field.installEventFilter(filter);
  // The wheel over the field's own arrows too, which do not pass it on.
  for (QAbstractButton* own : {arrows.up, arrows.down}) {
    if (own) own->installEventFilter(filter);
  }
}

}  // namespace quillon
