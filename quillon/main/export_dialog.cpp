#include "export_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QProgressDialog>
#include <array>

#include "almacor/settings.h"
#include "atomic_file.h"
#include "time_entry.h"
#include "year_table.h"

namespace quillon {
namespace {

// The formats of the year's export, in the order of the save dialog's filters.
struct ExportFormat {
  YearFormat format;
  const char* filter;
  const char* suffix;
};
constexpr std::array<ExportFormat, 3> kExportFormats = {
    {{YearFormat::Csv, "CSV (*.csv)", "csv"},
     {YearFormat::Json, "JSON Lines (*.jsonl)", "jsonl"},
     {YearFormat::Ics, "iCalendar (*.ics)", "ics"}}};

}  // namespace

QFileDialog* CreateExportDialog(QWidget* parent, int year) {
  QStringList filters;
  for (const ExportFormat& f : kExportFormats) filters << QString::fromUtf8(f.filter);
  auto* dialog = new QFileDialog(parent, QStringLiteral("年間暦の書き出し"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setNameFilters(filters);
  dialog->setDirectory(QDir::home());
  dialog->selectFile(QStringLiteral("koyomi-%1.csv").arg(year));
  // The suggested name follows the chosen format.
  QObject::connect(
      dialog, &QFileDialog::filterSelected, dialog, [dialog, filters](const QString& filter) {
        const QString suffix = QString::fromUtf8(kExportFormats[filters.indexOf(filter)].suffix);
        dialog->setDefaultSuffix(suffix);
      });
  dialog->setDefaultSuffix(QStringLiteral("csv"));
  return dialog;
}

int ExportFormatFor(const QString& path, int filterFormat) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("json")) return 1;  // JSON Lines also under the shorter suffix
  for (std::size_t k = 0; k < kExportFormats.size(); ++k) {
    if (suffix == QLatin1String(kExportFormats[k].suffix)) return static_cast<int>(k);
  }
  return filterFormat;
}

int ChosenExportFormat(const QFileDialog& dialog) {
  const int filterFormat = std::max<int>(
      0, static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())));
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? filterFormat : ExportFormatFor(files.front(), filterFormat);
}

QString WriteYearFile(QWidget* parent, const QString& path, int year, int format) {
  QProgressDialog progress(QStringLiteral("%1年の暦を書き出しています…").arg(year), QString(), 0,
                           DaysInMonth(year, 2) == 29 ? 366 : 365, parent);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(400);
  QString error;
  try {
    WriteFileAtomically(path.toStdString(), [&](std::ostream& out) {
      WriteYear(year, kExportFormats[format].format, almacor::LibrarySettings(), out,
                [&](int day) { progress.setValue(day); });
    });
  } catch (const std::exception& e) {
    error = QString::fromUtf8(e.what());
  }
  progress.reset();
  return error;
}

}  // namespace quillon
