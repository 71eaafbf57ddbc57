#include "ui/pickers/InspectionPicker.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/Dates.h"
#include "dictionaries/Inspections.h"
#include "ui/framework/HelpWindow.h"
#include "ui/base/UiText.h"

namespace talver {

std::optional<std::vector<InspectionChoice>> LoadInspectionDirectory(const std::filesystem::path& dataFolder,
                                                                     const std::filesystem::path& programFolder,
                                                                     std::string& error) {
  error.clear();
  try {
    const std::optional<TInspectionDirectory> directory =
        TInspectionDirectory::Load(TDictionaryFolders{programFolder, dataFolder});
    if (!directory) return std::nullopt;
    std::vector<InspectionChoice> list;
    list.reserve(directory->Inspections().size());
    for (const TInspection& inspection : directory->Inspections()) list.push_back({inspection.Code, inspection.Name});
    return list;
  } catch (const std::exception& e) {
    error = e.what();
    return std::nullopt;
  }
}

std::optional<InspectionChoice> FindInspectionIn(const std::vector<InspectionChoice>& inspections,
                                                 const std::string& code) {
  for (const InspectionChoice& inspection : inspections) {
    if (inspection.Code == code) return inspection;
  }
  return std::nullopt;
}

SounImport DictionaryImport() {
  return [](const std::filesystem::path& from, const std::filesystem::path& to, const std::string& version,
            const std::string& date) { ImportSounRegister(from, to, version, date); };
}

// ---------------------------------------------------------------------------------------------

TfmInspections::TfmInspections(QWidget* owner, const std::vector<InspectionChoice>& inspections,
                               TImportSettings settings)
    : QDialog(owner), inspections_(inspections), settings_(std::move(settings)) {
  setObjectName(QStringLiteral("TfmInspections"));
  setWindowTitle(QStringLiteral("Справочник инспекций"));
  resize(640, 480);

  lvInspections = new QTreeWidget(this);
  lvInspections->setObjectName(QStringLiteral("lvInspections"));
  lvInspections->setHeaderLabels({QStringLiteral("Код"), QStringLiteral("Наименование инспекции")});
  lvInspections->setRootIsDecorated(false);
  lvInspections->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvInspections->setSelectionMode(QAbstractItemView::SingleSelection);
  lvInspections->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvInspections->setAllColumnsShowFocus(true);
  lvInspections->setUniformRowHeights(true);
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(inspections_.size()));
  for (const InspectionChoice& inspection : inspections_) {
    rows.append(new QTreeWidgetItem({FromModel(inspection.Code), FromModel(inspection.Name)}));
  }
  lvInspections->addTopLevelItems(rows);
  lvInspections->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  lvInspections->header()->setStretchLastSection(true);
  connect(lvInspections, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });
  connect(lvInspections, &QTreeWidget::itemActivated, this, [this] { accept(); });

  auto* btYes = new QPushButton(QStringLiteral("Да"), this);
  btYes->setObjectName(QStringLiteral("btYes"));
  btYes->setDefault(true);
  auto* btNo = new QPushButton(QStringLiteral("Нет"), this);
  btNo->setObjectName(QStringLiteral("btNo"));
  auto* btMissing = new QPushButton(QStringLiteral("Пролистал весь справочник, моя инспекция отсутствует..."), this);
  btMissing->setObjectName(QStringLiteral("btMissing"));
  btMissing->setAutoDefault(false);
  connect(btYes, &QPushButton::clicked, this, &QDialog::accept);
  connect(btNo, &QPushButton::clicked, this, &QDialog::reject);
  connect(btMissing, &QPushButton::clicked, this, &TfmInspections::OpenImport);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btMissing);
  buttons->addStretch();
  buttons->addWidget(btYes);
  buttons->addWidget(btNo);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lvInspections, 1);
  layout->addLayout(buttons);
}

void TfmInspections::SelectCode(const std::string& code) {
  lvInspections->clearSelection();
  for (std::size_t i = 0; i < inspections_.size(); ++i) {
    if (inspections_[i].Code == code) {
      QTreeWidgetItem* item = lvInspections->topLevelItem(static_cast<int>(i));
      lvInspections->setCurrentItem(item);
      lvInspections->scrollToItem(item, QAbstractItemView::PositionAtCenter);
      break;
    }
  }
  lvInspections->setFocus();
}

std::optional<InspectionChoice> TfmInspections::Execute(const std::string& currentCode) {
  SelectCode(currentCode);
  if (exec() != QDialog::Accepted) return std::nullopt;
  QTreeWidgetItem* item = lvInspections->currentItem();
  if (item == nullptr || !item->isSelected()) return std::nullopt;
  return inspections_.at(static_cast<std::size_t>(lvInspections->indexOfTopLevelItem(item)));
}

void TfmInspections::OpenImport() {
  TfmLoadSoun dialog(this, settings_);
  dialog.exec();
}

// ---------------------------------------------------------------------------------------------

