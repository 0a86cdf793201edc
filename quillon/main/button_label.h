#pragma once

#include <QLabel>

namespace quillon {

/// A caption that acts as a button: it sinks (a single-line border) while the left button is held
/// over it, raises when the pointer leaves with the button held, and reports a release inside it.
/// A latched label (the active sweep unit, real time) stays sunk. The raised hover frame around
/// the label under the pointer is drawn by the window, which learns of it through hovered().
class ButtonLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ButtonLabel(const QString& text, QWidget* parent = nullptr);

  void SetLatched(bool latched);
  bool Latched() const { return latched_; }
  bool Sunk() const { return sunk_; }

 signals:
  /// The pointer is over the label with no button held (`over` true) or has left it.
  void hovered(bool over);
  /// The left button was released inside the label while it was sunk.
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetSunk(bool sunk);

  bool latched_ = false;
  bool sunk_ = false;
  bool pressed_ = false;
};

/// The one raised frame of the window: four one-pixel lines, highlight at the top and left,
/// shadow at the bottom and right, around the button-like label under the pointer.
class HoverFrame : public QWidget {
 public:
  explicit HoverFrame(QWidget* parent);
  /// Shows the frame around `label` (in the frame's parent's coordinates), or hides it.
  void ShowAround(const QWidget* label);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillon
