// The OpenGL preview beside the tab pages: clears to the background colour and draws the
// creature (or, while it has one, its scene: the converter's object), and turns mouse drags
// into rotation, pan and zoom (or hands them to the scene); the wheel zooms as a zoom drag does.
//
// A native window of its own (in the dialog through a PreviewContainer), so a frame swaps only
// the preview: nothing composes the dialog around it and no control repaints for it. Frames
// are presented only when something changed: every change asks for one frame, which the next
// pass of the event loop draws however many changes came before it.
//
// Pixel frames: mouse events arrive in Qt logical pixels with y down; the viewport and
// everything GL sees is in device pixels with y up (logical size x devicePixelRatio).
//
// Ownership: the main dialog's PreviewContainer owns the window; standing alone (tests,
// benchmarks) it is a top-level window owned by its creator. It refers to the Creature and the
// scene, which its owner keeps alive longer; it owns only its GL state (legacy fixed-function,
// compatibility profile), released in Cleanup() when the context goes away.
//
// Lifecycle as in Qt's OpenGL examples: GL state set in initializeGL, projection in resizeGL,
// drawing in paintGL only; setters compare, assign, then ask for a frame; mouse handlers only
// call setters. Keys have no function in the view and are taken here, so none reaches the
// dialog's default button.
#pragma once

#include <QOpenGLWindow>
#include <QPoint>
#include <QSize>
#include <array>
#include <optional>

#include "model/creature.h"
#include "render/preview_navigation.h"
#include "render/preview_scene.h"
#include "rig/creature_pose.h"
#include "subdivide/subdivided_creature.h"

namespace bw {

class PreviewView : public QOpenGLWindow {
    Q_OBJECT

  public:
    PreviewView();
    ~PreviewView() override;

    // The surface format the preview asks for: RGB 8 bits each without alpha, 32-bit depth
    // (the driver may give less), 8-bit stencil, double buffered, compatibility profile.
    static QSurfaceFormat RequestedFormat();

    void SetCreature(Creature* creature);
    // The pose the creature is drawn in (not owned; null: its own points), and whether its
    // skeleton is drawn over it. Each asks for a frame.
    void SetCreaturePose(CreaturePose* pose);
    void SetShowSkeleton(bool show);
    bool ShowSkeleton() const { return showSkeleton_; }
    // How the creature's surface is drawn: 0 its parts as they are, 1 or 2 (up to
    // kMaxSubdivisionLevel) the welded creature subdivided that many times. A view setting;
    // asks for a frame.
    void SetSurfaceLevel(int level);
    int SurfaceLevel() const { return surfaceLevel_; }
    // What is drawn instead of the creature, and takes the drags, until it is set to null; the
    // view repaints after each drag the scene takes. Double clicks then leave the creature.
    void SetScene(PreviewScene* scene);
    PreviewScene* Scene() const { return scene_; }

    // Red, green, blue, 0 to 1; the clear colour.
    void SetBackgroundColour(const std::array<float, 3>& colour);
    const std::array<float, 3>& BackgroundColour() const { return backgroundColour_; }
    void SetSwapMouseButtons(bool swap);
    bool SwapMouseButtons() const { return swapMouseButtons_; }
    // Uniform scale of the creature drawing, clamped to [kMinZoom, kMaxZoom] by drags only.
    // The creature's light level follows it (brighter when closer).
    void SetZoom(float zoom);
    float Zoom() const { return zoom_; }

    // Camera moves of the creature, each followed by a repaint.
    void SetRotation(float yaw, float pitch);
    void SetPan(float panX, float panY);

    // Repaint request from the pages: one frame at the next pass of the event loop, however
    // many requests come before it. Nothing is drawn while the window is not exposed.
    void Invalidate();
    // Draws and presents a frame now (benchmarks and screenshots drive frames with it).
    void Repaint();
    // Draws a frame into the back buffer and reads it back without presenting it: the picture
    // the next frame shows, as a QOpenGLWidget's grab gives it (the window's own grab only
    // reads a back buffer whose contents after a swap are undefined). Null before the window
    // was first exposed. Logical size x devicePixelRatio, top row first.
    QImage DrawAndReadFrame();

    // The list index of the creature's part drawn at a point of the window (logical pixels, y
    // down); none over the background, without a frame drawn yet, or while a scene is shown.
    std::optional<int> PartAt(QPoint position);

  signals:
    // Ctrl and a left drag that starts on a part pose it: the part's list index at the press,
    // then each move by (right, up) logical pixels, then the release.
    void PosingStarted(int partIndex);
    void PosingMoved(int right, int up);
    void PosingEnded();

  protected:
    bool event(QEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    struct DragState {
        bool pressed = false;
        QPoint last;  // logical pixels, y down
    };

    void Cleanup();
    // Notes that the next update request is to draw a frame.
    void MarkChanged();
    // Viewport and perspective projection for a window of `device` pixels.
    void SetProjection(QSize device);
    DragState* StateOf(DragButton button);
    void ApplyCreatureDrag(DragButton button, QPoint position, Qt::KeyboardModifiers modifiers);
    void ApplySceneDrags(QPoint position, Qt::KeyboardModifiers modifiers);

    Creature* creature_ = nullptr;
    CreaturePose* pose_ = nullptr;
    std::optional<QPoint> posingFrom_;  // the last position of a posing drag
    bool showSkeleton_ = false;
    int surfaceLevel_ = 0;
    // The subdivided surface, refined when the parts change and evaluated per frame.
    SubdividedCreature subdivided_;
    PreviewScene* scene_ = nullptr;

    float zoom_ = kInitialZoom;
    int wheelRemainder_ = 0;  // a fine-grained wheel's turn short of a whole drag pixel
    std::array<float, 3> backgroundColour_{0.0f, 0.0f, 0.0f};
    bool swapMouseButtons_ = false;
    DragState left_, right_, middle_;
    // Set by a button press, cleared by any release: moves act only while it is set.
    bool captured_ = false;
    QSize projectedSize_;  // device pixels the projection was set for
    // Something changed since the last frame was drawn.
    bool frameNeeded_ = false;
    // An update request is posted and not yet served.
    bool framePosted_ = false;
};

}  // namespace bw
