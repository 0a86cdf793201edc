#pragma once

#include <ostream>

#include "month_page.h"

class QIODevice;
class QPainter;
class QPagedPaintDevice;

namespace quillon {

/// Draws `page` over the area (0, 0) – (`width`, `height`) of `painter`, in its device units
/// (screen pixels, or printer dots): the one drawing of the window, its printout and the PDF.
void PaintMonthPage(QPainter& painter, const MonthPage& page, double width, double height);

/// Prints `pages` on `device` (a printer or a PDF writer set up by the caller), one page each,
/// filling its printable area. Returns false when the device cannot be painted on.
bool PrintMonthPages(QPagedPaintDevice& device, const std::vector<MonthPage>& pages);

/// `pages` as an A4 landscape PDF written to `device` (open for writing), fonts embedded. Returns
/// false when the pages could not be drawn.
bool WriteMonthPagesPdf(const std::vector<MonthPage>& pages, QIODevice& device);

/// The twelve months of `year` as one A4 landscape PDF, fonts embedded, written to `out`; needs a
/// QGuiApplication (the offscreen platform will do) but no display. Returns false when the pages
/// could not be drawn.
bool WriteYearPdf(int year, const almacor::TimeScale& ts, std::ostream& out,
                  const KoyomiItems& items = {});
/// Sets up `device` (a PDF writer or a printer) for the month pages: A4 landscape, 8 mm margins.
void SetUpMonthPageDevice(QPagedPaintDevice& device);

}  // namespace quillon
