#include "display/render/reflectogram_image.h"

#include "display/preview_series.h"
#include "display/render/screen_renderer.h"
#include "display/screen_state.h"

QImage reflectogramImage(const Trace& file, QSize size)
{
    if (size.width() < 1 || size.height() < 1)
        return {};
    CScreenState state;
    preview_screen::configure(state);
    state.setStraightLines(true);
    preview_screen::fill(state, file);
    state.chartRect = {0, 0, size.width(), size.height()};
    CScreenRenderer renderer;
    renderer.resize(size);
    renderer.draw(state);
    return renderer.image();
}
