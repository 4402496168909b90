#include "FFTFrame.h"

#include "FFTView.h"

CFFTFrame::CFFTFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::FFT), new CFFTView(doc))
{
}
