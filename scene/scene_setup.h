// The GL state every view re-establishes at the start of its draw: one light, the
// material, colour tracking, depth test, clear colour, projection and camera.
#pragma once

struct SceneSetup {
    // false: the light is set before the matrices are reset, so its direction goes
    // through whatever model-view matrix the previous draw left; true: it is set
    // after the reset and stays fixed relative to the camera.
    bool lightInEyeSpace;
    float lightPosition[4];
    float lightAmbient[4];
    float lightDiffuse[4];
    float lightSpecular[4];
    float spotDirection[4];
    float spotCutoff;
    float spotExponent;
    float materialSpecular[4];
    float materialShininess;
    bool normalize;
    double ortho[6];
    double eye[3];
    double centre[3];
    double up[3];
};

// Issues the set-up into the current GL context; the caller clears afterwards.
void apply(const SceneSetup& setup);

// The set-ups of the program's views.
extern const SceneSetup introSetup;
extern const SceneSetup previewSetup;
extern const SceneSetup bb84MainSetup;
extern const SceneSetup bb84TableSetup;
extern const SceneSetup teleportSetup;
// The Bell view's light levels change with its Count switch; they are grey levels.
SceneSetup bellSetup(float ambient, float diffuse, float specular);
