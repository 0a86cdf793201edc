#include "almacor/dialogs/input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <cctype>
#include <cstdlib>

namespace almacor::dialogs {
namespace {

std::function<void()>& BeepHandler() {
  static std::function<void()> handler;
  return handler;
}

// The longest number at the start of `text` after blanks (sign, digits, one point), and where it
// ends.
struct NumberPrefix {
  std::string number;
  bool digits = false;
  std::size_t end = 0;
};
NumberPrefix ReadNumber(const std::string& text) {
  NumberPrefix read;
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) read.number += text[i++];
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      read.digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
    read.number += c;
  }
  read.end = i;
  return read;
}

}  // namespace

void Beep() {
  if (BeepHandler()) {
    BeepHandler()();
  } else {
    QApplication::beep();
  }
}

void SetBeepHandler(std::function<void()> handler) { BeepHandler() = std::move(handler); }

bool IsEditingKey(const QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
      return true;
    default:
      break;
  }
  return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
         key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo) ||
         key->matches(QKeySequence::SelectAll) || key->text().isEmpty();
}

bool IsEnterKey(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

std::optional<double> ParseNumber(const std::string& text) {
  const NumberPrefix read = ReadNumber(text);
  std::size_t end = read.end;
  while (end < text.size() && std::isspace(static_cast<unsigned char>(text[end]))) ++end;
  if (!read.digits || end != text.size()) return std::nullopt;
  return std::strtod(read.number.c_str(), nullptr);
}

std::optional<double> LeadingNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const NumberPrefix read = ReadNumber(text);
  if (!read.digits) return 0.0;
  return std::strtod(read.number.c_str(), nullptr);
}

ButtonLabel::ButtonLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAlignment(Qt::AlignCenter);
  setMouseTracking(true);
  setFrameShape(QFrame::NoFrame);
}

void ButtonLabel::SetLatched(bool latched) {
  latched_ = latched;
  SetLook(latched || (pressed_ && underMouse()));
}

void ButtonLabel::SetLook(bool sunk, bool raised) {
  sunk_ = sunk;
  setFrameStyle(sunk     ? (QFrame::Box | QFrame::Plain)
                : raised ? (QFrame::Panel | QFrame::Raised)
                         : QFrame::NoFrame);
  setLineWidth(1);
}

void ButtonLabel::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  if (isEnabled() && !pressed_) {
    if (raisedOnHover_ && !latched_) SetLook(false, true);
    emit hovered(true);
  }
}

void ButtonLabel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  if (raisedOnHover_ && !pressed_) SetLook(latched_);
  emit hovered(false);
}

void ButtonLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
  pressed_ = true;
  emit hovered(false);
  SetLook(true);
}

void ButtonLabel::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_) SetLook(latched_ || rect().contains(event->position().toPoint()));
  QLabel::mouseMoveEvent(event);
}

void ButtonLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return QLabel::mouseReleaseEvent(event);
  pressed_ = false;
  const bool inside = rect().contains(event->position().toPoint());
  SetLook(latched_);
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

}  // namespace almacor::dialogs
