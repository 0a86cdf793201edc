#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace quillon {

/// The save dialog of "年間暦の書き出し(&E)...": CSV, JSON Lines or iCalendar (format 0–2), the
/// suggested name koyomi-<year> with the chosen format's suffix, in the home folder.
QFileDialog* CreateExportDialog(QWidget* parent, int year);
/// The format (0–2) of a file named `path`: the one its suffix names (.csv; .jsonl or .json;
/// .ics, in any case), else `filterFormat`, the one of the chosen filter.
int ExportFormatFor(const QString& path, int filterFormat);
/// The format (0–2) chosen in an export dialog: the typed file's suffix, else the filter.
int ChosenExportFormat(const QFileDialog& dialog);

/// Writes the day-by-day almanac of `year` for the library's observer to `path` in `format`
/// (0–2) as a whole, with a progress dialog over `parent`; nothing is left behind on failure.
/// Returns the error message, empty on success.
QString WriteYearFile(QWidget* parent, const QString& path, int year, int format);

}  // namespace quillon
