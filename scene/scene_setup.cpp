// Applying a SceneSetup, and the set-ups of every view of the program.
#include "scene/scene_setup.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

void setLightPosition(const SceneSetup& s) {
    glLightfv(GL_LIGHT0, GL_POSITION, s.lightPosition);
}

void setSpotDirection(const SceneSetup& s) {
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, s.spotDirection);
}

}  // namespace

void apply(const SceneSetup& s) {
    // In the light-first order the direction is transformed by the model-view
    // matrix of the previous draw of this context.
    if (!s.lightInEyeSpace) {
        setLightPosition(s);
    }
    glLightfv(GL_LIGHT0, GL_AMBIENT, s.lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, s.lightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, s.lightSpecular);
    if (!s.lightInEyeSpace) {
        setSpotDirection(s);
    }
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, s.spotCutoff);
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, s.spotExponent);
    glMaterialfv(GL_FRONT, GL_SPECULAR, s.materialSpecular);
    glMaterialfv(GL_FRONT, GL_SHININESS, &s.materialShininess);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    if (s.normalize) {
        glEnable(GL_NORMALIZE);
    }
    glClearColor(0, 0, 0, 1);

    // Projection and camera.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(s.ortho[0], s.ortho[1], s.ortho[2], s.ortho[3], s.ortho[4], s.ortho[5]);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (s.lightInEyeSpace) {
        setLightPosition(s);
        setSpotDirection(s);
    }
    gluLookAt(s.eye[0], s.eye[1], s.eye[2], s.centre[0], s.centre[1], s.centre[2], s.up[0],
              s.up[1], s.up[2]);
}

#define GREY(v) {v, v, v, 1}

const SceneSetup introSetup = {
    false, {1, 0.4f, 10, 0}, GREY(0.3f), GREY(1), {0.7f, 1.7f, 0.7f, 1}, {0, 0, -2, 0},
    60, 100, GREY(0.7f), 20, false,
    {-4, 4, -3, 3, -5, 5}, {0, 0.5, 1}, {0, 0, 0}, {0, 1, 0},
};

const SceneSetup previewSetup = {
    false, {0, 0.2f, 3, 0}, GREY(0.2f), GREY(0.8f), GREY(1), {0, 0, -0.1f, 0},
    60, 100, GREY(0.7f), 20, true,
    {-5.3, 5.3, -3.5, 3.5, -7, 7}, {0, 0.1, 1}, {0, 0, 0}, {0, 1, 0},
};

const SceneSetup bb84MainSetup = {
    true, {0, 0.2f, 4.5f, 0}, GREY(0.1f), GREY(0.5f), GREY(1), {0, -0.01f, -1, 0},
    60, 100, GREY(0.8f), 20, true,
    {-10, 10, -5, 5, 0, 20}, {2, 1.2, 3}, {0.1, 0, -0.1}, {0, 1, 0},
};

const SceneSetup bb84TableSetup = {
    true, {0, 0.2f, 4.5f, 0}, GREY(0.1f), GREY(0.5f), GREY(1), {0, -0.01f, -1, 0},
    60, 100, GREY(0.8f), 20, true,
    {-6, 6, -6, 6, -5, 10}, {0, 1.2, 3}, {0, 0, -0.1}, {0, 1, 0},
};

const SceneSetup teleportSetup = {
    true, {0, 0.2f, 5, 0}, GREY(0.1f), GREY(0.5f), GREY(1), {0, -0.01f, -1, 0},
    60, 100, GREY(1), 16, true,
    {-6, 6, -6, 6, -7, 13}, {0, 1.6, 1.4}, {0, 0, -1.7}, {0, 1, 0},
};

SceneSetup bellSetup(float ambient, float diffuse, float specular) {
    return SceneSetup{
        true, {-0.1f, 0, 3, 0}, GREY(ambient), GREY(diffuse), GREY(specular),
        {0, -0.01f, -1, 0}, 60, 100, GREY(1), 30, true,
        {-6, 6, -6, 6, -3, 9}, {0.9, 0.6, 3}, {0, 0, -0.1}, {0, 1, 0},
    };
}

#undef GREY
