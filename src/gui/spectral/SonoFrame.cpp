#include "SonoFrame.h"

#include "SonoView.h"

CSonoFrame::CSonoFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::Sono), new CSonoView(doc))
{
}
