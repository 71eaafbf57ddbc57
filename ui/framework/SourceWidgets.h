#pragma once
// What the pages of payment sources and their dialogs build again and again: the lists with
// their buttons, the four fields that identify a source, and the whole-rouble tax fields.
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Currency.h"

class QGridLayout;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace talver {

class TMaskedEdit;
class TPageHost;

// A source of payments as its dialogs edit it, windows-1251 texts as the model keeps them.
struct TSourceIdentity {
  std::string Name;
  std::string Inn;
  std::string Kpp;
  std::string Oktmo;
  std::uint8_t StandardDeductSource = 0;
};

// A list of rows with the given column captions, one row selected at a time.
QTreeWidget* MakeRowList(QWidget* parent, const char* name, const QStringList& columns, const QString& hint);
// A text button under or beside a list, with its hint.
QToolButton* MakeListToolButton(QWidget* parent, const char* name, const QString& text, const QString& hint);
// Makes `row` current and selected; nothing for a row that does not exist.
void SelectListRow(QTreeWidget* list, int row);
// The selected row, or -1.
int SelectedListRow(const QTreeWidget* list);

// Filling the fields from another element of a list is not a change of the return: the host's
// SwitchingPage is set for the guard's lifetime and then put back.
class TListFillingGuard {
 public:
  explicit TListFillingGuard(TPageHost& host);
  ~TListFillingGuard();
  TListFillingGuard(const TListFillingGuard&) = delete;
  TListFillingGuard& operator=(const TListFillingGuard&) = delete;

 private:
  TPageHost& host_;
  bool previous_;
};

// A tax in whole roubles as its field shows it: empty for 0. A stored amount with kopecks
// (which no field of these pages can type) shows rounded half up, rather than as nothing.
QString WholeRoublesText(Currency value);

// The name, ИНН, КПП and ОКТМО of a source with their captions, laid out on `grid` from row
// `row` on (four rows).
struct TSourceIdentityFields {
  TMaskedEdit* Name;
  TMaskedEdit* Inn;
  TMaskedEdit* Kpp;
  TMaskedEdit* Oktmo;

  void Set(const TSourceIdentity& source);
  // The four texts (StandardDeductSource is left 0).
  TSourceIdentity Get() const;
  // Focuses the field a source validator named (kSourceName … kSourceOktmo).
  void Focus(int field);
};
TSourceIdentityFields MakeSourceIdentityFields(QWidget* parent, QGridLayout* grid, int row,
                                               const QString& nameCaption, int innLength);

}  // namespace talver
