// The preview's place in the main dialog: the widget that holds the native preview window and
// carries its accessible name, "Preview".
//
// Keyboard: the preview window never takes the window system's keyboard focus, so keys always
// arrive at the dialog's window; a click in the view moves the dialog's focus to this
// container, away from the page controls. Keys have no function in the view, so the container
// takes every key it gets (Tab and Backtab still move the focus on): Return and Enter never
// travel on to the dialog's default button. (The window container Qt provides is not the one
// to hold the focus: given it after its window had the focus, it passes it on to the next
// control in the chain.)
//
// Wayland: the view is a sub-surface of the dialog's surface, and one shown before the dialog's
// surface was first configured is never exposed (nothing would ever be drawn). When the
// dialog's window is exposed while the view is not, the container shows the view's holder
// again, which exposes it.
//
// Ownership: a Qt child of its parent; it owns the view from construction on (deleting the
// container deletes the view).
#pragma once

#include <QWidget>

namespace bw {

class PreviewView;

class PreviewContainer : public QWidget {
  public:
    PreviewContainer(PreviewView* view, QWidget* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void ShowViewAgainIfUnexposed();

    PreviewView* view_;
    QWidget* windowHolder_;
    QWindow* watchedTopLevel_ = nullptr;
};

}  // namespace bw
