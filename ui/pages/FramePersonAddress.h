#pragma once
// The taxpayer's address: in the Russian Federation (of residence or of stay), the contact
// phone and the address abroad.
#include <QPointer>

#include <cstdint>

#include "ui/framework/MyFrame.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace talver {

class TMaskedEdit;
class TfmBuiltInPicker;

class TfrPersonAddress : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrPersonAddress(QWidget* owner, TPageHost& host);

  void StoreData() override;
  std::uint16_t CheckData() override;
  void ShowError(std::uint16_t code) override;

  // The "..." button of the region.
  void PickRegion();

 private:
  QRadioButton* rbAddressKind[2];
  TMaskedEdit* edPostIndex;
  QLineEdit* pnRegion;
  QToolButton* btRegion;
  TMaskedEdit* edDistrict;
  TMaskedEdit* edCity;
  TMaskedEdit* edLocality;
  TMaskedEdit* edStreet;
  TMaskedEdit* edHouse;
  TMaskedEdit* edBuilding;
  TMaskedEdit* edFlat;
  TMaskedEdit* edOktmo;
  QGroupBox* gbPhone;
  TMaskedEdit* edPhone;
  TMaskedEdit* edForeignAddress;

  std::uint16_t regionCode_ = 0;
  QPointer<TfmBuiltInPicker> regionPicker_;
};

}  // namespace talver
