#include "ui/app/About.h"

#include <QLabel>
#include <QPixmap>
#include <QUrlQuery>
#include <QVBoxLayout>

#include "ui/base/UiText.h"

namespace talver {

TfmAbout::TfmAbout(QWidget* owner, IFileDialogs& dialogs, IPresenter& presenter)
    : QDialog(owner), dialogs_(dialogs), presenter_(presenter) {
  setObjectName(QStringLiteral("TfmAbout"));
  setWindowTitle(QStringLiteral("О программе"));
  setFixedSize(460, 232);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 8);
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Image"));
  picture->setPixmap(QPixmap(QStringLiteral(":/pictures/talver.jpg")));
  picture->setFixedSize(460, 104);
  layout->addWidget(picture);

  auto* support = new QLabel(
      QStringLiteral("По вопросам, связанным с использованием программы обращайтесь в службу поддержки."), this);
  support->setObjectName(QStringLiteral("lbSupport"));
  support->setWordWrap(true);
  support->setAlignment(Qt::AlignCenter);
  const QString email = QString::fromUtf8(kSupportEmail);
  const QString site = QString::fromUtf8(kWebSite);
  auto* mail = new QLabel(QStringLiteral("Эл.адрес \"горячей линии\": <a href=\"mail\">%1</a>").arg(email), this);
  mail->setObjectName(QStringLiteral("lbMail"));
  auto* web = new QLabel(QStringLiteral("Последние версии ПО на сайте <a href=\"site\">%1</a>").arg(site), this);
  web->setObjectName(QStringLiteral("lbSite"));
  for (QLabel* label : {mail, web}) {
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  }
  connect(mail, &QLabel::linkActivated, this, &TfmAbout::OpenMail);
  connect(web, &QLabel::linkActivated, this, &TfmAbout::OpenSite);
  layout->addSpacing(6);
  layout->addWidget(support);
  layout->addWidget(mail);
  layout->addWidget(web);
  layout->addStretch();
}

void TfmAbout::OpenSite() {
  if (!dialogs_.OpenUrl(QUrl(QString::fromUtf8(kWebSite)))) {
    presenter_.ShowMessage("Не удалось запустить браузер", kProductName, MessageIcon::Error);
  }
}

void TfmAbout::OpenMail() {
  QUrl url(QStringLiteral("mailto:") + QString::fromUtf8(kSupportEmail));
  QUrlQuery query;
  query.addQueryItem(QStringLiteral("subject"), QString::fromUtf8(kProductName));
  url.setQuery(query);
  if (!dialogs_.OpenUrl(url)) {
    presenter_.ShowMessage("Не удалось запустить почтовый клиент", kProductName, MessageIcon::Error);
  }
}

void TfmAbout::mousePressEvent(QMouseEvent* event) {
  QDialog::mousePressEvent(event);
  accept();
}

}  // namespace talver
