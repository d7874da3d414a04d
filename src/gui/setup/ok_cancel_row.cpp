#include "gui/setup/ok_cancel_row.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace tessarin {

OkCancelRow MakeOkCancelRow() {
  auto* ok = new QPushButton("OK");
  ok->setObjectName("btnOk");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel");
  cancel->setObjectName("btnCancel");
  cancel->setAutoDefault(false);
  auto* layout = new QHBoxLayout;
  layout->addStretch();
  layout->addWidget(ok);
  layout->addWidget(cancel);
  return {ok, cancel, layout};
}

}  // namespace tessarin
