#pragma once
// The receiving end of a field's change notice. The fields know only this much of the page they
// sit on; the page base implements it.
class QWidget;

namespace talver {

class IFieldOwner {
 public:
  virtual void FieldChanged() = 0;

 protected:
  ~IFieldOwner() = default;
};

// A field's change notice, passed to the owner the field sits on. A field of an entry dialog
// does not reach the page behind the dialog: what the dialog holds becomes a change of the
// return only when the page takes it over after "Да".
void NotifyPageOf(QWidget* field);

}  // namespace talver
