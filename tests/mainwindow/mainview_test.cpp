// The projection and drawing of the main view, on a canvas without widgets.
#include "mainwindow/mainview.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <random>

#include "engine/bodies.h"
#include "engine/state.h"
#include "mainwindow/viewwidget.h"
#include "ui/colours.h"
#include "tests/support/nullhosts.h"

namespace molvane {
namespace {

class MainViewProjection : public ::testing::Test {
 protected:
  void SetUp() override {
    s = std::make_unique<State>();
    view = std::make_unique<MainView>(*s);
    view->resizeCanvas(800, 600);
    view->setScreenSize(800, 600);
    s->ScreenCentreX = 400;
    s->ScreenCentreY = 300;
    s->ScalePixel = 1e-9;  // 1 pixel per 1e9 m
    s->trails = false;     // the last drawn position then records the place
    s->objects = 0;
    view->setTilt(0, -10000);  // start-up tilt: looking down the z axis
  }
  int addBody(double x, double y, double z, double mass = 1, int32_t colour = 0x0000FF) {
    const int i = ++s->objects;
    s->objname[i] = "B" + std::to_string(i);
    s->objx[i] = x;
    s->objy[i] = y;
    s->objz[i] = z;
    s->objmass[i] = mass;
    s->objcolor[i] = colour;
    s->objcolor2[i] = ColourWhite;
    s->objlastx[i] = -1000;
    s->objlasty[i] = -1000;
    return i;
  }
  uint32_t pixel(int x, int y) const { return view->canvas().pixel(x, y) | 0xFF000000u; }

