// resoni-render: a picture of one of the program's views of a WAV file or text series, drawn
// headless (offscreen) by the same paint routine as the window, as PNG, SVG or enhanced metafile.
#include "RenderViews.h"
#include "RenderViews3D.h"

#include "CliArgs.h"
#include "SeriesInput.h"
#include "SpectralCliInput.h"

#include "core/profiles/IniFile.h"
#include "core/profiles/ProfileFiles.h"
#include "gui/presentation/PictureFile.h"
#include "gui/profiles/ProfileStore.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <fstream>
#include <map>
#include <stdexcept>

#ifndef RESONI_VERSION
#define RESONI_VERSION "0"
#endif

namespace {

constexpr int kMinSide = 16;
constexpr int kMaxSide = 16384;

void PrintHelp()
{
    std::string views;
    for (const std::string& v : RenderViewNames())
        views += (views.empty() ? "" : ", ") + v;
    for (const std::string& v : RenderViewNames3D())
        views += ", " + v;
    std::printf("Usage: resoni-render VIEW INPUT --out PICTURE [--from N] [--to N] [--width W] [--height H]\n"
                "                     [--profile NAME] [--mode MODE] [--channel left|right]\n"
                "                     [--csv FILE] [--text] [--raw]\n"
                "       resoni-render --help | --version\n\n"
                "Draws a view of a WAV file or a one-column text series as the program's window shows it,\n"
                "without a display. VIEW is one of: %s.\n"
                "  --out PICTURE   the picture to write, PNG, SVG or enhanced metafile by its extension\n"
                "                  (.png, .svg, .emf; .wmf is an enhanced metafile too, as the program\n"
                "                  saves it); the metafile's header names the view (\"Wave Abbild\", ...);\n"
                "                  the 3D views (waterfall, reconstruction) write PNG and need an X\n"
                "                  display with OpenGL (a desktop session, or xvfb-run)\n"
                "  --from/--to N   the selection [from, to) in samples (default the whole series), taken\n"
                "                  over as the waveform window hands it to the analyses\n"
                "  --width/--height  picture size in pixels, %d … %d (default 800 × 400)\n"
                "  --profile NAME  the view's parameters: Standard (default), Musiker, Analytiker, Komplett,\n"
                "                  Grundschule, Oberschule, an own profile's name, or an .ini file\n"
                "  --mode MODE     the note image (VIEW notes): its overtone spectrum, the overtones on the\n"
                "                  staff, or the pitch over time; default the profile's mode\n"
                "                  (VIEW timeseries) 0 the series, 1 its autocorrelation, 2 its mutual\n"
                "                  information and entropy; default 0\n"
                "                  (VIEW analysis): 0 Lyapunov spectrum, 1 maximal exponent,\n"
                "                  2 correlation dimensions; default the profile's\n"
                "  --csv FILE      (VIEW analysis) the numbers behind the plot as CSV, as resoni-analyze\n"
                "                  writes them\n"
                "  --channel, --text, --raw  read the input as resoni-analyze does\n",
                views.c_str(), kMinSide, kMaxSide);
}

// The profile file of NAME: a path to an .ini file, a predefined profile, or an own profile; the
// user's copy first, then the shipped one.
std::string ProfilePath(const std::string& name)
{
    if (name.find('/') != std::string::npos || QString::fromStdString(name).endsWith(QLatin1String(".ini")))
        return name;
    std::string file = UserProfileFileName(name);
    for (int kind = 0; kind < kProfileLastUsed; ++kind)
        if (ProfileFileName(kind, std::string()) == "Resoni" + name + "Profil.ini")
            file = ProfileFileName(kind, std::string());
    for (const QString& dir : {UserProfileDirectory(), ShippedProfileDirectory()}) {
        const QString path = dir + QLatin1Char('/') + QString::fromStdString(file);
        if (QFileInfo(path).isFile())
            return path.toStdString();
    }
    throw std::runtime_error("profile '" + name + "' not found (looked for " + file + " in " +
                             UserProfileDirectory().toStdString() + " and " +
                             ShippedProfileDirectory().toStdString() + ")");
}

ProfileSettings ReadProfile(const std::string& name)
{
    const std::string path = ProfilePath(name);
    if (!QFileInfo(QString::fromStdString(path)).isFile())
        throw std::runtime_error("profile file " + path + " does not exist");
    ProfileSettings settings;
    CIniFile ini(path, std::string(), false);
    ExchangeProfile(ini, true, settings);
    return settings;
}

// The picture title a view's metafile carries, as the program's window writes it.
QString PictureTitle(const std::string& view)
{
    static const std::map<std::string, QString> titles{
        {"waveform", QStringLiteral("Wave Abbild")},         {"overview", QStringLiteral("Übersicht Abbild")},
        {"fft", QStringLiteral("FFT Abbild")},               {"sonogram", QStringLiteral("Sonogramm Abbild")},
        {"notes", QStringLiteral("Notenbild")},              {"wavelet", QStringLiteral("Wavelet Abbild")},
        {"timeseries", QStringLiteral("Zeitreihe Abbild")}, {"analysis", QStringLiteral("Analyse Abbild")},
    };
    const auto it = titles.find(view);
    return it == titles.end() ? QString() : it->second;
}

bool IsView3D(const std::string& view)
{
    const std::vector<std::string>& names = RenderViewNames3D();
    return std::find(names.begin(), names.end(), view) != names.end();
}

int Render(const std::vector<std::string>& argv)
{
    std::set<std::string> valueOptions{"out", "width", "height", "profile", "mode", "csv"}, flagOptions;
    addSeriesOptions(valueOptions, flagOptions);
    const CliArgs args(argv, valueOptions, flagOptions);
    if (args.positional().size() != 2)
        throw CliUsageError("expects VIEW and INPUT (see --help)");
    const std::string& view = args.positional()[0];
    const std::vector<std::string>& names = RenderViewNames();
    const bool b3D = IsView3D(view);
    if (!b3D && std::find(names.begin(), names.end(), view) == names.end())
        throw CliUsageError("unknown view '" + view + "' (see --help)");
    const std::optional<std::string> out = args.text("out");
    if (!out)
        throw CliUsageError("--out PICTURE is missing");
    const std::optional<PictureFormat> format = PictureFormatForPath(QString::fromStdString(*out));
    if (!format)
        throw CliUsageError("--out: " + *out + " must end in .png, .svg, .emf or .wmf");
    if (b3D && *format != PictureFormat::Png)
        throw CliUsageError("--out: the 3D view " + view + " is rendered as a bitmap: " + *out + " must end in .png");
    const long long width = args.getInt("width", 800);
    const long long height = args.getInt("height", 400);
    if (width < kMinSide || width > kMaxSide || height < kMinSide || height > kMaxSide)
        throw CliUsageError("--width/--height: " + std::to_string(width) + " × " + std::to_string(height) +
                            " is outside " + std::to_string(kMinSide) + " … " + std::to_string(kMaxSide) +
                            " pixels");
    ProfileSettings profile = ReadProfile(args.text("profile").value_or("Standard"));
    int viewMode = 0;
    if (view == "timeseries" && args.text("mode")) {
        const long long mode = args.getInt("mode", 0);
        if (mode < 0 || mode > 2)
            throw CliUsageError("--mode: " + std::to_string(mode) + " is none of 0, 1, 2");
        viewMode = static_cast<int>(mode);
    } else if (const std::optional<std::string> mode = args.text("mode"); mode && view == "analysis") {
        if (*mode != "0" && *mode != "1" && *mode != "2")
            throw CliUsageError("--mode: '" + *mode + "' is none of 0, 1, 2 (spectrum, maximal exponent, "
                                "correlation dimensions)");
        profile.IniAnalyseWhatIs = std::stoi(*mode);
    } else if (mode) {
        if (view != "notes")
            throw CliUsageError("--mode applies to the views notes, timeseries and analysis only");
        const std::vector<std::string> modes{"spectrum", "staff", "pitch"};
        const auto it = std::find(modes.begin(), modes.end(), *mode);
        if (it == modes.end())
            throw CliUsageError("--mode: '" + *mode + "' is none of spectrum, staff, pitch");
        profile.IniNotenbildWhatIs = static_cast<int>(it - modes.begin());
    }

    SeriesInput all = loadWholeSeries(args.positional()[1], args);
    const SelectionFrame selection = selectionOfSeries(all, args);
    RenderSource source;
    source.samples = std::move(all.samples);
    source.rate = all.rate;
    source.bits = all.bits;
    source.first = selection.first;
    source.end = selection.end;
    source.selectionFFTSize = selection.nFFTSize;
    source.viewMode = viewMode;

    const std::optional<std::string> csvPath = args.text("csv");
    if (csvPath && view != "analysis")
        throw CliUsageError("--csv applies to the view analysis only");
    std::string csv;
    if (csvPath)
        source.csv = &csv;

    if (b3D) {
        const QImage picture = RenderView3D(view, static_cast<int>(width), static_cast<int>(height), source, profile);
        if (!picture.save(QString::fromStdString(*out), "PNG"))
            throw std::runtime_error("--out: " + *out + " could not be written");
        return 0;
    }
    std::string paintError;
    const QString error = WritePictureFile(
        QString::fromStdString(*out), QSize(static_cast<int>(width), static_cast<int>(height)),
        [&](QPainter& painter) {
            try {
                PaintRenderView(painter, view, static_cast<int>(width), static_cast<int>(height), source, profile);
            } catch (const std::exception& e) {
                paintError = e.what();
            }
        },
        PictureTitle(view));
    if (!paintError.empty())
        throw std::runtime_error(paintError);
    if (!error.isEmpty())
        throw std::runtime_error(error.toStdString());
    if (csvPath) {
        std::ofstream file(*csvPath, std::ios::binary);
        if (!(file << csv) || !file.flush())
            throw std::runtime_error("--csv: " + *csvPath + " could not be written");
    }
    return 0;
}

// Qt's own notes (a missing runtime folder, font fallbacks) are no business of a user of this
// tool, whose stderr carries at most one line: the error.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "resoni-render: %s\n", qPrintable(text));
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args.front() == "--help" || args.front() == "-h" ||
        std::find(args.begin(), args.end(), "--help") != args.end()) {
        PrintHelp();
        return args.empty() ? 1 : 0;
    }
    if (args.front() == "--version") {
        std::printf("resoni-render %s\n", RESONI_VERSION);
        return 0;
    }
    // Headless: no display is needed or used, but for the 3D views, whose OpenGL comes from the
    // X display.
    const bool b3D = args.size() >= 1 && IsView3D(args.front());
    if (b3D && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "resoni-render: the 3D view %s needs a display with OpenGL (run it under xvfb-run)\n",
                     args.front().c_str());
        return 1;
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (b3D && (platform.isEmpty() || platform == "offscreen" || platform == "minimal"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "wayland" : "xcb");
    else if (platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app(argc, argv);
    try {
        return Render(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "resoni-render: %s\n", e.what());
        return 1;
    }
}
