#include "about_form.h"

#include <QDesktopServices>
#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include "almacor/format.h"
#include "beep.h"
#include "main_window_host.h"
#include "program_strings.h"
#include "tool_window.h"

namespace quillon {

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
  QDesktopServices::openUrl(QUrl(address_));
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

  auto* frame1 = new QFrame(this);
  frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  frame1->setGeometry(TwipsRect(240, 120, 3495, 1935));

  auto* image1 = new QLabel(frame1);
  image1->setGeometry(TwipsRect(600, 360, 615, 615));
  image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image1->setPixmap(icon.pixmap(32, 32));

  auto* label1 = new QLabel(QStringLiteral("Quillon"), frame1);
  QFont bold = label1->font();
  bold.setPointSize(12);
  bold.setBold(true);
  label1->setFont(bold);
  label1->setGeometry(TwipsRect(1320, 360, 1815, 255));
  label1->setObjectName(QStringLiteral("Label1"));

  auto* label2 = new QLabel(
      QString::fromStdString(VersionText(QUILLON_VERSION_MAJOR, QUILLON_VERSION_MINOR)), frame1);
  label2->setGeometry(TwipsRect(1320, 720, 1815, 255));
  label2->setObjectName(QStringLiteral("Label2"));

  const std::string_view notice = kLegalNotice;
  auto* label3 =
      new QLabel(QString::fromUtf8(notice.data(), static_cast<qsizetype>(notice.size())), frame1);
  label3->setGeometry(0, TwipsRect(0, 1080, 0, 255).top(), frame1->width(),
                      TwipsRect(0, 0, 0, 255).height());
  label3->setAlignment(Qt::AlignCenter);
  label3->setObjectName(QStringLiteral("Label3"));

  const std::string_view address = ProgramString(ids::kWebPage);
  auto* label4 = new LinkLabel(
      QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())), frame1);
  // The address itself is the tooltip; the label names what it leads to.
  label4->setText(QStringLiteral("Ferrant Laboratory Webページ"));
  label4->setToolTip(label4->toolTip() + QStringLiteral("\n") + label4->Address());
  const QRect link = TwipsRect(0, 1440, 0, 255);
  const int width = label4->fontMetrics().horizontalAdvance(label4->text()) + 2;
  label4->setGeometry((frame1->width() - width) / 2, link.top(), width, link.height());
  label4->setObjectName(QStringLiteral("Label4"));

  auto* command1 = new QPushButton(QStringLiteral("OK"), this);
  command1->setGeometry(TwipsRect(1320, 2280, 1335, 330));
  command1->setDefault(true);
  connect(command1, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  if (const QWidget* main = host_.HostWidget(); main != nullptr) {
    // The dialog's decoration is taken to be the main window's.
    const QSize decoration = main->frameGeometry().size() - main->geometry().size();
    move(CentredOver(main->frameGeometry(), size() + decoration));
  }
  Beep();
}

}  // namespace quillon