TfmLoadSoun::TfmLoadSoun(QWidget* owner, TImportSettings settings) : QDialog(owner), settings_(std::move(settings)) {
  if (!settings_.Import) settings_.Import = DictionaryImport();
  setObjectName(QStringLiteral("TfmLoadSoun"));
  setWindowTitle(QStringLiteral("Загрузка СОУН"));
  auto* layout = new QVBoxLayout(this);
  const QString site = QString::fromUtf8(kSounSite);
  const QString host = QUrl(site).host();
  const QString lines[] = {
      QStringLiteral("Инспекция может отсутствовать в справочнике по двум причинам:"),
      QStringLiteral("- у инспекции изменился код и название, а вы не в курсе"),
      QStringLiteral("- справочник устарел"),
      QStringLiteral("Возможно два решения проблемы: простое и более сложное"),
      QStringLiteral("Простое: отредактировать справочник вручную. Как это сделать,"),
      QStringLiteral("<a href=\"help\">подробно расписано в Справке</a>"),
      QStringLiteral("Сложное:"),
      QStringLiteral("- скачать с сайта %1 <a href=\"site\">актуальный справочник СОУН</a>").arg(host),
      QStringLiteral("- извлечь из скаченного архива SOUN_DBF.ARJ файл soun1.dbf"),
      QStringLiteral("- указать путь к файлу soun1.dbf и обновить справочник"),
      QStringLiteral("- перезапустить программу \"Тальвер 2016\""),
  };
  int number = 1;
  for (const QString& text : lines) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("lbLine%1").arg(number++));
    if (text.contains(QLatin1String("<a "))) {
      label->setTextFormat(Qt::RichText);
      label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
      label->setCursor(Qt::PointingHandCursor);
      connect(label, &QLabel::linkActivated, this, [this](const QString& link) {
        if (link == QLatin1String("help")) {
          OpenHelp();
        } else {
          OpenSite();
        }
      });
    } else {
      label->setTextFormat(Qt::PlainText);
    }
    layout->addWidget(label);
  }

  edPath = new QLineEdit(this);
  edPath->setObjectName(QStringLiteral("edPath"));
  edPath->setReadOnly(true);
  auto* btBrowse = new QPushButton(QStringLiteral("..."), this);
  btBrowse->setObjectName(QStringLiteral("btBrowse"));
  btBrowse->setFixedWidth(32);
  btImport = new QPushButton(QStringLiteral("Импорт СОУН"), this);
  btImport->setObjectName(QStringLiteral("btImport"));
  btImport->setEnabled(false);
  btOk = new QPushButton(QStringLiteral("OK"), this);
  btOk->setObjectName(QStringLiteral("btOk"));
  connect(btBrowse, &QPushButton::clicked, this, &TfmLoadSoun::ChooseFile);
  connect(btImport, &QPushButton::clicked, this, &TfmLoadSoun::RunImport);
  connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(edPath, 1);
  pathRow->addWidget(btBrowse);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btImport);
  buttons->addWidget(btOk);
  layout->addSpacing(8);
  layout->addLayout(pathRow);
  layout->addLayout(buttons);
  setMinimumWidth(520);
}

// The register's name as its archive gives it may be upper case; the file system here tells the
// cases apart, so the filter lists every register file in either case.
void TfmLoadSoun::ChooseFile() {
  const QString chosen = settings_.Dialogs->GetOpenFileName(this, FromPath(settings_.ProgramFolder),
                                                            QStringLiteral("*.dbf (*.dbf *.DBF)"), QString());
  if (chosen.isEmpty()) return;
  edPath->setText(chosen);
  btImport->setEnabled(true);
  btOk->setEnabled(false);
}

void TfmLoadSoun::RunImport() {
  btOk->setEnabled(true);
  IPresenter& presenter = *settings_.Presenter;
  const QString path = edPath->text().trimmed();
  if (path.isEmpty()) {
    presenter.ShowMessage(kSounNoPathMessage, kProductName, MessageIcon::Warning);
    return;
  }
  bool done = false;
  try {
    std::error_code ec;
    std::filesystem::create_directories(settings_.DataFolder, ec);
    settings_.Import(ToPath(path), WritableDictionaryPath({settings_.ProgramFolder, settings_.DataFolder},
                                                         kInspectionsFileName),
                     "00", DateToText(Today(), '.'));
    done = true;
  } catch (const std::exception&) {
    done = false;
  }
  if (done) {
    presenter.ShowMessage(kSounImportDoneMessage, kProductName, MessageIcon::Information);
  } else {
    presenter.ShowMessage(kSounImportFailedMessage, kProductName, MessageIcon::Error);
  }
}

void TfmLoadSoun::OpenHelp() { ShowHelpTopic(settings_.ProgramFolder, "EditSOUN.htm", *settings_.Presenter); }

void TfmLoadSoun::OpenSite() {
  if (!settings_.Dialogs->OpenUrl(QUrl(QString::fromUtf8(kSounSite)))) {
    settings_.Presenter->ShowMessage("Не удалось запустить браузер", kProductName, MessageIcon::Error);
  }
}

}  // namespace talver
