#include "ui/framework/MyFrame.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/base/UiText.h"

namespace talver {

TThinkingFrame::TThinkingFrame(QWidget* owner, TPageHost& host, PageId id) : QFrame(owner), host_(host), id_(id) {
  setObjectName(FromUtf8(PageClassName(id)));
  // The notice reaches the main window at once, also while the page is still being built (the
  // window then ignores it).
  connect(this, &TThinkingFrame::DataChanged, this, [this] { host_.ChangeNotice(); });
}

// ---------------------------------------------------------------------------------------------

namespace {

// Sets the host's SwitchingPage for the time a page is built and puts the previous value back,
// so that a composite building its first sub-page inside a switch leaves the flag set.
class SwitchingGuard {
 public:
  explicit SwitchingGuard(TPageHost& host) : host_(host), previous_(host.SwitchingPage()) {
    host_.SetSwitchingPage(true);
  }
  ~SwitchingGuard() { host_.SetSwitchingPage(previous_); }
  SwitchingGuard(const SwitchingGuard&) = delete;
  SwitchingGuard& operator=(const SwitchingGuard&) = delete;

 private:
  TPageHost& host_;
  bool previous_;
};

}  // namespace

TPageSwitcher::TPageSwitcher(QWidget* container, TPageHost& host) : container_(container), host_(host) {
  if (container_->layout() == nullptr) {
    auto* layout = new QVBoxLayout(container_);
    layout->setContentsMargins(0, 0, 0, 0);
  }
}

TPageSwitcher::~TPageSwitcher() = default;

bool TPageSwitcher::ShowPage(PageId target, QAbstractButton* button) {
  if (current_ != nullptr && current_->Id() == target) {
    if (currentButton_ != nullptr) currentButton_->setChecked(true);
    return true;
  }
  if (current_ != nullptr) {
    current_->StoreData();
    if (const std::uint16_t code = current_->CheckData(); code != 0) {
      // The clicked button does not stay pressed; the user stays on the page.
      if (currentButton_ != nullptr) currentButton_->setChecked(true);
      if (button != nullptr && button != currentButton_ && button->isChecked() &&
          (button->group() == nullptr || !button->group()->exclusive())) {
        button->setChecked(false);
      }
      current_->ShowError(code);
      return false;
    }
  }
  Replace(target, button);
  return true;
}

TThinkingFrame* TPageSwitcher::ShowDirect(PageId target, QAbstractButton* button) {
  if (current_ == nullptr || current_->Id() != target) Replace(target, button);
  currentButton_ = button;
  if (button != nullptr) button->setChecked(true);
  return current_;
}

void TPageSwitcher::Replace(PageId target, QAbstractButton* button) {
  {
    SwitchingGuard guard(host_);
    TThinkingFrame* page = CreatePage(target, container_, host_);
    container_->layout()->addWidget(page);
    page->show();
    TThinkingFrame* previous = current_;
    current_ = page;
    if (previous != nullptr) {
      container_->layout()->removeWidget(previous);
      delete previous;
    }
    current_->FocusList();
  }
  currentButton_ = button;
  if (button != nullptr) button->setChecked(true);
}

void TPageSwitcher::DestroyPage() {
  if (current_ == nullptr) return;
  container_->layout()->removeWidget(current_);
  delete current_;
  current_ = nullptr;
  currentButton_ = nullptr;
}

// ---------------------------------------------------------------------------------------------

QWidget* MakePageCaption(QWidget* parent, const QString& title) {
  auto* caption = new QLabel(title, parent);
  caption->setObjectName(QStringLiteral("lbPageTitle"));
  QFont font = caption->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.25);
  caption->setFont(font);
  return caption;
}

TCompositeFrame::TCompositeFrame(QWidget* owner, TPageHost& host, PageId id, std::string_view title)
    : TThinkingFrame(owner, host, id),
      buttonBar_(new QWidget(this)),
      buttonLayout_(new QHBoxLayout(buttonBar_)),
      content_(new QWidget(this)),
      switcher_(content_, host) {
  buttonBar_->setObjectName(QStringLiteral("PnlSubButtons"));
  content_->setObjectName(QStringLiteral("PnlSubContainer"));
  buttonLayout_->setContentsMargins(0, 0, 0, 0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakePageCaption(this, FromUtf8(title)));
  layout->addWidget(buttonBar_);
  layout->addWidget(content_, 1);
  new QButtonGroup(buttonBar_);
}

QToolButton* TCompositeFrame::AddSubButton(PageId page, const QString& text, const QString& hint,
                                           const char* objectName) {
  auto* button = new QToolButton(buttonBar_);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setText(text);
  button->setToolTip(hint);
  button->setCheckable(true);
  button->setAutoRaise(false);
  button->setMinimumSize(90, 32);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  buttonBar_->findChild<QButtonGroup*>()->addButton(button);
  buttonLayout_->addWidget(button);
  buttons_.emplace_back(button, page);
  connect(button, &QToolButton::clicked, this, [this, button, page] { switcher_.ShowPage(page, button); });
  return button;
}

void TCompositeFrame::ShowFirst(QToolButton* button) {
  buttonLayout_->addStretch();
  if (button == nullptr) return;
  for (const auto& [b, page] : buttons_) {
    if (b == button) switcher_.ShowDirect(page, b);
  }
}

QToolButton* TCompositeFrame::ButtonOf(PageId page) const {
  for (const auto& [button, p] : buttons_) {
    if (p == page && !button->isHidden()) return button;
  }
  return nullptr;
}

TThinkingFrame* TCompositeFrame::ShowSubPageDirect(PageId page) {
  QToolButton* button = ButtonOf(page);
  if (button == nullptr) return switcher_.Current();
  return switcher_.ShowDirect(page, button);
}

void TCompositeFrame::StoreData() {
  if (TThinkingFrame* page = switcher_.Current()) page->StoreData();
}

std::uint16_t TCompositeFrame::CheckData() {
  TThinkingFrame* page = switcher_.Current();
  return page != nullptr ? page->CheckData() : 0;
}

void TCompositeFrame::ShowError(std::uint16_t code) {
  if (TThinkingFrame* page = switcher_.Current()) page->ShowError(code);
}

void TCompositeFrame::FocusList() {
  if (TThinkingFrame* page = switcher_.Current()) page->FocusList();
}

}  // namespace talver
