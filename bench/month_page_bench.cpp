// The month calendar offscreen: one page built and painted into an image the size of a window,
// and into an A4 page at 300 dpi; the whole year as PDF (target: within 1 s).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <sstream>

#include "month_page_painter.h"

namespace {

constexpr almacor::TimeScale kJapan{9, true, 0};

// Builds the page (the almanac notes of the month) and paints it, a different month each time.
void BM_MonthPageRender(benchmark::State& state) {
  QImage image(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
               QImage::Format_ARGB32_Premultiplied);
  int month = 0;
  for (auto _ : state) {
    const quillon::MonthPage page =
        quillon::BuildMonthPage(2024 + month / 12, month % 12 + 1, kJapan);
    QPainter painter(&image);
    quillon::PaintMonthPage(painter, page, image.width(), image.height());
    month = (month + 1) % 120;
  }
  benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_MonthPageRender)
    ->Args({900, 640})
    ->Args({3508, 2480})
    ->ArgNames({"width", "height"})
    ->Unit(benchmark::kMillisecond);

// Painting alone, the page already built.
void BM_MonthPagePaint(benchmark::State& state) {
  QImage image(900, 640, QImage::Format_ARGB32_Premultiplied);
  const quillon::MonthPage page = quillon::BuildMonthPage(2024, 3, kJapan);
  for (auto _ : state) {
    QPainter painter(&image);
    quillon::PaintMonthPage(painter, page, image.width(), image.height());
  }
  benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_MonthPagePaint)->Unit(benchmark::kMillisecond);

void BM_YearPdf(benchmark::State& state) {
  int year = 2024;
  for (auto _ : state) {
    std::ostringstream pdf;
    quillon::WriteYearPdf(year++, kJapan, pdf);
    benchmark::DoNotOptimize(pdf.str().size());
  }
}
BENCHMARK(BM_YearPdf)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
