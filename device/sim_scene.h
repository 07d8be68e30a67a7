#pragma once

#include <cstdint>
#include <vector>

// What one reflectogram of the simulated instrument looks at: positions in nominal metres (KU 1.5).
struct SimView {
    int line = 0;               // 0 line 1, 1 line 2: the pair the reflections are received on
    int sourceLine = 0;         // the pair the probe pulse is sent into (differs in split-pair mode)
    double start = 0.0;         // position of the first sample
    double spacing = 0.125;     // distance between samples
    int count = 500;
    double pulseNs = 10.0;
    int gain = 0;               // 0..255, about 0.15 dB a step
    int averaging = 1;          // shots averaged: the noise shrinks with its square root
};

// The two cable lines the simulated instrument is connected to. Line 1: 830 m at KU 1.52 with a joint,
// a wet section, an intermittent fault and an open far end. Line 2: 1460 m at KU 1.47 with two joints,
// a wet section and a shorted far end. Both pairs are split at 270 m, which only a measurement with
// separate send and receive pairs shows. Signal levels are signed, 0 is the flat line; bytes are
// two's complement, as the screens read them.
class CSimScene {
public:
    explicit CSimScene(std::uint64_t seed);

    // Renders one reflectogram into `out` (view.count bytes). `faultShows` puts the intermittent fault in.
    void render(const SimView& view, bool faultShows, std::uint8_t* out);
    // Whether the intermittent fault shows in the next reflectogram (about one in four).
    bool drawFault();
    std::uint8_t status(int line) const { return line == 0 ? 3 : 5; }

    // Real metres of the far ends and of the intermittent fault, for tests and documentation.
    static double lineLength(int line);
    static double lineKu(int line);
    static double faultDistance();

private:
    struct Event {
        double distance;      // real metres
        double coefficient;   // reflection coefficient of the probe pulse
    };
    struct Line {
        double ku;
        double attenuationDbPerKm;   // one way
        std::vector<Event> events;
    };

    // The noiseless reflectogram of one view; what changes from frame to frame is only the noise.
    struct Clean {
        int line = -1;
        bool split = false;
        bool faultShows = false;
        double start = 0.0;
        double spacing = 0.0;
        double pulseNs = 0.0;
        int count = 0;
        std::vector<double> values;
    };

    double signalAt(const Line& line, const SimView& view, double x, bool faultShows, bool split) const;
    // The cached noiseless samples of `view`, computed on the first request.
    const std::vector<double>& clean(const SimView& view, bool faultShows, bool split);
    double gaussian();
    std::uint64_t next();

    Line lines[2];
    // A live view alternates a few views (both lines, the magnifier's window and the full range, with
    // the fault and without): each is computed once, the oldest replaced first.
    Clean cleanCache[8];
    int cleanNext = 0;
    std::uint64_t state;
    bool spareReady = false;
    double spare = 0.0;
};
