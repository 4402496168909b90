#include "D3DRekoFrame.h"

#include "RekoView.h"

CD3DRekoFrame::CD3DRekoFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::Reko), new CRekoView(doc))
{
}
