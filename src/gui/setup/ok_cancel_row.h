#pragma once
// The OK and Cancel buttons of the setup dialogs, right-aligned: OK answers Return.

class QHBoxLayout;
class QPushButton;

namespace tessarin {

struct OkCancelRow {
  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* layout;
};

// Buttons named "btnOk" and "btnCancel", in a layout the caller adds to its own.
OkCancelRow MakeOkCancelRow();

}  // namespace tessarin
