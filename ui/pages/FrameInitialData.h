#pragma once
// The conditions page: the form of the return, the inspection, the correction number, the
// taxpayer's category, the kinds of income (the sections of the document) and the signer.
// Its choices switch the other section buttons of the main window on and off.
#include <string>

#include "ui/framework/MyFrame.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QToolButton;

namespace talver {

class TMaskedEdit;

class TfrInitialData : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrInitialData(QWidget* owner, TPageHost& host);

  void StoreData() override;
  std::uint16_t CheckData() override;
  void ShowError(std::uint16_t code) override;

  // The "..." button: the inspection picker with the current code.
  void PickInspection();

 private:
  std::uint8_t ChosenForm() const;
  std::uint8_t ChosenSigner() const;
  std::uint8_t TickedSections() const;
  // The rules of the chosen form; `untick` is false while the page fills itself from the model.
  void ApplyForm(bool untick);
  void ApplySigner();
  void UpdateDeductionButton();
  void IncomeBoxToggled(QCheckBox* box, bool ticked);
  // A typed code takes its name from the directory, or none.
  void InspectionTyped();
  // Says once for each code that the directory does not know a well-formed code.
  void ReportUnknownInspection();
  // The inspection's name beside its code: the picker's choice, the directory's name of a typed
  // code, or the name the file keeps; empty for a code the directory does not know.
  void ShowInspectionName();

  QRadioButton* rbForm[3];
  TMaskedEdit* edInspection;
  QToolButton* btInspection;
  QLabel* lbInspectionName;
  TMaskedEdit* edCorrection;
  QRadioButton* rbCategory[7] = {};
  QCheckBox* cbRussian;
  QLabel* lbNote;
  QCheckBox* cbForeign;
  QCheckBox* cbBusiness;
  QCheckBox* cbInvestTov;
  QLabel* lbExpectedIncome;
  TMaskedEdit* edExpectedIncome;
  QRadioButton* rbSigner[3];
  TMaskedEdit* edRepresentativeName;
  TMaskedEdit* edRepresentativeDocument;
  QLabel* lbRepresentativeOrganization;
  TMaskedEdit* edRepresentativeOrganization;
  QGroupBox* gbAppendix;
  TMaskedEdit* edAppendixCount;
  QCheckBox* cbAutoCount;

  std::string inspectionName_;
  std::string reportedUnknown_;
  std::uint8_t legacySections_ = 0;
  bool filling_ = true;
};

}  // namespace talver
