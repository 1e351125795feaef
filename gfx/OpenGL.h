#pragma once

// The one place that includes the OpenGL 1.x headers.
#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