  std::unique_ptr<State> s;
  std::unique_ptr<MainView> view;
};

TEST_F(MainViewProjection, PlusXIsLeftAndPlusYIsBelowTheFocus) {
  s->focusobj = addBody(0, 0, 0);
  const int east = addBody(1e11, 0, 0);
  const int south = addBody(0, 1e11, 0);
  const int up = addBody(0, 0, 1e11);
  view->drawBodies();
  EXPECT_DOUBLE_EQ(s->objlastx[1], 400);
  EXPECT_DOUBLE_EQ(s->objlasty[1], 300);
  EXPECT_DOUBLE_EQ(s->objlastx[east], 300);  // +x: left of centre
  EXPECT_DOUBLE_EQ(s->objlasty[east], 300);
  EXPECT_DOUBLE_EQ(s->objlastx[south], 400);
  EXPECT_DOUBLE_EQ(s->objlasty[south], 400);  // +y: below
  EXPECT_DOUBLE_EQ(s->objlastx[up], 400);     // z: along the line of sight
  EXPECT_DOUBLE_EQ(s->objlasty[up], 300);
  EXPECT_EQ(pixel(300, 300), PixelFromValue(0x0000FF));
}

TEST_F(MainViewProjection, TheViewFollowsTheFocusBody) {
  addBody(5e11, 2e11, 0);
  s->focusobj = addBody(2e11, -1e11, 0);
  view->drawBodies();
  EXPECT_DOUBLE_EQ(s->objlastx[2], 400);
  EXPECT_DOUBLE_EQ(s->objlasty[2], 300);
  EXPECT_DOUBLE_EQ(s->objlastx[1], 400 - 300);
  EXPECT_DOUBLE_EQ(s->objlasty[1], 300 + 300);  // below the canvas but inside the band
}

TEST_F(MainViewProjection, TiltEdgeOnShowsZUpAndSidewaysTiltMixesZIntoX) {
  s->focusobj = addBody(0, 0, 0);
  const int up = addBody(0, 0, 1e11);
  const int east = addBody(1e11, 0, 0);
  view->setTilt(0, 0);  // both bars centred: edge-on
  view->drawBodies();
  EXPECT_DOUBLE_EQ(s->objlasty[up], 200);  // +z drawn above the centre
  EXPECT_DOUBLE_EQ(s->objlastx[up], 400);
  EXPECT_DOUBLE_EQ(s->objlastx[east], 300);

  view->resetPlotState();
  view->setTilt(10000, -10000);  // horizontal tilt full: x shows z
  view->drawBodies();
  EXPECT_DOUBLE_EQ(s->objlastx[up], 500);
  EXPECT_DOUBLE_EQ(s->objlastx[east], 400);
}

TEST_F(MainViewProjection, BarycentreAnchorCentresTheSystem) {
  s->focusobj = addBody(0, 0, 0, 3);
  addBody(4e11, 0, 0, 1);
  s->anchor = false;
  s->SystemElements[1] = 2;
  s->SystemElementsCount = 1;
  view->drawBodies();
  EXPECT_DOUBLE_EQ(s->GroupMass, 4);
  EXPECT_DOUBLE_EQ(s->OffsetX, 100);  // barycentre at 1e11 m
  EXPECT_DOUBLE_EQ(s->objlastx[1], 500);
  EXPECT_DOUBLE_EQ(s->objlastx[2], 100);
}

TEST_F(MainViewProjection, MasslessSystemAndBadPositionsNeverStopTheDrawing) {
  s->focusobj = addBody(0, 0, 0, 0);
  addBody(1e11, 0, 0, 0);
  const int nan = addBody(std::numeric_limits<double>::quiet_NaN(), 0, 0);
  const int inf = addBody(0, std::numeric_limits<double>::infinity(), 0);
  const int huge = addBody(1e300, 0, 0);
  const int last = addBody(0, 1e11, 0);
  s->anchor = false;
  s->SystemElements[1] = 2;
  s->SystemElementsCount = 1;
  view->drawBodies();
  EXPECT_DOUBLE_EQ(s->objlastx[1], 400);  // the centre stays on the focus body
  EXPECT_DOUBLE_EQ(s->objlastx[2], 300);
  EXPECT_DOUBLE_EQ(s->objlastx[nan], -1000);
  EXPECT_DOUBLE_EQ(s->objlastx[inf], -1000);
  EXPECT_DOUBLE_EQ(s->objlastx[huge], -1000);
  EXPECT_DOUBLE_EQ(s->objlasty[last], 400);  // bodies after them still drawn
  EXPECT_TRUE(std::isfinite(s->OffsetX));

  // A focus body that is not finite keeps the previous view centre.
  s->objx[1] = std::numeric_limits<double>::quiet_NaN();
  view->drawBodies();
  EXPECT_TRUE(std::isfinite(s->OffsetX));
}

TEST_F(MainViewProjection, OnlyBodiesInsideThe200PixelBandAreDrawn) {
  s->focusobj = addBody(0, 0, 0);
  const int out = addBody(6e11, 0, 0);    // x = -200 exactly
  const int in = addBody(5.99e11, 0, 0);  // x = -199
  const int below = addBody(0, 5e11, 0);  // y = 600 + 200 exactly
  const int justIn = addBody(0, 4.99e11, 0);
  view->drawBodies();
  EXPECT_DOUBLE_EQ(s->objlastx[out], -1000);
  EXPECT_DOUBLE_EQ(s->objlastx[in], -199);
  EXPECT_DOUBLE_EQ(s->objlasty[below], -1000);
  EXPECT_DOUBLE_EQ(s->objlasty[justIn], 799);
}

TEST_F(MainViewProjection, EraseOnlyWithTrailsOffAndTrailColours) {
  s->focusobj = addBody(0, 0, 0, 1, 0x00FF00);
  const int moving = addBody(1e11, 0, 0, 1, 0x0000FF);
  view->drawBodies();
  s->objx[moving] = 1.5e11;  // 50 px further left
  view->drawBodies();
  EXPECT_EQ(pixel(300, 300), PixelFromValue(0));  // old disc erased
  EXPECT_EQ(pixel(250, 300), PixelFromValue(0x0000FF));

  s->trails = true;
  s->objx[moving] = 2e11;
  view->drawBodies();
  EXPECT_EQ(pixel(250, 300), PixelFromValue(0x0000FF));     // kept as a trail
  EXPECT_EQ(pixel(200, 300), PixelFromValue(ColourWhite));  // filled with colour 2
  EXPECT_EQ(pixel(198, 300), PixelFromValue(0x0000FF));     // outline in its colour
  EXPECT_EQ(pixel(400, 300), PixelFromValue(0x00FF00));     // the focus body keeps its own fill
}

TEST_F(MainViewProjection, RadiusRules) {
  s->focusobj = addBody(0, 0, 0);
  s->objsize[1] = 0;
  view->drawBodies();
  EXPECT_EQ(pixel(402, 300), PixelFromValue(0x0000FF));  // minimum radius 2
  EXPECT_EQ(pixel(404, 300), PixelFromValue(0));

  view->clearView();
  s->ExaggerateObjectSizeOn = true;
  view->drawBodies();
  EXPECT_EQ(pixel(410, 300), PixelFromValue(0x0000FF));  // exaggerated: 10
  EXPECT_EQ(pixel(412, 300), PixelFromValue(0));

  view->clearView();
  s->ExaggerateObjectSizeOn = false;
  s->objsize[1] = 1e30;  // capped at 4000 pixels: covers the canvas
  view->drawBodies();
  EXPECT_EQ(pixel(0, 0), PixelFromValue(0x0000FF));
  EXPECT_EQ(pixel(799, 599), PixelFromValue(0x0000FF));
}

// A pass places many bodies at once and draws small discs from their shapes:
// the general path's pixels at each body's projected place, in body order,
// for tilted views (centres between pixels), radii on both sides of the
// small discs' limit and discs across the canvas's edges, on a canvas in
// ordinary memory and on a large one in memory of its own.
TEST_F(MainViewProjection, APassDrawsTheGeneralPathsPixelsAtTheProjectedPlaces) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  s->trails = true;
  s->MinimumObjectSize = 0;
  s->focusobj = addBody(0, 0, 0, 1, 0x00FF00);
  for (int k = 0; k < 400; ++k) {
    const int i = addBody((unit(rng) - 0.5) * 1.5e12, (unit(rng) - 0.5) * 1e12, (unit(rng) - 0.5) * 4e11, 1,
                          static_cast<int32_t>(rng() & 0xFFFFFF));
    s->objsize[i] = unit(rng) * 5.5e9;  // radius 0 to 2.75 pixels
    s->objcolor2[i] = static_cast<int32_t>(rng() & 0xFFFFFF);
  }
  for (const auto& [w, h] : {std::pair{800, 600}, std::pair{1400, 900}}) {
    view->resizeCanvas(w, h);
    view->setScreenSize(w, static_cast<int16_t>(h));
    s->ScreenCentreX = w / 2.0;
    s->ScreenCentreY = h / 2.0;
    for (const auto& [th, tv] : {std::pair{3000, -7000}, std::pair{-10000, 2500}, std::pair{0, -10000}}) {
      view->setTilt(th, tv);
      view->clearView();
      view->drawBodies();
      QImage expected(w, h, QImage::Format_RGB32);
      expected.fill(PixelFromValue(s->mainWindow.backColor));
      const CanvasPixels pixels{expected.bits(), expected.bytesPerLine(), w, h};
      for (int i = 1; i <= s->objects; ++i) {
        double x, y;
        if (!view->projectBody(i, x, y) || !(x > -200 && x < w + 200 && y > -200 && y < h + 200)) continue;
        const int32_t fill = i == s->focusobj ? s->objcolor[i] : s->objcolor2[i];
        FillDiscGeneral(pixels, static_cast<float>(x), static_cast<float>(y),
                        static_cast<float>(s->objsize[i] * s->ScalePixel / 2), PixelFromValue(fill),
                        PixelFromValue(s->objcolor[i]));
      }
      EXPECT_EQ(view->canvas(), expected) << w << " x " << h << ", tilt " << th << ", " << tv;
    }
  }
}

// With trails off each pass erases the discs of the pass before: in the
// rotating frame every place moves, and no pixel stays lit outside the
// discs of the latest pass.
TEST_F(MainViewProjection, TrailsOffLeaveNothingBesideTheLatestDiscs) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  s->MinimumObjectSize = 0;
  s->RotatingFrame.on = true;
  s->RotatingFrame.period = 3000;
  s->focusobj = addBody(0, 0, 0);
  for (int k = 1; k < 1000; ++k) {
    const int i = addBody((unit(rng) - 0.5) * 9e11, (unit(rng) - 0.5) * 7e11, 0, 1e-9);
    s->objsize[i] = unit(rng) * 4e10;  // radius 0 to 20 pixels
  }
  const uint32_t back = PixelFromValue(s->mainWindow.backColor);
  for (int pass = 0; pass < 1000; ++pass) view->drawBodies();
  QImage discs(800, 600, QImage::Format_RGB32);
  discs.fill(back);
  const CanvasPixels pixels{discs.bits(), discs.bytesPerLine(), 800, 600};
  for (int i = 1; i <= s->objects; ++i) {
    FillDiscGeneral(pixels, static_cast<float>(s->objlastx[i]), static_cast<float>(s->objlasty[i]),
                    static_cast<float>(s->objsize[i] * s->ScalePixel / 2), ~0u, ~0u);
  }
  int dust = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) dust += view->canvas().pixel(x, y) != back && discs.pixel(x, y) == back;
  }
  EXPECT_EQ(dust, 0);
}

