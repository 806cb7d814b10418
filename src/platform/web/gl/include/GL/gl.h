// <GL/gl.h> for the browser build: emscripten's own header, with the OpenGL
// 1.1 calls that WebGL lacks mapped onto the display-list piece (gl_lists.h).
// This directory comes first on the include path of the program and of the
// layer on the web build only; their sources name the OpenGL calls as usual.
#pragma once

#include_next <GL/gl.h>

#include "../../gl_lists.h"

#define glGenLists Gl11GenLists
#define glDeleteLists Gl11DeleteLists
#define glIsList Gl11IsList
#define glNewList Gl11NewList
#define glEndList Gl11EndList
#define glCallList Gl11CallList
#define glCallLists Gl11CallLists
#define glListBase Gl11ListBase
#define glPushAttrib Gl11PushAttrib
#define glPopAttrib Gl11PopAttrib

#define glBegin Gl11Begin
#define glEnd Gl11End
#define glVertex2f Gl11Vertex2f
#define glVertex3f Gl11Vertex3f
#define glVertex3fv Gl11Vertex3fv
#define glNormal3f Gl11Normal3f
#define glNormal3fv Gl11Normal3fv
#define glTexCoord2f Gl11TexCoord2f
#define glTexCoord2fv Gl11TexCoord2fv

#define glMatrixMode Gl11MatrixMode
#define glLoadIdentity Gl11LoadIdentity
#define glLoadMatrixf Gl11LoadMatrixf
#define glMultMatrixf Gl11MultMatrixf
#define glTranslatef Gl11Translatef
#define glTranslated Gl11Translated
#define glRotatef Gl11Rotatef
#define glScalef Gl11Scalef
#define glPushMatrix Gl11PushMatrix
#define glPopMatrix Gl11PopMatrix
#define glFrustum Gl11Frustum
#define glOrtho Gl11Ortho
#define gluPerspective Gl11Perspective

#define glViewport Gl11Viewport
#define glClear Gl11Clear
#define glClearColor Gl11ClearColor
#define glClearDepth Gl11ClearDepth
#define glEnable Gl11Enable
#define glDisable Gl11Disable
#define glDepthFunc Gl11DepthFunc
#define glShadeModel Gl11ShadeModel
#define glHint Gl11Hint
