// Grid tables.
#include "scene/table_painter.h"

#include "scene/pixel_scale.h"

#include <GL/gl.h>

void TablePainter::drawTable(unsigned rowCount, unsigned columnCount, float size,
                             bool highlight) {
    rows = rowCount;
    columns = columnCount;
    scale = size / 20;
    const float u = scale;
    const float right = 0.5f * columnCount * u;
    const float bottom = -3.3f * rowCount * u;

    // Thin grid: one loop tracing every column boundary, then the row lines.
    sceneLineWidth(0.5f);
    glColor3f(0, 0.4f, 0);
    glBegin(GL_LINE_LOOP);
    for (unsigned i = 0; i < columnCount; ++i) {
        glVertex3f(0.5f * i * u, 0, 0);
        glVertex3f(0.5f * i * u, bottom, 0);
        glVertex3f(0.5f * (i + 1) * u, bottom, 0);
        glVertex3f(0.5f * (i + 1) * u, 0, 0);
    }
    glEnd();
    glBegin(GL_LINES);
    for (unsigned j = 1; j < rowCount; ++j) {
        glVertex3f(-0.7f, -3.3f * j * u, 0);
        glVertex3f(right, -3.3f * j * u, 0);
    }
    glEnd();

    // Thick frame just in front of the grid.
    sceneLineWidth(2.6f);
    if (highlight) {
        glColor3f(0.8f, 0.4f, 0);
    } else {
        glColor3f(1, 0, 1);
    }
    glTranslatef(0, 0, 0.02f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(-0.01f, 0);
    glVertex2f(-0.01f, bottom);
    glVertex2f(right, bottom);
    glVertex2f(right, 0);
    glVertex2f(-0.7f, 0);
    glVertex2f(-0.7f, bottom);
    glVertex2f(-0.01f, bottom);
    glEnd();
    glBegin(GL_LINES);
    glVertex2f(right, -3.3f * u);
    glVertex2f(-0.7f, -3.3f * u);
    glEnd();
}
