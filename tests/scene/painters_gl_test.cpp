// What the painters send to the rasterizer, captured in GL feedback mode in a
// real context: vertex counts, positions, and the GL state they leave behind.
#include "scene/arrow_painter.h"
#include "scene/dial_painter.h"
#include "scene/helix_painter.h"
#include "scene/table_painter.h"
#include "support/gl_probe.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// The probe's box is -10..10 on a 200-pixel window: 10 pixels per unit, origin at 100.
const float pixelsPerUnit = 10;
const float centre = 100;

std::vector<std::vector<float>> stripVertices(const std::vector<FeedbackItem>& items) {
    std::vector<std::vector<float>> points;
    for (const auto& item : items) {
        if (item.token != GL_LINE_RESET_TOKEN && item.token != GL_LINE_TOKEN) {
            continue;
        }
        if (points.empty()) {
            points.push_back(item.vertices[0]);
        }
        points.push_back(item.vertices[1]);
    }
    return points;
}

class Painters : public testing::Test {
protected:
    void SetUp() override { probe.begin(); }
    ProbeWindow probe;
};

TEST_F(Painters, HelixPointCountsFollowTheTruncatedLength) {
    HelixPainter helix;
    auto threeTurns = captureFeedback([&] { helix.drawHelix(20, 1, 0.6f, 1); });
    auto points = stripVertices(threeTurns);
    ASSERT_EQ(points.size(), 61u);
    EXPECT_EQ(helix.pointCount, 60u);
    // Starts on the axis, then every point lies on the coil.
    EXPECT_NEAR(points[0][0], centre, 0.01);
    EXPECT_NEAR(points[0][1], centre, 0.01);
    for (size_t i = 1; i < points.size(); ++i) {
        const float dx = points[i][0] - centre, dy = points[i][1] - centre;
        ASSERT_NEAR(std::hypot(dx, dy), pixelsPerUnit, 0.01) << "point " << i;
    }
    // Three whole turns of 18 degrees bring the last point back to angle 0.
    EXPECT_NEAR(points[60][0], centre + pixelsPerUnit, 0.01);
    EXPECT_NEAR(points[60][1], centre, 0.01);

    auto truncated = stripVertices(captureFeedback([&] { helix.drawHelix(20, 1, 0.655f, 1); }));
    EXPECT_EQ(truncated.size(), 66u);
    EXPECT_EQ(helix.pointCount, 65u);

    // Seven segments per turn step by 51 whole degrees.
    auto seven = stripVertices(captureFeedback([&] { helix.drawHelix(7, 1, 0.01f, 1); }));
    ASSERT_EQ(seven.size(), 2u);
    EXPECT_NEAR(seven[1][0], centre + pixelsPerUnit * std::cos(51 * 0.01745329252), 0.01);
    EXPECT_NEAR(seven[1][1], centre + pixelsPerUnit * std::sin(51 * 0.01745329252), 0.01);
}

TEST_F(Painters, HelixWithMoreThan360SegmentsIsAStraightLine) {
    HelixPainter helix;
    auto points = stripVertices(captureFeedback([&] { helix.drawHelix(400, 1, 0.5f, 4); }));
    ASSERT_EQ(points.size(), 51u);
    for (size_t i = 1; i < points.size(); ++i) {
        ASSERT_NEAR(points[i][0], centre + pixelsPerUnit, 0.01);
        ASSERT_NEAR(points[i][1], centre, 0.01);
    }
    // Rising along z only: depth changes from point to point.
    EXPECT_NE(points[1][2], points[50][2]);
}

TEST_F(Painters, TableLinesForOneRowAndForNoColumns) {
    TablePainter table;
    // One row: 20 grid segments, no thin row line, 7 frame segments and the thick
    // line under the first row, which lies on the bottom edge.
    auto oneRow = captureFeedback([&] { table.drawTable(1, 5, 20, false); });
    EXPECT_EQ(countLines(oneRow), 28);
    const auto& thick = oneRow.back().vertices;
    const float bottom = centre - 3.3f * pixelsPerUnit;
    EXPECT_NEAR(thick[0][1], bottom, 0.01);
    EXPECT_NEAR(thick[1][1], bottom, 0.01);
    EXPECT_NEAR(thick[0][0], centre + 2.5f * pixelsPerUnit, 0.01);
    EXPECT_NEAR(thick[1][0], centre - 7, 0.01);

    auto threeRows = captureFeedback([&] { table.drawTable(3, 5, 20, false); });
    EXPECT_EQ(countLines(threeRows), 30);

    // No columns: the header column and the row lines remain; the data area is x = 0.
    auto empty = captureFeedback([&] { table.drawTable(4, 0, 10, true); });
    EXPECT_EQ(countLines(empty), 3 + 7 + 1);
    EXPECT_EQ(table.columns, 0u);
    EXPECT_FLOAT_EQ(table.scale, 0.5f);
}

