#include "output/RubberBand.h"

#include <gtest/gtest.h>

#include <vector>

#include "output/RecordingCanvas.h"

namespace kondra {
namespace {

struct FakeControl : BandControl {
  int32_t width = 140, height = 142;
  int fronts = 0;
  std::vector<bool> pointers;
  int32_t Width() const override { return width; }
  int32_t Height() const override { return height; }
  void BringToFront() override { ++fronts; }
  void SetResizePointer(bool resizing) override { pointers.push_back(resizing); }
};

class RubberBandTest : public ::testing::Test {
 protected:
  void SetUp() override { PointMove = TPointMOVE{}; }
  void TearDown() override { SetRubberBandCanvas(nullptr); }
  RecordingCanvas canvas;
  FakeControl control;
};

std::vector<TPoint> Outline(int x1, int y1, int x2, int y2) {
  return {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}, {x1, y1}};
}

TEST_F(RubberBandTest, NothingWithoutACanvas) {
  RubberBandStart(control, 10, 10);
  RubberBandMove(control, 20, 20);
  RubberBandEnd(control);
  EXPECT_FALSE(PointMove.active);
  EXPECT_EQ(control.fronts, 0);
  EXPECT_TRUE(control.pointers.empty());
}

TEST_F(RubberBandTest, DraggedRightToLeftEndsOrderedWithSizes) {
  SetRubberBandCanvas(&canvas);
  RubberBandStart(control, 50, 40);
  EXPECT_TRUE(PointMove.active);
  EXPECT_EQ(control.fronts, 1);
  RubberBandMove(control, 30, 20);
  RubberBandMove(control, 10, 5);
  RubberBandEnd(control);

  // Every outline is drawn inverting, and each one is drawn a second time to
  // erase it: start, (erase, draw) per move, erase at the end.
  ASSERT_EQ(canvas.ops.size(), 6u);
  const std::vector<std::vector<TPoint>> expected = {
      Outline(50, 40, 50, 40), Outline(50, 40, 50, 40), Outline(50, 40, 30, 20),
      Outline(50, 40, 30, 20), Outline(50, 40, 10, 5),  Outline(50, 40, 10, 5)};
  for (std::size_t i = 0; i < canvas.ops.size(); ++i) {
    EXPECT_EQ(canvas.ops[i].points, expected[i]) << i;
    EXPECT_EQ(canvas.ops[i].pen.mode, PenMode::Not) << i;
  }
  EXPECT_EQ(PointMove.x1, 10);
  EXPECT_EQ(PointMove.y1, 5);
  EXPECT_EQ(PointMove.x2, 50);
  EXPECT_EQ(PointMove.y2, 40);
  EXPECT_EQ(PointMove.width, 41);
  EXPECT_EQ(PointMove.height, 36);
  EXPECT_FLOAT_EQ(PointMove.widthRatio, 41.0f / 140);
  EXPECT_FLOAT_EQ(PointMove.heightRatio, 36.0f / 142);
  EXPECT_FALSE(PointMove.active);
  EXPECT_EQ(canvas.pen.mode, PenMode::Copy);
  EXPECT_EQ(control.pointers, (std::vector<bool>{true, false}));

  // The canvas is forgotten: the next band needs it named again.
  RubberBandStart(control, 1, 1);
  EXPECT_FALSE(PointMove.active);
}

TEST_F(RubberBandTest, EndIsKeptInsideTheControlAndAClickIsOnePixel) {
  SetRubberBandCanvas(&canvas);
  RubberBandStart(control, 70, 70);
  RubberBandMove(control, 500, -3);
  EXPECT_EQ(PointMove.x2, 139);
  EXPECT_EQ(PointMove.y2, 0);
  RubberBandMove(control, 70, 70);
  RubberBandEnd(control);
  EXPECT_EQ(PointMove.width, 1);
  EXPECT_EQ(PointMove.height, 1);
}

TEST_F(RubberBandTest, MoveAndEndWithoutStartDoNothing) {
  SetRubberBandCanvas(&canvas);
  RubberBandMove(control, 5, 5);
  RubberBandEnd(control);
  EXPECT_TRUE(canvas.ops.empty());
  EXPECT_TRUE(control.pointers.empty());
}

}  // namespace
}  // namespace kondra
