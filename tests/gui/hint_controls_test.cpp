#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <memory>

#include "gui/controls/h_check_list_box.h"
#include "gui/controls/h_edit.h"
#include "gui/controls/hint_controller.h"
#include "hint_test_support.h"

namespace tessarin {
namespace {

using State = THintController::State;

constexpr const char* kShort = "/a/";
constexpr const char* kLong = "/home/someone/a very long path to one BOINC client directory/";
constexpr const char* kLonger = "/var/lib/another rather long path to a second client/";

class HintControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hints.SetCursorSource([this] { return cursor; });
    window.resize(400, 300);
    list = new THCheckListBox(&window, &hints);
    list->setGeometry(10, 10, 150, 120);
    for (const char* text : {kShort, kLong, kLonger}) {
      auto* entry = new QListWidgetItem(text, list);
      entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
      entry->setCheckState(Qt::Checked);
    }
    edit = new THEdit(&window, &hints);
    edit->setGeometry(10, 150, 150, 24);
    window.show();
    QApplication::processEvents();
    list->doItemsLayout();
  }

  // A move over the middle of an item's text, the cursor following.
  void MoveToItem(int index) {
    const QRect r = list->visualItemRect(list->item(index));
    MoveInList(QPoint(list->ItemTextLeft(index) + 10, r.center().y()));
  }
  void MoveInList(const QPoint& viewportPos, Qt::MouseButtons buttons = Qt::NoButton) {
    cursor = list->viewport()->mapToGlobal(viewportPos);
    test::SendMouse(list->viewport(), QEvent::MouseMove, viewportPos, buttons);
  }
  void MoveInEdit() {
    const QPoint pos(20, 12);
    cursor = edit->mapToGlobal(pos);
    test::SendMouse(edit, QEvent::MouseMove, pos);
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i)
      hints.TimerTimer();
  }
  QString HintText() const { return hints.HintWindow() ? hints.HintWindow()->Text() : QString(); }
  void ExpectIdle() const {
    EXPECT_EQ(hints.CurrentState(), State::kIdle);
    EXPECT_FALSE(hints.HintShowing());
    EXPECT_FALSE(hints.TimerActive());
    EXPECT_EQ(hints.TrackedControl(), nullptr);
  }
  void ShowLong() {
    MoveToItem(1);
    Ticks(2);
    ASSERT_TRUE(hints.HintShowing());
  }

  QApplication& app = test::EnsureApplication();
  THintController hints;
  QPoint cursor;
  QWidget window;
  THCheckListBox* list = nullptr;
  THEdit* edit = nullptr;
};

TEST_F(HintControlsTest, ACutOffItemShowsItsFullTextOverItAfterTwoTicks) {
  MoveToItem(1);
  EXPECT_EQ(hints.CurrentState(), State::kWaiting);
  EXPECT_EQ(hints.TrackedControl(), list);
  EXPECT_TRUE(hints.TimerActive());
  EXPECT_EQ(hints.TimerInterval(), 400);
  Ticks(1);
  EXPECT_FALSE(hints.HintShowing());
  // Further moves over the same list do not restart the delay.
  MoveToItem(1);
  Ticks(1);
  ASSERT_TRUE(hints.HintShowing());
  EXPECT_EQ(hints.CurrentState(), State::kShowing);
  EXPECT_EQ(HintText(), kLong);
  EXPECT_EQ(list->HintIndex(), 1);

  const QRect item = list->visualItemRect(list->item(1));
  const QRect shown = hints.HintWindow()->geometry();
  const int textWidth = list->fontMetrics().horizontalAdvance(kLong);
  EXPECT_EQ(THintWindow::TextRect(shown).left(),
            list->viewport()->mapToGlobal(QPoint(list->ItemTextLeft(1), 0)).x());
  EXPECT_EQ(shown.top(), list->viewport()->mapToGlobal(item.topLeft()).y());
  EXPECT_EQ(shown.height(), item.height());
  EXPECT_EQ(shown.width(), textWidth + 5);
  EXPECT_GT(textWidth, list->ItemTextArea(1).width());
  EXPECT_EQ(hints.HintWindow()->font(), list->font());
  // Later ticks change nothing.
  Ticks(3);
  EXPECT_TRUE(hints.HintShowing());
}

TEST_F(HintControlsTest, AnItemThatFitsShowsNothingAndEndsTheTracking) {
  int calls = 0;
  list->SetOnShowHint([&](int index, bool& showHint, QString&) {
    ++calls;
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(showHint);
  });
  MoveToItem(0);
  Ticks(2);
  EXPECT_EQ(calls, 1);
  ExpectIdle();
}

TEST_F(HintControlsTest, MovingToAnotherItemReplacesTheHintAtOnceAndAShortOneHidesIt) {
  ShowLong();
  MoveToItem(2);
  EXPECT_TRUE(hints.HintShowing());
  EXPECT_EQ(HintText(), kLonger);
  EXPECT_EQ(list->HintIndex(), 2);
  EXPECT_EQ(hints.HintWindow()->geometry().top(),
            list->viewport()->mapToGlobal(list->visualItemRect(list->item(2)).topLeft()).y());

  MoveToItem(0);
  EXPECT_FALSE(hints.HintShowing());
  // The move that ended the hint starts a new wait on the same list.
  EXPECT_EQ(hints.CurrentState(), State::kWaiting);
}

TEST_F(HintControlsTest, AMoveBelowTheItemsCancelsTheHint) {
  ShowLong();
  MoveInList(QPoint(20, list->viewport()->height() - 3));
  EXPECT_FALSE(hints.HintShowing());
  EXPECT_EQ(list->ItemIndexAt(QPoint(20, list->viewport()->height() - 3)), -1);
}

