#include "month_page_painter.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

namespace quillon {
namespace {

const QColor kInk(0x22, 0x22, 0x22);
const QColor kDetail(0x55, 0x55, 0x55);
const QColor kRed(0xc4, 0x1e, 0x2a);
const QColor kBlue(0x1d, 0x4e, 0xa0);
const QColor kSeason(0x2e, 0x6b, 0x30);
const QColor kRule(0xb8, 0xb8, 0xb8);
const QColor kBlank(0xf4, 0xf4, 0xf4);
const QColor kGoodMark(0xb0, 0x3a, 0x10);  // 天赦, 一粒万倍
const QColor kBadMark(0x70, 0x70, 0x70);   // 不成就, 三隣亡, 十方暮, 八専

QColor ToneColour(DayTone tone) {
  switch (tone) {
    case DayTone::Holiday:
      return kRed;
    case DayTone::Saturday:
      return kBlue;
    case DayTone::Weekday:
      break;
  }
  return kInk;
}

QFont PageFont(double pixels, bool bold = false) {
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(std::max(1, static_cast<int>(pixels)));
  font.setBold(bold);
  return font;
}

QRectF Rect(const Box& b) { return {b.x, b.y, b.width, b.height}; }

// One line of text in `box`, its font as high as the box, shrunk down to 70 % to fit the width
// and elided beyond that.
void DrawLine(QPainter& painter, const Box& box, const std::string& text, const QColor& colour,
              Qt::Alignment align = Qt::AlignLeft, bool bold = false) {
  if (text.empty() || box.height <= 0) return;
  QString line = QString::fromStdString(text);
  QFont font = PageFont(box.height * 0.88, bold);
  const double natural = QFontMetricsF(font, painter.device()).horizontalAdvance(line);
  if (natural > box.width) {
    font.setPixelSize(
        std::max(1, static_cast<int>(box.height * 0.88 * std::max(0.7, box.width / natural))));
    line = QFontMetricsF(font, painter.device()).elidedText(line, Qt::ElideRight, box.width);
  }
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(Rect(box), static_cast<int>(align | Qt::AlignVCenter), line);
}

QColor MarkColour(const std::string& mark) {
  if (mark == "天赦" || mark == "万倍") return kGoodMark;
  if (mark == "不成就" || mark == "三隣亡" || mark == "十方暮" || mark == "八専") return kBadMark;
  return kDetail;
}

// The marks flowed left to right in rows at the foot of the box, in a font of `size` shrunk (to
// 70 % at most) until they fit; what still does not fit is left out.
void DrawMarks(QPainter& painter, const Box& box, const std::vector<std::string>& marks,
               double size) {
  if (marks.empty() || size <= 0) return;
  struct Placed {
    QString text;
    QRectF rect;
  };
  std::vector<Placed> placed;
  QFont font;
  for (double scale = 1.0; scale >= 0.69; scale -= 0.1) {
    font = PageFont(size * 0.82 * scale);
    const QFontMetricsF metrics(font, painter.device());
    const double row = size * scale, gap = 0.35 * row;
    double x = box.x, y = box.y;
    placed.clear();
    for (const std::string& mark : marks) {
      const QString text = QString::fromStdString(mark);
      const double width = metrics.horizontalAdvance(text);
      if (x > box.x && x + width > box.Right()) {
        x = box.x;
        y += row;
      }
      if (y + row > box.Bottom() + 1e-6) break;
      placed.push_back({text, QRectF(x, y, width + 1, row)});
      x += width + gap;
    }
    if (placed.size() == marks.size()) break;
  }
  painter.setFont(font);
  const double drop = placed.empty() ? 0 : box.Bottom() - placed.back().rect.bottom();
  for (std::size_t i = 0; i < placed.size(); ++i) {
    painter.setPen(MarkColour(marks[i]));
    painter.drawText(placed[i].rect.translated(0, drop), Qt::AlignLeft | Qt::AlignVCenter,
                     placed[i].text);
  }
}

}  // namespace

void PaintMonthPage(QPainter& painter, const MonthPage& page, double width, double height) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(QRectF(0, 0, width, height), Qt::white);
  const PageLayout layout = LayoutMonthPage(width, height, page.Weeks());

