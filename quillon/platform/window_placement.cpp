#include "window_placement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace quillon {
namespace {

constexpr int kCascade = 32;
constexpr int kGap = 8;

// Shifts `frame` along one axis so that [start, start + length) lies in [low, high).
int Clamp(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

long long Overlap(const QRect& a, const QRect& b) {
  const QRect common = a.intersected(b);
  return common.isEmpty() ? 0 : static_cast<long long>(common.width()) * common.height();
}

}  // namespace

QRect FitInside(QRect frame, const QRect& area) {
  frame.setWidth(std::min(frame.width(), area.width()));
  frame.setHeight(std::min(frame.height(), area.height()));
  frame.moveLeft(Clamp(frame.left(), frame.width(), area.left(), area.left() + area.width()));
  frame.moveTop(Clamp(frame.top(), frame.height(), area.top(), area.top() + area.height()));
  return frame;
}

QRect BesideMainWindow(const QSize& size, const QRect& main, const QRect& area) {
  const auto fits = [&area](const QRect& frame) { return area.contains(frame); };
  QRect right(QPoint(main.right() + 1 + kGap, main.top()), size);
  QRect left(QPoint(main.left() - kGap - size.width(), main.top()), size);
  for (QRect* beside : {&right, &left}) {
    beside->moveTop(Clamp(beside->top(), size.height(), area.top(), area.top() + area.height()));
    if (fits(*beside)) return *beside;
  }
  QRect below(QPoint(main.left(), main.bottom() + 1 + kGap), size);
  below.moveLeft(Clamp(below.left(), size.width(), area.left(), area.left() + area.width()));
  if (fits(below)) return below;
  return FitInside(QRect(main.topLeft() + QPoint(kCascade, kCascade), size), area);
}

QRect BackOnScreen(const QRect& saved, const std::vector<QRect>& areas, const QRect& fallback) {
  const QRect* best = nullptr;
  long long bestOverlap = 0;
  for (const QRect& area : areas) {
    if (area.contains(saved)) return saved;
    if (const long long overlap = Overlap(area, saved); overlap > bestOverlap) {
      best = &area;
      bestOverlap = overlap;
    }
  }
  return FitInside(saved, best ? *best : fallback);
}

void PlaceWindow(QWidget& window, const QWidget* main, std::optional<QPoint> saved) {
  // Before the window is shown its frame is not known: the main window's margins stand for it.
  const auto margins = [](const QWidget& widget) {
    const QRect frame = widget.frameGeometry(), inner = widget.geometry();
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                    frame.right() - inner.right(), frame.bottom() - inner.bottom());
  };
  QMargins frame = margins(window);
  if (frame.isNull() && main) frame = margins(*main);

  const QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QSize size = window.size().grownBy(frame);
  QRect placed;
  if (saved) {
    std::vector<QRect> areas;
    for (const QScreen* each : QGuiApplication::screens()) areas.push_back(each->availableGeometry());
    placed = BackOnScreen(QRect(*saved - QPoint(frame.left(), frame.top()), size), areas, area);
  } else if (main) {
    placed = BesideMainWindow(size, main->frameGeometry(), area);
  } else {
    placed = FitInside(QRect(window.frameGeometry().topLeft(), size), area);
  }
  window.resize(placed.size().shrunkBy(frame));
  window.move(placed.topLeft());
}

}  // namespace quillon