TEST_F(MainViewProjection, LabelsSitRightWithTrailsAndLeftWithout) {
  s->focusobj = addBody(0, 0, 0);
  s->llabels = true;
  view->rebuildLabels();
  ASSERT_EQ(view->labels().size(), 2u);
  const int w = view->labels()[1].width;
  EXPECT_GT(w, 0);
  view->drawBodies();  // trails off
  EXPECT_DOUBLE_EQ(view->labels()[1].left, 400 - w - 2 - 5);
  EXPECT_DOUBLE_EQ(view->labels()[1].top, 300);
  EXPECT_EQ(view->labelAt(QPointF(400 - w - 7 + 1, 301)), 1);
  EXPECT_EQ(view->labelAt(QPointF(410, 301)), 0);

  view->resetPlotState();
  s->trails = true;
  view->drawBodies();
  EXPECT_DOUBLE_EQ(view->labels()[1].left, 400 + 5 + 2);
  EXPECT_EQ(view->labelAt(QPointF(408, 301)), 1);
  s->llabels = false;
  EXPECT_EQ(view->labelAt(QPointF(408, 301)), 0);  // hidden labels are not hit
}

TEST_F(MainViewProjection, RotatingFrameStillAtPeriodZeroAndAngleWithinOneTurn) {
  s->focusobj = addBody(0, 0, 0);
  addBody(1e11, 0, 0);
  s->RotatingFrame.on = true;
  s->RotatingFrame.period = 0;
  view->drawBodies();
  EXPECT_EQ(view->rotatingFrameAngle(), 0);
  EXPECT_NEAR(s->objlastx[2], 300, 0.01);  // unturned
  EXPECT_NEAR(s->objlasty[1], 300, 0.01);  // on the middle row: no division by zero

  s->RotatingFrame.period = 1e-6;  // an absurd turn per body
  for (int k = 0; k < 100; ++k) view->drawBodies();
  EXPECT_LT(std::fabs(view->rotatingFrameAngle()), 2 * 3.14159265358979323846);
  EXPECT_TRUE(std::isfinite(s->objlastx[2]));

  // A quarter turn moves a body left of the middle to above (or below) it.
  view->setRotatingFrameAngle(3.14159265358979323846 / 2);
  s->RotatingFrame.period = 1e300;  // negligible further turn
  view->resetPlotState();
  view->drawBodies();
  EXPECT_NEAR(s->objlastx[2], 400, 0.01);
  EXPECT_NEAR(std::fabs(s->objlasty[2] - 300), 100, 0.01);
}

