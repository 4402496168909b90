#include "WaveletFrame.h"

#include "WaveletView.h"

CWaveletFrame::CWaveletFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::Wavelet), new CWaveletView(doc))
{
}
