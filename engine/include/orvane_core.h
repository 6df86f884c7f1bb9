/* orvane_core.h - the C interface of liborvanecore, the engine library under the Orvane Core
 * framework. Every graphics object (render targets, textures, shaders, vertex buffers), the
 * matrix stacks and the drawing state live behind these flat `Ov...` functions; callers hold
 * handles and pass plain numbers. Numeric codes are the interface: unknown codes are ignored,
 * empty handles are refused, nothing here throws. docs/engine.md describes every code. */
#ifndef ORVANE_CORE_H
#define ORVANE_CORE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(OV_BUILDING_ENGINE)
#define OV_API __declspec(dllexport)
#else
#define OV_API __declspec(dllimport)
#endif
#else
/* Marks what the library exports: the functions of this header, and nothing else. */
#define OV_API __attribute__((visibility("default")))
#endif

/* Trailing arguments that C++ callers may leave out; C callers pass every argument. */
#ifdef __cplusplus
#define OV_DEFAULT(value) = value
extern "C"
{
#else
#define OV_DEFAULT(value)
#endif

    /* An engine handle: empty when the low byte of `flags` is non-zero or `object` is null.
     * `...Create` fills a handle the caller owns ({0, id} on success, {1, null} on failure);
     * every other function takes the handle by value. `object` is pointer-sized and holds an
     * opaque id, not an address: ids are never reused, so a destroyed object's handle (or one of
     * another kind of object) is refused for ever. Compare handles; never read through them. */
    typedef struct OvHandle
    {
        uint32_t flags; /* low byte 0 in a live handle; 1 after a failed ...Create */
        void* object;   /* the object's id (never an address); null in an empty handle */
    } OvHandle;

/* ---- Numeric codes (docs/engine.md gives what each one does) ------------------------------- */
/* OvSetState / OvGetState states */
#define OV_STATE_ACTIVE_TARGET 16        /* get: OvHandle of the active render target */
#define OV_STATE_GLYPH_WIDTH 96          /* double: glyph width of the grid font (16 at first) */
#define OV_STATE_GLYPH_HEIGHT 97         /* double: glyph height of the grid font (16 at first) */
#define OV_STATE_LETTER_SPACING 98       /* double: pixels between the grid font's letters (0) */
#define OV_STATE_LINE_SPACING 99         /* double: pixels between the grid font's lines (0) */
#define OV_STATE_LINE_BREAK 100          /* int32_t: line-break character of new fonts */
#define OV_STATE_COLOUR_MASK 101         /* r, g, b, a: which channels are written */
#define OV_STATE_TEXTURING 108           /* 2D texturing on / off */
#define OV_STATE_BLENDING 154            /* blending on / off */
#define OV_STATE_BLEND 155               /* source and destination factor (OV_BLEND_...) */
#define OV_STATE_BLEND_EQUATION 173      /* OV_EQUATION_... */
#define OV_STATE_SCISSOR_BOX 219         /* x, y, width, height from the bottom-left */
#define OV_STATE_SCISSOR_TEST 220        /* the scissor rectangle (219) on / off */
#define OV_STATE_POINT_SIZE 221          /* double: the point size in pixels */
#define OV_STATE_POINT_SPRITE 224        /* points drawn as squares */
#define OV_STATE_POINT_SPRITE_COORDS 225 /* the texture spread across each point */
#define OV_STATE_POINT_SMOOTH 226        /* round points */
#define OV_STATE_CLEAR_COLOUR 262        /* doubles r, g, b, a: what clears paint */
#define OV_STATE_DRAW_COLOUR 263         /* doubles r, g, b, a: the colour of vertices given none */
#define OV_STATE_DRAW_CALLS 470          /* get: uint64_t draw calls issued; set(470, 0): reset */

/* Blend factors (state 155) */
#define OV_BLEND_ZERO 158
#define OV_BLEND_ONE 159
#define OV_BLEND_SOURCE_COLOUR 160
#define OV_BLEND_ONE_MINUS_SOURCE_COLOUR 161
#define OV_BLEND_DESTINATION_COLOUR 162
#define OV_BLEND_ONE_MINUS_DESTINATION_COLOUR 163
#define OV_BLEND_SOURCE_ALPHA 164
#define OV_BLEND_ONE_MINUS_SOURCE_ALPHA 165
#define OV_BLEND_DESTINATION_ALPHA 166
#define OV_BLEND_ONE_MINUS_DESTINATION_ALPHA 167
#define OV_BLEND_SOURCE_ALPHA_SATURATE 168
#define OV_BLEND_CONSTANT_COLOUR 169
#define OV_BLEND_ONE_MINUS_CONSTANT_COLOUR 170
#define OV_BLEND_CONSTANT_ALPHA 171
#define OV_BLEND_ONE_MINUS_CONSTANT_ALPHA 172

/* Blend equations (state 173) */
#define OV_EQUATION_ADD 174
#define OV_EQUATION_SUBTRACT 175
#define OV_EQUATION_REVERSE_SUBTRACT 176
#define OV_EQUATION_MIN 177
#define OV_EQUATION_MAX 178

/* Textures: OvTextureUnactivate target, OvTextureParameter names and values, OvTextureGet
 * queries, OvTextureLock modes */
#define OV_TEXTURE_2D 58 /* the 2D texture target (OvTextureUnactivate, OvSurfaceSetTexture) */
#define OV_TEXTURE_MIN_FILTER 237   /* parameter: the minifying filter (OV_FILTER_...) */
#define OV_TEXTURE_MAG_FILTER 238   /* parameter: the magnifying filter (OV_FILTER_...) */
#define OV_TEXTURE_WRAP_ACROSS 239  /* parameter: wrapping across (OV_WRAP_...) */
#define OV_TEXTURE_WRAP_DOWN 240    /* parameter: wrapping down (OV_WRAP_...) */
#define OV_FILTER_NEAREST 242       /* the nearest texel, hard pixels */
#define OV_FILTER_LINEAR 243        /* texels blended, the default */
#define OV_WRAP_REPEAT 248          /* the texture repeats, the default */
#define OV_WRAP_CLAMP 249           /* the edge texels stretch outwards */
#define OV_TEXTURE_WIDTH 258        /* OvTextureGet: int32_t width in pixels */
#define OV_TEXTURE_HEIGHT 259       /* OvTextureGet: int32_t height in pixels */
#define OV_TEXTURE_LOCKED_BYTES 261 /* OvTextureGet: int32_t byte size of the locked pixels */
#define OV_LOCK_READ_WRITE 0        /* OvTextureLock: pixels to change and upload */
#define OV_LOCK_READ_ONLY 1         /* OvTextureLock: pixels only read */

/* Matrix stacks (OvMatrixMode, OvMatrixSave) */
#define OV_MATRIX_PROJECTION 264 /* the projection stack (cameras load it) */
#define OV_MATRIX_MODELVIEW 265  /* the model-view stack (placements of what is drawn) */

/* Render targets: modes (OvRenderTargetCreate, OvRenderTargetChange), OvRenderTargetGet */
#define OV_MODE_NORMAL 81             /* an ordinary opaque surface */
#define OV_MODE_PER_PIXEL_ALPHA 82    /* a surface with per-pixel alpha (needs an alpha visual) */
#define OV_TARGET_VIEWPORT_X 440      /* int32_t: viewport x; 440-443 in a row */
#define OV_TARGET_VIEWPORT_Y 441      /* int32_t: viewport y, from the bottom */
#define OV_TARGET_VIEWPORT_WIDTH 442  /* int32_t: viewport width in pixels */
#define OV_TARGET_VIEWPORT_HEIGHT 443 /* int32_t: viewport height in pixels */
#define OV_TARGET_NEAR 445            /* double: the perspective near plane (1 at first) */
#define OV_TARGET_FAR 446             /* double: the far plane (10000 at first) */
#define OV_TARGET_DEPTH_BITS 447      /* int32_t: depth bits the surface got */
#define OV_TARGET_MODE 448            /* int32_t: OV_MODE_... */

/* Primitive modes (OvDrawData, OvDrawDataStruct, OvPrimitiveBegin) */
#define OV_PRIMITIVE_POINTS 4         /* each vertex a point (states 221-226) */
#define OV_PRIMITIVE_LINES 5          /* each pair of vertices a line */
#define OV_PRIMITIVE_LINE_LOOP 6      /* an outline through every vertex, closed */
#define OV_PRIMITIVE_LINE_STRIP 7     /* a line through every vertex, open */
#define OV_PRIMITIVE_TRIANGLES 8      /* each three vertices a triangle */
#define OV_PRIMITIVE_TRIANGLE_STRIP 9 /* each vertex a triangle with the two before */
#define OV_PRIMITIVE_TRIANGLE_FAN 10  /* each vertex a triangle with the first and the last */
#define OV_PRIMITIVE_QUADS 11         /* each four vertices a quad */

/* Shader kinds */
#define OV_SHADER_VERTEX_PROGRAM 429   /* a low-level vertex program (!!ARBvp1.0) */
#define OV_SHADER_FRAGMENT_PROGRAM 430 /* a low-level fragment program (!!ARBfp1.0) */
#define OV_SHADER_VERTEX 431           /* a GLSL vertex shader */
#define OV_SHADER_FRAGMENT 432         /* a GLSL fragment shader */
#define OV_SHADER_PROGRAM 433          /* a linked GLSL program */

/* Vertex buffers: kinds, usage, map access */
#define OV_BUFFER_VERTICES 452 /* the vertex buffer of a handle */
#define OV_BUFFER_INDICES 453  /* the index buffer of a handle */
#define OV_USAGE_STATIC 454    /* written once, drawn often (others count as this) */
#define OV_USAGE_DYNAMIC 455   /* rewritten now and then */
#define OV_USAGE_STREAM 456    /* rewritten for nearly every draw */
#define OV_MAP_READ_ONLY 463   /* the mapping is only read */
#define OV_MAP_WRITE_ONLY 464  /* the mapping is only written */
#define OV_MAP_READ_WRITE 465  /* the mapping is read and written */

/* OvRenderScene bits, OvDrawData flags and value types, the font descriptor's size */
#define OV_SCENE_FLUSH 1 /* draws the pending batch; bits apply: flush, swap, clears, reset */
#define OV_SCENE_CLEAR_COLOUR 2       /* clears to the clear colour (262) */
#define OV_SCENE_CLEAR_DEPTH 4        /* clears the depth buffer */
#define OV_SCENE_CLEAR_STENCIL 8      /* clears the stencil buffer */
#define OV_SCENE_CLEAR_ACCUM 16       /* clears the accumulation buffer */
#define OV_SCENE_SWAP 32              /* presents: swaps the active target's buffers */
#define OV_SCENE_RESET_STATE 64       /* resets the drawing state to its defaults */
#define OV_DRAW_BUFFERED 1            /* OvDrawData flags: arrays are offsets into buffer 452 */
#define OV_DRAW_INDEXED 2             /* indices come from the active index buffer 453 */
#define OV_VALUE_FLOAT 2              /* OvDrawData valueType: log2 of the value's byte size */
#define OV_VALUE_DOUBLE 3             /* OvDrawData valueType: doubles */
#define OV_FONT_DESCRIPTOR_BYTES 9232 /* the glyph descriptor OvGenerateFont reads */

    /* ---- Lifecycle -----------------------------------------------------------------------------
     */
    /* Prepares the engine (SDL video) for render targets; calling it again does nothing. */
    OV_API void OvInitiation(void);
    /* Destroys every object still alive and shuts the engine down; old handles stay refused. */
    OV_API void OvClosure(void);
    /* Probes the active render target's context; returns a mask: 1 GLSL shaders, 2 low-level
     * programs, 4 vertex buffers, 8 frame buffer objects. 0 without an active target. */
    OV_API uint32_t OvExtensions(int32_t request);
    /* Sets a state; values beyond those a state takes are ignored. Integer values are passed as
     * doubles and truncated (exact for every code and pixel coordinate). */
    OV_API void OvSetState(int32_t state, double v0 OV_DEFAULT(0), double v1 OV_DEFAULT(0),
                           double v2 OV_DEFAULT(0), double v3 OV_DEFAULT(0));
    /* Pointer to the engine's storage of a state (layout per state in docs/engine.md); null for
     * an unknown state. */
    OV_API void* OvGetState(int32_t state);

    /* ---- Render targets (window surfaces) ------------------------------------------------------
     */
    /* Mode 81 normal, 82 per-pixel alpha (refused where the display has no alpha visual).
     * `window` is the platform window handle (HWND). */
    OV_API uint8_t OvRenderTargetCreate(OvHandle* target, void* window, int32_t mode,
                                        int32_t colourBits, int32_t depthBits);
    /* Destroys the target's context and surface; the window stays the caller's. */
    OV_API void OvRenderTargetDestroy(OvHandle target);
    /* Makes the target's context current, applying its viewport: draws go to it from now on. */
    OV_API uint8_t OvRenderTargetActivate(OvHandle target);
    /* 440-443 int32_t viewport x, y (from the bottom), width, height (writable; applied on the
     * next Activate); 445, 446 double perspective near and far planes; 447 int32_t depth buffer
     * bits the surface got (0: none); 448 int32_t mode. */
    OV_API void* OvRenderTargetGet(OvHandle target, int32_t query);
    /* Switches the target to mode 81 or 82 (OV_MODE_...) on a new context; 0 when the display
     * cannot give it (the target keeps its mode). */
    OV_API uint8_t OvRenderTargetChange(OvHandle target, int32_t mode);
    /* Sets the viewport and the target's camera defaults: vertical field of view in degrees, the
     * near and far depth of orthographic cameras, the aspect ratio (0: viewport width/height). */
    OV_API uint8_t OvRenderTargetArea(OvHandle target, int32_t x, int32_t y, int32_t width,
                                      int32_t height, double fieldOfView, double orthoNear,
                                      double orthoFar, double aspect);
    /* Every context shares its objects with the others already: 1 when both handles are live
     * targets, nothing else is done. */
    OV_API uint8_t OvRenderTargetShare(OvHandle target, OvHandle share);
    /* 1: wait for the display's refresh at each swap; 0: swap at once. 1 when it could be set. */
    OV_API uint8_t OvRenderVsync(int32_t on);
    /* Ends or starts a frame with the OV_SCENE_... bits: flush, swap, clears, state reset. */
    OV_API void OvRenderScene(int32_t flags);

    /* ---- Matrices (kept on the CPU; 264 projection, 265 model-view) ------------------------- */
    /* Copies the current mode's top matrix onto its stack (256 deep; beyond is refused). */
    OV_API void OvMatrixPush(void);
    /* Drops the top matrix of the current mode's stack; the last one is never popped. */
    OV_API void OvMatrixPop(void);
    /* Replaces the current mode's top matrix with the identity. */
    OV_API void OvMatrixIdentity(void);
    /* Multiplies the top matrix on the right by a translation. */
    OV_API void OvMatrixTranslate(double x, double y, double z);
    /* Multiplies the top matrix on the right by a rotation of `angle` degrees about (x, y, z). */
    OV_API void OvMatrixRotate(double angle, double x, double y, double z);
    /* Multiplies the top matrix on the right by a scale along each axis. */
    OV_API void OvMatrixScale(double x, double y, double z);
    /* The stack the other matrix calls act on: 264 projection or 265 model-view. */
    OV_API void OvMatrixMode(int32_t mode);
    /* 16 doubles, column-major (element [column * 4 + row]), into the current mode's top. */
    OV_API void OvMatrixLoad(const double* matrix);
    /* Copies the top matrix of stack `mode` (264 or 265) into 16 doubles, column-major. */
    OV_API void OvMatrixSave(int32_t mode, double* matrix);

    /* ---- Cameras: set the projection; the Build functions fill a caller's 16 doubles -------- */
    /* Loads an orthographic camera into the projection: the world rectangle from (x, y) to
     * (x + width, y + height) fills the viewport, y growing downwards, turned by `angle`
     * degrees about its centre. */
    OV_API void OvCameraOrtho(double x, double y, double width, double height, double angle);
    /* turn, pitch and roll in degrees (a rotation triple: roll about X, pitch about Y, turn
     * about Z), fieldOfView in degrees (0: the target's default), eye at (x, y, z); flags bit 0:
     * screen y grows downwards as with the orthographic camera. w is ignored. */
    OV_API void OvCameraPerspective(double turn, double pitch, double roll, double fieldOfView,
                                    double x, double y, double z, double w, int32_t flags);
    /* The matrix OvCameraOrtho would load, written into `out` instead. */
    OV_API void OvCameraOrthoBuild(double x, double y, double width, double height, double angle,
                                   double* out);
    /* The matrix OvCameraPerspective would load, written into `out` instead. */
    OV_API void OvCameraPerspectiveBuild(double turn, double pitch, double roll, double fieldOfView,
                                         double x, double y, double z, double w, int32_t flags,
                                         double* out);
    /* The projection half alone, without the camera's position and rotation. */
    OV_API void OvCameraOrthoBuildHalf(double x, double y, double width, double height,
                                       double angle, double* out);
    OV_API void OvCameraPerspectiveBuildHalf(double turn, double pitch, double roll,
                                             double fieldOfView, double x, double y, double z,
                                             double w, int32_t flags, double* out);

    /* ---- Textures -------------------------------------------------------------------------------
     */
    /* A texture object without pixels yet (its OpenGL texture is made when pixels arrive). */
    OV_API uint8_t OvTextureCreate(OvHandle* texture);
    /* Frees the texture and its pixels; a frame buffer drawing into it refuses to activate. */
    OV_API void OvTextureDestroy(OvHandle texture);
    /* flags bit 0: leave the new texture active. LoadFromMemory takes an .ovt image or an
     * encoded PNG, BMP, JPEG, TGA or GIF, Load a file holding any of them; `size` 0 means the
     * image's length is read from its own headers (TGA needs its size). */
    OV_API uint8_t OvTextureLoad(OvHandle texture, const char* path, uint8_t flags);
    OV_API uint8_t OvTextureLoadFromMemory(OvHandle texture, const void* data, uint8_t flags,
                                           size_t size OV_DEFAULT(0));
    /* RGBA8 rows, top row first; the texture stays active. */
    OV_API uint8_t OvTextureLoadRGBAFromMemory(OvHandle texture, const void* pixels, int32_t width,
                                               int32_t height);
    /* A transparent-black texture; the texture stays active when flags bit 0 is set. */
    OV_API uint8_t OvTextureLoadEmpty(OvHandle texture, int32_t width, int32_t height,
                                      uint8_t flags);
    /* Copies a region of the active render target (x, y from the bottom-left) into the texture,
     * its first row the region's bottom row. flags bit 0: (re)allocate the texture at the
     * region's size; 0: copy into its existing storage. The texture stays active. */
    OV_API uint8_t OvTextureFromRender(OvHandle texture, int32_t x, int32_t y, int32_t width,
                                       int32_t height, uint8_t flags);
    /* Makes the texture the one drawn with on the current unit (OvTextureUnit). */
    OV_API void OvTextureActivate(OvHandle texture);
    /* 58: no 2D texture on the current unit. */
    OV_API void OvTextureUnactivate(int32_t target);
    /* On the active texture: 237 min filter, 238 mag filter (242 nearest, 243 linear);
     * 239 wrap across, 240 wrap down (248 repeat, 249 clamp). */
    OV_API void OvTextureParameter(int32_t name, float value);
    /* 258 width, 259 height, 261 byte size of the locked pixels: pointers to int32_t. */
    OV_API void* OvTextureGet(OvHandle texture, int32_t query);
    /* RGBA8 rows in texture order. mode 0 read and write, 1 read only. Null on failure. */
    OV_API void* OvTextureLock(OvHandle texture, int32_t mode);
    /* flags bit 0: upload the (changed) pixels of a read-write lock; 0 discards them. */
    OV_API void OvTextureUnlock(OvHandle texture, int32_t flags);
    /* The texture unit (0-7) that activation and parameters act on; fixed-function drawing
     * uses unit 0, the others are for shaders. */
    OV_API void OvTextureUnit(int32_t unit);

    /* ---- Frame buffers (canvases): pictures drawn like a render target, then used as textures
     * A frame buffer draws into an engine texture through an OpenGL frame buffer object of the
     * active render target's context. Sizes run from 1 to the device's largest texture side
     * (GL_MAX_TEXTURE_SIZE); anything else is refused. Failures return 0 (Create leaves the
     * handle empty, {1, null}). docs/engine.md describes them. */
#define OV_FRAME_BUFFER_RGBA8 1        /* format: 8-bit RGBA (0 means the same) */
#define OV_FRAME_BUFFER_NEAREST 1      /* flag bit 0: the picture sampled pixel for pixel */
#define OV_FRAME_BUFFER_WIDTH 449      /* OvFrameBufferGet: int32_t */
#define OV_FRAME_BUFFER_HEIGHT 450     /* int32_t */
#define OV_FRAME_BUFFER_TEXTURE 451    /* OvHandle of the texture drawn into */
#define OV_FRAME_BUFFER_MOST_NESTED 16 /* frame buffers active inside one another */

    /* A frame buffer with a texture of its own (transparent black), destroyed with it.
     * `format` 0 or 1. `flag` bit 0 (OV_FRAME_BUFFER_NEAREST) sets the texture's filters to
     * nearest (242), as pixel art wants when drawn scaled; 0 keeps linear. Other bits are
     * ignored. */
    OV_API uint8_t OvFrameBufferCreate(OvHandle* frameBuffer, int32_t width, int32_t height,
                                       int32_t format, int32_t flag);
    /* A frame buffer drawing into an existing texture that has pixels; the texture stays the
     * caller's (destroying it makes the frame buffer refuse to activate). `flag` as above, set
     * on that texture. */
    OV_API uint8_t OvFrameBufferCreateFromTexture(OvHandle* frameBuffer, OvHandle texture,
                                                  int32_t flag);
    /* Ends its activation first (and those inside it); destroys its own texture. */
    OV_API void OvFrameBufferDestroy(OvHandle frameBuffer);
    /* Draws go into the frame buffer, with a viewport over all of it (the projection is the
     * caller's to set). 0 without an active render target, while its texture is locked,
     * when it is active already or OV_FRAME_BUFFER_MOST_NESTED are, or when the context
     * cannot draw into it. */
    OV_API uint8_t OvFrameBufferActivate(OvHandle frameBuffer);
    /* Ends the innermost activation when it is this frame buffer's: draws go back to the
     * frame buffer outside it or to the render target, with the viewport they had. */
    OV_API void OvFrameBufferUnactivate(OvHandle frameBuffer);
    /* Makes its texture the active texture of the current unit (as OvTextureActivate). */
    OV_API void OvFrameBufferActivateTexture(OvHandle frameBuffer);
    /* Builds the texture's mipmap levels from what was drawn and switches its minifying
     * filter to use them; OvTextureParameter(237, ...) switches back to the picture alone. */
    OV_API void OvFrameBufferMipmap(OvHandle frameBuffer);
    /* 449, 450, 451 (OV_FRAME_BUFFER_...); null for other queries or a refused handle. */
    OV_API void* OvFrameBufferGet(OvHandle frameBuffer, int32_t query);
    /* Draws into `texture` (one with pixels) from now on; the frame buffer's size becomes the
     * texture's. Its own texture is still destroyed with it; a swapped-in one never is. 0
     * while the frame buffer is active or for a texture without pixels or locked. */
    OV_API uint8_t OvFrameBufferSwapTexture(OvHandle frameBuffer, OvHandle texture);
    /* 1 when the active render target's context draws into this frame buffer through a frame
     * buffer object (tried now: supported and complete); 0 when it cannot, so Activate would
     * fail. */
    OV_API uint8_t OvFrameBufferUseFBO(OvHandle frameBuffer);

    /* ---- Drawing --------------------------------------------------------------------------------
     * Modes: 4 points, 5 lines, 6 outline (line loop), 7 line strip, 8 triangles,
     * 9 triangle strip, 10 fan, 11 quads.
     * OvDrawData draws `count` vertices (or indices) from `first`, from separate arrays:
     *   positions, colours, texcoords, normals: arrays, or with OV_DRAW_BUFFERED null, the
     *     offsets below being byte offsets into the active vertex buffer (452). A null colour
     *     array uses the drawing colour (263); null texcoords give (0, 0).
     *   indices: uint32_t (or uint16_t, indexSize 2) array; with OV_DRAW_INDEXED a byte offset
     *     into the active index buffer (453).
     *   valueType: OV_VALUE_FLOAT (0 means float) or OV_VALUE_DOUBLE.
     *   strides: bytes between elements, 0 tightly packed.
     *   sizes: components per element; 0 means 4 for positions and colours, 2 for texcoords.
     *   enabled: with OV_DRAW_BUFFERED the arrays used, 1 position, 2 colour, 4 texcoord,
     *     8 normal; 0 (client arrays) means every non-null array.
     *   offsets: bytes added to each array (or buffer offsets). */
    OV_API void OvDrawData(int32_t mode, int32_t first, int32_t count, const void* positions,
                           const void* colours, const void* texcoords,
                           const void* normals OV_DEFAULT(0), const void* indices OV_DEFAULT(0),
                           int32_t flags OV_DEFAULT(0), int32_t valueType OV_DEFAULT(0),
                           int32_t positionStride OV_DEFAULT(0), int32_t colourStride OV_DEFAULT(0),
                           int32_t texcoordStride OV_DEFAULT(0), int32_t normalStride OV_DEFAULT(0),
                           int32_t positionSize OV_DEFAULT(0), int32_t colourSize OV_DEFAULT(0),
                           int32_t texcoordSize OV_DEFAULT(0), int32_t enabled OV_DEFAULT(0),
                           int32_t positionOffset OV_DEFAULT(0), int32_t colourOffset OV_DEFAULT(0),
                           int32_t texcoordOffset OV_DEFAULT(0), int32_t normalOffset OV_DEFAULT(0),
                           int32_t indexSize OV_DEFAULT(0));
    /* Vertices in the 60-byte layout: texcoord (4 floats), colour (4), normal (3), position (4).
     * With indices, `count` indices from `first`; otherwise `count` vertices from `first`. */
    OV_API void OvDrawDataStruct(int32_t mode, int32_t first, int32_t count, const void* vertices,
                                 const uint32_t* indices);
    /* Immediate mode: starts a primitive of `mode`; each OvPutVertex takes the last texture
     * coordinate and drawing colour. */
    OV_API void OvPrimitiveBegin(int32_t mode);
    /* Adds a vertex at (x, y, z, w) to the primitive begun. */
    OV_API void OvPutVertex(double x, double y, double z, double w);
    /* The texture coordinate of the vertices put from now on. */
    OV_API void OvPutTexvertex(double s, double t, double r, double q);
    /* Draws the primitive begun with its vertices. */
    OV_API void OvPrimitiveEnd(void);

    /* ---- Vertex buffers: kinds 452 vertices, 453 indices; usage 454 static, 455 dynamic,
     * 456 stream; map access 463 read only, 464 write only, 465 read and write ---------------- */
    /* 1 when the active context has buffer objects, so vertex buffers can be made. */
    OV_API uint8_t OvVertexBufferInit(void);
    /* Fails when `buffer` already holds a live buffer or both sizes are 0; indexBytes 0 makes
     * no index buffer. Both buffers stay active on success. */
    OV_API uint8_t OvVertexBufferCreate(OvHandle* buffer, uint32_t vertexBytes,
                                        const void* vertexData, int32_t vertexUsage,
                                        uint32_t indexBytes, const void* indexData,
                                        int32_t indexUsage);
    /* Frees both buffers of the handle. */
    OV_API void OvVertexBufferDestroy(OvHandle buffer);
    /* Makes the handle's buffer of `kind` (452 or 453) the one OvDrawData reads from. */
    OV_API void OvVertexBufferActivate(OvHandle buffer, int32_t kind);
    /* Leaves no buffer of `kind` active: OvDrawData reads client arrays again. */
    OV_API void OvVertexBufferUnactivate(int32_t kind);
    /* 1 when the handle has a buffer of `kind` (an index buffer only when asked for one). */
    OV_API uint8_t OvVertexBufferHasBuffer(OvHandle buffer, int32_t kind);
    /* The byte size of the handle's buffer of `kind`; 0 when it has none. */
    OV_API uint32_t OvVertexBufferSize(OvHandle buffer, int32_t kind);
    /* Maps the active buffer of `kind`; null when none is active or mapping fails. */
    OV_API void* OvVertexBufferMap(int32_t kind, int32_t access);
    /* Ends the mapping, so the buffer is drawn from again; 0 when none of `kind` is mapped or
     * its contents were lost (OpenGL refused the unmap). */
    OV_API uint8_t OvVertexBufferUnmap(int32_t kind);

    /* ---- Shaders: kinds 429 low-level vertex program, 430 low-level fragment program,
     * 431 vertex shader, 432 fragment shader, 433 linked program ------------------------------ */
    /* 1 when the active context can run shaders or low-level programs. */
    OV_API uint8_t OvShaderInit(void);
    /* The GLSL version times 100 (110, 120, ...), or 0 without shaders. */
    OV_API int32_t OvShaderModel(void);
    /* An empty shader object, which a Load or OvShaderMakeProgram gives its kind. */
    OV_API uint8_t OvShaderCreate(OvHandle* shader);
    /* Frees the shader or linked program. */
    OV_API void OvShaderDestroy(OvHandle shader);
    /* Compiles the source file at `path` of `kind` (429-432) into the shader; the log tells
     * why it failed. */
    OV_API uint8_t OvShaderLoad(OvHandle shader, const char* path, int32_t kind);
    /* The same from a zero-terminated source text. */
    OV_API uint8_t OvShaderLoadFromMemory(OvHandle shader, const char* text, int32_t kind);
    /* Links `count` compiled shaders into `program`, which becomes kind 433. */
    OV_API uint8_t OvShaderMakeProgram(OvHandle program, const OvHandle* shaders, int32_t count);
    /* The last compiler or linker message; "" when the last step succeeded. Never null. */
    OV_API const char* OvShaderLastLog(void);
    /* Activates a linked program or a low-level program (each kind on its own). */
    OV_API void OvShaderActivate(OvHandle shader);
    /* 429 / 430: low-level vertex / fragment programs off; 433: no linked program. */
    OV_API void OvShaderUnactivate(int32_t kind);
    /* The location of uniform `name` in a linked program; -1 when it has none of that name. */
    OV_API int32_t OvShaderUniformLocation(OvHandle program, const char* name);
    /* The location of vertex attribute `name` in a linked program; -1 when unknown. */
    OV_API int32_t OvShaderAttributeLocation(OvHandle program, const char* name);
    /* On the active program; count is the number of components used (1-4). */
    OV_API void OvShaderUniform(int32_t location, float x, float y, float z, float w,
                                int32_t count);
    /* An integer uniform (a sampler's texture unit) of `count` components from `values`. */
    OV_API void OvShaderUniformInteger(int32_t location, const int32_t* values, int32_t count);
    /* 16 doubles, column-major unless transpose. */
    OV_API void OvShaderUniformMatrix(int32_t location, const double* matrix, uint8_t transpose);
    /* A constant value of the vertex attribute at `location` (count components, 1-4). */
    OV_API void OvShaderAttribute(int32_t location, float x, float y, float z, float w,
                                  int32_t count);
    /* Local parameter `index` of the low-level program of `kind` (429 or 430). */
    OV_API void OvShaderLocalParam(int32_t kind, int32_t index, float x, float y, float z, float w);

    /* ---- Vector math (degrees) ------------------------------------------------------------------
     * angleX turns in the screen plane from +X towards +Y; angleY lifts towards +Z. out[0..2]
     * receive x, y, z; out[3] is left as it is. */
    OV_API void OvLengthdir(double angleX, double angleY, double angleZ, double length,
                            double* out);
    /* The angles (x in [0, 360), y in [-90, 90], z 0) pointing from one point to another. */
    OV_API void OvDirection(double fromX, double fromY, double fromZ, double fromW, double toX,
                            double toY, double toZ, double toW, double* out);

    /* ---- Fonts: display lists that draw strings with the active texture ------------------------
     * OvGenerateFont fills `list` (a new one, or regenerates a live one in place) from a glyph
     * descriptor, or from none (null) as the built-in grid font. The descriptor is copied; its
     * layout is, all floats: letterSpacing, lineSpacing, then the line-break byte padded to four
     * bytes (unused: lines break at state 100, read now), lineHeight, then 256 glyphs of nine
     * floats width, height, xoffset, yoffset, xadvance, u0, v0, u1, v1 (9232 bytes in all).
     * The grid font takes the active texture as 16 x 16 equal cells, code c in column c % 16 and
     * row c / 16 from the top, and draws each cell as a glyph of states 96 x 97. docs/engine.md
     * has the details. OvDrawFont draws a zero-terminated string with the active texture, the
     * drawing colour and the model-view transform, its first line's top-left corner at the
     * origin, y growing downwards. */
    OV_API uint8_t OvGenerateFont(OvHandle* list, const void* descriptor);
    OV_API void OvDrawFont(OvHandle list, const char* text);
    /* Frees a font's display list. */
    OV_API void OvDisplaylistDestroy(OvHandle list);

    /* ---- Image files, for tools: pure CPU work, no render target needed ------------------------
     * .ovt is the engine's texture file (docs/formats.md). */
    typedef struct OvTextureFileHeader
    {
        uint32_t version;        /* 1, the only layout (docs/formats.md) */
        uint32_t format;         /* 1: RGBA8 */
        uint32_t width;          /* pixels */
        uint32_t height;         /* pixels */
        uint32_t compressedSize; /* bytes of the zlib stream of pixels after the header */
    } OvTextureFileHeader;

    /* 1 when `data` is a well-formed .ovt header whose compressed data fits in `size`. */
    OV_API uint8_t OvTextureFileReadHeader(const void* data, size_t size,
                                           OvTextureFileHeader* header);
    /* Decodes an .ovt file or an encoded image (PNG, BMP, JPEG, TGA, GIF) into RGBA8 rows, top
     * row first; null on failure. Free the result with OvImageFree. */
    OV_API void* OvImageDecode(const void* data, size_t size, int32_t* width, int32_t* height);
    /* Encodes RGBA8 rows as an .ovt file of *size bytes; null on failure. Free with OvImageFree. */
    OV_API void* OvImageEncodeOvt(const void* pixels, int32_t width, int32_t height, size_t* size);
    /* Frees what OvImageDecode or OvImageEncodeOvt returned; null is accepted. */
    OV_API void OvImageFree(void* data);

    /* ---- Soft bodies: docs/particles.md --------------------------------------------------------
     * A DNA owns slots for substances (point masses, kind 34), covalence forces (springs, 35)
     * and surfaces (textured triangles, 36), plus a pair of free handles (37). Items are made
     * on their own, then linked into slots; a linked item belongs to the DNA: OvDnaDie(dna, 1)
     * and OvDnaDestroy destroy it, OvDnaDie(dna, 0) only unlinks. The simulation is Verlet
     * integration at OV_DNA_STEPS_PER_SECOND fixed steps, each relaxing every spring
     * OV_DNA_ITERATIONS times; OvDnaDraw advances it by the time since the DNA was last
     * advanced (at most OV_DNA_MAX_ADVANCE seconds) and draws its surfaces. */
#define OV_DNA_SUBSTANCES 34        /* slot kind: substances (point masses) */
#define OV_DNA_FORCES 35            /* slot kind: covalence forces (springs) */
#define OV_DNA_SURFACES 36          /* slot kind: surfaces (textured triangles) */
#define OV_DNA_PAIR 37              /* two free handles kept for the caller, never used */
#define OV_SUBSTANCE_POSITION 315   /* OvSubstanceGet: four doubles */
#define OV_SUBSTANCE_MASS 316       /* double; 0 or less: immovable */
#define OV_SUBSTANCE_RANGE 317      /* double: radius other ranged substances keep off */
#define OV_SUBSTANCE_SOLID 318      /* int32_t: 1 fixed in place */
#define OV_SUBSTANCE_PREVIOUS 319   /* four doubles: the position one step ago */
#define OV_FORCE_FIRST 327          /* OvHandle of the first substance */
#define OV_FORCE_SECOND 328         /* OvHandle of the second substance */
#define OV_FORCE_RESILIENCE 329     /* double in 0..1: share of the error mended per pass */
#define OV_FORCE_LENGTH 330         /* double: rest length */
#define OV_SURFACE_CORNER 344       /* 344, 345, 346: OvHandle of each corner's substance */
#define OV_SURFACE_COORD 350        /* 350, 351, 352: four doubles each */
#define OV_SURFACE_TEXTURE 353      /* OvHandle */
#define OV_DNA_STEPS_PER_SECOND 120 /* fixed simulation steps per second */
#define OV_DNA_ITERATIONS 8         /* relaxations of every spring per step */
#define OV_DNA_MAX_ADVANCE 0.25     /* seconds one OvDnaDraw advances at most */
#define OV_DNA_MAX_ITEMS 1048576    /* slots of one kind */

    /* An empty DNA without slots (OvDnaBirth gives it some). */
    OV_API uint8_t OvDnaCreate(OvHandle* dna);
    /* Destroys the DNA and every item linked into it. */
    OV_API void OvDnaDestroy(OvHandle dna);
    /* Sets the number of slots of each kind given a positive count (0 leaves that kind as it
     * is); new slots are empty, items in slots beyond a smaller count are destroyed. 0 for a
     * negative count or one above OV_DNA_MAX_ITEMS. */
    OV_API uint8_t OvDnaBirth(OvHandle dna, int32_t substances, int32_t forces, int32_t surfaces);
    /* Empties every slot; with destroyItems set the linked items are destroyed too. */
    OV_API void OvDnaDie(OvHandle dna, int32_t destroyItems);
    /* Puts `item` into slot `index` of `kind` (37: index 0 or 1). 0 when out of range. */
    OV_API uint8_t OvDnaLink(OvHandle dna, int32_t kind, int32_t index, OvHandle item);
    /* The slots of `kind` from `index` on (engine storage, valid until the next Birth, Die or
     * Destroy of the DNA); null when out of range. */
    OV_API OvHandle* OvDnaGet(OvHandle dna, int32_t kind, int32_t index);
    /* The number of slots of `kind` (34-37); 0 for a refused handle or kind. */
    OV_API int32_t OvDnaCount(OvHandle dna, int32_t kind);
    /* Advances the simulation by the real time since the last advance (at most
     * OV_DNA_MAX_ADVANCE; the first draw by nothing), then draws every surface whose three
     * substances exist under the current transform. */
    OV_API void OvDnaDraw(OvHandle dna);
    /* Advances the simulation by `seconds` of fixed steps (the remainder is carried to the
     * next advance); at most 60 seconds a call. */
    OV_API void OvDnaAdvance(OvHandle dna, double seconds);
    /* Acceleration of every movable substance, units per second squared; (0, 490, 0) at first
     * (downwards on a y-down screen). */
    OV_API void OvDnaSetGravity(OvHandle dna, double x, double y, double z);
    /* Share of the velocity lost per second, 0..0.99; 0.5 at first. */
    OV_API void OvDnaSetDamping(OvHandle dna, double perSecond);

    /* A new substance, not linked into any DNA yet (OvDnaLink puts it in a slot). */
    OV_API uint8_t OvSubstanceCreate(OvHandle* substance);
    /* Destroys the substance, linked or not. */
    OV_API void OvSubstanceDestroy(OvHandle substance);
    /* flags 0: placed at rest there; 1: moved there keeping its previous position, so the
     * move becomes its velocity. Non-finite positions are refused. */
    OV_API void OvSubstanceSetPosition(OvHandle substance, const double* position, int32_t flags);
    /* The mass; 0 or less makes the substance immovable. */
    OV_API void OvSubstanceSetMass(OvHandle substance, double mass);
    /* The radius other ranged substances keep off (0: none). */
    OV_API void OvSubstanceSetRange(OvHandle substance, double range);
    /* 1: fixed in place; 0: moves with the simulation. */
    OV_API void OvSubstanceSetSolid(OvHandle substance, int32_t solid);
    /* Engine storage of property 315-319 (OV_SUBSTANCE_...); null for other properties. */
    OV_API void* OvSubstanceGet(OvHandle substance, int32_t property);

    /* A new spring without ends, not linked into any DNA yet. */
    OV_API uint8_t OvCovalenceForceCreate(OvHandle* force);
    /* Destroys the spring, linked or not. */
    OV_API void OvCovalenceForceDestroy(OvHandle force);
    /* The substance at `end` 327 (first) or 328 (second). */
    OV_API void OvCovalenceForceSetSubstance(OvHandle force, int32_t end, OvHandle substance);
    /* The share of the length error mended in each relaxation, 0..1. */
    OV_API void OvCovalenceForceSetResilience(OvHandle force, double resilience);
    /* The rest length (0 or more). */
    OV_API void OvCovalenceForceSetForce(OvHandle force, double length);
    /* Engine storage of property 327-330 (OV_FORCE_...); null for other properties. */
    OV_API void* OvCovalenceForceGet(OvHandle force, int32_t property);

    /* A new triangle without corners or texture, not linked into any DNA yet. */
    OV_API uint8_t OvSurfaceCreate(OvHandle* surface);
    /* Destroys the surface, linked or not. */
    OV_API void OvSurfaceDestroy(OvHandle surface);
    /* The substance at corner 344, 345 or 346. */
    OV_API void OvSurfaceSetSubstance(OvHandle surface, int32_t corner, OvHandle substance);
    /* The texture coordinate of corner 350, 351 or 352: four doubles. */
    OV_API void OvSurfaceSetCoord(OvHandle surface, int32_t which, const double* coord);
    /* target 58; an empty texture draws with the drawing colour */
    OV_API void OvSurfaceSetTexture(OvHandle surface, OvHandle texture, int32_t target);
    /* Engine storage of property 344-353 (OV_SURFACE_...); null for other properties. */
    OV_API void* OvSurfaceGet(OvHandle surface, int32_t property);

    /* ---- Sockets: TCP over POSIX sockets; docs/net.md ------------------------------------------
     * A byte buffer with the framework's ByteBuffer field order. OvSocketReceive lends it a
     * block the engine keeps (`borrowed` 1, `count` the bytes received); the caller hands the
     * same buffer back with an empty handle to release it before the next receive. A buffer
     * that owns a malloc'd block when handed to a receive has that block freed first. */
    typedef struct OvByteBuffer
    {
        uint32_t capacity; /* bytes in the block */
        uint8_t* start;    /* the block (malloc'd, or lent by the engine when borrowed) */
        uint8_t* cursor;   /* read and write position within the block */
        uint8_t scratch;   /* the framework's byte for out-of-range reads; unused here */
        uint8_t borrowed;  /* 1: the block is lent and never freed by the holder */
        uint32_t count;    /* bytes in use from start */
        uint32_t growStep; /* the framework's growth step; 0 grows to the exact size */
    } OvByteBuffer;

/* OvSocketLastError codes: why the last call on a socket failed or the connection ended. */
#define OV_SOCKET_OK 0                /* no failure */
#define OV_SOCKET_CLOSED 1            /* the peer closed the connection in order */
#define OV_SOCKET_RESET 2             /* the peer reset it, or sending hit a closed peer */
#define OV_SOCKET_REFUSED 3           /* nobody listens there */
#define OV_SOCKET_UNREACHABLE 4       /* the host name did not resolve, or no route */
#define OV_SOCKET_TIMED_OUT 5         /* a blocking wait ran past the socket's timeout */
#define OV_SOCKET_FAILED 6            /* any other refusal (wrong state, out of descriptors...) */
#define OV_SOCKET_SEND_KEEP 1         /* OvSocketSend flag: queue what cannot go out now */
#define OV_SOCKET_RECEIVE_BLOCK 65536 /* OvSocketReceive's block with limit 0 */

    /* Bracket all other socket use; Closure destroys every socket and every lent block. */
    OV_API void OvSocketInitiation(void);
    OV_API void OvSocketClosure(void);
    /* A socket without a descriptor yet (Open or Accept gives it one). 0 before Initiation. */
    OV_API uint8_t OvSocketCreate(OvHandle* socket);
    /* flag 0: IPv4 TCP, 1: IPv6 TCP (listening on both). Descriptors are close-on-exec. */
    OV_API uint8_t OvSocketOpen(OvHandle socket, int32_t flag);
    /* Binds every local address at `port` (0: one the system picks) and listens. */
    OV_API uint8_t OvSocketListen(OvHandle socket, uint16_t port, int32_t backlog);
    /* The local port the socket is bound to, 0 when none. */
    OV_API uint16_t OvSocketLocalPort(OvHandle socket);
    /* Resolves `host` (a name or a numeric address) and connects. Blocking: waits at most
     * the socket's timeout, trying each address; 0 when refused, unreachable or timed out.
     * Non-blocking: 1 once the connection is under way; OvSocketIsConnected completes it. */
    OV_API uint8_t OvSocketConnect(OvHandle socket, const char* host, uint16_t port);
    /* Gives `accepted` (created, never opened) the next waiting connection of `listening`,
     * blocking; waits at most the timeout when `listening` is blocking, else 0 at once. */
    OV_API uint8_t OvSocketAccept(OvHandle accepted, OvHandle listening);
    /* 1 non-blocking, 0 blocking. */
    OV_API uint8_t OvSocketAsync(OvHandle socket, int32_t on);
    /* 1: small writes are coalesced (Nagle's algorithm); 0: each goes out at once. */
    OV_API uint8_t OvSocketNagle(OvHandle socket, int32_t on);
    /* Milliseconds a blocking connect, accept, send or receive waits (default 10000). */
    OV_API uint8_t OvSocketTimeout(OvHandle socket, int32_t milliseconds);
    /* 1 while the connection stands (a pending non-blocking connect is completed here, and
     * refused or unreachable peers end it); 0 once the peer closed or reset it. Also sends
     * what OV_SOCKET_SEND_KEEP queued. */
    OV_API uint8_t OvSocketIsConnected(OvHandle socket);
    /* Sends bytes offset .. offset + count of buffer's data (`count` bytes in use; count 0:
     * to the end). Blocking: until all went out or the timeout. Non-blocking: what the
     * system takes now, and with OV_SOCKET_SEND_KEEP the rest is queued (up to 64 MiB a
     * socket) and sent by the following calls on the socket. Returns the bytes sent or
     * queued, 0 on failure. Never raises SIGPIPE. */
    OV_API uint32_t OvSocketSend(OvHandle socket, const OvByteBuffer* buffer, int32_t flag,
                                 uint32_t offset, uint32_t count);
    /* Receives up to `limit` bytes (0: OV_SOCKET_RECEIVE_BLOCK; at most 16 MiB) into a lent
     * block; 1 when data arrived. 0 when none waits (non-blocking), on a timeout, or when the
     * connection ended (OvSocketLastError tells which). With an empty socket handle it
     * releases the block lent to `buffer` and empties the buffer. */
    OV_API uint8_t OvSocketReceive(OvHandle socket, OvByteBuffer* buffer, uint32_t limit,
                                   int32_t flags);
    /* OV_SOCKET_...: the last failure, or how the connection ended. */
    OV_API int32_t OvSocketLastError(OvHandle socket);
    /* Closes the socket and forgets it; its handle is refused from then on. */
    OV_API void OvSocketDestroy(OvHandle socket);

    /* ---- Virtual files: packages of named files kept as ZIP archives; docs/formats.md -------
     * Archives are hostile input: an archive whose entry table breaks these bounds is refused
     * whole, and an entry's bytes are checked against its declared size and CRC as they are
     * read. Names are stored as given; the framework decides what may reach a folder. */
#define OV_VIRTUAL_FILE_LARGEST (256u << 20) /* bytes in one entry */
#define OV_VIRTUAL_FILE_MOST_ENTRIES 65536u  /* entries in one archive */
#define OV_VIRTUAL_FILE_LONGEST_NAME 1024u   /* bytes in an entry name */
/* OvVirtualFileLastError codes */
#define OV_VIRTUAL_FILE_OK 0        /* the last call succeeded */
#define OV_VIRTUAL_FILE_NOT_FOUND 1 /* no such file, or the entry is no longer there */
#define OV_VIRTUAL_FILE_DAMAGED 2   /* not a ZIP archive, truncated, or data that fails its check */
#define OV_VIRTUAL_FILE_TOO_LARGE 3 /* past the bounds above */
#define OV_VIRTUAL_FILE_FAILED 4    /* bad arguments, or the archive could not be written */
/* OvVirtualFileSave flags */
#define OV_VIRTUAL_FILE_STORED 1 /* keep the entries uncompressed (default: deflated) */

    /* One file of a package's entry table. */
    typedef struct OvVirtualFileEntry
    {
        uint32_t size;  /* uncompressed bytes */
        char* name;     /* UTF-8, '/' between folders */
        uint64_t index; /* the entry's place in the archive */
    } OvVirtualFileEntry;

    /* A package's entry table: its files, folders left out, in archive order. */
    typedef struct OvVirtualFileInfo
    {
        uint32_t count;              /* entries in the table */
        OvVirtualFileEntry* entries; /* `count` entries, the engine's until InfoClose */
    } OvVirtualFileInfo;

    /* One file's name and bytes, owned by the record until OvVirtualFileFree. */
    typedef struct OvVirtualFile
    {
        char* name;    /* UTF-8, '/' between folders */
        uint8_t* data; /* the file's bytes */
        uint32_t size; /* bytes at data */
    } OvVirtualFile;

    /* Fills `info` with the entry table of the archive at `packageName`; 0 (info empty) when
     * the file is missing, is not an archive, is truncated or breaks the bounds. A table
     * `info` held before is not freed: close it first. */
    OV_API uint8_t OvVirtualFileInfoOpen(const char* packageName, OvVirtualFileInfo* info);
    /* Frees the table and leaves `info` empty. */
    OV_API void OvVirtualFileInfoClose(OvVirtualFileInfo* info);
    /* Reads one entry of the table into `file` (freed first); 0 when the archive changed since
     * it was listed or its bytes do not match the declared size or CRC. */
    OV_API uint8_t OvVirtualFileLoad(OvVirtualFile* file, const char* packageName,
                                     const OvVirtualFileEntry* entry);
    /* The bytes the record holds; 0 for a null record. */
    OV_API uint32_t OvVirtualFileSize(const OvVirtualFile* file);
    /* Copies the first `count` bytes of the file to `destination`; 0 when count is more than
     * it holds. */
    OV_API uint8_t OvVirtualFileGetData(const OvVirtualFile* file, void* destination,
                                        uint32_t count);
    /* Fills a record with copies of `name` and of `size` bytes at `data`. */
    OV_API uint8_t OvVirtualFileMakeFile(OvVirtualFile* file, const char* name, const void* data,
                                         uint32_t size);
    /* Frees the record's name and bytes and leaves it empty. */
    OV_API void OvVirtualFileFree(OvVirtualFile* file);
    /* Writes the records as a new archive at `packageName` (OV_VIRTUAL_FILE_... flags); an
     * existing file is replaced only once the new one is complete. 0 for no records, an
     * unnamed record, a name given twice, or a failed write. */
    OV_API uint8_t OvVirtualFileSave(const char* packageName, const OvVirtualFile* files,
                                     uint32_t count, int32_t flags);
    /* OV_VIRTUAL_FILE_...: why the last virtual-file call failed, 0 after a success. */
    OV_API int32_t OvVirtualFileLastError(void);

    /* ---- Script compiler (Mentaro); docs/formats.md -------------------------------------------
     * A command set is linked from a definition text, built into a list, and used to compile
     * sources into programs and to run them. Sources, definition texts and programs are
     * hostile input: each is bounded, and a broken one is refused with a reason in
     * OvMentaroLastError. */
#define OV_MENTARO_LARGEST_DEFINITION (64u << 10) /* bytes in one definition text */
#define OV_MENTARO_MOST_KEYWORDS 1024u            /* keywords in one definition text */
#define OV_MENTARO_MOST_COMMANDS 256u             /* commands in one definition list */
#define OV_MENTARO_MOST_OPERANDS 16u              /* operands of one command */
#define OV_MENTARO_LONGEST_WORD 64u               /* bytes in a name, keyword or command */
#define OV_MENTARO_LARGEST_SOURCE (1u << 20)      /* bytes in one source */
#define OV_MENTARO_LONGEST_LINE 1024u             /* bytes in one source line */
#define OV_MENTARO_MOST_STATEMENTS 65536u         /* commands in one program */
#define OV_MENTARO_MOST_VARIABLES 256u            /* slots one program may name */

    /* A command handler: the engine calls it with a buffer positioned at the command's
     * operands, read in the order of the command's definition: a KEYWORD operand is a 32-bit
     * keyword number (4 bytes), a VARIABLE operand is the address of a host slot
     * (pointer-sized: 8 bytes on a 64-bit build, 4 on a 32-bit one). The buffer's count ends
     * at the last operand. */
    typedef void (*OvMentaroProc)(OvByteBuffer* operands);

    /* Links one definition text ("!EXTERNAL: name" / "!KEYWORDS: ..." / "!DEFINITIONS: <n>d" /
     * "<COMMAND>\t<operand kinds>" lines / "!END") under `name`; 0 when it does not parse. */
    OV_API uint8_t OvMentaroLinkDefinition(const char* name, const char* text, uint32_t length);
    /* Builds a definition list from every linked text (null when none is linked); the list is
     * the caller's until OvMentaroFreeDefinitionList (null is accepted). */
    OV_API void* OvMentaroBuildDefinitionList(void);
    /* Frees a list from OvMentaroBuildDefinitionList. */
    OV_API void OvMentaroFreeDefinitionList(void* list);
    /* Forgets every linked definition text; lists built before stay usable until freed. */
    OV_API void OvMentaroUnlinkDefinitions(void);
    /* Removes every command handler at once. */
    OV_API void OvMentaroClearDefinitionsProc(void);
    /* Sets the handler of `command` of definition `external` (a later one replaces it); 0 for
     * a null handler or a name that is not a word. */
    OV_API uint8_t OvMentaroAddDefinitionProc(const char* external, const char* command,
                                              OvMentaroProc proc);
    /* Compile a source into `program` (an OvByteBuffer the engine fills with a malloc'd block,
     * freed by OvMentaroFree); 0 on failure with the program left empty and
     * OvMentaroLastError() naming the line and what was expected. */
    OV_API uint8_t OvMentaroCompile(OvByteBuffer* program, const char* source, uint32_t length,
                                    const void* list);
    /* The same with the source read from the file at `path`. */
    OV_API uint8_t OvMentaroCompileFile(OvByteBuffer* program, const char* path, const void* list);
    /* Compiles a source and writes the program to the file `target` (replaced only once the
     * new file is complete). */
    OV_API uint8_t OvMentaroCompileToFile(const char* source, uint32_t length, const char* target,
                                          const void* list);
    /* The same with the source read from the file at `source`. */
    OV_API uint8_t OvMentaroCompileFileToFile(const char* source, const char* target,
                                              const void* list);
    /* Runs a compiled program (from a compile, or bytes loaded from a compiled file: the binary
     * is checked before anything runs). `slots` are the host slots VARIABLE operands bind to.
     * Returns the number of commands run; 0 for an empty or refused program. */
    OV_API int32_t OvMentaroExecute(const OvByteBuffer* program, void* const* slots,
                                    uint32_t slotCount, const void* list);
    /* Frees a program's block from a compile (unless borrowed) and leaves the buffer empty. */
    OV_API void OvMentaroFree(OvByteBuffer* program);
    /* The last compile or execute error as text ("line 3: expected a keyword of ..."), "" after
     * a success. */
    OV_API const char* OvMentaroLastError(void);

#ifdef __cplusplus
}
#endif
#undef OV_DEFAULT

#endif
