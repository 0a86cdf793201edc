#include "koyomi_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "almacor/calendar.h"
#include "almacor/dialogs/input.h"
#include "help_window.h"
#include "month_page_painter.h"
#include "program_settings.h"
#include "tool_window.h"

namespace quillon {
namespace {

using almacor::dialogs::Beep;
using almacor::dialogs::PixelsToTwips;
using almacor::dialogs::TwipsToPixels;

// The hideable items as bits of the stored setting: 1 六曜, 2 十二直, 4 二十八宿, 8 選日.
int HiddenBits(const KoyomiItems& items) {
  return (items.rokuyou ? 0 : 1) | (items.junichoku ? 0 : 2) | (items.nijuhasshuku ? 0 : 4) |
         (items.senjitsu ? 0 : 8);
}
KoyomiItems ItemsOf(int hidden) {
  return {!(hidden & 1), !(hidden & 2), !(hidden & 4), !(hidden & 8)};
}

}  // namespace

MonthView::MonthView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::PointingHandCursor);
}

void MonthView::SetPage(const MonthPage* page, int markedDay) {
  page_ = page;
  markedDay_ = markedDay;
  update();
}

void MonthView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!page_) {
    painter.fillRect(rect(), Qt::white);
    return;
  }
  PaintMonthPage(painter, *page_, width(), height());
  if (markedDay_ < 1) return;
  // The main window's day, outlined in the selection colour.
  const PageLayout layout = LayoutMonthPage(width(), height(), page_->Weeks());
  const Box& b = layout.cells[static_cast<std::size_t>(page_->leadingBlanks + markedDay_ - 1)];
  const double pen = std::max(2.0, layout.pad * 0.6);
  painter.setPen(QPen(palette().color(QPalette::Highlight), pen));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(
      QRectF(b.x, b.y, b.width, b.height).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
}

void MonthView::mouseReleaseEvent(QMouseEvent* event) {
  if (!page_ || event->button() != Qt::LeftButton) return;
  const PageLayout layout = LayoutMonthPage(width(), height(), page_->Weeks());
  const int day = DayAt(layout, *page_, event->position().x(), event->position().y());
  if (day > 0) emit dayClicked(day);
}

KoyomiForm::KoyomiForm(MainWindowHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("暦"));
  setWindowIcon(HostIcon(host.HostWidget()));
  ApplyWindowFont(*this);
  InstallHelpKey(*this, help::kMonthCalendar);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 0, 6, 6);
  auto* menus = new QMenuBar(this);
  layout->setMenuBar(menus);

  const auto button = [this](const char* text, const char* tip, auto slot) {
    auto* b = new QPushButton(QString::fromUtf8(text), this);
    b->setToolTip(QString::fromUtf8(tip));
    b->setFocusPolicy(Qt::TabFocus);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  auto* bar = new QHBoxLayout;
  bar->addWidget(
      button("≪ 前年(&B)", "前の年の同じ月", [this] { ShowMonth(AddMonths(shown_, -12)); }));
  bar->addWidget(button("‹ 前月(&P)", "前の月", [this] { ShowMonth(AddMonths(shown_, -1)); }));
  bar->addStretch();
  bar->addWidget(button("主画面の日付(&T)", "主画面の日付の月に戻る", [this] { FollowHost(); }));
  bar->addStretch();
  bar->addWidget(button("次月 ›(&N)", "次の月", [this] { ShowMonth(AddMonths(shown_, 1)); }));
  bar->addWidget(
      button("翌年 ≫(&F)", "次の年の同じ月", [this] { ShowMonth(AddMonths(shown_, 12)); }));
  layout->addLayout(bar);

  view_ = new MonthView(this);
  layout->addWidget(view_, 1);
  connect(view_, &MonthView::dayClicked, this,
          [this](int day) { host_.ShowDate(shown_.year, shown_.month, day); });

  QMenu* file = menus->addMenu(QStringLiteral("ファイル(&F)"));
  file->addAction(QStringLiteral("この月を印刷(&P)..."), QKeySequence::Print, this,
                  [this] { PrintPages(false); });
  file->addAction(QStringLiteral("一年分を印刷(&Y)..."), this, [this] { PrintPages(true); });
  file->addSeparator();
  file->addAction(QStringLiteral("この月を PDF に書き出し(&M)..."), this,
                  [this] { ExportPdf(false); });
  file->addAction(QStringLiteral("一年分を PDF に書き出し(&E)..."), this,
                  [this] { ExportPdf(true); });
  file->addSeparator();
  file->addAction(QStringLiteral("閉じる(&C)"), QKeySequence::Close, this, &QWidget::close);

  QMenu* view = menus->addMenu(QStringLiteral("表示(&V)"));
  const char* const kItemNames[] = {"六曜(&R)", "十二直(&J)", "二十八宿(&N)", "選日(&S)"};
  for (int i = 0; i < 4; ++i) {
    QAction* item = view->addAction(QString::fromUtf8(kItemNames[i]));
    item->setCheckable(true);
    connect(item, &QAction::toggled, this, [this, i](bool on) {
      KoyomiItems items = items_;
      bool* flags[] = {&items.rokuyou, &items.junichoku, &items.nijuhasshuku, &items.senjitsu};
      *flags[i] = on;
      SetItems(items);
    });
    itemActions_[i] = item;
  }
  view->addSeparator();
  view->addAction(QStringLiteral("前の月(&P)"), QKeySequence(Qt::Key_PageUp), this,
                  [this] { ShowMonth(AddMonths(shown_, -1)); });
  view->addAction(QStringLiteral("次の月(&N)"), QKeySequence(Qt::Key_PageDown), this,
                  [this] { ShowMonth(AddMonths(shown_, 1)); });
  view->addAction(QStringLiteral("前の年(&B)"), QKeySequence(Qt::CTRL | Qt::Key_PageUp), this,
                  [this] { ShowMonth(AddMonths(shown_, -12)); });
  view->addAction(QStringLiteral("次の年(&F)"), QKeySequence(Qt::CTRL | Qt::Key_PageDown), this,
                  [this] { ShowMonth(AddMonths(shown_, 12)); });
  view->addAction(QStringLiteral("主画面の日付(&T)"), QKeySequence(Qt::Key_Home), this,
                  [this] { FollowHost(); });

  const ProgramSettings settings;
  items_ = ItemsOf(settings.Read(keys::kKoyomiHidden));
  for (int i = 0; i < 4; ++i) {
    const bool shown[] = {items_.rokuyou, items_.junichoku, items_.nijuhasshuku, items_.senjitsu};
    const QSignalBlocker block(itemActions_[i]);
    itemActions_[i]->setChecked(shown[i]);
  }
  resize(sizeHint());
  const int width = TwipsToPixels(settings.Read(keys::kKoyomiWidth));
  const int height = TwipsToPixels(settings.Read(keys::kKoyomiHeight));
  if (width > 0 && height > 0) {
    resize(width, height);
    move(TwipsToPixels(settings.Read(keys::kKoyomiLeft)),
         TwipsToPixels(settings.Read(keys::kKoyomiTop)));
  } else if (QWidget* main = host.HostWidget()) {
    move(main->frameGeometry().topRight() + QPoint(8, 0));
  }
  FollowHost();
}

