#include "support/PictureFiles.h"
#include "widgets/PictureView.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(PictureView, AnimatesAndEmpties)
{
    PictureView view;
    EXPECT_EQ(view.sizeHint(), QSize(0, 0));
    // Two frames of 20 ms each: the view moves on by itself.
    view.setPicture(DecodePicture(makeGif(6, 4, {{0, 0, 6, 4, 2}, {0, 0, 6, 4, 2}})));
    EXPECT_EQ(view.size(), QSize(6, 4));
    EXPECT_EQ(view.pictureWidth(), 6);
    ASSERT_TRUE(view.isAnimating());
    EXPECT_TRUE(QTest::qWaitFor([&view] { return view.currentFrame() == 1; }, 2000));
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(6, 4));
    view.clear();
    EXPECT_TRUE(view.isEmpty());
    EXPECT_FALSE(view.isAnimating());
    EXPECT_EQ(view.size(), QSize(0, 0));
    EXPECT_EQ(view.pictureHeight(), 0);
}
