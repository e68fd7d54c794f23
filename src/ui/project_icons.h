// The pictures of the Project page, drawn in code: the faces of its five bitmap buttons in their
// up, down and focused states, and the banner at the top of the page.
#pragma once

#include <QPixmap>
#include <QString>

namespace bw {

enum class ProjectIcon { New, Open, Save, Docs, About };
enum class ProjectIconState { Up, Down, Focused };

// A square picture of `size` logical pixels: the symbol alone on a transparent ground.
QPixmap DrawProjectIcon(ProjectIcon icon, ProjectIconState state, int size);

// A whole button face of `width` x `height` logical pixels: a raised (up, focused) or sunken
// (down) plate, the symbol and `caption` under it; the focused face has a focus frame. Drawn
// for `devicePixelRatio` so it stays sharp on scaled screens.
QPixmap DrawButtonFace(ProjectIcon icon, ProjectIconState state, const QString& caption, int width,
                       int height, qreal devicePixelRatio = 1.0);

// The banner over the page's buttons: the product's name beside a creature's head.
QPixmap DrawProjectBanner(int width, int height, qreal devicePixelRatio = 1.0);

}  // namespace bw
