// GLUT initialisation and the swap interval.
#include "scene/gl_support.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <cstring>

void initGlut() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    int argc = 1;
    char name[] = "orvantis";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
}

namespace {

bool hasExtension(const char* list, const char* name) {
    if (!list) {
        return false;
    }
    const size_t n = std::strlen(name);
    for (const char* p = std::strstr(list, name); p; p = std::strstr(p + 1, name)) {
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == 0)) {
            return true;
        }
    }
    return false;
}

template <typename Fn>
Fn lookUp(const char* name) {
    return reinterpret_cast<Fn>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

void requestVsync() {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) {
        return;
    }
    const char* list = glXQueryExtensionsString(display, DefaultScreen(display));
    using SwapExt = void (*)(Display*, GLXDrawable, int);
    using SwapOther = int (*)(unsigned);
    if (hasExtension(list, "GLX_EXT_swap_control")) {
        if (auto swap = lookUp<SwapExt>("glXSwapIntervalEXT")) {
            swap(display, drawable, 1);
            return;
        }
    }
    if (hasExtension(list, "GLX_MESA_swap_control")) {
        if (auto swap = lookUp<SwapOther>("glXSwapIntervalMESA")) {
            swap(1);
            return;
        }
    }
    if (hasExtension(list, "GLX_SGI_swap_control")) {
        if (auto swap = lookUp<SwapOther>("glXSwapIntervalSGI")) {
            swap(1);
        }
    }
}
