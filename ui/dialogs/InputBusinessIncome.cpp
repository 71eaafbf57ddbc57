#include "ui/dialogs/InputBusinessIncome.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/Text1251.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/pickers/OkvedPicker.h"
#include "ui/framework/PageWidgets.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

struct KindButton {
  const char* Name;
  const char* Caption;
};
// In the order of the kinds "1" to "6".
constexpr std::array<KindButton, 6> kKinds = {{
    {"rbBusiness", "Предпринимательская"},
    {"rbNotary", "Нотариальная"},
    {"rbLawyer", "Адвокатская"},
    {"rbInsolvency", "Арбитражного управляющего"},
    {"rbFarm", "Главы КФХ"},
    {"rbOther", "Иная деятельность"},
}};

}  // namespace

TfmInputBusinessIncome::TfmInputBusinessIncome(QWidget* owner, IUiPresenter& presenter, const TOkvedDictionary* okved)
    : QDialog(owner), presenter_(presenter), okved_(okved) {
  setObjectName(QStringLiteral("TfmInputBusinessIncome"));
  setWindowTitle(QStringLiteral("Вид деятельности"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* group = new QGroupBox(QStringLiteral("Вид деятельности"), this);
  group->setObjectName(QStringLiteral("gbKind"));
  auto* kinds = new QGridLayout(group);
  auto* buttons = new QButtonGroup(this);
  for (std::size_t i = 0; i < kKinds.size(); ++i) {
    auto* button = new QRadioButton(QString::fromUtf8(kKinds[i].Caption), group);
    button->setObjectName(QString::fromLatin1(kKinds[i].Name));
    buttons->addButton(button, static_cast<int>(i));
    kinds_[i] = button;
    kinds->addWidget(button, static_cast<int>(i % 3), static_cast<int>(i / 3), Qt::AlignLeft);
  }
  kinds_[0]->setChecked(true);

  // Read-only while the classifier can be asked; typed when it was not loaded.
  edOkved = okved_ != nullptr ? MakePanel(this, "edOkved") : MakeEdit(this, "edOkved", EditType::edtNone, 8);
  edOkved->setMaxLength(8);
  edOkved->setFixedWidth(110);
  btOkved = MakeDotsButton(this, "btOkved", QStringLiteral("Выбрать код из справочника"));
  btOkved->setEnabled(okved_ != nullptr);
  lbOkved = MakeLabel(this, QStringLiteral("Код вида деятельности"), okved_ != nullptr ? static_cast<QWidget*>(btOkved)
                                                                                       : static_cast<QWidget*>(edOkved));
  lbOkved->setObjectName(QStringLiteral("lbOkved"));
  auto* code = new QHBoxLayout;
  code->addWidget(lbOkved);
  code->addWidget(edOkved);
  code->addWidget(btOkved);
  code->addStretch();

  const auto [btYes, btNo, row] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &TfmInputBusinessIncome::Confirm);
  connect(btOkved, &QToolButton::clicked, this, &TfmInputBusinessIncome::PickCode);
  connect(buttons, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) KindChanged();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(code);
  layout->addSpacing(8);
  layout->addLayout(row);
  setFixedSize(sizeHint());
  KindChanged();
  kinds_[0]->setFocus();
}

void TfmInputBusinessIncome::SetActivity(const std::string& kind, const std::string& okved) {
  std::size_t index = 0;
  if (kind.size() == 1 && kind[0] >= '1' && kind[0] <= '6') index = static_cast<std::size_t>(kind[0] - '1');
  kinds_[index]->setChecked(true);
  edOkved->setText(FromModel(okved));
  KindChanged();
}

std::string TfmInputBusinessIncome::Kind() const {
  for (std::size_t i = 0; i < kinds_.size(); ++i) {
    if (kinds_[i]->isChecked()) return std::string(1, static_cast<char>('1' + i));
  }
  return "1";
}

std::string TfmInputBusinessIncome::Code() const { return ToModel(edOkved->text()); }

void TfmInputBusinessIncome::KindChanged() {
  // Only an entrepreneur's activity has a code.
  const bool business = kinds_[0]->isChecked();
  lbOkved->setEnabled(business);
  btOkved->setEnabled(business && okved_ != nullptr);
  edOkved->setEnabled(okved_ != nullptr || business);
}

void TfmInputBusinessIncome::PickCode() {
  if (okved_ == nullptr) return;
  // Built afresh each time from the classifier read at start-up.
  TfmOkved picker(this, presenter_, *okved_);
  const std::optional<std::string> code = picker.Execute();
  if (code) edOkved->setText(FromModel(*code));
}

void TfmInputBusinessIncome::Confirm() {
  if (Kind() == "1" && Trim(Code()).empty()) {
    reject();
    return;
  }
  accept();
}

}  // namespace talver
