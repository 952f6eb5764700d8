#pragma once

// Qt WebEngine draws with OpenGL contexts shared with one the application makes at start when
// asked to (Qt::AA_ShareOpenGLContexts). The program does not ask, so that a run without the map
// makes no OpenGL context at all; this makes that context late, before the engine is loaded.
void ShareOpenGlContextsFromNowOn();
