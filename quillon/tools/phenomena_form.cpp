#include "phenomena_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "almacor/calendar.h"
#include "almacor/dialogs/input.h"
#include "almacor/error.h"
#include "help_window.h"
#include "tool_window.h"

namespace quillon {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PhenomenaForm::PhenomenaForm(MainWindowHost& host)
    : QWidget(host.HostWidget(), Qt::Window), host_(host) {
  setAttribute(Qt::WA_DeleteOnClose);
  ApplyWindowFont(*this);
  setWindowIcon(HostIcon(host.HostWidget()));
  InstallHelpKey(*this, help::kPhenomena);

  auto* layout = new QVBoxLayout(this);
  auto* kinds = new QHBoxLayout;
  for (const PhenomenonKindChoice& choice : kPhenomenonKindChoices) {
    auto* box = new QCheckBox(Q(choice.caption), this);
    box->setChecked(true);
    connect(box, &QCheckBox::toggled, this, [this] { Fill(); });
    kinds->addWidget(box);
    kindBoxes_.push_back(box);
  }
  kinds->addStretch();
  layout->addLayout(kinds);

  table_ = new QTableWidget(0, 4, this);
  table_->setHorizontalHeaderLabels({"日時", "現象", "天体", "詳細"});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setAlternatingRowColors(true);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  // A double click or Enter on a row.
  connect(table_, &QTableWidget::activated, this,
          [this](const QModelIndex& index) { ShowRow(index.row()); });
  layout->addWidget(table_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  copyButton_ = new QPushButton("コピー(&C)", this);
  connect(copyButton_, &QPushButton::clicked, this, [this] { Copy(); });
  buttons->addWidget(copyButton_);
  auto* close = new QPushButton("閉じる", this);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  resize(760, 520);
  HostDisplayed();
}

void PhenomenaForm::HostDisplayed() {
  bool ok = false;
  const int year = host_.DisplayedField(0).toInt(&ok);
  if (!ok) return;
  try {
    if (!phenomena_.Load(year, almacor::LibrarySettings())) return;
  } catch (const almacor::Error&) {
    almacor::dialogs::Beep();
    return;
  }
  setWindowTitle(QString("天象 %1年").arg(year));
  Fill();
  // Opened or moved to another year: the list starts at the main window's instant.
  const double now = host_.HostCalendar().DateTime().Days();
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    if (rows_[static_cast<std::size_t>(r)]->time >= now) {
      table_->setCurrentCell(r, 0);
      table_->scrollToItem(table_->item(r, 0), QAbstractItemView::PositionAtTop);
      break;
    }
  }
}

PhenomenonKinds PhenomenaForm::ShownKinds() const {
  PhenomenonKinds kinds;
  for (std::size_t i = 0; i < kindBoxes_.size(); ++i) {
    if (kindBoxes_[i]->isChecked()) {
      kinds.set(static_cast<std::size_t>(kPhenomenonKindChoices[i].kind));
    }
  }
  return kinds;
}

void PhenomenaForm::Fill() {
  rows_ = phenomena_.Shown(ShownKinds());
  table_->setRowCount(static_cast<int>(rows_.size()));
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    const PhenomenonTexts t = PhenomenonText(*rows_[static_cast<std::size_t>(r)]);
    const std::string_view cells[] = {t.time, t.name, t.body, t.detail};
    for (int c = 0; c < 4; ++c) table_->setItem(r, c, new QTableWidgetItem(Q(cells[c])));
  }
}

void PhenomenaForm::ShowRow(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  host_.ShowInstant(almacor::Date::FromDays(rows_[static_cast<std::size_t>(row)]->time));
}

void PhenomenaForm::Copy() {
  QApplication::clipboard()->setText(Q(phenomena_.CopyText(ShownKinds())));
}

}  // namespace quillon
