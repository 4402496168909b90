// The view of the note image: the FFT view's peaks as partials of a fundamental, as an abstract
// overtone spectrum or as notes on a grand staff. What to draw comes from NotenbildLayout; this
// widget copies the document's peak list before every drawing and paints it.
#pragma once

#include "gui/document/DocView.h"

#include "core/spectral/NotenbildLayout.h"

#include <memory>
#include <utility>
#include <vector>

class CNotenbildPitchPane;

// Paints the note image of these peaks ((Hz, dBr), ascending) into (0, 0, width, height).
void PaintNotenbildView(QPainter& painter, int width, int height, const NotenbildSettings& settings,
                        const std::vector<std::pair<double, double>>& peaks);

class CNotenbildView : public CDocView
{
    Q_OBJECT
public:
    std::optional<ViewPictureInfo> PictureInfo() const override;
    QString HelpTopic() const override { return QStringLiteral("html/NotenbildundObertonspektrum.html"); }
    explicit CNotenbildView(CResoniDoc& doc, QWidget* parent = nullptr);
    ~CNotenbildView() override;

    void OnUpdate(int hint) override;

    const NotenbildSettings& settings() const { return m_Settings; }
    // A new mode, spacing or count (clamped to its range) repaints the view.
    void setSettings(const NotenbildSettings& settings);
    // The peak list as the last drawing copied it from the document.
    const std::vector<std::pair<double, double>>& peaks() const { return m_arMaxima; }
    // The parameters back into the application's settings (closing, saving a profile).
    void StoreSettings() const;
    // "Obertöne anhören, einzeln": the partials of the document's current peak list, 300 ms each,
    // queued one after another by the tone service.
    void PlayPartials() const;
    // The third mode, "detektierter Notenverlauf": the pitch over time.
    CNotenbildPitchPane& pitchPane() const { return *m_pPitch; }

protected:
    void OnDraw(QPainter& painter, const QRect& area) override;

private:
    NotenbildSettings m_Settings;
    std::vector<std::pair<double, double>> m_arMaxima;
    std::unique_ptr<CNotenbildPitchPane> m_pPitch;
};
