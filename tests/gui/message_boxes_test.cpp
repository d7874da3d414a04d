#include "gui/dialogs/message_boxes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

namespace tessarin {
namespace {

// Presses a key in the modal box as soon as it is up.
void PressInNextBox(Qt::Key key) {
  QTimer::singleShot(0, [key] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
  });
}

struct QtMessageBoxesTest : ::testing::Test {
  static void SetUpTestSuite() {
    if (QApplication::instance() == nullptr) {
      static int argc = 1;
      static char name[] = "tessarin_gui_tests";
      static char* argv[] = {name, nullptr};
      new QApplication(argc, argv);
    }
  }
  QtMessageBoxes boxes;
};

TEST_F(QtMessageBoxesTest, EscapeGivesTheSafeAnswer) {
  PressInNextBox(Qt::Key_Escape);
  EXPECT_EQ(boxes.Show(nullptr, MessageKind::kWarning, "Setup", "Log directory?",
                       MessageButtons::kOkIgnore),
            MessageAnswer::kOk);
  PressInNextBox(Qt::Key_Escape);
  EXPECT_EQ(
      boxes.Show(nullptr, MessageKind::kWarning, "Setup", "Go on?", MessageButtons::kOkCancel),
      MessageAnswer::kCancel);
  PressInNextBox(Qt::Key_Escape);
  EXPECT_EQ(boxes.Show(nullptr, MessageKind::kInformation, "Tessarin", "Done", MessageButtons::kOk),
            MessageAnswer::kOk);
}

}  // namespace
}  // namespace tessarin
