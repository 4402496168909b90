// Records the update hints a document sends to its views, in order.
#pragma once

#include "gui/document/ResoniDoc.h"

#include <vector>

class HintRecorder : public IDocObserver
{
public:
    explicit HintRecorder(CResoniDoc& doc) : m_doc(doc) { m_doc.AddObserver(this); }
    ~HintRecorder() override { m_doc.RemoveObserver(this); }
    HintRecorder(const HintRecorder&) = delete;
    HintRecorder& operator=(const HintRecorder&) = delete;
    void OnUpdate(int hint) override { hints.push_back(hint); }
    std::vector<int> hints;

private:
    CResoniDoc& m_doc;
};
