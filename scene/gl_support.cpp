// GLUT initialisation and the swap interval.
#include "scene/gl_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <GL/glx.h>

#include <cstring>
#endif
#include <GL/freeglut.h>

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

#ifdef _WIN32

void requestVsync() {
    // WGL_EXT_swap_control; GDI's software renderer has no such entry and swaps
    // at once, which the frame limit then paces.
    using SwapInterval = BOOL(WINAPI*)(int);
    if (auto swap = reinterpret_cast<SwapInterval>(
            reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")))) {
        swap(1);
    }
}

#else

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

#endif
