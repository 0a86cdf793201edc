#include "button_label.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillon {

ButtonLabel::ButtonLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAlignment(Qt::AlignCenter);
  setMouseTracking(true);
  setFrameShape(QFrame::NoFrame);
}

void ButtonLabel::SetLatched(bool latched) {
  latched_ = latched;
  SetSunk(latched || (pressed_ && underMouse()));
}

void ButtonLabel::SetSunk(bool sunk) {
  sunk_ = sunk;
  setFrameStyle(sunk ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
  setLineWidth(1);
}

void ButtonLabel::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  if (isEnabled() && !pressed_) emit hovered(true);
}

void ButtonLabel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  emit hovered(false);
}

void ButtonLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
  pressed_ = true;
  emit hovered(false);
  SetSunk(true);
}

void ButtonLabel::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_) SetSunk(latched_ || rect().contains(event->position().toPoint()));
  QLabel::mouseMoveEvent(event);
}

void ButtonLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return QLabel::mouseReleaseEvent(event);
  pressed_ = false;
  const bool inside = rect().contains(event->position().toPoint());
  SetSunk(latched_);
  if (inside) emit clicked();
}

HoverFrame::HoverFrame(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

void HoverFrame::ShowAround(const QWidget* label) {
  if (!label) {
    hide();
    return;
  }
  setGeometry(label->geometry().adjusted(-1, -1, 1, 1));
  raise();
  show();
}

void HoverFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());
}

}  // namespace quillon
