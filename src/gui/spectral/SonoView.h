// The sonogram view: time from left to right in columns, frequency from bottom to top, the
// magnitude of each bin as a colour. A selection's frame is computed as a whole on a worker
// thread; while listening or playing, each new spectrum adds one column. The picture store is
// as large as the screen and is shown stretched between x = 25 and W − 45.
#pragma once

#include "gui/document/DocView.h"

#include "core/spectral/SonoColumn.h"
#include "core/spectral/SonoPicture.h"
#include "core/spectral/SonoSettings.h"

#include <QImage>

#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class CSonoWorker;

// What one repaint draws besides the picture.
struct SonoPaintInput
{
    SonoSettings settings;
    int nWidth = 800;
    int nHeight = 400;
    bool bAxes = true;                       // the "kHz" axis; not drawn while listening or playing
    std::optional<std::pair<int, int>> band; // rows [first, last] inverted at the left edge
};

// The picture store as an image, without a copy: valid while the store lives and keeps its size.
QImage SonoImage(const SonoPicture& picture);

// Background, the picture stretched into (25, 0) … (W − 45, H), the axis and the marked band.
// The view, pictures of it and the headless renderer paint through this.
void PaintSonoView(QPainter& painter, const QImage& picture, const SonoPaintInput& in);

// Computes the whole sonogram of frame into a picture store of width × height and paints the
// view into (0, 0, width, height) as the screen shows it.
void RenderSonoView(QPainter& painter, int width, int height, std::span<const double> frame, int sampleRate,
                    int bitsPerSample, int fftSize, const SonoSettings& settings);

class CSonoView : public CDocView
{
    Q_OBJECT
public:
    std::optional<ViewPictureInfo> PictureInfo() const override;
    // Pictures are the screen's image, as a bitmap.
    void DrawPicture(QPainter& painter, bool bClipboard) override;
    QString HelpTopic() const override { return QStringLiteral("html/Sonogrammdarstellung.html"); }
    explicit CSonoView(CResoniDoc& doc, QWidget* parent = nullptr);
    ~CSonoView() override;

    void OnUpdate(int hint) override;

    const SonoSettings& settings() const { return m_Settings; }
    // A change from the control bar. Anything but "Glättung" (which acts from the next column
    // on) starts the picture anew: a selection is computed again.
    void setSettings(const SonoSettings& settings);
    // The parameters back into the application's settings (closing, saving a profile).
    void StoreSettings() const;

    // A whole sonogram is being computed.
    bool isComputing() const { return m_pWorker != nullptr; }
    // Computations stopped before their end by a newer one, live input or closing.
    int cancelledRuns() const { return m_nCancelledRuns; }
    // A copy of the picture store as it is now.
    QImage pictureCopy() const;

signals:
    void fftSizeShown(int points);          // "FFT:"
    void frequencyShown(const QString& hz); // "Freq:"
    void sonogramFinished();                // a whole sonogram is complete

protected:
    void OnDraw(QPainter& painter, const QRect& area) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // What a finished or running whole sonogram was computed from.
    struct Source
    {
        std::shared_ptr<const std::vector<double>> frame;
        int nSampleRate = 0, nBitsPerSample = 0, nFFTSize = 0;
        SonoSettings settings;
    };

    void Recompute();
    void AddLiveColumn();
    void CancelRun();
    void OnRunFinished(int run);
    int SampleRate() const;
    int BitsPerSample() const;
    double FrequencyAt(int y) const;

    SonoSettings m_Settings;
    mutable std::mutex m_PictureLock; // guards m_Picture while a worker paints into it
    SonoPicture m_Picture;
    std::vector<SonoEntry> m_Entries; // scratch of the live columns
    std::optional<Source> m_Source;   // none: the picture shows no whole sonogram
    std::unique_ptr<CSonoWorker> m_pWorker;
    int m_nRun = 0; // numbers the computations; reports of older ones are ignored
    int m_nCancelledRuns = 0;
    std::optional<int> m_nBandStart; // row where the left button went down in the beep zone
    std::optional<std::pair<int, int>> m_Band;
};
