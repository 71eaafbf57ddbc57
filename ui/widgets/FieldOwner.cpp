#include "ui/widgets/FieldOwner.h"

#include <QWidget>

namespace talver {

void NotifyPageOf(QWidget* field) {
  for (QWidget* w = field->parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (auto* owner = dynamic_cast<IFieldOwner*>(w)) {
      owner->FieldChanged();
      return;
    }
    if (w->isWindow()) return;  // the dialog the field sits in
  }
}

}  // namespace talver