TEST_F(MainViewProjection, ResetParksLabelsAndForgetsLastPositions) {
  s->focusobj = addBody(0, 0, 0);
  s->llabels = true;
  view->rebuildLabels();
  view->drawBodies();
  view->resetPlotState();
  EXPECT_DOUBLE_EQ(s->objlastx[1], -1000);
  EXPECT_DOUBLE_EQ(s->objlasty[1], -1000);
  EXPECT_DOUBLE_EQ(view->labels()[1].left, -1000);
}

TEST_F(MainViewProjection, RaisedLabelsStayOnTopWhenTheTextsAreRewritten) {
  addBody(0, 0, 0);
  addBody(1e9, 0, 0);
  addBody(2e9, 0, 0);
  view->rebuildLabels();
  view->raiseLabel(1);
  EXPECT_EQ(view->labelOrder(), (std::vector<int>{2, 3, 1}));
  view->rebuildLabels();  // same bodies: the stacking is kept
  EXPECT_EQ(view->labelOrder(), (std::vector<int>{2, 3, 1}));
  addBody(3e9, 0, 0);  // a new body's label goes on top
  view->rebuildLabels();
  EXPECT_EQ(view->labelOrder(), (std::vector<int>{2, 3, 1, 4}));
  s->objects = 2;  // a deleted body's label leaves the order
  view->rebuildLabels();
  EXPECT_EQ(view->labelOrder(), (std::vector<int>{2, 1}));
}

