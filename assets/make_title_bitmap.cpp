// Draws the title picture, a photon-pair source: a violet pump beam enters a
// crystal, and two emission cones leave it, seen on a screen as a green and an
// orange ring; where the rings cross, the entangled pairs are found.
// Usage: make_title_bitmap OUTPUT.bmp (a 24-bit uncompressed BMP).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

const int width = 340;
const int height = 440;

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb add(Rgb a, Rgb b, double t) {
    return {a.r + b.r * t, a.g + b.g * t, a.b + b.b * t};
}

double segmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double vx = bx - ax, vy = by - ay;
    const double t = std::clamp(((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    return std::hypot(px - ax - t * vx, py - ay - t * vy);
}

// Solid coverage of a shape edge at distance d (negative inside), softened by a pixel.
double cover(double d) { return std::clamp(0.5 - d, 0.0, 1.0); }
double glow(double d, double reach) { return std::exp(-std::max(d, 0.0) / reach); }

const double crystalX = 120, crystalY = 220;
const double ringX = 245, ringRadius = 66, ringUpperY = 178, ringLowerY = 262;

Rgb shade(double x, double y) {
    // Night-blue background, darker towards the bottom.
    Rgb c = mix({14, 16, 46}, {0, 0, 6}, y / height);

    // Faint cone outlines from the crystal to the rings' far edges.
    const Rgb green{60, 255, 110}, orange{255, 150, 30}, violet{170, 70, 255};
    for (double sign : {-1.0, 1.0}) {
        const double ry = sign < 0 ? ringUpperY : ringLowerY;
        const Rgb tint = sign < 0 ? green : orange;
        for (double edge : {-ringRadius, ringRadius}) {
            const double d = segmentDistance(x, y, crystalX, crystalY, ringX, ry + edge);
            c = add(c, tint, 0.10 * glow(d - 0.5, 1.5));
        }
    }

    // Pump beam with its glow.
    const double beam = segmentDistance(x, y, -10, crystalY, crystalX, crystalY);
    c = add(c, violet, 0.55 * glow(beam - 2, 5));
    c = mix(c, {235, 210, 255}, cover(beam - 2));

    // The two rings.
    const double upper = std::fabs(std::hypot(x - ringX, y - ringUpperY) - ringRadius);
    const double lower = std::fabs(std::hypot(x - ringX, y - ringLowerY) - ringRadius);
    c = add(c, green, 0.45 * glow(upper - 3, 4));
    c = add(c, orange, 0.45 * glow(lower - 3, 4));
    c = mix(c, green, cover(upper - 3));
    c = mix(c, orange, cover(lower - 3));

    // Crystal: a tilted blue square with a light rim.
    const double angle = 0.35;
    const double u = (x - crystalX) * std::cos(angle) + (y - crystalY) * std::sin(angle);
    const double v = -(x - crystalX) * std::sin(angle) + (y - crystalY) * std::cos(angle);
    const double box = std::max(std::fabs(u), std::fabs(v)) - 22;
    c = mix(c, mix(Rgb{30, 90, 230}, Rgb{120, 200, 255}, (v + 22) / 44), cover(box));
    c = mix(c, {200, 235, 255}, cover(std::fabs(box) - 1));

    // Photon pairs where the rings cross.
    const double half = (ringLowerY - ringUpperY) / 2;
    const double reach = std::sqrt(ringRadius * ringRadius - half * half);
    for (double sign : {-1.0, 1.0}) {
        const double d = std::hypot(x - (ringX + sign * reach), y - crystalY) - 7;
        c = add(c, {255, 255, 255}, 0.8 * glow(d, 6));
        c = mix(c, {255, 255, 255}, cover(d));
    }
    return c;
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.bmp\n", argv[0]);
        return 2;
    }
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(rowBytes) * height;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + pixelBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, width);
    put32(out, height);  // positive: rows are stored bottom-up
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, pixelBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);

    for (int row = height - 1; row >= 0; --row) {
        for (int col = 0; col < width; ++col) {
            // 3 x 3 samples per pixel smooth the edges.
            Rgb sum{0, 0, 0};
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) {
                    sum = add(sum, shade(col + (i + 0.5) / 3, row + (j + 0.5) / 3), 1.0 / 9);
                }
            }
            auto byte = [](double v) { return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0)); };
            out.push_back(byte(sum.b));
            out.push_back(byte(sum.g));
            out.push_back(byte(sum.r));
        }
        for (int pad = width * 3; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }

    FILE* file = std::fopen(argv[1], "wb");
    if (!file || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
