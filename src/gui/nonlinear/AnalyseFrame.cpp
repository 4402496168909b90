#include "AnalyseFrame.h"

#include "AnalyseView.h"

CAnalyseFrame::CAnalyseFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::Analyse), new CAnalyseView(doc))
{
}
