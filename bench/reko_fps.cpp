// Frames per second of the reconstruction window's renderer: a render window of 800 × 600 with
// the reconstruction of 100 000 points of the Hénon map, turned about the x axis by a held
// rotation key for about five seconds (arguments: another number of points, "linien" for the line strip).
// Prints the statistics line and the device once a second, then the median of those frame rates. Not a test:
// run it under
//     xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/reko_fps
// (Mesa llvmpipe there); the aim is at least 30 fps.
#include "gui/nonlinear/RekoScene.h"
#include "gui/render3d/Render3DWidget.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// x_{n+1} = 1 − 1.4·x_n² + y_n, y_{n+1} = 0.3·x_n, scaled as 16-bit samples (|x| < 1.3).
std::vector<double> HenonSeries(std::size_t n)
{
    std::vector<double> series(n);
    double x = 0.1, y = 0.1;
    for (std::size_t i = 0; i < 1000 + n; ++i) {
        const double next = 1.0 - 1.4 * x * x + y;
        y = 0.3 * x;
        x = next;
        if (i >= 1000)
            series[i - 1000] = 20000.0 * x;
    }
    return series;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Optional arguments: another number of points (to compare with the cost of a bare frame) and
    // "linien" for the line strip instead of the point cloud.
    const std::size_t points = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    RekoSettings settings;
    settings.nTau = 1;
    settings.nNumRekoPoints = static_cast<int>(points + 2); // step 1: P = points
    settings.bIsPunkte = !(argc > 2 && std::strcmp(argv[2], "linien") == 0);
    settings.bIsBunt = true;
    settings.fPointSize = 1.0f;
    const std::vector<double> series = HenonSeries(points + 3);
    Scene3D scene = RekoScene(series, 32767.0, true, settings);
    std::printf("points: %zu\n",
                scene.batches.size() > 1 ? scene.batches[1].vertices.size() : std::size_t{0});

    CRender3DWidget window(0, RekoCamera());
    window.resize(800, 600);
    window.setScene(std::move(scene));
    window.show();
    window.keys().press(Key3D::O); // held: a new frame whenever the last is done

    std::vector<double> rates;
    int seconds = 0;
    QTimer report;
    QObject::connect(&report, &QTimer::timeout, &app, [&] {
        if (!window.ready()) {
            std::printf("no render window: %s\n", qPrintable(window.failure()));
            app.exit(1);
            return;
        }
        const QString line = window.statisticsLine();
        std::printf("%s  %s\n", qPrintable(line), qPrintable(window.deviceDescription()));
        if (++seconds > 1) // the first second includes start-up
            rates.push_back(line.section(QLatin1Char(' '), 0, 0).toDouble());
        if (seconds == 6)
            app.exit(0);
    });
    report.start(1000);
    const int rc = app.exec();
    if (!rates.empty()) {
        std::sort(rates.begin(), rates.end());
        std::printf("median: %.2f fps over %zu seconds, %lld frames\n", rates[rates.size() / 2], rates.size(),
                    window.frameCount());
    }
    return rc;
}
