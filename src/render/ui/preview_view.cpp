#include "render/ui/preview_view.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>
#include <algorithm>

#include "render/gl/creature_drawing.h"
#include "render/gl/part_picking.h"
#include "render/gl/subdivided_drawing.h"
#include "render/preview_camera.h"

namespace bw {
namespace {

std::optional<DragButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return DragButton::Left;
        case Qt::RightButton:
            return DragButton::Right;
        case Qt::MiddleButton:
            return DragButton::Middle;
        default:
            return std::nullopt;
    }
}

}  // namespace

PreviewView::PreviewView() : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate) {
    setFormat(RequestedFormat());
}

PreviewView::~PreviewView() { Cleanup(); }

QSurfaceFormat PreviewView::RequestedFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(0);
    format.setDepthBufferSize(32);
    format.setStencilBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

void PreviewView::Cleanup() {
    // The drawing keeps no GL objects; nothing to release beyond the context Qt owns. Kept as
    // the one place to release them when the drawing gains some.
    if (!isValid()) return;
    makeCurrent();
    doneCurrent();
}

void PreviewView::MarkChanged() {
    frameNeeded_ = true;
    // update() marks the window dirty and asks the platform for a frame after its idle time.
    update();
}

void PreviewView::Invalidate() {
    MarkChanged();
    // The posted request draws the frame at the next pass of the event loop instead, and the
    // platform's own request then finds nothing changed.
    if (framePosted_ || !isExposed()) return;
    framePosted_ = true;
    QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest));
}

void PreviewView::Repaint() {
    if (!isExposed()) return;
    MarkChanged();
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(this, &request);
}

QImage PreviewView::DrawAndReadFrame() {
    if (!isValid()) return {};
    makeCurrent();
    paintGL();
    return QOpenGLWindow::grabFramebuffer();
}

bool PreviewView::event(QEvent* event) {
    if (event->type() == QEvent::UpdateRequest) {
        framePosted_ = false;
        // Qt's window draws on every update request once it has drawn a frame, so a request
        // that comes after the change was drawn is answered with nothing.
        if (!frameNeeded_) return true;
        frameNeeded_ = false;
    }
    return QOpenGLWindow::event(event);
}

void PreviewView::exposeEvent(QExposeEvent* event) {
    // An exposure draws the current picture at once.
    if (isExposed()) frameNeeded_ = false;
    QOpenGLWindow::exposeEvent(event);
}

void PreviewView::SetCreature(Creature* creature) {
    if (creature_ == creature) return;
    creature_ = creature;
    Invalidate();
}

void PreviewView::SetCreaturePose(CreaturePose* pose) {
    if (pose_ == pose) return;
    pose_ = pose;
    Invalidate();
}

void PreviewView::SetShowSkeleton(bool show) {
    if (showSkeleton_ == show) return;
    showSkeleton_ = show;
    Invalidate();
}

void PreviewView::SetSurfaceLevel(int level) {
    level = std::clamp(level, 0, kMaxSubdivisionLevel);
    if (surfaceLevel_ == level) return;
    surfaceLevel_ = level;
    Invalidate();
}

void PreviewView::SetScene(PreviewScene* scene) {
    if (scene_ == scene) return;
    scene_ = scene;
    Invalidate();
}

void PreviewView::SetBackgroundColour(const std::array<float, 3>& colour) {
    if (backgroundColour_ == colour) return;
    backgroundColour_ = colour;
    Invalidate();
}

void PreviewView::SetSwapMouseButtons(bool swap) { swapMouseButtons_ = swap; }

void PreviewView::SetZoom(float zoom) {
    const float level = LightLevelForZoom(zoom);
    if (zoom_ == zoom && (!creature_ || creature_->lightLevel == level)) return;
    zoom_ = zoom;
    if (creature_) creature_->lightLevel = level;
    Invalidate();
}

void PreviewView::SetRotation(float yaw, float pitch) {
    if (!creature_ || (creature_->yaw == yaw && creature_->pitch == pitch)) return;
    creature_->yaw = yaw;
    creature_->pitch = pitch;
    Invalidate();
}

void PreviewView::SetPan(float panX, float panY) {
    if (!creature_ || (creature_->panX == panX && creature_->panY == panY)) return;
    creature_->panX = panX;
    creature_->panY = panY;
    creature_->PropagatePan();
    Invalidate();
}

void PreviewView::initializeGL() {
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &PreviewView::Cleanup,
            Qt::UniqueConnection);
    left_ = right_ = middle_ = DragState{};
    captured_ = false;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glShadeModel(GL_SMOOTH);
}

void PreviewView::resizeGL(int w, int h) {
    // A resize after the first one may come while another context is current.
    makeCurrent();
    const qreal ratio = devicePixelRatio();
    SetProjection(QSize(static_cast<int>(w * ratio), static_cast<int>(h * ratio)));
}

void PreviewView::SetProjection(QSize device) {
    projectedSize_ = device;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0.0, 0.0, -kEyeDistance);
    glViewport(0, 0, device.width(), device.height());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = device.height() == 0
                              ? static_cast<double>(device.width())
                              : static_cast<double>(device.width()) / device.height();
    gluPerspective(kFieldOfViewDegrees, aspect, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
}

