#pragma once

#include <QDialog>
#include <QLabel>
#include <QRect>
#include <string>
#include <string_view>

namespace quillon {

class MainWindowHost;

/// "Version " followed by the major version, "." and the minor version in two digits:
/// (1, 2) gives "Version 1.02".
std::string VersionText(int major, int minor);

/// The legal notice shown under the version: the copyright and the license of LICENSE.
inline constexpr std::string_view kLegalNotice =
    "© 2024 Ferrant Laboratory, MIT License";

/// Where a window of outer size `size` goes to stand centred over the window `host` (outer
/// rectangle, pixels): each half of the difference is taken as a whole number of twips.
QPoint CentredOver(const QRect& host, const QSize& size);

/// A label that opens an address when clicked: the left button gives it a sunken border that
/// follows whether the pointer is over it; releasing the button while sunken opens the address
/// with the desktop's handler.
class LinkLabel : public QLabel {
 public:
  LinkLabel(const QString& address, QWidget* parent);
  bool IsSunken() const { return sunken_; }
  const QString& Address() const { return address_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetSunken(bool sunken);
  QString address_;
  bool pressed_ = false;
  bool sunken_ = false;
};

/// "バージョン情報": the program's icon, name, version, legal notice and the link to the support
/// page. Modal: the main window opens it with `AboutForm(host).exec()`. It centres itself over the
/// main window and sounds the information beep as it appears.
class AboutForm : public QDialog {
 public:
  explicit AboutForm(MainWindowHost& host);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  MainWindowHost& host_;
  bool shown_ = false;
};

}  // namespace quillon