// Labels are painted from pictures kept between paints: after each change
// they are what a fresh view of the same bodies paints.
TEST_F(MainViewProjection, LabelPicturesFollowEveryChange) {
  for (int i = 0; i < 3; ++i) addBody(1e9 * i, 0, 0);
  view->rebuildLabels();
  NullEngineHost host;
  const std::function<void()> changes[] = {
      [&] { s->objname[2] = "Renamed", view->refreshLabelTexts(); },
      [&] { s->objcolor[2] = 0x00FF00, view->refreshLabelTexts(); },
      [&] { view->setLabelBackColour(Qt::red); },
      [&] { view->setLabelFont(QFont("Sans", 14)); },
      [&] { DeleteBody(*s, host, 1), view->rebuildLabels(); },    // boxes black again
      [&] { s->objname[2] = "Renamed", view->rebuildLabels(); },  // the name, not the colour
  };
  auto pictures = [](MainView& v, std::vector<QImage> p = {}) {
    for (int k = 1; k < static_cast<int>(v.labels().size()); ++k) p.push_back(v.labelPicture(k, 1));
    return p;
  };
  for (const auto& change : changes) {
    const std::vector<QImage> before = pictures(*view);
    change();
    MainView fresh(*s);
    fresh.setLabelFont(view->labelFont());
    fresh.rebuildLabels();
    fresh.setLabelBackColour(view->labels()[1].back);
    EXPECT_NE(pictures(*view), before);
    EXPECT_EQ(pictures(*view), pictures(fresh));
  }
}

