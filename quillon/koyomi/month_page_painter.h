#pragma once

#include "month_page.h"

class QPainter;
class QPagedPaintDevice;
class QString;

namespace quillon {

/// Draws `page` over the area (0, 0) – (`width`, `height`) of `painter`, in its device units
/// (screen pixels, or printer dots): the one drawing of the window, its printout and the PDF.
void PaintMonthPage(QPainter& painter, const MonthPage& page, double width, double height);

/// Prints `pages` on `device` (a printer or a PDF writer set up by the caller), one page each,
/// filling its printable area. Returns false when the device cannot be painted on.
bool PrintMonthPages(QPagedPaintDevice& device, const std::vector<MonthPage>& pages);

/// Writes the twelve months of `year` as an A4 landscape PDF to `path`, fonts embedded; needs a
/// QGuiApplication (the offscreen platform will do) but no display. Returns false when the file
/// cannot be written.
bool WriteYearPdf(const QString& path, int year, const almacor::TimeScale& ts,
                  const KoyomiItems& items = {});

}  // namespace quillon
