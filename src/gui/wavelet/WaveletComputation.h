// The document's step "transform the selection" for the wavelet window: the request is checked
// first (the engine's own text, or a frequency of 0 or a minimum above the maximum, in a message
// box, and the previous picture stays), then the transform runs on a worker thread from a copy of
// the samples. A newer start cancels an older run; the result reaches the document's m_arWavelet
// on the UI thread. Owned by the document; destroying it waits for a running transform.
#pragma once

#include "core/wavelet/WaveletPlot.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

class CResoniDoc;
class CWaveletWorker;

class CWaveletComputation : public QObject
{
    Q_OBJECT
public:
    explicit CWaveletComputation(CResoniDoc& doc);
    ~CWaveletComputation() override;

    // Transforms samples (rate samples per second, start time 0, duration = count / rate) with
    // the document's request. Returns false when the request was refused (message shown).
    bool Start(const std::vector<double>& samples, int rate);
    // Stops a running transform; its result is dropped (the window was closed).
    void Cancel();

    bool running() const { return m_pWorker != nullptr; }
    // The last transform that finished; the view shows it while a newer one runs.
    const WaveletPicture& picture() const { return m_Picture; }
    // The problem with the document's request, in the words the window shows; empty when none.
    std::string requestProblem() const;

signals:
    void pictureChanged(); // a transform finished (or was refused) and the picture is current

private:
    void Finish(int run, bool bComputed, WaveletPicture picture, const std::string& error);
    void Refuse(const std::string& text);

    CResoniDoc& m_doc;
    WaveletPicture m_Picture;
    std::unique_ptr<CWaveletWorker> m_pWorker;
    int m_nRun = 0; // numbers the runs; reports of replaced ones are ignored
};