// Small discs take their shape's pixels: the same pixels as the general
// path for every radius up to the limit (a float as drawn, a double as
// erased) and every sub-pixel place of the centre, at two whole places
// that share one shape, and near the edges where the general path draws.
TEST(DiscDrawing, SmallDiscsSetTheGeneralPathsPixels) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<double> radii{0.0, 1e-9, 0.999999, 1.0, 1.0000001, 1.5, std::sqrt(2.0), std::sqrt(3.0), 2.0};
  for (int k = 1; k < 32; ++k) radii.push_back(k / 16.0);
  for (int k = 0; k < 24; ++k) radii.push_back(static_cast<float>(SmallDiscRadius * unit(rng)));
  for (int k = 0; k < 8; ++k) radii.push_back(SmallDiscRadius * unit(rng));  // an erase's unrounded radius
  std::vector<double> fractions;
  for (int k = 0; k < 16; ++k) fractions.push_back(k / 16.0);
  for (int k = 0; k < 8; ++k) fractions.push_back(static_cast<float>(100 + unit(rng)) - 100);
  fractions.push_back(std::nextafter(1.0, 0.0));
  QImage fast(24, 20, QImage::Format_RGB32), general(24, 20, QImage::Format_RGB32);
  auto pixels = [](QImage& im) { return CanvasPixels{im.bits(), im.bytesPerLine(), im.width(), im.height()}; };
  DiscShapes shapes;
  int compared = 0;
  for (const double r : radii) {
    for (const double fx : fractions) {
      for (const double fy : fractions) {
        for (const auto& [ix, iy] : {std::pair{9, 8}, std::pair{14, 11}, std::pair{0, 18}, std::pair{22, 1}}) {
          fast.fill(0x123456);
          general.fill(0x123456);
          const double cx = ix + fx, cy = iy + fy;
          FillDisc(pixels(fast), shapes, cx, cy, r, 0xFFFFFF, 0xFF0000);
          FillDiscGeneral(pixels(general), cx, cy, r, 0xFFFFFF, 0xFF0000);
          ASSERT_EQ(fast, general) << "r " << r << " centre " << cx << ", " << cy;
          ++compared;
        }
      }
    }
  }
  EXPECT_GT(compared, 40000);
}

// The running loop's frames: the first at once, the next no sooner than the
// frame interval after it, but never lost.
TEST(ViewFrames, AFrameWithinTheIntervalWaitsAndIsThenPainted) {
  State s;
  MainView view(s);
  view.resizeCanvas(64, 48);
  ViewWidget widget(view);
  widget.resize(64, 48);
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  QCoreApplication::processEvents();
  widget.setFrameInterval(250);
  const int before = widget.paintCount();
  widget.requestFrame();
  ASSERT_TRUE(QTest::qWaitFor([&] { return widget.paintCount() == before + 1; }, 2000));
  widget.requestFrame();
  widget.requestFrame();
  QCoreApplication::processEvents();
  EXPECT_EQ(widget.paintCount(), before + 1);  // too soon: waits
  ASSERT_TRUE(QTest::qWaitFor([&] { return widget.paintCount() == before + 2; }, 5000));
  QTest::qWait(50);
  EXPECT_EQ(widget.paintCount(), before + 2);  // one frame for both requests
}

// A region of several rectangles (the view without its scroll bars) is
// painted rectangle by rectangle: there it shows what a paint of the whole
// view shows, labels across the rectangles' edges included.
TEST(ViewFrames, ARegionOfSeveralRectanglesShowsWhatTheWholeViewShows) {
  State s;
  s.objects = 3;
  for (int i = 1; i <= s.objects; ++i) {
    s.objname[i] = "Body " + std::to_string(i);
    s.objcolor[i] = 0x00FFFF;
  }
  s.llabels = true;
  MainView view(s);
  view.resizeCanvas(200, 150);
  view.rebuildLabels();
  view.clearView();
  const CanvasPixels pixels{view.canvas().bits(), view.canvas().bytesPerLine(), 200, 150};
  FillDiscGeneral(pixels, 120, 70, 40, 0xFF8040, 0x40FF80);
  view.parkLabels(150, 126);  // across both rectangles' edges
  ViewWidget widget(view);
  widget.resize(200, 150);
  QImage whole(200, 150, QImage::Format_RGB32), parts(200, 150, QImage::Format_RGB32);
  whole.fill(Qt::red);
  parts.fill(Qt::red);
  const QRegion region = QRegion(0, 0, 200, 150) - QRect(183, 0, 17, 133) - QRect(0, 133, 183, 17);
  ASSERT_EQ(region.rectCount(), 2);
  widget.render(&whole);
  widget.render(&parts, QPoint(), region);
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x)
      ASSERT_EQ(parts.pixel(x, y), region.contains(QPoint(x, y)) ? whole.pixel(x, y) : QColor(Qt::red).rgb())
          << x << ", " << y;
}

}  // namespace
}  // namespace molvane
