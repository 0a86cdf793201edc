#include "about_form.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include "almacor/dialogs/input.h"
#include "almacor/format.h"
#include "main_window_host.h"
#include "open_address.h"
#include "program_strings.h"
#include "tool_window.h"
#include "window_placement.h"

namespace quillon {

using almacor::dialogs::Beep;
using almacor::dialogs::TwipsRect;
using almacor::dialogs::TwipsToPixels;

std::string VersionText(int major, int minor) {
  return "Version " + std::to_string(major) + "." + almacor::FormatNumber(minor, "00");
}

QPoint CentredOver(const QRect& host, const QSize& size) {
  const auto half = [](int hostPixels, int ownPixels) {
    const int twips = (hostPixels - ownPixels) * 15;
    return (twips / 2) / 15.0;
  };
  return QPoint(host.left() + static_cast<int>(std::lround(half(host.width(), size.width()))),
                host.top() + static_cast<int>(std::lround(half(host.height(), size.height()))));
}

LinkLabel::LinkLabel(const QString& address, QWidget* parent)
    : QLabel(address, parent), address_(address) {
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setToolTip(QStringLiteral("サポートページへ"));
  setCursor(Qt::PointingHandCursor);
  setFrameShape(QFrame::NoFrame);
}

void LinkLabel::SetSunken(bool sunken) {
  if (sunken == sunken_) return;
  sunken_ = sunken;
  if (sunken) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
  } else {
    setFrameStyle(QFrame::NoFrame);
  }
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
  pressed_ = true;
  SetSunken(true);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_) return QLabel::mouseMoveEvent(event);
  const QPoint p = event->position().toPoint();
  SetSunken(p.x() >= 0 && p.x() <= width() && p.y() >= 0 && p.y() <= height());
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return QLabel::mouseReleaseEvent(event);
  pressed_ = false;
  if (!sunken_) return;
  SetSunken(false);
  OpenAddress(address_);
}

AboutForm::AboutForm(MainWindowHost& host)
    : QDialog(host.HostWidget(), Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                     Qt::WindowCloseButtonHint),
      host_(host) {
  ApplyWindowFont(*this);
  setModal(true);
  setFixedSize(TwipsToPixels(3960), TwipsToPixels(2790));
  setWindowTitle(QStringLiteral("バージョン情報"));
  const QIcon icon = HostIcon(host.HostWidget());
  setWindowIcon(icon);

  auto* frame = new QFrame(this);
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  frame->setGeometry(TwipsRect(240, 120, 3495, 1935));

  auto* iconLabel = new QLabel(frame);
  iconLabel->setGeometry(TwipsRect(600, 360, 615, 615));
  iconLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  iconLabel->setPixmap(icon.pixmap(32, 32));

  auto* name = new QLabel(QStringLiteral("Quillon"), frame);
  QFont bold = name->font();
  bold.setPointSize(12);
  bold.setBold(true);
  name->setFont(bold);
  name->setGeometry(TwipsRect(1320, 360, 1815, 255));
  name->setObjectName(QStringLiteral("Label1"));

  auto* version = new QLabel(
      QString::fromStdString(VersionText(QUILLON_VERSION_MAJOR, QUILLON_VERSION_MINOR)), frame);
  version->setGeometry(TwipsRect(1320, 720, 1815, 255));
  version->setObjectName(QStringLiteral("Label2"));

  const std::string_view notice = kLegalNotice;
  auto* legal =
      new QLabel(QString::fromUtf8(notice.data(), static_cast<qsizetype>(notice.size())), frame);
  legal->setGeometry(0, TwipsRect(0, 1080, 0, 255).top(), frame->width(),
                     TwipsRect(0, 0, 0, 255).height());
  legal->setAlignment(Qt::AlignCenter);
  legal->setObjectName(QStringLiteral("Label3"));

  const std::string_view address = ProgramString(ids::kWebPage);
  auto* webLink = new LinkLabel(
      QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())), frame);
  // The address itself is the tooltip; the label names what it leads to.
  webLink->setText(QStringLiteral("Ferrant Laboratory Webページ"));
  webLink->setToolTip(webLink->toolTip() + QStringLiteral("\n") + webLink->Address());
  const QRect link = TwipsRect(0, 1440, 0, 255);
  const int width = webLink->fontMetrics().horizontalAdvance(webLink->text()) + 2;
  webLink->setGeometry((frame->width() - width) / 2, link.top(), width, link.height());
  webLink->setObjectName(QStringLiteral("Label4"));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setGeometry(TwipsRect(1320, 2280, 1335, 330));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  if (const QWidget* main = host_.HostWidget(); main != nullptr) {
    // The dialog's decoration is taken to be the main window's.
    const QSize decoration = main->frameGeometry().size() - main->geometry().size();
    const QRect centred(CentredOver(main->frameGeometry(), size() + decoration),
                        size() + decoration);
    // Centred over the main window, but wholly on its screen.
    move(main->screen() ? FitInside(centred, main->screen()->availableGeometry()).topLeft()
                        : centred.topLeft());
  }
  Beep();
}

}  // namespace quillon
