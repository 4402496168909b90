#include "ModuleWindows.h"

#include "gui/nonlinear/AnalyseFrame.h"
#include "gui/nonlinear/D3DRekoFrame.h"
#include "gui/nonlinear/ZeitreiheFrame.h"
#include "gui/spectral/FFT3DFrame.h"
#include "gui/spectral/FFTFrame.h"
#include "gui/spectral/NotenbildFrame.h"
#include "gui/spectral/SonoFrame.h"
#include "gui/wavelet/WaveletFrame.h"

#include <stdexcept>

namespace {

template <class Frame>
CModuleChildFrame* makeFrame(CResoniDoc& doc)
{
    return new Frame(doc);
}

} // namespace

const std::array<ModuleInfo, kModuleCount>& moduleTable()
{
    static const std::array<ModuleInfo, kModuleCount> table = {{
        {Module::Zeitreihe, "&Zeitreihe", 132, "Zeitreihe", 9, "CZeitreiheFrame", "CZeitreiheView",
         &makeFrame<CZeitreiheFrame>},
        {Module::FFT, "&FFT", 130, "FFT", 2, "CFFTFrame", "CFFTView", &makeFrame<CFFTFrame>},
        {Module::FFT3D, "3D FFT", 135, "3D FFT (Help: Strg+F1)", 5, "CFFT3DFrame", "CFFT3DView",
         &makeFrame<CFFT3DFrame>},
        {Module::Notenbild, "&Notenbild", 138, "Notenbild", 6, "CNotenbildFrame", "CNotenbildView",
         &makeFrame<CNotenbildFrame>},
        {Module::Sono, "Sono&gramm", 134, "Sonogramm", 7, "CSonoFrame", "CSonoView", &makeFrame<CSonoFrame>},
        {Module::Reko, "&3D Rekonstruktion", 131, "3D Rekonstruktion (Help: Strg+F1)", 4, "CD3DRekoFrame",
         "CRekoView", &makeFrame<CD3DRekoFrame>},
        {Module::Analyse, "&Zeitreihenanalyse", 136, "Zeitreihenanalyse", 3, "CAnalyseFrame", "CAnalyseView",
         &makeFrame<CAnalyseFrame>},
        {Module::Wavelet, "&Wavelet", 183, "Wavelet", 8, "CWaveletFrame", "CWaveletView",
         &makeFrame<CWaveletFrame>},
    }};
    return table;
}

const ModuleInfo& moduleInfo(Module m)
{
    for (const ModuleInfo& info : moduleTable())
        if (info.module == m)
            return info;
    throw std::logic_error("unknown module");
}
