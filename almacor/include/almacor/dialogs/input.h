#pragma once

// The input rules that every window of the dialogs and of programs built on them shares: which
// keys a filtered field lets through, the one beep of a refused input, the twips layout unit, the
// number a field's text holds, and a caption that acts as a button.

#include <QLabel>
#include <QRect>
#include <cmath>
#include <functional>
#include <optional>
#include <string>

class QKeyEvent;

namespace almacor::dialogs {

/// The beep of every refused key or value and every stopped command. Without a handler it rings
/// the desktop's beep.
void Beep();
/// Replaces the beep, for example by a counter in a test; an empty function restores the default.
void SetBeepHandler(std::function<void()> handler);

/// Layouts are designed in twips, 15 to a (device-independent) pixel; values round to the nearest
/// pixel.
constexpr int TwipsToPixels(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }
constexpr int PixelsToTwips(int pixels) { return pixels * 15; }
constexpr QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

/// Keys that move, delete, use the clipboard or type nothing: a field's character filter lets
/// them through. Enter and Escape are not among them (see IsEnterKey): a dialog passes them on to
/// its buttons, a window's field may act on them itself.
bool IsEditingKey(const QKeyEvent* key);
/// Return or the keypad's Enter.
bool IsEnterKey(const QKeyEvent* key);

/// The number a field's whole text holds: blanks around it, an optional sign, digits with at most
/// one point. Empty for anything else.
std::optional<double> ParseNumber(const std::string& text);
/// The leading number of a field's text, read as far as it goes: optional blanks, an optional
/// sign, digits and at most one point; a text without digits ("-", "abc") reads as 0. Empty when
/// the text is empty.
std::optional<double> LeadingNumber(const std::string& text);

/// A caption that acts as a button: it sinks (a single-line border) while the left button is held
/// over it, comes up when the pointer leaves with the button held, and reports a release inside it
/// as clicked(). A latched label stays sunk. While the pointer is over it with no button held it
/// reports hovered(true); with SetRaisedOnHover it also draws itself raised then.
class ButtonLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ButtonLabel(const QString& text, QWidget* parent = nullptr);

  void SetLatched(bool latched);
  void SetRaisedOnHover(bool raised) { raisedOnHover_ = raised; }
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
  void SetLook(bool sunk, bool raised = false);

  bool latched_ = false;
  bool raisedOnHover_ = false;
  bool sunk_ = false;
  bool pressed_ = false;
};

/// One raised frame for a group of button-like labels: four one-pixel lines, highlight at the top
/// and left, shadow at the bottom and right, drawn just outside the label under the pointer.
class HoverFrame : public QWidget {
 public:
  explicit HoverFrame(QWidget* parent);
  /// Shows the frame around `label` (in the frame's parent's coordinates), or hides it.
  void ShowAround(const QWidget* label);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace almacor::dialogs