  // Header: the month large, the month name, then the year's era, 干支 and 九星.
  DrawLine(painter, layout.title, page.title + "  " + page.monthName, kInk, Qt::AlignLeft, true);
  std::string subtitle = page.wareki;
  for (const std::string& part : {page.yearCycle + "年", page.yearStar}) {
    subtitle += (subtitle.empty() ? "" : "  ") + part;
  }
  DrawLine(painter, layout.subtitle, subtitle, kDetail);

  static const char* const kWeekdayNames[] = {"日", "月", "火", "水", "木", "金", "土"};
  for (int c = 0; c < 7; ++c) {
    const QColor colour = c == 0 ? kRed : c == 6 ? kBlue : kInk;
    DrawLine(painter, layout.weekdays[static_cast<std::size_t>(c)], kWeekdayNames[c], colour,
             Qt::AlignHCenter, true);
  }

  for (std::size_t i = 0; i < layout.cells.size(); ++i) {
    const Box& frame = layout.cells[i];
    const int index = static_cast<int>(i) - page.leadingBlanks;
    if (index < 0 || index >= static_cast<int>(page.cells.size())) {
      painter.fillRect(Rect(frame), kBlank);
      continue;
    }
    const MonthCell& cell = page.cells[static_cast<std::size_t>(index)];
    const CellLayout box = LayoutCell(layout, frame, cell);
    DrawLine(painter, box.number, std::to_string(cell.dayOfMonth), ToneColour(cell.tone));
    DrawLine(painter, box.rokuyou, cell.rokuyou, kDetail, Qt::AlignRight);
    DrawLine(painter, box.holiday, cell.holiday, kRed, Qt::AlignRight);
    DrawLine(painter, box.lunisolar, cell.lunisolar, cell.newLunarMonth ? kInk : kDetail,
             Qt::AlignLeft, cell.newLunarMonth);
    std::string notes = cell.junichoku;
    if (!cell.nijuhasshuku.empty()) notes += (notes.empty() ? "" : " ") + cell.nijuhasshuku;
    DrawLine(painter, box.notes, notes, kDetail);
    DrawLine(painter, box.season, cell.season, kSeason);
    DrawLine(painter, box.moon, cell.moonPhase, kInk);
    DrawMarks(painter, box.marks, cell.marks, layout.line);
  }

  // The grid over the cells, the outer frame a little heavier.
  painter.setPen(QPen(kRule, std::max(1.0, 0.0012 * width)));
  painter.setBrush(Qt::NoBrush);
  for (const Box& frame : layout.cells) painter.drawRect(Rect(frame));
  const Box& topLeft = layout.cells.front();
  const Box& bottomRight = layout.cells.back();
  painter.setPen(QPen(kDetail, std::max(1.0, 0.0025 * width)));
  painter.drawRect(QRectF(topLeft.x, topLeft.y, bottomRight.Right() - topLeft.x,
                          bottomRight.Bottom() - topLeft.y));
  painter.restore();
}

bool PrintMonthPages(QPagedPaintDevice& device, const std::vector<MonthPage>& pages) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect area = device.pageLayout().paintRectPixels(device.logicalDpiX());
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) device.newPage();
    PaintMonthPage(painter, pages[i], area.width(), area.height());
  }
  return painter.end();
}

void SetUpMonthPageDevice(QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                   QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter));
}

bool WriteMonthPagesPdf(const std::vector<MonthPage>& pages, QIODevice& device) {
  if (pages.empty()) return false;
  QPdfWriter writer(&device);
  const MonthPage& first = pages.front();
  writer.setTitle(QString::fromStdString(
      pages.size() == 1 ? first.title + "の暦" : std::to_string(first.year) + "年の暦"));
  writer.setCreator(QStringLiteral("Quillon"));
  writer.setResolution(300);
  SetUpMonthPageDevice(writer);
  return PrintMonthPages(writer, pages);
}

bool WriteYearPdf(int year, const almacor::TimeScale& ts, std::ostream& out,
                  const KoyomiItems& items) {
  std::vector<MonthPage> pages;
  for (int month = 1; month <= 12; ++month) pages.push_back(BuildMonthPage(year, month, ts, items));
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!WriteMonthPagesPdf(pages, buffer)) return false;
  out.write(buffer.data().constData(), buffer.data().size());
  return static_cast<bool>(out);
}

}  // namespace quillon
