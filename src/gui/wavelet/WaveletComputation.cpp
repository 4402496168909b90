#include "WaveletComputation.h"

#include "WaveletWorker.h"

#include "core/wavelet/CwtCheck.h"
#include "gui/app/ResoniApp.h"
#include "gui/app/UiDialogs.h"
#include "gui/document/ResoniDoc.h"

#include <cmath>

namespace {

const char* const kZeroFrequency = "Die Frequenzen müssen größer als 0 Hz sein.";
const char* const kMinAboveMax = "Die minimale Frequenz darf nicht über der maximalen liegen.";

} // namespace

CWaveletComputation::CWaveletComputation(CResoniDoc& doc) : m_doc(doc) {}

CWaveletComputation::~CWaveletComputation()
{
    Cancel();
}

std::string CWaveletComputation::requestProblem() const
{
    const CwtRequest& request = m_doc.m_pCwt->request();
    const auto usable = [](float scale) { return std::isfinite(scale) && scale > 0.0f; };
    if (!usable(request.scaleLow) || !usable(request.scaleHigh))
        return kZeroFrequency;
    if (request.scaleLow < request.scaleHigh) // scales are 1 / frequency
        return kMinAboveMax;
    return cwtArgumentProblem(request.wavelet);
}

bool CWaveletComputation::Start(const std::vector<double>& samples, int rate)
{
    Cancel();
    const std::string problem = requestProblem();
    if (!problem.empty()) {
        Refuse(problem);
        return false;
    }
    CwtRequest request = m_doc.m_pCwt->request();
    request.startTime = 0.0f;
    request.endTime = static_cast<float>(static_cast<double>(samples.size()) / rate);
    request.rate = static_cast<float>(rate);
    m_doc.m_pCwt->request() = request;
    const int run = ++m_nRun;
    m_pWorker = std::make_unique<CWaveletWorker>(
        std::make_shared<const std::vector<double>>(samples), request, [this, run](CWaveletWorker::Outcome outcome) {
            QMetaObject::invokeMethod(
                this,
                [this, run, outcome = std::move(outcome)]() mutable {
                    Finish(run, outcome.bComputed, std::move(outcome.picture), outcome.error);
                },
                Qt::QueuedConnection);
        });
    return true;
}

void CWaveletComputation::Cancel()
{
    ++m_nRun; // reports still on their way are ignored
    m_pWorker.reset(); // stops the transform and waits for its thread
}

void CWaveletComputation::Finish(int run, bool bComputed, WaveletPicture picture, const std::string& error)
{
    if (run != m_nRun)
        return;
    m_pWorker.reset();
    if (!error.empty()) {
        Refuse(error);
        return;
    }
    if (bComputed) {
        m_Picture = std::move(picture);
        m_doc.m_arWavelet = m_Picture.values;
    }
    emit pictureChanged();
}

void CWaveletComputation::Refuse(const std::string& text)
{
    std::string shown = text;
    while (!shown.empty() && shown.back() == '\n')
        shown.pop_back();
    // The picture of the last transform stays.
    if (m_Picture.values.size() >= 6)
        m_doc.m_arWavelet = m_Picture.values;
    m_doc.app().dialogs().messageBox(QString::fromStdString(shown));
    emit pictureChanged();
}
