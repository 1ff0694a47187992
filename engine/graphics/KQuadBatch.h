// A batch of blended blits of one picture. With OpenGL it passes every blit to the picture at
// once; with the software renderer it stores the quads and draws them in one call at Flush (or
// when its store is full). Operations keep a fixed slot order (0 the destructor ... 6 DrawRect).
#pragma once

class KGraphic;

class KQuadBatch {
 public:
  /* 0 */ virtual ~KQuadBatch() = default;
  /* 1 */ virtual void Reserve(int quads) = 0;
  /* 2 */ virtual void Begin(KGraphic* picture) = 0;
  /* 3 */ virtual void Flush() = 0;
  /* 4 */ virtual void AddBlitAlphaRect(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                                        bool flipY) = 0;
  /* 5 */ virtual void AddBlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                          float angle, float zoom, float alpha, bool flipX, bool flipY,
                                          float centerX, float centerY) = 0;
  /* 6 */ virtual void DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) = 0;

 protected:
  KQuadBatch() = default;
};
