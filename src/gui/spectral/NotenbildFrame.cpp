#include "NotenbildFrame.h"

#include "NotenbildView.h"

CNotenbildFrame::CNotenbildFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::Notenbild), new CNotenbildView(doc))
{
}
