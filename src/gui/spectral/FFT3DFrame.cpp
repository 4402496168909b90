#include "FFT3DFrame.h"

#include "FFT3DView.h"

CFFT3DFrame::CFFT3DFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::FFT3D), new CFFT3DView(doc))
{
}