KoyomiForm::~KoyomiForm() = default;

void KoyomiForm::FollowHost() {
  const almacor::CivilDateTime now = host_.HostCalendar().DateTime().ToCivil();
  hostDate_ = {now.year, now.month, now.day};
  ShowMonth({now.year, now.month});
}

void KoyomiForm::ShowMonth(YearMonth month) {
  shown_ = month;
  Rebuild();
}

void KoyomiForm::SetItems(const KoyomiItems& items) {
  items_ = items;
  Rebuild();
}

void KoyomiForm::Rebuild() {
  const almacor::TimeScale zone = almacor::LibrarySettings().time;
  const bool stale = !page_ || !(pageMonth_ == shown_) || !(pageItems_ == items_) ||
                     pageZone_.timeZone != zone.timeZone ||
                     pageZone_.deltaTEstimated != zone.deltaTEstimated ||
                     pageZone_.deltaT != zone.deltaT;
  if (stale) {
    page_ = BuildMonthPage(shown_.year, shown_.month, zone, items_);
    pageMonth_ = shown_;
    pageItems_ = items_;
    pageZone_ = zone;
  }
  const bool hostMonth = hostDate_.year == shown_.year && hostDate_.month == shown_.month;
  view_->SetPage(&*page_, hostMonth ? hostDate_.day : 0);
}

std::vector<MonthPage> KoyomiForm::PagesToPrint(bool wholeYear) const {
  if (!wholeYear) return {*page_};
  std::vector<MonthPage> pages;
  for (int month = 1; month <= 12; ++month) {
    pages.push_back(BuildMonthPage(shown_.year, month, pageZone_, items_));
  }
  return pages;
}

void KoyomiForm::PrintPages(bool wholeYear) {
  QPrinter printer(QPrinter::HighResolution);
  SetUpMonthPageDevice(printer);
  printer.setDocName(QString::fromStdString(wholeYear ? std::to_string(shown_.year) + "年の暦"
                                                      : page_->title + "の暦"));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(wholeYear ? QStringLiteral("一年分を印刷")
                                  : QStringLiteral("この月を印刷"));
  if (dialog.exec() != QDialog::Accepted) return;
  if (!PrintMonthPages(printer, PagesToPrint(wholeYear))) Beep();
}

void KoyomiForm::ExportPdf(bool wholeYear) {
  const QString suggested =
      wholeYear
          ? QStringLiteral("%1.pdf").arg(shown_.year)
          : QStringLiteral("%1-%2.pdf").arg(shown_.year).arg(shown_.month, 2, 10, QLatin1Char('0'));
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PDF に書き出し"),
                                                    suggested, QStringLiteral("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !WriteMonthPagesPdf(PagesToPrint(wholeYear), file) ||
      !file.commit()) {
    Beep();
  }
}

void KoyomiForm::SaveSettings() const {
  ProgramSettings settings;
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  settings.Write(keys::kKoyomiLeft, PixelsToTwips(normal.x()));
  settings.Write(keys::kKoyomiTop, PixelsToTwips(normal.y()));
  settings.Write(keys::kKoyomiWidth, PixelsToTwips(normal.width()));
  settings.Write(keys::kKoyomiHeight, PixelsToTwips(normal.height()));
  settings.Write(keys::kKoyomiHidden, HiddenBits(items_));
  settings.Sync();
}

void KoyomiForm::closeEvent(QCloseEvent* event) {
  SaveSettings();
  event->accept();
}

}  // namespace quillon
