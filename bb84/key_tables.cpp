// Drawing of the two parties' tables from the key distribution.
#include "bb84/key_tables.h"

#include "bb84/key_drawing.h"
#include "scene/bitmap_text.h"
#include "scene/pixel_scale.h"
#include "scene/scene_setup.h"

#include <GL/gl.h>

#include <cstdio>

const float cellX[keyColumns] = {0.1f,  0.46f, 0.82f, 1.16f, 1.51f, 1.86f, 2.21f, 2.56f,
                                 2.91f, 3.26f, 3.6f,  3.96f, 4.31f, 4.65f, 5.01f, 5.36f,
                                 5.71f, 6.06f, 6.42f, 6.77f, 7.12f, 7.47f, 7.83f, 8.17f,
                                 8.51f, 8.86f, 9.21f, 9.56f, 9.91f, 10.26f, 10.61f, 10.96f};

const float twoDigitX[keyColumns - 9] = {3.17f, 3.53f, 3.88f, 4.24f, 4.58f, 4.93f,
                                         5.28f, 5.63f, 5.98f, 6.32f, 6.68f, 7.03f,
                                         7.38f, 7.73f, 8.08f, 8.44f, 8.79f, 9.14f,
                                         9.49f, 9.84f, 10.19f, 10.54f, 10.89f};

Color compareMark(bool differ) {
    Color mark;
    if (differ) {
        mark.setRed();
    } else {
        mark.setGreen();
    }
    return mark;
}

KeyTableView::KeyTableView(const KeyDistribution& model, Party party, int x, int y, int w,
                           int h, const char* label)
    : SceneView(x, y, w, h, label), model(model), party(party) {}

int KeyTableView::stateAt(int i) const {
    const KeyColumnRecord& c = model.protocol.columns[i];
    return party == Party::sender ? c.sentState : c.receivedState;
}

// One small arrow per column up to the photon being sent, centred on the "Pol." row.
void KeyTableView::drawPolarizationRow() {
    const int shown = model.shownIndex;
    glPushMatrix();
    glTranslatef(-5.42f, -2.375f, 0);
    for (int i = 0; i <= shown && i < keyColumns; ++i) {
        glTranslatef(0.35f, 0, 0);
        glPushMatrix();
        drawPolarization(stateAt(i));
        glNormal3f(0, 0, 1);
        glPopMatrix();
    }
    glPopMatrix();
}

void KeyTableView::drawPolarization(int state) {
    const bool linear = model.linearDiagonal;
    if (state < 0 || state > 3) {
        return;
    }
    static const float rowColours[4][3] = {{1, 0.5f, 0}, {1, 1, 0}, {0, 0.9f, 1}, {0, 1, 0}};
    glColor3fv(rowColours[state]);
    switch (state) {
    case 0:
        glScalef(0.25f, 2, 1);
        glRotatef(90, 0, 0, 1);
        arrow.drawDoubleArrow(0.1f, 3, 0.8f);
        break;
    case 1:
        glScalef(0.5f, 1.5f, 1);
        arrow.drawDoubleArrow(0.1f, 3, 0.8f);
        break;
    default:
        if (linear) {
            glScalef(0.35f, 2, 1);
            glRotatef(state == 2 ? -45 : 45, 0, 0, 1);
            arrow.drawDoubleArrow(0.1f, 3, 0.8f);
        } else {
            arrow.drawCurvedArrow(0.3f, 3, 1, state == 3);
        }
        break;
    }
}

void KeyTableView::drawRow(KeyRow row, float y) {
    for (int i = 0; i < keyColumns; ++i) {
        const CellShown shown = model.cell(party, row, i);
        tintColour(shown.tint).apply();
        drawChar(cellX[i], y, shown.symbol);
    }
}

void KeyTableView::drawStruckKeyBits() {
    glNormal3f(0, 0, 1);
    sceneLineWidth(3);
    glBegin(GL_LINES);
    for (int i = 0; i < keyColumns; ++i) {
        const KeyColumnRecord& c = model.protocol.columns[i];
        if (!c.compared) continue;
        const Color mark = compareMark(c.error);
        glColor3f(mark.getR(), mark.getG(), mark.getB());
        glVertex3f(cellX[i] - 0.06f, -10.95f, 0.01f);
        glVertex3f(cellX[i] + 0.22f, -10.0f, 0.01f);
    }
    glEnd();
}

void KeyTableView::draw() {
    beginDraw();
    apply(bb84TableSetup);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();

    // From the first photon on, the polarizations sent and measured stay in
    // the books through the error check and after the run, for the class to
    // compare column by column; a counting run fills no columns.
    const KeyPhase phase = model.phase;
    if (phase >= sendingPhotons && phase != counting) {
        drawPolarizationRow();
    }

    // Top left corner of the grid; the title sits in the corner of the label column.
    glTranslatef(-5.24f, 5.7f, 0);
    glColor3f(1, 1, 0);
    drawTimesText(-0.48f, -1.55f, title());

    // The row labels keep the frame colour the grid leaves current.
    grid.drawTable(5, keyColumns, 14, highlight());
    drawTimesText(-0.46f, -4.0f, "k'");
    drawTimesText(-0.46f, -6.25f, "k");
    drawTimesText(-0.6f, -8.55f, "Pol.");
    drawTimesText(-0.6f, -10.8f, "Key");

    glColor3f(1, 1, 1);
    glNormal3f(0, 0, 1);
    char number[12];
    for (int i = 0; i < keyColumns; ++i) {
        tintColour(model.cell(party, KeyRow::numbers, i).tint).apply();
        std::snprintf(number, sizeof number, "%d", i + 1);
        drawTimesText(i < 9 ? cellX[i] : twoDigitX[i - 9], -1.6f, number);
    }
    drawRow(KeyRow::bases, -4.0f);
    drawRow(KeyRow::bits, -6.275f);
    glTranslatef(0, model.keyDrop, 0);
    drawRow(KeyRow::key, -10.9f);
    drawStruckKeyBits();
    glPopMatrix();
}
