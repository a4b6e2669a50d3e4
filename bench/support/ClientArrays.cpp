// Unbinds the GL buffer objects that vertex and index pointers would otherwise be read from.
#include "bench/support/ClientArrays.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

namespace BenchSupport
{
void UseClientArrays()
{
    // Looked up at run time, as the drawing layer does: the GL headers of the platform need not declare it.
    const auto bindBuffer = reinterpret_cast<PFNGLBINDBUFFERPROC>(SDL_GL_GetProcAddress("glBindBuffer"));
    if (!bindBuffer)
        return;
    bindBuffer(GL_ARRAY_BUFFER, 0);
    bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}
}
