// Draws Lindora's application icon and the main window's toolbar glyphs as PNG files.
// Not part of the build: run it by hand when the artwork changes and commit the PNGs.
//   g++ -std=c++20 make_art.cpp $(pkg-config --cflags --libs cairo) -o make_art
//   ./make_art <src/app folder>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace {

struct Rgb {
    double r, g, b;
};

constexpr Rgb kPaper{1.0, 1.0, 1.0};
constexpr Rgb kOutline{0.27, 0.32, 0.40};
constexpr Rgb kTeal{0.06, 0.55, 0.60};
constexpr Rgb kOrange{0.95, 0.52, 0.12};
constexpr Rgb kBlue{0.15, 0.40, 0.78};
constexpr Rgb kRed{0.80, 0.18, 0.16};
constexpr Rgb kGreen{0.20, 0.60, 0.22};

void setColor(cairo_t* cr, Rgb c, double alpha = 1.0) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

bool writePng(const std::string& path, int w, int h, const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    draw(cr);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return ok;
}

// A page with a folded top-right corner, in a 0..1 square.
void pagePath(cairo_t* cr, double x, double y, double w, double h, double fold) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + w - fold, y);
    cairo_line_to(cr, x + w, y + fold);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
}

void drawPage(cairo_t* cr, double x, double y, double w, double h, Rgb band, double line) {
    const double fold = w * 0.30;
    pagePath(cr, x, y, w, h, fold);
    setColor(cr, kPaper);
    cairo_fill_preserve(cr);
    setColor(cr, kOutline);
    cairo_set_line_width(cr, line);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // The folded corner.
    cairo_move_to(cr, x + w - fold, y);
    cairo_line_to(cr, x + w - fold, y + fold);
    cairo_line_to(cr, x + w, y + fold);
    cairo_stroke(cr);
    // A coloured band telling the two document kinds apart, then text lines.
    setColor(cr, band);
    cairo_rectangle(cr, x + w * 0.16, y + h * 0.30, w * 0.68, h * 0.12);
    cairo_fill(cr);
    setColor(cr, kOutline, 0.55);
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, x + w * 0.16, y + h * (0.52 + 0.13 * i), w * (i == 2 ? 0.45 : 0.68), h * 0.05);
        cairo_fill(cr);
    }
}

// Two documents and the arrow between them: a conversion.
void drawIcon(cairo_t* cr, int size) {
    cairo_scale(cr, size, size);
    const double line = std::max(1.0 / size, 0.022);
    const bool small = size <= 24;
    if (small) {
        drawPage(cr, 0.12, 0.04, 0.62, 0.80, kTeal, line * 1.4);
    } else {
        drawPage(cr, 0.06, 0.04, 0.52, 0.68, kTeal, line);
        drawPage(cr, 0.42, 0.28, 0.52, 0.68, kOrange, line);
    }
    // The arrow: a round badge at the bottom left.
    const double cx = small ? 0.70 : 0.26, cy = small ? 0.72 : 0.76, r = small ? 0.27 : 0.20;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    setColor(cr, kBlue);
    cairo_fill_preserve(cr);
    setColor(cr, kPaper);
    cairo_set_line_width(cr, line * (small ? 1.2 : 1.5));
    cairo_stroke(cr);
    setColor(cr, kPaper);
    cairo_set_line_width(cr, r * 0.22);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx - r * 0.50, cy);
    cairo_line_to(cr, cx + r * 0.40, cy);
    cairo_stroke(cr);
    cairo_move_to(cr, cx + r * 0.05, cy - r * 0.42);
    cairo_line_to(cr, cx + r * 0.50, cy);
    cairo_line_to(cr, cx + r * 0.05, cy + r * 0.42);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// Glyphs are 16 x 16 and keep the bottom-left pixel transparent: image lists without a mask
// take their transparent colour from it.
void roundBadge(cairo_t* cr, Rgb fill) {
    cairo_arc(cr, 8, 7.5, 6.5, 0, 2 * M_PI);
    setColor(cr, fill);
    cairo_fill_preserve(cr);
    setColor(cr, {fill.r * 0.6, fill.g * 0.6, fill.b * 0.6});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawAbout(cairo_t* cr) {
    roundBadge(cr, kBlue);
    setColor(cr, kPaper);
    cairo_rectangle(cr, 7, 3, 2, 2);
    cairo_fill(cr);
    cairo_rectangle(cr, 7, 6, 2, 6);
    cairo_rectangle(cr, 6, 6, 1, 1);
    cairo_rectangle(cr, 6, 11, 4, 1);
    cairo_fill(cr);
}

void drawHelp(cairo_t* cr) {
    roundBadge(cr, kGreen);
    setColor(cr, kPaper);
    cairo_set_line_width(cr, 2);
    cairo_arc(cr, 8, 5.8, 2.2, M_PI * 1.05, M_PI * 2.35);
    cairo_stroke(cr);
    cairo_rectangle(cr, 7, 7.6, 2, 1.8);
    cairo_fill(cr);
    cairo_rectangle(cr, 7, 10, 2, 2);
    cairo_fill(cr);
}

void drawExit(cairo_t* cr) {
    // A door frame with the door open and an arrow leaving it.
    setColor(cr, kOutline);
    cairo_rectangle(cr, 2.5, 1.5, 8, 13);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 3, 2);
    cairo_line_to(cr, 7, 4);
    cairo_line_to(cr, 7, 15);
    cairo_line_to(cr, 3, 14);
    cairo_close_path(cr);
    setColor(cr, {0.62, 0.42, 0.22});
    cairo_fill(cr);
    setColor(cr, kRed);
    cairo_rectangle(cr, 8, 7, 5, 2);
    cairo_fill(cr);
    cairo_move_to(cr, 12, 4.5);
    cairo_line_to(cr, 15.5, 8);
    cairo_line_to(cr, 12, 11.5);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void drawLogin(cairo_t* cr) {
    // A key: ring on the left, bit on the right.
    setColor(cr, kOrange);
    cairo_arc(cr, 5, 8, 3.5, 0, 2 * M_PI);
    cairo_arc_negative(cr, 5, 8, 1.5, 2 * M_PI, 0);
    cairo_fill(cr);
    cairo_rectangle(cr, 8, 7, 7, 2);
    cairo_rectangle(cr, 12, 9, 1, 2);
    cairo_rectangle(cr, 14, 9, 1, 3);
    cairo_fill(cr);
    setColor(cr, {0.55, 0.30, 0.05});
    cairo_set_line_width(cr, 1);
    cairo_arc(cr, 5, 8, 3.5, 0, 2 * M_PI);
    cairo_stroke(cr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <src/app folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        ok &= writePng(dir + "/icons/lindora-" + std::to_string(size) + ".png", size, size,
                       [size](cairo_t* cr) { drawIcon(cr, size); });
    ok &= writePng(dir + "/glyphs/about.png", 16, 16, drawAbout);
    ok &= writePng(dir + "/glyphs/exit.png", 16, 16, drawExit);
    ok &= writePng(dir + "/glyphs/help.png", 16, 16, drawHelp);
    ok &= writePng(dir + "/glyphs/login.png", 16, 16, drawLogin);
    return ok ? 0 : 1;
}
