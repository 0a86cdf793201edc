#include "main_table_view.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPainter>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <array>

#include "almacor/dialogs/input.h"
#include "program_strings.h"

namespace quillon {

using almacor::dialogs::TwipsToPixels;

namespace {

constexpr int kColumnWidthWide = 1200;   // columns 1–6, twips
constexpr int kColumnWidthNarrow = 900;  // columns 7–9
constexpr int kColumnWidthEvent = 720;   // rise, culmination, set
constexpr int kRowTitleWidth = 810;

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

/// The table's ten body rows and twelve quantity columns; the title row and column are its
/// headers. Hidden columns keep their texts. Each cell keeps its laid-out text, so that a repaint
/// after a step shapes only the texts that changed.
class MainTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetTexts(const MainTableTexts& texts) {
    for (int r = 1; r < kTableRows; ++r) {
      for (int c = 1; c < kTableColumns; ++c) {
        const QString text = Q(texts.cells[r][c]);
        if (text == cells_[r][c]) continue;
        cells_[r][c] = text;
        laidOut_[r][c] = QStaticText(text);
        laidOut_[r][c].setTextFormat(Qt::PlainText);
      }
    }
    emit dataChanged(index(0, 0), index(kTableRows - 2, kTableColumns - 2));
  }
  const QStaticText& LaidOut(const QModelIndex& index) const {
    return laidOut_[index.row() + 1][index.column() + 1];
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : kTableRows - 1;
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : kTableColumns - 1;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::DisplayRole) return cells_[index.row() + 1][index.column() + 1];
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
      return Q(ProgramString(ids::kFirstColumnTitle + section));
    }
    return Q(ProgramString(ids::kFirstBody + section));
  }

 private:
  std::array<std::array<QString, kTableColumns>, kTableRows> cells_;
  std::array<std::array<QStaticText, kTableColumns>, kTableRows> laidOut_;
};

namespace {

/// Draws a cell as black text on white, numbers to the right and event times centred, the
/// current cell highlighted.
class CellDelegate : public QStyledItemDelegate {
 public:
  explicit CellDelegate(const MainTableModel* model, QObject* parent)
      : QStyledItemDelegate(parent), model_(model) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool current = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect,
                      current ? option.palette.color(QPalette::Highlight) : QColor(Qt::white));
    const QStaticText& text = model_->LaidOut(index);
    const QSizeF size = text.size();
    constexpr int kPadding = 4;
    const qreal x = index.column() >= 9 ? option.rect.x() + (option.rect.width() - size.width()) / 2
                                        : option.rect.right() - kPadding - size.width();
    const qreal y = option.rect.y() + (option.rect.height() - size.height()) / 2;
    painter->setPen(current ? option.palette.color(QPalette::HighlightedText) : QColor(Qt::black));
    painter->drawStaticText(QPointF(x, y), text);
  }

 private:
  const MainTableModel* model_;
};

}  // namespace

MainTableView::MainTableView(int heightPx, QWidget* parent)
    : QTableView(parent), model_(new MainTableModel(this)), designHeight_(heightPx) {
  setObjectName(QStringLiteral("Grid1"));
  setModel(model_);
  setItemDelegate(new CellDelegate(model_, this));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWordWrap(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setHighlightSections(false);
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(
      std::max(designHeight_ / kTableRows, fontMetrics().height() + 3));
  horizontalHeader()->setFixedHeight(verticalHeader()->defaultSectionSize());
  verticalHeader()->setFixedWidth(
      std::max(TwipsToPixels(kRowTitleWidth),
               fontMetrics().horizontalAdvance(QStringLiteral("冥王星")) + 14));
  for (int c = 10; c <= 12; ++c) setColumnWidth(c - 1, TwipsToPixels(kColumnWidthEvent));
}

void MainTableView::SetTexts(const MainTableTexts& texts) { model_->SetTexts(texts); }

void MainTableView::SetSky(const QColor& sky) {
  QPalette colours = palette();
  colours.setColor(QPalette::Base, sky);
  colours.setColor(QPalette::Window, sky);
  setPalette(colours);
}

void MainTableView::ShowColumn(int k, bool shown) {
  setColumnHidden(k - 1, !shown);
  if (shown) setColumnWidth(k - 1, TwipsToPixels(k < 7 ? kColumnWidthWide : kColumnWidthNarrow));
}

int MainTableView::NeededHeight() const {
  // Room for the title row, ten bodies and a horizontal scroll bar should the window be narrowed
  // below the shown columns.
  return std::max(designHeight_,
                  verticalHeader()->defaultSectionSize() * kTableRows + 2 * frameWidth() + 1);
}

}  // namespace quillon
