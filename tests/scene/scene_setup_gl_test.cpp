// The GL state a view relies on after its set-up, and how the light's direction
// depends on the order of the set-up steps.
#include "scene/scene_setup.h"
#include "support/gl_probe.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

std::array<float, 4> lightPosition() {
    std::array<float, 4> p{};
    glGetLightfv(GL_LIGHT0, GL_POSITION, p.data());
    return p;
}

class SceneSetupTest : public testing::Test {
protected:
    void SetUp() override { probe.begin(); }
    ProbeWindow probe;
};

TEST_F(SceneSetupTest, LeavesLightingDepthAndMatrices) {
    apply(teleportSetup);
    for (GLenum capability : {GL_COLOR_MATERIAL, GL_LIGHTING, GL_LIGHT0, GL_DEPTH_TEST, GL_NORMALIZE}) {
        EXPECT_TRUE(glIsEnabled(capability)) << capability;
    }
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_FLOAT_EQ(projection[0], 2.0f / 12);   // x: -6 .. 6
    EXPECT_FLOAT_EQ(projection[10], -2.0f / 20);  // z: -7 .. 13
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[3], 1);
    EXPECT_FLOAT_EQ(clear[0] + clear[1] + clear[2], 0);
    GLfloat shininess, cutoff;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, &cutoff);
    EXPECT_FLOAT_EQ(shininess, 16);
    EXPECT_FLOAT_EQ(cutoff, 60);

    // The intro view leaves normalization off.
    glDisable(GL_NORMALIZE);
    apply(introSetup);
    EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));
    GLfloat specular[4];
    glGetLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    EXPECT_FLOAT_EQ(specular[1], 1.7f);
}

TEST_F(SceneSetupTest, EyeSpaceLightIsTheSameEveryFrame) {
    apply(bellSetup(0.1f, 0.6f, 1.0f));
    const auto first = lightPosition();
    EXPECT_FLOAT_EQ(first[0], -0.1f);
    EXPECT_FLOAT_EQ(first[2], 3);
    apply(bellSetup(0.1f, 0.6f, 1.0f));
    EXPECT_EQ(lightPosition(), first);
    GLfloat ambient[4];
    apply(bellSetup(0.02f, 0.1f, 0.2f));
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(ambient[0], 0.02f);
    EXPECT_FLOAT_EQ(ambient[3], 1);
}

TEST_F(SceneSetupTest, LightFirstOrderFollowsThePreviousCamera) {
    glLoadIdentity();
    apply(introSetup);
    const auto first = lightPosition();
    EXPECT_FLOAT_EQ(first[1], 0.4f);
    EXPECT_FLOAT_EQ(first[2], 10);
    apply(introSetup);
    const auto second = lightPosition();
    EXPECT_NE(second, first);
    apply(introSetup);
    EXPECT_EQ(lightPosition(), second);

    // A translation left unpopped does not turn a directional light.
    glTranslatef(-3.7f, 0.7f, 0);
    apply(introSetup);
    const auto afterTranslation = lightPosition();
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(afterTranslation[i], second[i], 1e-5);
    }
}

}  // namespace