TEST_F(Painters, TableLeavesFrameColourWidthAndStepAlongZ) {
    TablePainter table;
    glLoadIdentity();
    table.drawTable(2, 3, 12, true);
    GLfloat colour[4], width, matrix[16];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glGetFloatv(GL_LINE_WIDTH, &width);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_FLOAT_EQ(colour[0], 0.8f);
    EXPECT_FLOAT_EQ(colour[1], 0.4f);
    EXPECT_FLOAT_EQ(colour[2], 0);
    EXPECT_FLOAT_EQ(width, 2.6f);
    EXPECT_FLOAT_EQ(matrix[14], 0.02f);
    EXPECT_FLOAT_EQ(table.scale, 0.6f);

    table.drawTable(2, 3, 12, false);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1);
    EXPECT_FLOAT_EQ(colour[1], 0);
    EXPECT_FLOAT_EQ(colour[2], 1);
}

TEST_F(Painters, ZeroLengthDoubleArrowHasTwoConesPointingApart) {
    ArrowPainter arrow;
    glLoadIdentity();
    auto items = captureFeedback([&] { arrow.drawDoubleArrow(0, 3, 2); });
    ASSERT_EQ(countLines(items), 1);
    for (const auto& item : items) {
        if (item.token == GL_LINE_RESET_TOKEN) {
            EXPECT_NEAR(item.vertices[0][1], item.vertices[1][1], 0.01);
        }
    }
    EXPECT_GT(countPolygons(items), 100);
    // Each cone is 0.7 * 2 = 1.4 long: one reaches down, the other up.
    float low = centre, high = centre;
    for (const auto& item : items) {
        for (const auto& v : item.vertices) {
            low = std::min(low, v[1]);
            high = std::max(high, v[1]);
        }
    }
    EXPECT_NEAR(low, centre - 1.4f * pixelsPerUnit, 0.05);
    EXPECT_NEAR(high, centre + 1.4f * pixelsPerUnit, 0.05);
    // The arrow pops what it pushed.
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_FLOAT_EQ(matrix[13], 0);
    EXPECT_FLOAT_EQ(arrow.length, 0);
    EXPECT_FLOAT_EQ(arrow.headScale, 2);
}

TEST_F(Painters, CurvedArrowArcAndHeadEnd) {
    ArrowPainter arrow;
    auto items = captureFeedback([&] { arrow.drawCurvedArrow(2, 5, 1, true); });
    auto arc = stripVertices(items);
    ASSERT_EQ(arc.size(), 20u);
    // First point at -120 degrees on the squeezed ellipse.
    EXPECT_NEAR(arc[0][0], centre + 0.35f * 2 * std::cos(-120 * 0.01745329252) * pixelsPerUnit, 0.01);
    EXPECT_NEAR(arc[0][1], centre + 2.2f * 2 * std::sin(-120 * 0.01745329252) * pixelsPerUnit, 0.01);
    EXPECT_TRUE(arrow.headAtTop);
    float topOfHead = 0;
    for (const auto& item : items) {
        if (item.token == GL_POLYGON_TOKEN) {
            for (const auto& v : item.vertices) topOfHead = std::max(topOfHead, v[1]);
        }
    }
    // With the head at the top it sits near y = 2.2 R.
    EXPECT_GT(topOfHead, centre + 4.0f * pixelsPerUnit);

    auto lower = captureFeedback([&] { arrow.drawCurvedArrow(2, 5, 1, false); });
    float bottomOfHead = 1000;
    for (const auto& item : lower) {
        if (item.token == GL_POLYGON_TOKEN) {
            for (const auto& v : item.vertices) bottomOfHead = std::min(bottomOfHead, v[1]);
        }
    }
    EXPECT_LT(bottomOfHead, centre - 3.5f * pixelsPerUnit);
    EXPECT_FALSE(arrow.headAtTop);
}

TEST_F(Painters, DialLeavesOrangeAndItsTransformations) {
    DialPainter dial;
    glLoadIdentity();
    auto items = captureFeedback([&] { dial.drawDial(1, 90); });
    EXPECT_GT(countPolygons(items), 100);
    GLfloat colour[4], matrix[16];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1);
    EXPECT_FLOAT_EQ(colour[1], 0.5f);
    EXPECT_FLOAT_EQ(colour[2], 0);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    // Post and foot translations: 0.1 + ... the origin moved down by 2.3 + 3 * 1.
    EXPECT_NEAR(matrix[13], -2.3f - 3.0f, 1e-5);
    EXPECT_EQ(dial.angle, 90);
    // The pointer at 90 degrees reaches up to r + 0.9 r.
    float high = 0;
    for (const auto& item : items) {
        for (const auto& v : item.vertices) high = std::max(high, v[1]);
    }
    EXPECT_NEAR(high, centre + 1.9f * pixelsPerUnit, 0.05);
}

}  // namespace
