#include "ZeitreiheFrame.h"

#include "ZeitreiheView.h"

CZeitreiheFrame::CZeitreiheFrame(CResoniDoc& doc) : CModuleChildFrame(doc, moduleInfo(Module::Zeitreihe), new CZeitreiheView(doc))
{
}