void PreviewView::paintGL() {
    // The window takes its new size before its resize event arrives; a frame drawn in between
    // still fills it with the right aspect.
    const QSize device(static_cast<int>(width() * devicePixelRatio()),
                       static_cast<int>(height() * devicePixelRatio()));
    if (device != projectedSize_) SetProjection(device);
    glClearColor(backgroundColour_[0], backgroundColour_[1], backgroundColour_[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (scene_) {
        // The scene sets a projection of its own; the creature's is kept for when the scene
        // goes.
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        scene_->Draw();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        return;
    }
    if (!creature_) return;
    glPushMatrix();
    // The negative z scale turns the creature's model space (z towards the viewer's back)
    // into GL's eye space.
    glScalef(zoom_, zoom_, -zoom_);
    const std::span<const PosedPart> posed =
        pose_ ? pose_->PosedParts(*creature_) : std::span<const PosedPart>{};
    if (surfaceLevel_ > 0 && subdivided_.Update(*creature_, posed, surfaceLevel_))
        DrawSubdividedCreature(*creature_, posed, subdivided_);
    else
        DrawCreature(*creature_, posed);
    if (pose_ && showSkeleton_)
        DrawSkeleton(*creature_, pose_->PosedBones(*creature_), creature_->wireColour);
    glPopMatrix();
}

PreviewView::DragState* PreviewView::StateOf(DragButton button) {
    switch (button) {
        case DragButton::Left:
            return &left_;
        case DragButton::Right:
            return &right_;
        case DragButton::Middle:
            return &middle_;
    }
    return nullptr;
}

std::optional<int> PreviewView::PartAt(QPoint position) {
    if (!creature_ || scene_ || !isValid() || !isExposed()) return std::nullopt;
    const qreal ratio = devicePixelRatio();
    makeCurrent();
    const std::optional<int> part =
        PartAtPixel(*creature_, zoom_, int(position.x() * ratio), int(position.y() * ratio));
    doneCurrent();
    Invalidate();  // the picking drew into the back buffer
    return part;
}

void PreviewView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier) && pose_ &&
        !scene_) {
        const QPoint position = event->position().toPoint();
        if (const std::optional<int> part = PartAt(position)) {
            posingFrom_ = position;
            emit PosingStarted(*part);
            return;
        }
    }
    const auto button = ButtonOf(event->button());
    if (!button) return;
    DragState* state = StateOf(*button);
    state->pressed = true;
    state->last = event->position().toPoint();
    captured_ = true;
}

void PreviewView::mouseReleaseEvent(QMouseEvent* event) {
    if (posingFrom_ && event->button() == Qt::LeftButton) {
        posingFrom_.reset();
        emit PosingEnded();
        return;
    }
    const auto button = ButtonOf(event->button());
    if (!button) return;
    StateOf(*button)->pressed = false;
    // Releasing any button ends the capture, so a still-held button's drag stops too.
    captured_ = false;
}

void PreviewView::ApplyCreatureDrag(DragButton button, QPoint position,
                                    Qt::KeyboardModifiers modifiers) {
    DragState* state = StateOf(button);
    const int dx = state->last.x() - position.x();
    const int dy = state->last.y() - position.y();
    state->last = position;
    if (!creature_) return;
    switch (CreatureDragAction(button, modifiers & Qt::ShiftModifier, swapMouseButtons_)) {
        case CameraAction::Rotate: {
            const Rotation r = RotatedBy({creature_->yaw, creature_->pitch}, dx, dy);
            SetRotation(r.yaw, r.pitch);
            break;
        }
        case CameraAction::Pan: {
            const Pan p = PannedBy({creature_->panX, creature_->panY}, dx, dy);
            SetPan(p.x, p.y);
            break;
        }
        case CameraAction::Zoom:
            SetZoom(ZoomedBy(zoom_, dy));
            break;
        case CameraAction::None:
            break;
    }
}

void PreviewView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (posingFrom_) {
        const QPoint moved = position - *posingFrom_;
        posingFrom_ = position;
        if (!moved.isNull()) emit PosingMoved(moved.x(), -moved.y());
        return;
    }
    if (!captured_) return;
    if (scene_) {
        ApplySceneDrags(position, event->modifiers());
        return;
    }
    const DragButton* order = DragButtonOrder(swapMouseButtons_);
    for (int k = 0; k < 3; ++k) {
        if (StateOf(order[k])->pressed) ApplyCreatureDrag(order[k], position, event->modifiers());
    }
}

void PreviewView::ApplySceneDrags(QPoint position, Qt::KeyboardModifiers modifiers) {
    // Right, middle, then left, whatever the buttons' swap setting.
    if (right_.pressed) {
        const int dx = right_.last.x() - position.x();
        const int dy = right_.last.y() - position.y();
        right_.last = position;
        scene_->RightDrag(dx, dy, modifiers & Qt::ShiftModifier, modifiers & Qt::ControlModifier);
        Invalidate();
    }
    if (middle_.pressed) {
        const int dy = middle_.last.y() - position.y();
        middle_.last = position;
        scene_->MiddleDrag(dy);
        Invalidate();
    }
    // A pick leaves the left button's last position alone.
    if (left_.pressed && isValid()) {
        const qreal ratio = devicePixelRatio();
        makeCurrent();
        scene_->Pick(int(position.x() * ratio), int(position.y() * ratio));
        doneCurrent();
        Invalidate();
    }
}

void PreviewView::mouseDoubleClickEvent(QMouseEvent* event) {
    const auto button = ButtonOf(event->button());
    if (!button || scene_ || !creature_) return;
    ResetForDoubleClick(*creature_, *button, swapMouseButtons_);
    Invalidate();
}

void PreviewView::wheelEvent(QWheelEvent* event) {
    event->accept();
    const int pixels = WheelZoomPixels(event->angleDelta().y(), wheelRemainder_);
    if (pixels == 0) return;
    // The zoom of a drag: the converter's view comes closer as a middle drag goes up, the
    // creature as a zoom drag goes down.
    if (scene_) {
        scene_->MiddleDrag(pixels);
        Invalidate();
    } else if (creature_) {
        SetZoom(ZoomedBy(zoom_, -pixels));
    }
}

void PreviewView::keyPressEvent(QKeyEvent* event) { event->accept(); }

void PreviewView::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

}  // namespace bw