TEST_F(HintControlsTest, ClickingTypingLeavingOrLosingFocusHidesTheHint) {
  const auto click = [&] {
    test::SendMouse(list->viewport(), QEvent::MouseButtonPress, QPoint(30, 5), Qt::LeftButton,
                    Qt::LeftButton);
    test::SendMouse(list->viewport(), QEvent::MouseButtonRelease, QPoint(30, 5), Qt::NoButton,
                    Qt::LeftButton);
  };
  const auto type = [&] {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list, &key);
  };
  const auto leave = [&] {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(list->viewport(), &event);
  };
  const auto focusOut = [&] {
    QFocusEvent event(QEvent::FocusOut);
    QApplication::sendEvent(list, &event);
  };
  for (const auto& cancel : std::vector<std::function<void()>>{click, type, leave, focusOut}) {
    ShowLong();
    cancel();
    ExpectIdle();
  }
}

TEST_F(HintControlsTest, AMoveOverTheHintCancelsItButRestingUnderItDoesNot) {
  ShowLong();
  hints.MouseMoved(cursor);  // where the hint appeared
  EXPECT_TRUE(hints.HintShowing());
  const QRect shown = hints.HintWindow()->geometry();
  hints.MouseMoved(shown.center() + QPoint(7, 0));
  ExpectIdle();
}

TEST_F(HintControlsTest, MovesWithAButtonDownOrWithTheHintOffTrackNothing) {
  MoveInList(QPoint(30, 5), Qt::LeftButton);
  EXPECT_EQ(hints.CurrentState(), State::kIdle);
  list->SetSpHint(false);
  MoveToItem(1);
  EXPECT_EQ(hints.CurrentState(), State::kIdle);
  list->SetSpHint(true);
  MoveToItem(1);
  EXPECT_EQ(hints.CurrentState(), State::kWaiting);
  list->SetSpHint(false);  // switching off ends a running wait
  ExpectIdle();
}

TEST_F(HintControlsTest, OnShowHintCanVetoChangeOrForceTheHint) {
  list->SetOnShowHint([](int, bool& showHint, QString&) { showHint = false; });
  MoveToItem(1);
  Ticks(2);
  ExpectIdle();

  list->SetOnShowHint([](int index, bool& showHint, QString& text) {
    text = QString("item %1").arg(index);
    showHint = true;
  });
  MoveToItem(0);  // fits, but the handler wants a hint
  Ticks(2);
  ASSERT_TRUE(hints.HintShowing());
  EXPECT_EQ(HintText(), "item 0");
  EXPECT_EQ(hints.HintWindow()->width(), list->fontMetrics().horizontalAdvance("item 0") + 5);
}

TEST_F(HintControlsTest, MovingOntoAnotherControlRestartsTheDelay) {
  MoveToItem(1);
  Ticks(1);
  edit->setText(kLong);
  MoveInEdit();
  EXPECT_EQ(hints.TrackedControl(), edit);
  Ticks(1);
  EXPECT_FALSE(hints.HintShowing());
  Ticks(1);
  EXPECT_TRUE(hints.HintShowing());
  EXPECT_EQ(HintText(), kLong);
}

TEST_F(HintControlsTest, ACutOffEditTextShowsOverTheTextAndAFittingOneDoesNot) {
  edit->setText(kShort);
  MoveInEdit();
  Ticks(2);
  ExpectIdle();

  edit->setText(kLong);
  MoveInEdit();
  Ticks(2);
  ASSERT_TRUE(hints.HintShowing());
  const QRect area = edit->TextArea();
  const QRect shown = hints.HintWindow()->geometry();
  EXPECT_EQ(THintWindow::TextRect(shown).left(), edit->mapToGlobal(area.topLeft()).x());
  EXPECT_EQ(shown.top(), edit->mapToGlobal(area.topLeft()).y());
  EXPECT_EQ(shown.height(), area.height());
  EXPECT_EQ(shown.width(), edit->fontMetrics().horizontalAdvance(kLong) + 5);

  QKeyEvent key(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
  QApplication::sendEvent(edit, &key);
  ExpectIdle();
}

TEST_F(HintControlsTest, EditOnShowHintSeesTheDecisionAndCanChangeTheText) {
  edit->setText(kLong);
  bool sawNeeded = false;
  edit->SetOnShowHint([&](bool& showHint, QString& text) {
    sawNeeded = showHint;
    text = "changed";
  });
  MoveInEdit();
  Ticks(2);
  EXPECT_TRUE(sawNeeded);
  EXPECT_EQ(HintText(), "changed");

  edit->SetOnShowHint([](bool& showHint, QString&) { showHint = false; });
  MoveInEdit();
  hints.CancelHint();
  MoveInEdit();
  Ticks(2);
  ExpectIdle();
}

TEST_F(HintControlsTest, ADestroyedControlIsForgotten) {
  ShowLong();
  delete list;
  list = nullptr;
  ExpectIdle();
  Ticks(2);
  ExpectIdle();
}

TEST_F(HintControlsTest, TheRealTimerShowsTheHintAfterAboutEightHundredMilliseconds) {
  MoveToItem(1);
  QEventLoop loop;
  bool shownEarly = true;
  QTimer::singleShot(300, &loop, [&] { shownEarly = hints.HintShowing(); });
  QTimer::singleShot(1600, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_FALSE(shownEarly);
  EXPECT_TRUE(hints.HintShowing());
  EXPECT_EQ(HintText(), kLong);
}

}  // namespace
}  // namespace tessarin
